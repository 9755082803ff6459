#include "analysis/ExampleSearch.hpp"

#include <deque>
#include <set>
#include <tuple>
#include <utility>

namespace orvelc {

namespace {

constexpr std::size_t maxStack = 32;     // calls deep
constexpr std::size_t maxStates = 20000; // per walk
constexpr std::size_t maxContexts = 8;   // ways into a decision tried
constexpr int extraDepth = 8;            // how far beyond k the parting is looked for
constexpr std::size_t maxWork = 200000;  // places visited per example

}

// A place in the graph and the nodes to return to, innermost last; node -1
// is past the end of the start rule (or of the token).
struct ExampleSearch::Config {
    int node = -1;
    std::vector<int> stack;

    bool operator<(const Config& o) const { return std::tie(node, stack) < std::tie(o.node, o.stack); }
    bool atEnd() const { return node < 0; }
};

// Where both alternatives are after the same symbols; `parent` and `symbol`
// give the way there.
struct ExampleSearch::Pair {
    Config first;
    Config second;
    std::size_t parent;
    int symbol;
};

ExampleSearch::ExampleSearch(GraphView graph)
    : graph_(std::move(graph)), callers_(graph_.roots.size()),
      anything_(graph_.nodes.empty() ? 0 : graph_.nodes[0].set.size())
{
    for (std::size_t i = 0; i < graph_.nodes.size(); ++i)
        if (graph_.nodes[i].kind == GraphNode::Call)
            callers_[static_cast<std::size_t>(graph_.nodes[i].rule)].push_back(static_cast<int>(i));
    if (graph_.lexer)
        anything_.addRange(0, 255);
}

// The matches (and ends) reachable from `from` without reading. With
// `rooted`, an empty stack means the start rule; without, the rule that ends
// returns to any of its callers, as the lookahead sets assume.
std::vector<ExampleSearch::Config> ExampleSearch::closure(const Config& from, bool rooted) const
{
    std::vector<Config> out;
    std::set<Config> seen;
    std::vector<Config> work{from};
    while (!work.empty() && seen.size() < maxStates && budget_ > 0) {
        --budget_;
        Config c = std::move(work.back());
        work.pop_back();
        if (!seen.insert(c).second)
            continue;
        if (c.atEnd()) {
            out.push_back(c);
            continue;
        }
        const GraphNode& n = graph_.nodes[static_cast<std::size_t>(c.node)];
        switch (n.kind) {
        case GraphNode::Match: out.push_back(c); break;
        case GraphNode::Branch:
            for (int s : n.next)
                work.push_back({s, c.stack});
            break;
        case GraphNode::Call:
            if (c.stack.size() < maxStack) {
                c.stack.push_back(n.next[0]);
                work.push_back({graph_.ruleStart[static_cast<std::size_t>(n.rule)], c.stack});
            }
            break;
        case GraphNode::End: {
            if (!c.stack.empty()) {
                const int back = c.stack.back();
                c.stack.pop_back();
                work.push_back({back, c.stack});
                break;
            }
            const auto& callers = callers_[static_cast<std::size_t>(n.owner)];
            if (rooted || graph_.roots[static_cast<std::size_t>(n.owner)] || callers.empty())
                out.push_back({});
            if (!rooted)
                for (int call : callers)
                    work.push_back({graph_.nodes[static_cast<std::size_t>(call)].next[0], {}});
            break;
        }
        }
    }
    return out;
}

// The symbols that `c` reads: a match's set; at the end, the end of input,
// or anything after the end of a token.
SymbolSet ExampleSearch::symbols(const Config& c) const
{
    if (!c.atEnd())
        return graph_.nodes[static_cast<std::size_t>(c.node)].set;
    if (graph_.lexer)
        return anything_;
    SymbolSet eof(anything_.size());
    eof.add(graph_.eofSymbol);
    return eof;
}

// The member of `set` that an example shows: in a lexer a letter, digit or
// other printable character when there is one. `set` must not be empty.
int ExampleSearch::representative(const SymbolSet& set) const
{
    const std::vector<int> members = set.members();
    if (graph_.lexer)
        for (const auto& [low, high] : {std::pair{'a', 'z'}, {'0', '9'}, {'!', '~'}})
            for (int m : members)
                if (m >= low && m <= high)
                    return m;
    return members.front();
}

// The shortest ways from a start rule into the decision at `branch`, at most
// maxContexts of them, shortest first, each with the symbols it reads.
std::vector<ExampleSearch::Config> ExampleSearch::contexts(int branch,
                                                           std::vector<std::vector<int>>& prefixes) const
{
    struct Step {
        Config at;
        std::size_t parent;
        int symbol;
    };
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<Step> steps;
    std::deque<std::size_t> work;
    for (std::size_t r = 0; r < graph_.roots.size(); ++r)
        if (graph_.roots[r]) {
            steps.push_back({{graph_.ruleStart[r], {}}, none, -1});
            work.push_back(steps.size() - 1);
        }
    std::vector<Config> out;
    std::set<Config> settled;
    // Reading costs one, anything else nothing: a 0-1 breadth-first walk.
    while (!work.empty() && steps.size() < maxStates && out.size() < maxContexts && budget_ > 0) {
        --budget_;
        const std::size_t i = work.front();
        work.pop_front();
        const Config c = steps[i].at;
        if (c.atEnd() || !settled.insert(c).second)
            continue;
        if (c.node == branch) {
            out.push_back(c);
            prefixes.emplace_back();
            for (std::size_t s = i; s != none; s = steps[s].parent)
                if (steps[s].symbol >= 0)
                    prefixes.back().insert(prefixes.back().begin(), steps[s].symbol);
            continue;
        }
        auto go = [&](Config next, int symbol) {
            steps.push_back({std::move(next), i, symbol});
            if (symbol < 0)
                work.push_front(steps.size() - 1);
            else
                work.push_back(steps.size() - 1);
        };
        const GraphNode& n = graph_.nodes[static_cast<std::size_t>(c.node)];
        if (n.kind == GraphNode::Match && !n.set.empty()) {
            go({n.next[0], c.stack}, representative(n.set));
        } else if (n.kind == GraphNode::Branch) {
            for (int s : n.next)
                go({s, c.stack}, -1);
        } else if (n.kind == GraphNode::Call && c.stack.size() < maxStack) {
            Config inner{graph_.ruleStart[static_cast<std::size_t>(n.rule)], c.stack};
            inner.stack.push_back(n.next[0]);
            go(std::move(inner), -1);
        } else if (n.kind == GraphNode::End && !c.stack.empty()) {
            Config back{c.stack.back(), c.stack};
            back.stack.pop_back();
            go(std::move(back), -1);
        }
    }
    return out;
}

// Walks both alternatives in step, depth by depth, over the symbols both
// read. The first pair at depth k (or past the end of input on both sides,
// or at the end of a token on both) gives the lookahead; the walk goes on to
// see whether the alternatives part later. Returns whether an example was
// found.
bool ExampleSearch::compare(const Config& first, const Config& second, bool rooted,
                            Counterexample& out) const
{
    std::vector<Pair> pairs{{first, second, 0, -1}};
    std::vector<std::size_t> layer{0};
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t shown = none;
    bool same = false;                 // an input both alternatives read whole
    for (int depth = 0; depth <= graph_.k + extraDepth && !same; ++depth) {
        std::vector<std::size_t> next;
        std::set<std::pair<Config, Config>> seen;
        for (std::size_t p : layer) {
            const bool ended = pairs[p].first.atEnd() && pairs[p].second.atEnd();
            same = same || (ended && !graph_.lexer);
            if (shown == none && (depth == graph_.k || ended))
                shown = p;
            const std::vector<Config> a = closure(pairs[p].first, rooted);
            const std::vector<Config> b = closure(pairs[p].second, rooted);
            for (const Config& x : a)
                for (const Config& y : b) {
                    if (graph_.lexer && x.atEnd() && y.atEnd()) {
                        same = true;
                        shown = shown == none ? p : shown;
                        continue;
                    }
                    const SymbolSet common = symbols(x).intersection(symbols(y));
                    if (common.empty() || pairs.size() >= maxStates)
                        continue;
                    auto step = [&](const Config& c) {
                        return c.atEnd() ? c : Config{graph_.nodes[static_cast<std::size_t>(c.node)].next[0], c.stack};
                    };
                    if (!seen.emplace(step(x), step(y)).second)
                        continue;
                    pairs.push_back({step(x), step(y), p, representative(common)});
                    next.push_back(pairs.size() - 1);
                }
        }
        if (next.empty() && !same) {
            out.partWithin = pairs.size() < maxStates && budget_ > 0 ? depth + 1 : 0;
            break;
        }
        layer = std::move(next);
    }
    if (shown == none)
        return false;
    for (std::size_t p = shown; p != 0; p = pairs[p].parent)
        out.lookahead.insert(out.lookahead.begin(), pairs[p].symbol);
    return true;
}

Counterexample ExampleSearch::find(int branch, int first, int second) const
{
    budget_ = maxWork;
    Counterexample out;
    std::vector<std::vector<int>> prefixes{{}};
    std::vector<Config> ways{{}};
    if (branch >= 0) {
        prefixes.clear();
        ways = contexts(branch, prefixes);
    }
    for (std::size_t i = 0; i < ways.size(); ++i) {
        Counterexample tried;
        tried.prefix = prefixes[i];
        tried.reached = tried.found = compare({first, ways[i].stack}, {second, ways[i].stack}, true, tried);
        if (tried.found)
            return tried;
        if (i == 0)
            out = tried;
    }
    Counterexample open;
    open.found = compare({first, {}}, {second, {}}, false, open);
    return open.found || ways.empty() ? open : out;
}

}
