#ifndef ORVELC_ANALYSIS_COUNTEREXAMPLE_HPP
#define ORVELC_ANALYSIS_COUNTEREXAMPLE_HPP

#include <vector>

namespace orvelc {

// An input that shows an ambiguity: symbols (token types, or characters in a
// lexer) that lead from a start rule to the decision, then lookahead that
// both alternatives accept from there.
struct Counterexample {
    bool found = false;    // false when no input within the search's bounds shows it
    bool reached = false;  // whether `prefix` leads there; else the way in is left open
    std::vector<int> prefix;
    std::vector<int> lookahead;
    // The number of symbols within which the alternatives always part (so
    // that a syntactic predicate tells them apart), 0 when they may not.
    int partWithin = 0;
};

}

#endif
