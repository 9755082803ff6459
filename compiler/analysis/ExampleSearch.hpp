#ifndef ORVELC_ANALYSIS_EXAMPLESEARCH_HPP
#define ORVELC_ANALYSIS_EXAMPLESEARCH_HPP

#include "analysis/Counterexample.hpp"
#include "analysis/SymbolSet.hpp"

#include <vector>

namespace orvelc {

// A node of the analysis graph: a match of a set of symbols, a branch, a
// rule call or a rule's end. Each node belongs to the rule whose body it is
// part of.
struct GraphNode {
    enum Kind { Match, Branch, Call, End } kind;
    SymbolSet set;  // Match: the symbols
    std::vector<int> next;
    int rule = -1;  // Call: the rule called
    int owner = -1;
};

// The analysis graph of one grammar as the search reads it; the vectors
// belong to the analysis and must outlive the search.
struct GraphView {
    const std::vector<GraphNode>& nodes;
    const std::vector<int>& ruleStart;
    std::vector<bool> roots;  // per rule: whether recognition starts there
    bool lexer = false;
    int eofSymbol = 1;
    int k = 1;
};

// Finds inputs that show ambiguities, by breadth-first walks over the graph
// with an explicit stack of return nodes: the shortest way from a start rule
// to a decision, then the shortest lookahead that both alternatives accept
// in that context. The walks are bounded, so that any grammar is searched
// quickly; a decision beyond the bounds gets an example marked not found.
class ExampleSearch {
public:
    explicit ExampleSearch(GraphView graph);

    // The example for the alternatives entered at nodes `first` and `second`
    // of the decision at node `branch`; `branch` -1 stands for a lexer's
    // choice among its token rules, made where a token starts. Not for use
    // by several threads at once. Throws nothing but std::bad_alloc.
    Counterexample find(int branch, int first, int second) const;

private:
    struct Config;
    struct Pair;

    std::vector<Config> closure(const Config& from, bool rooted) const;
    std::vector<Config> contexts(int branch, std::vector<std::vector<int>>& prefixes) const;
    bool compare(const Config& first, const Config& second, bool rooted, Counterexample& out) const;
    SymbolSet symbols(const Config& c) const;
    int representative(const SymbolSet& set) const;

    GraphView graph_;
    std::vector<std::vector<int>> callers_;  // per rule, the nodes that call it
    SymbolSet anything_;                     // what may follow the end of a token
    mutable std::size_t budget_ = 0;         // of the example being searched for
};

}

#endif
