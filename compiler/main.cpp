// orvelc: reads a grammar file and writes C++ recognizers on orvel.

#include "Diagnostics.hpp"
#include "analysis/Analysis.hpp"
#include "codegen/CppGenerator.hpp"
#include "reader/GrammarLexer.hpp"
#include "reader/GrammarParser.hpp"

#include <orvel/ORVELException.hpp>

#include <fstream>
#include <iostream>

namespace {

const char* const usage =
    "usage: orvelc [-o <output dir>] [-I <vocabulary dir>]... [--no-warnings] <grammar>\n";

struct Arguments {
    std::string grammar;
    std::string outputDir = ".";
    orvelc::AnalysisSettings analysis;
};

bool parseArguments(int argc, char** argv, Arguments& out)
{
    std::vector<std::string> includes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-o" || arg == "-I") && i + 1 < argc)
            (arg == "-o" ? out.outputDir : includes.emplace_back()) = argv[++i];
        else if (arg == "--no-warnings")
            out.analysis.warnings = false;
        else if (!arg.empty() && arg[0] != '-' && out.grammar.empty())
            out.grammar = arg;
        else
            return false;
    }
    if (out.grammar.empty())
        return false;
    const auto slash = out.grammar.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : out.grammar.substr(0, slash);
    out.analysis.vocabularyDirs.push_back(out.outputDir);
    for (const std::string& d : includes)
        out.analysis.vocabularyDirs.push_back(d);
    out.analysis.vocabularyDirs.push_back(dir);
    return true;
}

std::string stemOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}

int main(int argc, char** argv)
{
    Arguments args;
    if (!parseArguments(argc, argv, args)) {
        std::cerr << usage;
        return 2;
    }
    std::ifstream in(args.grammar, std::ios::binary);
    if (!in) {
        std::cerr << "orvelc: cannot read " << args.grammar << std::endl;
        return 1;
    }
    orvelc::Diagnostics diagnostics(args.grammar, std::cerr);
    orvelc::GrammarFile file;
    file.path = args.grammar;
    file.stem = stemOf(args.grammar);
    try {
        orvelc::GrammarLexer lexer(in, args.grammar, diagnostics);
        orvelc::GrammarParser parser(lexer, args.grammar, diagnostics);
        parser.parseFile(file);
    } catch (const orvel::ORVELException& ex) {
        diagnostics.error({0, 0}, ex.toString());
    }
    if (diagnostics.errorCount() > 0)
        return 1;
    orvelc::FileInfo info;
    orvelc::analyze(file, args.analysis, diagnostics, info);
    if (diagnostics.errorCount() > 0)
        return 1;
    std::vector<orvelc::OutputFile> outputs = orvelc::generate(file, info);
    for (const orvelc::OutputFile& o : outputs) {
        const std::string path = args.outputDir + "/" + o.name;
        std::ofstream out(path, std::ios::binary);
        if (!(out << o.content) || !(out.flush())) {
            std::cerr << "orvelc: cannot write " << path << std::endl;
            return 1;
        }
    }
    return 0;
}
