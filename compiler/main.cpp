// orvelc: reads a grammar file and writes C++ recognizers on orvel.

#include "Compile.hpp"

#include <fstream>
#include <iostream>

namespace {

const char* const usage =
    "usage: orvelc [-o <output dir>] [-I <vocabulary dir>]... [--no-warnings] <grammar>\n";

struct Arguments {
    std::string grammar;
    std::string outputDir = ".";
    orvelc::CompileSettings compile;
};

bool parseArguments(int argc, char** argv, Arguments& out)
{
    std::vector<std::string> includes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-o" || arg == "-I") && i + 1 < argc)
            (arg == "-o" ? out.outputDir : includes.emplace_back()) = argv[++i];
        else if (arg == "--no-warnings")
            out.compile.analysis.warnings = false;
        else if (!arg.empty() && arg[0] != '-' && out.grammar.empty())
            out.grammar = arg;
        else
            return false;
    }
    if (out.grammar.empty())
        return false;
    const auto slash = out.grammar.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : out.grammar.substr(0, slash);
    out.compile.analysis.vocabularyDirs.push_back(out.outputDir);
    for (const std::string& d : includes)
        out.compile.analysis.vocabularyDirs.push_back(d);
    out.compile.analysis.vocabularyDirs.push_back(dir);
    return true;
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
    const std::vector<orvelc::OutputFile> outputs =
        orvelc::compile(in, args.grammar, args.compile, diagnostics);
    if (diagnostics.errorCount() > 0)
        return 1;
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
