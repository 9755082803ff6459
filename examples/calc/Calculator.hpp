#ifndef ORVEL_EXAMPLES_CALC_CALCULATOR_HPP
#define ORVEL_EXAMPLES_CALC_CALCULATOR_HPP

#include <ostream>
#include <string>

namespace calc {

// What a run shows: the values printed (evaluate), the tokens the parser
// reads, each statement's tree as text or as one Graphviz graph, or the
// source with a name replaced.
enum class Show { values, tokens, trees, dot, renamed };

struct Options {
    Show show = Show::values;
    // Traces the rules of the parser (and of the evaluator) on std::cout.
    bool trace = false;
    // For Show::renamed: every identifier `from` becomes `to`.
    std::string from;
    std::string to;
};

// Runs the calculator over `source`, named `fileName` in error reports.
// Writes what `options` ask for to `out` and every error, with its source line
// and a caret, to `err`; returns the number of errors. Deep nesting ends the
// run with one error; statements before it have been evaluated.
int run(const std::string& source, const std::string& fileName, const Options& options,
        std::ostream& out, std::ostream& err);

}

#endif
