// orvelc: reads a grammar file and writes C++ recognizers on orvel.

#include "Compile.hpp"

#include <orvel/Version.hpp>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace {

const char* const help =
    "usage: orvelc [options] <grammar>\n"
    "Compiles the grammar file <grammar> into <stem>.hpp, <stem>.cpp and <stem>.vocab,\n"
    "named after the file without its extension.\n"
    "  -o <dir>        write the outputs into <dir>, made if missing (default: .)\n"
    "  -I <dir>        look for imported vocabularies in <dir> too (may repeat)\n"
    "  --no-warnings   report errors only (also -w)\n"
    "  -Wno-<name>     leave out the warning <name> (ambiguity, unused-rule)\n"
    "  -W<name>        give the warning <name> again after -Wno-<name>\n"
    "  -Werror         report every warning as an error\n"
    "  -Werror=<name>  report the warning <name> as an error\n"
    "  --no-line       leave out the #line directives that point into the grammar\n"
    "  --report <file> also write a report of the grammar into the HTML page <file>\n"
    "  --version       print the version of orvelc\n"
    "  --help          print this text\n";

struct Arguments {
    std::string grammar;
    std::string outputDir = ".";
    std::string report;  // where --report writes the page, empty for none
    orvelc::CompileSettings compile;
    std::vector<std::string> warningOptions;  // -W options, in order
    bool noWarnings = false;
    // Set for --help and --version: what to print instead of compiling.
    std::string answer;
};

// Returns 2 after writing `problem` and a pointer to --help.
int commandLineError(const std::string& problem)
{
    std::cerr << "orvelc: " << problem << "\n(orvelc --help lists the options)\n";
    return 2;
}

// Fills `out` from the command line; returns what is wrong with it, or an
// empty string.
std::string parseArguments(int argc, char** argv, Arguments& out)
{
    std::vector<std::string> includes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "--version") {
            out.answer = arg == "--help" ? help : std::string("orvelc ") + ORVEL_VERSION_STRING + "\n";
            return "";
        }
        if (arg == "-o" || arg == "-I") {
            if (i + 1 == argc)
                return arg + " needs a folder";
            (arg == "-o" ? out.outputDir : includes.emplace_back()) = argv[++i];
        } else if (arg == "--report") {
            if (i + 1 == argc)
                return arg + " needs a file";
            out.report = argv[++i];
            out.compile.report = true;
        } else if (arg == "--no-warnings" || arg == "-w") {
            out.noWarnings = true;
        } else if (arg == "--no-line") {
            out.compile.lineDirectives = false;
        } else if (arg.compare(0, 2, "-W") == 0) {
            std::ostringstream ignored;
            if (!orvelc::Diagnostics("", ignored).setWarningOption(arg))
                return "unknown warning option " + arg;
            out.warningOptions.push_back(arg);
        } else if (arg == "-") {
            return "the grammar must be a file (it names the outputs), not standard input";
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (!out.grammar.empty()) {
            return "one grammar file at a time";
        } else {
            out.grammar = arg;
        }
    }
    if (out.grammar.empty())
        return "no grammar file given";
    const auto slash = out.grammar.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : out.grammar.substr(0, slash);
    out.compile.analysis.vocabularyDirs.push_back(out.outputDir);
    for (const std::string& d : includes)
        out.compile.analysis.vocabularyDirs.push_back(d);
    out.compile.analysis.vocabularyDirs.push_back(dir);
    return "";
}

// Whether the file at `path` holds exactly `content`.
bool holds(const std::string& path, const std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    const std::string old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in && old == content;
}

// Writes `content` to `path` through a temporary file renamed into place, so
// that no reader sees half a file; leaves a file that already holds it
// untouched, so that builds do not redo work. Returns false after saying
// what failed.
bool writeOutput(const std::string& path, const std::string& content)
{
    if (holds(path, content))
        return true;
    const std::string temporary = path + ".orvelc-new";
    std::ofstream out(temporary, std::ios::binary);
    std::error_code failure;
    if (!(out << content) || !out.flush()) {
        out.close();
        std::filesystem::remove(temporary, failure);
        std::cerr << "orvelc: cannot write " << path << std::endl;
        return false;
    }
    out.close();
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        std::filesystem::remove(temporary, failure);
        std::cerr << "orvelc: cannot write " << path << ": " << failure.message() << std::endl;
        return false;
    }
    return true;
}

// Returns 0 after writing every output into `dir`, which it makes if missing;
// 1 after saying what could not be made.
int writeOutputs(const std::vector<orvelc::OutputFile>& outputs, const std::string& dir)
{
    std::error_code failure;
    std::filesystem::create_directories(dir, failure);
    if (failure) {
        std::cerr << "orvelc: cannot make the folder " << dir << ": " << failure.message() << std::endl;
        return 1;
    }
    for (const orvelc::OutputFile& o : outputs)
        if (!writeOutput(dir + "/" + o.name, o.content))
            return 1;
    return 0;
}

}

int main(int argc, char** argv)
{
    Arguments args;
    const std::string problem = parseArguments(argc, argv, args);
    if (!problem.empty())
        return commandLineError(problem);
    if (!args.answer.empty()) {
        std::cout << args.answer;
        return 0;
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(args.grammar, ignored)) {
        std::cerr << "orvelc: " << args.grammar << " is a folder, not a grammar file" << std::endl;
        return 1;
    }
    std::ifstream in(args.grammar, std::ios::binary);
    if (!in) {
        std::cerr << "orvelc: cannot read " << args.grammar << ": " << std::strerror(errno) << std::endl;
        return 1;
    }
    orvelc::Diagnostics diagnostics(args.grammar, std::cerr);
    for (const std::string& option : args.warningOptions)
        diagnostics.setWarningOption(option);
    if (args.noWarnings)
        diagnostics.disableWarnings();
    std::vector<orvelc::OutputFile> outputs = orvelc::compile(in, args.grammar, args.compile, diagnostics);
    if (diagnostics.errorCount() > 0)
        return 1;
    if (args.compile.report) {
        const std::string page = outputs.back().content;
        outputs.pop_back();
        if (!writeOutput(args.report, page))
            return 1;
    }
    return writeOutputs(outputs, args.outputDir);
}
