// orvel-calc: the calculator whose lexer, parser and evaluator orvelc
// generates from calc.g. This file only reads the command line and the input.
#include "Calculator.hpp"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

const char* const usage =
    "usage: orvel-calc [options] [file]\n"
    "Runs the calculator program in file (- for standard input; none: the demo).\n"
    "  --tokens          list the tokens instead of evaluating\n"
    "  --tree            print each statement's tree instead of evaluating\n"
    "  --dot             print the trees as a Graphviz graph instead of evaluating\n"
    "  --rename OLD=NEW  print the source with identifier OLD renamed NEW\n"
    "  --trace           trace the rules of the parser and the evaluator\n"
    "  --help            print this text\n";

bool isIdentifier(const std::string& s)
{
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (s.empty() || !letter(s[0]))
        return false;
    for (char c : s)
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

// Returns 2 after writing `problem` and a pointer to --help.
int commandLineError(const std::string& problem)
{
    std::cerr << "orvel-calc: " << problem << "\n(orvel-calc --help shows the options)\n";
    return 2;
}

}

int main(int argc, char** argv)
{
    calc::Options options;
    std::string path = ORVEL_CALC_DEMO;
    bool pathGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << usage;
            return 0;
        }
        if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--tokens" || arg == "--tree" || arg == "--dot" || arg == "--rename") {
            if (options.show != calc::Show::values)
                return commandLineError("--tokens, --tree, --dot and --rename exclude each other");
            options.show = arg == "--tokens" ? calc::Show::tokens
                           : arg == "--tree" ? calc::Show::trees
                           : arg == "--dot"  ? calc::Show::dot
                                             : calc::Show::renamed;
            if (options.show == calc::Show::renamed) {
                const std::string pair = i + 1 < argc ? argv[++i] : "";
                const std::size_t equals = pair.find('=');
                options.from = pair.substr(0, equals);
                options.to = equals == std::string::npos ? "" : pair.substr(equals + 1);
                if (!isIdentifier(options.from) || !isIdentifier(options.to))
                    return commandLineError("--rename needs OLD=NEW, two identifiers");
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return commandLineError("unknown option " + arg);
        } else if (pathGiven) {
            return commandLineError("one input at most");
        } else {
            path = arg;
            pathGiven = true;
        }
    }

    std::string source;
    if (path == "-") {
        source.assign(std::istreambuf_iterator<char>(std::cin), {});
        path = "<stdin>";
    } else {
        std::ifstream in(path, std::ios::binary);
        if (in)
            source.assign(std::istreambuf_iterator<char>(in), {});
        if (!in || in.bad()) {
            std::cerr << "orvel-calc: cannot read " << path << '\n';
            return 1;
        }
    }
    return calc::run(source, path, options, std::cout, std::cerr) > 0 ? 1 : 0;
}
