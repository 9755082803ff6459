#include "analysis/Analysis.hpp"

#include "analysis/ExampleSearch.hpp"
#include "analysis/TemplateCheck.hpp"
#include "analysis/LeftRecursion.hpp"
#include "analysis/Utf8Lowering.hpp"

#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace orvelc {

namespace {

constexpr int maxK = 8;
constexpr long long maxLookaheadBytes = 256LL << 20;

bool isLowerStart(const std::string& name) { return name[0] >= 'a' && name[0] <= 'z'; }

// Why `name` cannot name anything in the generated C++ (a keyword, or an
// identifier C++ keeps for the implementation); empty when it can.
std::string unusableName(const std::string& name)
{
    static const std::set<std::string> keywords = {
        "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
        "case", "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept",
        "const", "consteval", "constexpr", "constinit", "const_cast", "continue", "co_await",
        "co_return", "co_yield", "decltype", "default", "delete", "do", "double", "dynamic_cast",
        "else", "enum", "explicit", "export", "extern", "false", "float", "for", "friend", "goto",
        "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq",
        "nullptr", "operator", "or", "or_eq", "private", "protected", "public", "register",
        "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
        "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local",
        "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using",
        "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq"};
    if (keywords.count(name) != 0)
        return name + " is a C++ keyword";
    if (name.find("__") != std::string::npos || (name.size() > 1 && name[0] == '_' && isupper(static_cast<unsigned char>(name[1]))))
        return name + " is reserved in C++";
    return "";
}

// Reports `name` when it cannot be used in the generated C++; `what` says
// what it names.
void checkName(Diagnostics& diagnostics, Position pos, const std::string& name, const char* what)
{
    const std::string problem = unusableName(name);
    if (!problem.empty())
        diagnostics.error(pos, problem + " and cannot name a " + what);
}

int fold(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }


// Reads a boolean or a number option; reports a bad value.
class OptionReader {
public:
    explicit OptionReader(Diagnostics& d) : diagnostics_(d) {}

    void check(const std::vector<Option>& options, const std::set<std::string>& allowed,
               const char* where)
    {
        std::set<std::string> seen;
        for (const Option& o : options) {
            if (allowed.count(o.name) == 0)
                diagnostics_.error(o.pos, "unknown " + std::string(where) + " option " + o.name);
            else if (!seen.insert(o.name).second)
                diagnostics_.error(o.pos, "option " + o.name + " is set twice");
        }
    }

    bool flag(const std::vector<Option>& options, const std::string& name, bool fallback)
    {
        const Option* o = findOption(options, name);
        if (!o)
            return fallback;
        if (o->value != "true" && o->value != "false") {
            diagnostics_.error(o->pos, "option " + name + " is true or false");
            return fallback;
        }
        return o->value == "true";
    }

    int number(const std::vector<Option>& options, const std::string& name, int low, int high,
               int fallback)
    {
        const Option* o = findOption(options, name);
        if (!o)
            return fallback;
        const std::string& v = o->value;
        const bool digits = !v.empty() && v.size() <= 9 &&
                            v.find_first_not_of("0123456789") == std::string::npos;
        const int n = digits ? std::stoi(v) : -1;
        if (n < low || n > high) {
            diagnostics_.error(o->pos, "option " + name + " is a number from " +
                                           std::to_string(low) + " to " + std::to_string(high));
            return fallback;
        }
        return n;
    }

private:
    Diagnostics& diagnostics_;
};

struct PendingDecision {
    Node* block;
    const Rule* rule;
    std::vector<int> entries;
    int exit = -1;
    std::size_t ruleIndex = 0;
    int branch = -1;  // the node where the choice is made
};

struct Overlaps;

class GrammarAnalyzer {
public:
    GrammarAnalyzer(Grammar& g, const Vocabulary& v, Diagnostics& d, GrammarInfo& info)
        : grammar_(g), vocabulary_(v), diagnostics_(d), info_(info),
          options_(d)
    {
    }

    void run();

private:
    void readOptions();
    void indexRules();
    void checkNode(Node& node, const Rule& rule, bool inNot);
    void checkLabel(const Node& node);
    bool operandSet(const Node& node, SymbolSet& out);
    SymbolSet charSet(int first, int last) const;
    bool nullable(const Sequence& seq) const;
    bool nullable(const Node& node) const;
    void leftCalls(const Sequence& seq, std::set<int>& out) const;
    void leftCalls(const Node& node, std::set<int>& out) const;
    template <class Holds>
    void ruleFixpoint(std::vector<bool>& known, const Holds& holds);
    bool checkLeftRecursion();
    std::string leftRecursionAdvice(const Rule& rule, const std::string& through) const;
    void linkCalls();
    void findRecursion();
    void findSingleCharacterRules();
    void checkLoops();
    bool finite(const Node& node) const;
    void checkEndless();
    bool isRoot(std::size_t rule) const;
    void checkReachability();
    int newNode(GraphNode::Kind kind);
    int build(const Sequence& seq, int next, const Rule& rule);
    int buildElement(Node& node, int next, const Rule& rule);
    void computeLookahead();
    bool readLookahead(int reader, int source);
    void computeFollow();
    std::vector<SymbolSet> lookahead(int node) const;
    bool fitsInMemory();
    std::vector<Guard> guards(const Node& first, const std::vector<SymbolSet>& look) const;
    std::vector<SymbolSet> unguarded(const Decision& d, const PendingDecision& p, std::size_t a) const;
    bool warnsAbout(std::size_t a) const;
    void decide(Decision& d, const PendingDecision& p, bool quiet, bool loopQuiet);
    void warnOperators(const Decision& d, const PendingDecision& p);
    void warn(const Decision& d, const PendingDecision& p, std::size_t a, std::size_t b,
              const std::vector<SymbolSet>& first);
    std::string describe(const std::vector<SymbolSet>& a, const std::vector<SymbolSet>& b) const;
    Counterexample example(const PendingDecision& p, std::size_t a, std::size_t b) const;
    std::vector<std::string> exampleNotes(const Counterexample& e, int alternative) const;
    std::string render(const std::vector<int>& symbols) const;

    Grammar& grammar_;
    const Vocabulary& vocabulary_;
    Diagnostics& diagnostics_;
    GrammarInfo& info_;
    OptionReader options_;
    bool warnAmbiguity_ = true;
    std::map<std::string, int> rules_;
    std::vector<bool> nullable_;
    std::vector<bool> finite_;  // per rule: it can match some input and return
    std::vector<GraphNode> nodes_;
    std::vector<int> ruleStart_;
    std::vector<int> ruleEnd_;
    int owner_ = -1;  // the rule whose graph is being built
    // Per node: what it can read within its own rule, depth by depth, and
    // bit j when the rule can end after exactly j symbols from it (j < k).
    std::vector<std::vector<SymbolSet>> look_;
    std::vector<unsigned> ends_;
    // Per rule: what can follow it anywhere, depth by depth.
    std::vector<std::vector<SymbolSet>> follow_;
    std::vector<PendingDecision> pending_;
    void checkModes();
    Overlaps overlaps() const;
    void tokenDecision(std::size_t mode);

    std::vector<std::size_t> tokenRuleIndex_;  // of each token rule of the mode being decided
    std::size_t mode_ = 0;  // the lexer mode whose token decision is being made
    std::vector<std::set<int>> calls_;  // per rule, the rules it references
    std::unique_ptr<ExampleSearch> examples_;
};

void GrammarAnalyzer::readOptions()
{
    const bool lexer = grammar_.lexer;
    std::set<std::string> allowed = {"defaultErrorHandler", "warnAmbiguity", "nestingLimit",
                                     "errorLimit"};
    if (!grammar_.treeParser)
        allowed.insert("k");
    if (lexer)
        allowed.insert({"caseSensitive", "caseSensitiveLiterals", "testLiterals", "tabSize", "unicode"});
    else if (!grammar_.treeParser)
        allowed.insert({"buildAST", "nodeType"});
    options_.check(grammar_.options, allowed, "grammar");
    info_.k = options_.number(grammar_.options, "k", 1, maxK, 1);
    info_.buildAST = options_.flag(grammar_.options, "buildAST", false);
    if (const Option* o = findOption(grammar_.options, "nodeType"))
        info_.nodeType = o->value;
    info_.nestingLimit = options_.number(grammar_.options, "nestingLimit", 1, 1000000, 1000);
    info_.errorLimit = options_.number(grammar_.options, "errorLimit", 1, 1000000, 0);
    info_.tabSize = options_.number(grammar_.options, "tabSize", 1, 64, 0);
    options_.flag(grammar_.options, "unicode", false);
    info_.caseSensitive = options_.flag(grammar_.options, "caseSensitive", true);
    info_.caseSensitiveLiterals =
        options_.flag(grammar_.options, "caseSensitiveLiterals", info_.caseSensitive);
    warnAmbiguity_ = options_.flag(grammar_.options, "warnAmbiguity", true);
    const bool handler = options_.flag(grammar_.options, "defaultErrorHandler", !lexer);
    const bool literals = options_.flag(grammar_.options, "testLiterals", true);
    std::set<std::string> ruleAllowed = {"defaultErrorHandler", "warnAmbiguity"};
    if (lexer)
        ruleAllowed.insert("testLiterals");
    for (const auto& r : grammar_.rules) {
        options_.check(r->options, ruleAllowed, "rule");
        info_.settings.push_back({options_.flag(r->options, "defaultErrorHandler", handler),
                                  options_.flag(r->options, "testLiterals", literals),
                                  options_.flag(r->options, "warnAmbiguity", true)});
    }
    if (lexer) {
        info_.eofSymbol = 256;
        info_.endSymbol = 257;
        info_.symbolCount = 258;
    } else {
        info_.eofSymbol = grammar_.treeParser ? 3 : 1;
        info_.endSymbol = vocabulary_.maxType() + 1;
        info_.symbolCount = vocabulary_.maxType() + 2;
    }
}

void GrammarAnalyzer::indexRules()
{
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i) {
        Rule& r = *grammar_.rules[i];
        const auto [it, fresh] = rules_.emplace(r.name, static_cast<int>(i));
        if (!fresh) {
            diagnostics_.error(r.pos, "rule " + r.name + " is defined twice");
            diagnostics_.note(grammar_.rules[it->second]->pos, "first defined here");
        }
        checkName(diagnostics_, r.pos, r.name, "rule");
        if (grammar_.lexer && r.start)
            diagnostics_.error(r.pos, "lexer rules cannot be marked start");
        if (!grammar_.lexer && (r.fragment || r.skip))
            diagnostics_.error(r.pos, "only lexer rules can be fragment or skip");
        if (!grammar_.lexer && !isLowerStart(r.name))
            diagnostics_.error(r.pos, "parser rule " + r.name + " must start with a lower-case letter");
        if (grammar_.lexer && !r.returns.empty())
            diagnostics_.error(r.pos, "lexer rule " + r.name + " cannot return a value");
        std::string type;
        std::string name;
        if (!r.returns.empty()) {
            const std::string declaration = trim(r.returns);
            auto cut = declaration.size();
            while (cut > 0 && (isalnum(static_cast<unsigned char>(declaration[cut - 1])) || declaration[cut - 1] == '_'))
                --cut;
            name = declaration.substr(cut);
            type = trim(declaration.substr(0, cut));
            if (name.empty() || type.empty())
                diagnostics_.error(r.pos, "returns needs a type and a name, as in returns [int v]");
        }
        info_.returnTypes.push_back(type);
        info_.returnNames.push_back(name);
    }
}

SymbolSet GrammarAnalyzer::charSet(int first, int last) const
{
    SymbolSet s(info_.symbolCount);
    for (int c = first; c <= last; ++c)
        s.add(info_.caseSensitive ? c : fold(c));
    return s;
}

// The set that a `~` operand stands for; false when it is not a set.
bool GrammarAnalyzer::operandSet(const Node& node, SymbolSet& out)
{
    switch (node.kind) {
    case NodeKind::Char: out.unite(charSet(node.low, node.low)); return true;
    case NodeKind::Range: out.unite(charSet(node.low, node.high)); return true;
    case NodeKind::TokenRef: {
        const int t = node.text == "EOF" ? 1 : vocabulary_.byName(node.text);
        if (t > 0)
            out.add(t);
        return true;
    }
    case NodeKind::String:
        if (!grammar_.lexer) {
            const int t = vocabulary_.byLiteral(node.text);
            if (t > 0)
                out.add(t);
            return true;
        }
        return false;
    case NodeKind::Block:
        if (node.suffix != 0)
            return false;
        for (const Sequence& alt : node.alts)
            if (alt.size() != 1 || !alt[0]->label.empty() || !operandSet(*alt[0], out))
                return false;
        return true;
    default:
        return false;
    }
}

void GrammarAnalyzer::checkLabel(const Node& node)
{
    if (node.label.empty())
        return;
    checkName(diagnostics_, node.pos, node.label, "label");
    if (node.label.back() == '_')
        diagnostics_.error(node.pos, "label " + node.label +
                                         ": names ending in _ are kept for the generated code");
    const bool element = node.kind == NodeKind::TokenRef || node.kind == NodeKind::String ||
                         node.kind == NodeKind::Char || node.kind == NodeKind::Range ||
                         node.kind == NodeKind::Not || node.kind == NodeKind::Wildcard;
    if (node.kind == NodeKind::RuleRef) {
        const auto it = rules_.find(node.text);
        if (!grammar_.lexer && !info_.buildAST && it != rules_.end() &&
            info_.returnTypes[it->second].empty())
            diagnostics_.error(node.pos, "label " + node.label + " names rule " + node.text +
                                             ", which returns nothing");
    } else if (!element || (grammar_.lexer && node.kind == NodeKind::String)) {
        diagnostics_.error(node.pos, "label " + node.label +
                                         " must name a token, a character or a rule reference");
    }
}

void GrammarAnalyzer::checkNode(Node& node, const Rule& rule, bool inNot)
{
    checkLabel(node);
    if (node.treeOp != 0 && !info_.buildAST)
        diagnostics_.error(node.pos, std::string(1, node.treeOp) + " needs buildAST = true");
    else if (node.treeOp == '^' && node.kind == NodeKind::RuleRef)
        diagnostics_.error(node.pos, "^ applies to a token, a literal or .");
    switch (node.kind) {
    case NodeKind::Tree: {
        const Node& root = *node.alts[0][0];
        if (!grammar_.treeParser)
            diagnostics_.error(node.pos, "tree patterns #( ) belong in tree parsers");
        else if (root.kind != NodeKind::TokenRef && root.kind != NodeKind::String &&
                 root.kind != NodeKind::Wildcard && root.kind != NodeKind::Not)
            diagnostics_.error(root.pos, "the root of a tree pattern is a token, a literal, . or ~");
        for (auto& e : node.alts[0])
            checkNode(*e, rule, false);
        break;
    }
    case NodeKind::SynPred:
        for (Sequence& alt : node.alts)
            for (auto& e : alt)
                checkNode(*e, rule, false);
        break;
    case NodeKind::RuleRef:
        if (rules_.count(node.text) == 0)
            diagnostics_.error(node.pos, "rule " + node.text + " is not defined");
        break;
    case NodeKind::TokenRef:
        if (node.text != "EOF" && vocabulary_.byName(node.text) < 0)
            diagnostics_.error(node.pos, "token " + node.text + " is not defined");
        if (!node.args.empty())
            diagnostics_.error(node.pos, "token " + node.text + " takes no arguments");
        break;
    case NodeKind::String:
        if (!grammar_.lexer && node.text.empty())
            diagnostics_.error(node.pos, "a literal token cannot be empty");
        break;
    case NodeKind::Range:
        if (node.low > node.high)
            diagnostics_.error(node.pos, "the range is empty");
        break;
    case NodeKind::Not: {
        SymbolSet s(info_.symbolCount);
        if (!operandSet(*node.alts[0][0], s))
            diagnostics_.error(node.pos,
                               "~ applies to a character, range, token or a block of those");
        break;
    }
    case NodeKind::Block: {
        if (!inNot)
            options_.check(node.options, {"greedy", "warnAmbiguity"}, "subrule");
        for (std::size_t a = 0; a < node.manualAlts.size(); ++a)
            if (node.manualAlts[a] && !info_.buildAST)
                diagnostics_.error(node.alts[a].empty() ? node.pos : node.alts[a][0]->pos,
                                   "! needs buildAST = true");
        for (Sequence& alt : node.alts)
            for (auto& e : alt)
                checkNode(*e, rule, false);
        break;
    }
    default:
        break;
    }
    if (node.kind == NodeKind::Not)
        checkNode(*node.alts[0][0], rule, true);
}

bool GrammarAnalyzer::nullable(const Sequence& seq) const
{
    for (const auto& e : seq)
        if (!nullable(*e))
            return false;
    return true;
}

bool GrammarAnalyzer::nullable(const Node& node) const
{
    switch (node.kind) {
    case NodeKind::Action:
    case NodeKind::SynPred:
    case NodeKind::SemPred: return true;
    case NodeKind::String: return grammar_.lexer && node.text.empty();
    case NodeKind::RuleRef: {
        const auto it = rules_.find(node.text);
        return it != rules_.end() && nullable_[it->second];
    }
    case NodeKind::Block:
        if (node.suffix == '?' || node.suffix == '*')
            return true;
        for (const Sequence& alt : node.alts)
            if (nullable(alt))
                return true;
        return false;
    default: return false;
    }
}

void GrammarAnalyzer::leftCalls(const Sequence& seq, std::set<int>& out) const
{
    for (const auto& e : seq) {
        leftCalls(*e, out);
        if (!nullable(*e))
            return;
    }
}

void GrammarAnalyzer::leftCalls(const Node& node, std::set<int>& out) const
{
    if (node.kind == NodeKind::RuleRef) {
        const auto it = rules_.find(node.text);
        if (it != rules_.end())
            out.insert(it->second);
    } else if (node.kind == NodeKind::Block || node.kind == NodeKind::SynPred) {
        for (const Sequence& alt : node.alts)
            leftCalls(alt, out);
    }
}

// Makes `known` the least set of rules whose body `holds`, true per rule;
// `holds` reads `known` for the rules a body references.
template <class Holds>
void GrammarAnalyzer::ruleFixpoint(std::vector<bool>& known, const Holds& holds)
{
    const std::size_t n = grammar_.rules.size();
    known.assign(n, false);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < n; ++i)
            if (!known[i] && holds(*grammar_.rules[i]->body)) {
                known[i] = true;
                changed = true;
            }
    }
}

// Reports every cycle of calls that consume nothing before they recur, found
// by an iterative depth-first walk over the left-edge calls; returns whether
// there was one.
bool GrammarAnalyzer::checkLeftRecursion()
{
    const std::size_t n = grammar_.rules.size();
    ruleFixpoint(nullable_, [this](const Node& body) { return nullable(body); });
    for (std::size_t i = 0; i < n; ++i) {
        const Rule& r = *grammar_.rules[i];
        if (grammar_.lexer && !r.fragment && nullable_[i])
            diagnostics_.error(r.pos, "token rule " + r.name +
                                          " can match no character at all; make it a fragment");
    }
    std::vector<std::vector<int>> calls(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::set<int> s;
        leftCalls(*grammar_.rules[i]->body, s);
        calls[i].assign(s.begin(), s.end());
    }
    bool found = false;
    std::vector<int> state(n, 0);  // 0 new, 1 on the path, 2 done
    for (std::size_t root = 0; root < n; ++root) {
        if (state[root] != 0)
            continue;
        std::vector<std::pair<int, std::size_t>> path{{static_cast<int>(root), 0}};
        state[root] = 1;
        while (!path.empty()) {
            auto& [rule, edge] = path.back();
            if (edge == calls[rule].size()) {
                state[rule] = 2;
                path.pop_back();
                continue;
            }
            const int callee = calls[rule][edge++];
            if (state[callee] == 0) {
                state[callee] = 1;
                path.emplace_back(callee, 0);
            } else if (state[callee] == 1) {
                std::string cycle;
                std::string through;
                bool on = false;
                for (const auto& step : path) {
                    on = on || step.first == callee;
                    if (on)
                        cycle += grammar_.rules[step.first]->name + " -> ";
                    if (on && step.first != callee)
                        through += (through.empty() ? "" : ", ") + grammar_.rules[step.first]->name;
                }
                const Rule& r = *grammar_.rules[callee];
                const std::string advice = leftRecursionAdvice(r, through);
                diagnostics_.error(r.pos, "rule " + r.name + " is left-recursive: " + cycle + r.name +
                                              (advice.empty() ? "" : "; " + advice));
                found = true;
            }
        }
    }
    return found;
}

// How a parser rule's left recursion, through the rules `through` (empty
// for none), becomes one that is accepted; empty in other grammars.
std::string GrammarAnalyzer::leftRecursionAdvice(const Rule& rule, const std::string& through) const
{
    if (grammar_.lexer || grammar_.treeParser)
        return "";
    if (!through.empty())
        return "only direct left recursion is accepted: write " + through + " into " + rule.name +
               ", so that its alternatives start with " + rule.name + " itself";
    for (const Sequence& alt : rule.body->alts)
        if (alt.empty() || alt[0]->kind != NodeKind::RuleRef || alt[0]->text != rule.name)
            return "only an alternative that starts with " + rule.name + " itself may recur on the left";
    return "give it an alternative that does not start with " + rule.name;
}

// Gives every rule reference the index of the rule it calls, and each rule
// the set of rules it references.
void GrammarAnalyzer::linkCalls()
{
    calls_.assign(grammar_.rules.size(), {});
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        for (std::vector<Node*> stack{grammar_.rules[i]->body.get()}; !stack.empty();) {
            Node* node = stack.back();
            stack.pop_back();
            const auto callee = rules_.find(node->text);
            if (node->kind == NodeKind::RuleRef && callee != rules_.end()) {
                node->rule = callee->second;
                calls_[i].insert(callee->second);
            }
            for (Sequence& alt : node->alts)
                for (auto& e : alt)
                    stack.push_back(e.get());
        }
}

// Marks the rules that can call themselves again through rule references.
void GrammarAnalyzer::findRecursion()
{
    const std::size_t n = grammar_.rules.size();
    info_.recursive.assign(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<bool> seen(n, false);
        std::vector<int> next(calls_[i].begin(), calls_[i].end());
        while (!next.empty() && !info_.recursive[i]) {
            const int r = next.back();
            next.pop_back();
            info_.recursive[i] = r == static_cast<int>(i);
            if (!seen[r]) {
                seen[r] = true;
                next.insert(next.end(), calls_[r].begin(), calls_[r].end());
            }
        }
    }
}

// Marks the lexer fragments that match one character and do nothing else.
void GrammarAnalyzer::findSingleCharacterRules()
{
    for (const auto& r : grammar_.rules) {
        bool single = grammar_.lexer && r->fragment && r->args.empty() && r->init.text.empty() &&
                      !r->body->alts.empty();
        for (const Sequence& alt : r->body->alts) {
            const NodeKind k = alt.size() == 1 ? alt[0]->kind : NodeKind::Block;
            single = single && alt.size() == 1 && alt[0]->label.empty() &&
                     (k == NodeKind::Char || k == NodeKind::Range || k == NodeKind::Not ||
                      k == NodeKind::Wildcard || (k == NodeKind::String && alt[0]->text.size() == 1));
        }
        info_.singleCharacter.push_back(single);
    }
}

// Whether `node` can match some finite input, given the rules known to.
bool GrammarAnalyzer::finite(const Node& node) const
{
    switch (node.kind) {
    case NodeKind::RuleRef: return node.rule < 0 || finite_[static_cast<std::size_t>(node.rule)];
    case NodeKind::Block:
    case NodeKind::Tree:
        if (node.suffix == '?' || node.suffix == '*')
            return true;
        for (const Sequence& alt : node.alts) {
            bool all = true;
            for (const auto& e : alt)
                all = all && finite(*e);
            if (all)
                return true;
        }
        return false;
    default: return true;
    }
}

// Reports every rule that cannot match any input: each way through it calls
// a rule (itself, say) that never returns, so its recognizer would recurse
// until the nesting limit.
void GrammarAnalyzer::checkEndless()
{
    const std::size_t n = grammar_.rules.size();
    ruleFixpoint(finite_, [this](const Node& body) { return finite(body); });
    for (std::size_t i = 0; i < n; ++i)
        if (!finite_[i])
            diagnostics_.error(grammar_.rules[i]->pos,
                               "rule " + grammar_.rules[i]->name +
                                   " can match no input: every way through it calls a rule that never ends");
}

// Reports every loop whose body can match nothing: it could go round
// forever without consuming input.
void GrammarAnalyzer::checkLoops()
{
    for (const auto& r : grammar_.rules)
        for (std::vector<const Node*> stack{r->body.get()}; !stack.empty();) {
            const Node* node = stack.back();
            stack.pop_back();
            if (node->kind == NodeKind::Block && (node->suffix == '*' || node->suffix == '+'))
                for (std::size_t a = 0; a < node->alts.size(); ++a) {
                    if (!nullable(node->alts[a]))
                        continue;
                    if (node->altNumbers.empty()) {
                        diagnostics_.error(node->pos, "the body of this loop can match nothing, so "
                                                      "the loop could go round forever");
                        break;
                    }
                    // The loop over the operators of a left-recursive rule.
                    diagnostics_.error(node->alts[a][0]->pos,
                                       "rule " + r->name + ": alternative " + std::to_string(node->altNumbers[a]) +
                                           " can match nothing after " + r->name + ", so it could repeat forever");
                }
            for (auto alt = node->alts.rbegin(); alt != node->alts.rend(); ++alt)
                for (auto e = alt->rbegin(); e != alt->rend(); ++e)
                    stack.push_back(e->get());
        }
}

// Whether `rule` is where recognition starts: a token rule of a lexer, a
// start rule of a parser (its first rule when none is marked).
bool GrammarAnalyzer::isRoot(std::size_t rule) const
{
    const Rule& r = *grammar_.rules[rule];
    if (grammar_.lexer)
        return !r.fragment;
    if (r.start || rule != 0)
        return r.start;
    for (const auto& other : grammar_.rules)
        if (other->start)
            return false;
    return true;
}

void GrammarAnalyzer::checkReachability()
{
    const std::size_t n = grammar_.rules.size();
    std::vector<bool> reached(n, false);
    std::vector<int> work;
    for (std::size_t i = 0; i < n; ++i) {
        if (isRoot(i)) {
            reached[i] = true;
            work.push_back(static_cast<int>(i));
        }
    }
    while (!work.empty()) {
        const int r = work.back();
        work.pop_back();
        for (int c : calls_[r])
            if (!reached[c]) {
                reached[c] = true;
                work.push_back(c);
            }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (!reached[i])
            diagnostics_.warning(grammar_.rules[i]->pos, Warning::UnusedRule,
                                 "rule " + grammar_.rules[i]->name + " is never used");
}

int GrammarAnalyzer::newNode(GraphNode::Kind kind)
{
    nodes_.push_back({kind, SymbolSet(info_.symbolCount), {}, -1, owner_});
    return static_cast<int>(nodes_.size()) - 1;
}

int GrammarAnalyzer::build(const Sequence& seq, int next, const Rule& rule)
{
    for (auto it = seq.rbegin(); it != seq.rend(); ++it)
        next = buildElement(**it, next, rule);
    return next;
}

int GrammarAnalyzer::buildElement(Node& node, int next, const Rule& rule)
{
    auto match = [&](const SymbolSet& set) {
        const int m = newNode(GraphNode::Match);
        nodes_[m].set = set;
        nodes_[m].next.push_back(next);
        return m;
    };
    SymbolSet set(info_.symbolCount);
    switch (node.kind) {
    case NodeKind::Action:
    case NodeKind::SemPred: return next;
    case NodeKind::Tree: {
        // The root, its children, then the end of the child list.
        const Sequence& seq = node.alts[0];
        SymbolSet up(info_.symbolCount);
        up.add(3);
        int inner = match(up);
        for (auto it = seq.rbegin(); it + 1 != seq.rend(); ++it)
            inner = buildElement(**it, inner, rule);
        return buildElement(*seq[0], inner, rule);
    }
    case NodeKind::SynPred:
        info_.hasSynPreds = true;
        break;
    case NodeKind::Char: return match(charSet(node.low, node.low));
    case NodeKind::Range:
        set = charSet(node.low, node.high);
        info_.matchSets.emplace(&node, set);
        return match(set);
    case NodeKind::Wildcard:
        if (grammar_.lexer)
            set = charSet(0, 255);
        else
            set.addRange(Vocabulary::firstType, vocabulary_.maxType());
        info_.matchSets.emplace(&node, set);
        return match(set);
    case NodeKind::Not: {
        SymbolSet operand(info_.symbolCount);
        operandSet(*node.alts[0][0], operand);
        if (grammar_.lexer)
            set = charSet(0, 255).minus(operand);
        else {
            set.addRange(Vocabulary::firstType, vocabulary_.maxType());
            set = set.minus(operand);
        }
        info_.matchSets.emplace(&node, set);
        return match(set);
    }
    case NodeKind::TokenRef:
        set.add(node.text == "EOF" ? 1 : std::max(0, vocabulary_.byName(node.text)));
        return match(set);
    case NodeKind::String:
        if (!grammar_.lexer) {
            set.add(std::max(0, vocabulary_.byLiteral(node.text)));
            return match(set);
        }
        for (auto it = node.text.rbegin(); it != node.text.rend(); ++it) {
            const int c = static_cast<unsigned char>(*it);
            next = match(charSet(c, c));
        }
        return next;
    case NodeKind::RuleRef: {
        const auto it = rules_.find(node.text);
        if (it == rules_.end())
            return next;
        const int call = newNode(GraphNode::Call);
        nodes_[call].rule = it->second;
        nodes_[call].next.push_back(next);
        return call;
    }
    case NodeKind::Block:
        break;
    }
    PendingDecision p{&node, &rule, {}, -1, static_cast<std::size_t>(owner_)};
    int loop = -1;
    int inner = next;
    if (node.suffix == '*' || node.suffix == '+')
        inner = loop = newNode(GraphNode::Branch);
    for (const Sequence& alt : node.alts)
        p.entries.push_back(build(alt, inner, rule));
    const int branch = loop >= 0 ? loop : newNode(GraphNode::Branch);
    nodes_[branch].next = p.entries;
    if (node.suffix != 0) {
        p.exit = next;
        nodes_[branch].next.push_back(next);
    }
    p.branch = branch;
    if (node.suffix != 0 || node.alts.size() > 1)
        pending_.push_back(p);
    if (node.kind == NodeKind::SynPred)
        return next;  // tried, not consumed: what follows starts here
    if (node.suffix != '+')
        return branch;
    const int first = newNode(GraphNode::Branch);
    nodes_[first].next = p.entries;
    return first;
}

// Propagates each node's lookahead within its rule to its least fixed
// point. A node's sets are the union of what it reads (a match reads its
// successor one depth shallower, a call the called rule's start and, where
// that rule can end early, its own successor shifted by what the rule
// consumed, the others their successors), so a node that grows only updates
// its readers, and the work follows the changes rather than the readers'
// whole inputs. What follows a rule is added afterwards, per call site
// (computeFollow, lookahead), so that a call sees only what follows it.
void GrammarAnalyzer::computeLookahead()
{
    const std::size_t n = nodes_.size();
    const int k = info_.k;
    look_.assign(n, std::vector<SymbolSet>(static_cast<std::size_t>(k), SymbolSet(info_.symbolCount)));
    ends_.assign(n, 0);
    std::vector<std::vector<int>> readers(n);
    std::deque<int> work;
    for (std::size_t i = 0; i < n; ++i) {
        const GraphNode& node = nodes_[i];
        const int reader = static_cast<int>(i);
        if (node.kind == GraphNode::Call)
            readers[ruleStart_[node.rule]].push_back(reader);
        if (node.kind != GraphNode::End)
            for (int s : node.next)
                readers[s].push_back(reader);
        if (node.kind == GraphNode::Match)
            look_[i][0] = node.set;
        else if (node.kind == GraphNode::End)
            ends_[i] = 1;
        work.push_back(reader);
    }
    std::vector<bool> queued(n, true);
    while (!work.empty()) {
        const int s = work.front();
        work.pop_front();
        queued[s] = false;
        for (int r : readers[s])
            if (readLookahead(r, s) && !queued[r]) {
                queued[r] = true;
                work.push_back(r);
            }
    }
}

// Adds to node `reader` what it reads from `source`, which changed; returns
// whether the reader grew.
bool GrammarAnalyzer::readLookahead(int reader, int source)
{
    const int k = info_.k;
    const unsigned depths = (1u << k) - 1;
    std::vector<SymbolSet>& into = look_[reader];
    bool grew = false;
    // Adds the sets of `from` `shift` depths deeper, and its ends too unless
    // they are the ends of a called rule.
    auto add = [&](int from, int shift, bool withEnds) {
        for (int d = shift; d < k; ++d)
            grew = into[d].unite(look_[from][d - shift]) || grew;
        const unsigned ends = withEnds ? ends_[reader] | ((ends_[from] << shift) & depths) : ends_[reader];
        grew = grew || ends != ends_[reader];
        ends_[reader] = ends;
    };
    const GraphNode& node = nodes_[reader];
    if (node.kind == GraphNode::Match) {
        add(source, 1, true);
    } else if (node.kind == GraphNode::Branch) {
        add(source, 0, true);
    } else {
        const int start = ruleStart_[node.rule];
        add(start, 0, false);
        for (int j = 0; j < k; ++j)
            if (ends_[start] >> j & 1)
                add(node.next[0], j, true);
    }
    return grew;
}

// Computes what can follow each rule, depth by depth: the end of input (the
// end of a token, in a lexer) after a rule that nothing calls or that starts
// the grammar, and after each call what can follow that call within its rule
// and, where its rule can end there, what follows its rule.
void GrammarAnalyzer::computeFollow()
{
    const std::size_t n = grammar_.rules.size();
    const int k = info_.k;
    follow_.assign(n, std::vector<SymbolSet>(static_cast<std::size_t>(k), SymbolSet(info_.symbolCount)));
    std::vector<std::vector<int>> callsIn(n);
    std::vector<bool> called(n, false);
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].kind == GraphNode::Call) {
            callsIn[nodes_[i].owner].push_back(static_cast<int>(i));
            called[nodes_[i].rule] = true;
        }
    std::deque<int> work;
    for (std::size_t i = 0; i < n; ++i) {
        if (isRoot(i) || !called[i])
            for (SymbolSet& depth : follow_[i])
                depth.add(grammar_.lexer ? info_.endSymbol : info_.eofSymbol);
        work.push_back(static_cast<int>(i));
    }
    std::vector<bool> queued(n, true);
    while (!work.empty()) {
        const int rule = work.front();
        work.pop_front();
        queued[rule] = false;
        for (int c : callsIn[rule]) {
            const int callee = nodes_[c].rule;
            const std::vector<SymbolSet> after = lookahead(nodes_[c].next[0]);
            bool grew = false;
            for (int d = 0; d < k; ++d)
                grew = follow_[callee][d].unite(after[d]) || grew;
            if (grew && !queued[callee]) {
                queued[callee] = true;
                work.push_back(callee);
            }
        }
    }
}

// What can be read from `node` on: within its rule, then after its rule
// where the rule can end there.
std::vector<SymbolSet> GrammarAnalyzer::lookahead(int node) const
{
    std::vector<SymbolSet> out = look_[node];
    const std::vector<SymbolSet>& after = follow_[nodes_[node].owner];
    for (int j = 0; j < info_.k; ++j)
        if (ends_[node] >> j & 1)
            for (int d = j; d < info_.k; ++d)
                out[d].unite(after[d - j]);
    return out;
}

// Reports a grammar whose lookahead sets (one per node, depth and symbol)
// would not fit in memory, rather than trying.
bool GrammarAnalyzer::fitsInMemory()
{
    const double words = (static_cast<double>(info_.symbolCount) + 63) / 64;
    const double bytes = static_cast<double>(nodes_.size()) * info_.k * words * 8;
    if (bytes <= maxLookaheadBytes)
        return true;
    diagnostics_.error(grammar_.pos, "grammar " + grammar_.name +
                                         " is too large to analyse: its lookahead would take " +
                                         std::to_string(static_cast<long long>(bytes / (1 << 20))) +
                                         " MiB (at most " + std::to_string(maxLookaheadBytes >> 20) +
                                         "); lower k or split the grammar");
    return false;
}

std::string GrammarAnalyzer::describe(const std::vector<SymbolSet>& a,
                                      const std::vector<SymbolSet>& b) const
{
    std::string out;
    for (int depth = 0; depth < info_.k; ++depth) {
        SymbolSet both = a[depth].intersection(b[depth]);
        if (a[depth].has(info_.endSymbol) || b[depth].has(info_.endSymbol))
            both.add(info_.endSymbol);
        const std::vector<int> common = both.members();
        if (common.empty())
            break;
        out += depth == 0 ? "LA(" : ", LA(";
        out += std::to_string(depth + 1) + ") in {";
        for (std::size_t i = 0; i < common.size() && i < 8; ++i)
            out += (i ? ", " : "") + symbolName(info_, vocabulary_, common[i]);
        out += common.size() > 8 ? ", ...}" : "}";
    }
    return out;
}

// Whether `p` is the loop over the operators of a climbing rule.
bool isOperatorLoop(const PendingDecision& p)
{
    return p.rule && p.rule->climbs && p.block->suffix == '*' && !p.block->altNumbers.empty();
}

// The number of alternative `a` of the decision `p` where the grammar writes
// it (a rewrite may have moved it).
int written(const PendingDecision& p, std::size_t a)
{
    const std::vector<int>& numbers = p.block->altNumbers;
    return a < numbers.size() ? numbers[a] : static_cast<int>(a) + 1;
}

void GrammarAnalyzer::warn(const Decision& d, const PendingDecision& p, std::size_t a, std::size_t b,
                           const std::vector<SymbolSet>& first)
{
    const std::string upon = describe(first, d.alts[b]);
    std::string text;
    Position pos = d.pos;
    if (!p.rule) {
        const std::vector<const Rule*>& rules = info_.tokenRules[mode_];
        pos = rules[a]->pos;
        const std::string name = rules[a]->name;
        const std::string second = b < rules.size() ? rules[b]->name : std::string("EOF");
        text = "token rules " + name + " and " + second + " are ambiguous upon " + upon + "; " +
               name + " wins";
    } else if (d.hasExit && b == d.alts.size() - 1) {
        const char* what = p.block->suffix == '?' ? "skipping the optional block"
                                                  : "the exit of the loop";
        const char* wins = p.block->suffix == '?' ? "the alternative wins"
                           : d.greedy             ? "the loop is kept"
                                                  : "the exit wins";
        text = "rule " + p.rule->name + ": alternative " + std::to_string(written(p, a)) + " and " +
               what + " are ambiguous upon " + upon + "; " + wins;
    } else {
        text = "rule " + p.rule->name + ": alternatives " + std::to_string(written(p, a)) + " and " +
               std::to_string(written(p, b)) + " are ambiguous upon " + upon + "; the first one wins";
    }
    Conflict c{pos, p.rule ? static_cast<int>(p.ruleIndex) : static_cast<int>(tokenRuleIndex_[a]),
               p.rule ? p.block->decision : -1, a, b, text, {}, example(p, a, b)};
    c.notes = exampleNotes(c.example, isOperatorLoop(p) ? 0 : p.rule ? written(p, a) : static_cast<int>(a) + 1);
    diagnostics_.warning(pos, Warning::Ambiguity, text, c.notes);
    info_.conflicts.push_back(std::move(c));
}

// The example of the ambiguity between alternatives `a` and `b` of `p` (of
// the token decision when `p` has no rule); not found for the end of input
// after the token rules, which reads no character.
Counterexample GrammarAnalyzer::example(const PendingDecision& p, std::size_t a, std::size_t b) const
{
    if (!p.rule) {
        if (b >= tokenRuleIndex_.size())
            return {};
        return examples_->find(-1, ruleStart_[tokenRuleIndex_[a]], ruleStart_[tokenRuleIndex_[b]]);
    }
    return examples_->find(p.branch, p.entries[a], b < p.entries.size() ? p.entries[b] : p.exit);
}

// The notes after an ambiguity warning: the example, with `.` where the
// decision is made, and a syntactic predicate on `alternative` when the
// alternatives part within a bounded number of symbols (a larger k for the
// operators of a climbing rule, `alternative` 0, which no predicate may open).
std::vector<std::string> GrammarAnalyzer::exampleNotes(const Counterexample& e, int alternative) const
{
    const std::string symbols = grammar_.lexer ? " characters" : " tokens";
    std::vector<std::string> out;
    if (e.found) {
        std::string text = e.reached ? render(e.prefix) : "...";
        out.push_back("example: " + text + (text.empty() ? "" : " ") + ". " + render(e.lookahead));
    } else if (e.partWithin > 0 && e.partWithin <= info_.k) {
        out.push_back("no input of " + std::to_string(info_.k) + symbols +
                      " is read by both alternatives: their lookahead overlaps only depth by depth");
    } else {
        out.push_back("no example found within the search's bounds");
    }
    const std::string part = "the alternatives part within " + std::to_string(e.partWithin) + symbols;
    if (e.partWithin > 0 && alternative > 0)
        out.push_back(part + ": a syntactic predicate (...)=> opening alternative " +
                      std::to_string(alternative) + " resolves it");
    else if (e.partWithin > 0 && e.partWithin <= maxK)
        out.push_back(part + ": k = " + std::to_string(e.partWithin) + " resolves it");
    return out;
}

// Symbols as examples show them: token names and quoted literals, or runs of
// characters as one quoted string.
std::string GrammarAnalyzer::render(const std::vector<int>& symbols) const
{
    std::string out;
    std::string run;
    auto flush = [&] {
        if (!run.empty())
            out += (out.empty() ? "\"" : " \"") + escape(run, false) + "\"";
        run.clear();
    };
    for (int s : symbols) {
        if (grammar_.lexer && s < 256) {
            run += static_cast<char>(s);
            continue;
        }
        flush();
        out += (out.empty() ? "" : " ") + symbolName(info_, vocabulary_, s);
    }
    flush();
    return out;
}

// The guards of an alternative that opens with `first`: its own semantic
// predicate, or the guards of the alternatives of a subrule it starts with
// when a predicate opens one of them; empty when no predicate decides.
std::vector<Guard> GrammarAnalyzer::guards(const Node& first, const std::vector<SymbolSet>& look) const
{
    if (first.kind == NodeKind::SemPred)
        return {{look, &first}};
    if (first.kind != NodeKind::Block || first.suffix != 0)
        return {};
    if (first.decision < 0)
        return first.alts[0].empty() ? std::vector<Guard>{} : guards(*first.alts[0][0], look);
    const Decision& inner = info_.decisions[static_cast<std::size_t>(first.decision)];
    std::vector<Guard> out;
    bool predicated = false;
    for (std::size_t i = 0; i < first.alts.size(); ++i) {
        if (inner.guards[i].empty())
            out.push_back({inner.alts[i], nullptr});
        else
            out.insert(out.end(), inner.guards[i].begin(), inner.guards[i].end());
        predicated = predicated || !inner.guards[i].empty();
    }
    return predicated ? out : std::vector<Guard>{};
}

// The lookahead upon which alternative `a` is taken with no predicate
// deciding: empty sets when a predicate opens every way into it.
std::vector<SymbolSet> GrammarAnalyzer::unguarded(const Decision& d, const PendingDecision& p,
                                                  std::size_t a) const
{
    std::vector<SymbolSet> out(static_cast<std::size_t>(info_.k), SymbolSet(info_.symbolCount));
    const bool synPred = p.block && a < p.block->alts.size() && !p.block->alts[a].empty() &&
                         p.block->alts[a][0]->kind == NodeKind::SynPred;
    if (synPred)
        return out;
    if (a >= d.guards.size() || d.guards[a].empty())
        return d.alts[a];
    for (const Guard& g : d.guards[a])
        if (!g.predicate)
            for (std::size_t depth = 0; depth < out.size(); ++depth)
                out[depth].unite(g.look[depth]);
    return out;
}

// What lookahead sets share besides their members: "the token may end here"
// (`end`) overlaps everything, since any character may follow a token; a
// contextual keyword (in `soft`) comes as a token of a type that is no
// literal (in `plain`), so it overlaps those.
struct Overlaps {
    int end;
    SymbolSet soft;
    SymbolSet plain;
};

bool overlap(const SymbolSet& a, const SymbolSet& b, const Overlaps& o)
{
    return a.intersects(b) || (a.has(o.end) && !b.empty()) || (b.has(o.end) && !a.empty()) ||
           (a.intersects(o.soft) && b.intersects(o.plain)) ||
           (b.intersects(o.soft) && a.intersects(o.plain));
}

// The least depth (from 1) at which `a` and `b` do not overlap, 0 for none up to k.
int apartAt(const std::vector<SymbolSet>& a, const std::vector<SymbolSet>& b, const Overlaps& o)
{
    for (std::size_t depth = 0; depth < a.size(); ++depth)
        if (!overlap(a[depth], b[depth], o))
            return static_cast<int>(depth) + 1;
    return 0;
}

// How lookahead overlaps in this grammar.
Overlaps GrammarAnalyzer::overlaps() const
{
    Overlaps o{info_.endSymbol, SymbolSet(info_.symbolCount), SymbolSet(info_.symbolCount)};
    if (grammar_.lexer || grammar_.treeParser)
        return o;
    for (const TokenEntry* e : vocabulary_.entries()) {
        if (e->soft)
            o.soft.add(e->type);
        else if (!e->isLiteral)
            o.plain.add(e->type);
    }
    return o;
}

// Finds the least depth that tells every pair of alternatives apart, and
// warns about pairs that no depth up to k separates unless a predicate
// decides for the first. A pair that only the end of a token keeps apart is
// resolved for the longer match, silently when the alternative that goes on
// comes first.
void GrammarAnalyzer::decide(Decision& d, const PendingDecision& p, bool quiet, bool loopQuiet)
{
    d.depth = 1;
    const int end = info_.endSymbol;
    const Overlaps o = overlaps();
    for (std::size_t a = 0; a < d.alts.size(); ++a)
        for (std::size_t b = a + 1; b < d.alts.size(); ++b) {
            const int apart = apartAt(d.alts[a], d.alts[b], o);
            d.depth = std::max(d.depth, apart == 0 ? info_.k : apart);
            if (apart != 0 || quiet || !diagnostics_.enabled(Warning::Ambiguity))
                continue;
            if (loopQuiet && d.hasExit && b == d.alts.size() - 1)
                continue;
            if (!p.rule && (!warnsAbout(a) || !warnsAbout(b)))
                continue;
            const std::vector<SymbolSet> first = unguarded(d, p, a);
            if (apartAt(first, d.alts[b], o) != 0)
                continue;
            bool shorterFirst = true;
            for (int depth = 0; depth < info_.k; ++depth)
                if (!first[depth].intersects(d.alts[b][depth])) {
                    shorterFirst = first[depth].has(end);
                    break;
                }
            if (shorterFirst)
                warn(d, p, a, b, first);
        }
}

// Warns about the operators of a climbing rule that may also follow the
// rule where something else calls it. The precedence predicates choose among
// the operators, and silence the decision's own warnings, but they do not
// tell an operator from the same token after the rule: the loop keeps it.
// What its own operands leave to the loop (after a call that can end the
// rule at once) does not count as following the rule.
void GrammarAnalyzer::warnOperators(const Decision& d, const PendingDecision& p)
{
    const int rule = static_cast<int>(p.ruleIndex);
    std::vector<SymbolSet> outside(static_cast<std::size_t>(info_.k), SymbolSet(info_.symbolCount));
    if (isRoot(p.ruleIndex))
        for (SymbolSet& depth : outside)
            depth.add(info_.eofSymbol);
    for (const GraphNode& call : nodes_) {
        if (call.kind != GraphNode::Call || call.rule != rule || (call.owner == rule && (ends_[call.next[0]] & 1)))
            continue;
        const std::vector<SymbolSet> after = lookahead(call.next[0]);
        for (std::size_t depth = 0; depth < outside.size(); ++depth)
            outside[depth].unite(after[depth]);
    }
    Decision asWritten = d;
    asWritten.alts.back() = outside;
    const Overlaps o = overlaps();
    for (std::size_t a = 0; a + 1 < d.alts.size(); ++a)
        if (apartAt(d.alts[a], outside, o) == 0)
            warn(asWritten, p, a, d.alts.size() - 1, d.alts[a]);
}

// Whether the token decision may warn about its alternative `a` (a token
// rule, or the end of input after them).
bool GrammarAnalyzer::warnsAbout(std::size_t a) const
{
    return a >= tokenRuleIndex_.size() || info_.settings[tokenRuleIndex_[a]].warnAmbiguity;
}

void GrammarAnalyzer::run()
{
    readOptions();
    indexRules();
    checkModes();
    for (auto& r : grammar_.rules)
        checkNode(*r->body, *r, false);
    checkTemplates(grammar_, info_.buildAST, vocabulary_, diagnostics_);
    rewriteLeftRecursion(grammar_, info_.returnNames, diagnostics_);
    linkCalls();
    // A left-recursive rule never ends either: one error is enough.
    if (!checkLeftRecursion())
        checkEndless();
    checkLoops();
    // A rule never used is a warning, even when -Werror reports it as an error.
    const bool failed = diagnostics_.errorCount() > 0;
    checkReachability();
    findRecursion();
    findSingleCharacterRules();
    if (failed)
        return;
    const std::size_t n = grammar_.rules.size();
    for (std::size_t i = 0; i < n; ++i) {
        owner_ = static_cast<int>(i);
        ruleEnd_.push_back(newNode(GraphNode::End));
    }
    ruleStart_.assign(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        owner_ = static_cast<int>(i);
        ruleStart_[i] = buildElement(*grammar_.rules[i]->body, ruleEnd_[i], *grammar_.rules[i]);
    }
    if (!fitsInMemory())
        return;
    computeLookahead();
    computeFollow();
    std::vector<bool> roots;
    for (std::size_t i = 0; i < n; ++i)
        roots.push_back(isRoot(i));
    examples_ = std::make_unique<ExampleSearch>(
        GraphView{nodes_, ruleStart_, roots, grammar_.lexer, info_.eofSymbol, info_.k});
    SymbolSet end(info_.symbolCount);
    end.add(info_.endSymbol);
    for (std::size_t i = 0; i < n; ++i)
        info_.follow.push_back(follow_[i][0].minus(end));
    info_.decisions.resize(pending_.size());
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        const PendingDecision& p = pending_[i];
        Decision& d = info_.decisions[i];
        p.block->decision = static_cast<int>(i);
        d.pos = p.block->pos;
        d.rule = static_cast<int>(p.ruleIndex);
        for (int e : p.entries)
            d.alts.push_back(lookahead(e));
        d.hasExit = p.exit >= 0;
        for (std::size_t a = 0; a < p.entries.size(); ++a)
            d.guards.push_back(p.block->alts[a].empty() ? std::vector<Guard>{}
                                                        : guards(*p.block->alts[a][0], d.alts[a]));
        if (d.hasExit)
            d.alts.push_back(lookahead(p.exit));
        d.greedy = options_.flag(p.block->options, "greedy", true);
        const bool quiet = !warnAmbiguity_ || !info_.settings[p.ruleIndex].warnAmbiguity ||
                           !options_.flag(p.block->options, "warnAmbiguity", true);
        decide(d, p, quiet, findOption(p.block->options, "greedy") != nullptr);
        if (!quiet && isOperatorLoop(p))
            warnOperators(d, p);
    }
    if (grammar_.lexer)
        for (std::size_t m = 0; m < info_.modeNames.size(); ++m)
            tokenDecision(m);
}

// The choice of `mode`'s nextToken among the token rules of that mode.
void GrammarAnalyzer::tokenDecision(std::size_t mode)
{
    mode_ = mode;
    tokenRuleIndex_.clear();
    info_.tokenDecisions.emplace_back();
    info_.tokenRules.emplace_back();
    Decision& d = info_.tokenDecisions.back();
    d.pos = mode == 0 ? grammar_.pos : grammar_.modes[mode - 1].pos;
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i) {
        const Rule& r = *grammar_.rules[i];
        if (!r.fragment && static_cast<std::size_t>(r.mode) == mode) {
            info_.tokenRules.back().push_back(&r);
            tokenRuleIndex_.push_back(i);
            d.alts.push_back(lookahead(ruleStart_[i]));
            d.guards.push_back(guards(*r.body, d.alts.back()));
        }
    }
    // At the end of input: EOF, then the end of the token.
    std::vector<SymbolSet> eof(static_cast<std::size_t>(info_.k), SymbolSet(info_.symbolCount));
    eof[0].add(info_.eofSymbol);
    for (std::size_t depth = 1; depth < eof.size(); ++depth)
        eof[depth].add(info_.endSymbol);
    d.alts.push_back(eof);
    decide(d, PendingDecision{nullptr, nullptr, {}, -1}, !warnAmbiguity_, false);
}

// Mode names: each once, usable in C++, and neither a rule's nor a token's.
void GrammarAnalyzer::checkModes()
{
    if (!grammar_.lexer)
        return;
    info_.modeNames.push_back("DEFAULT_MODE");
    std::map<std::string, Position> seen;
    for (const ModeDecl& m : grammar_.modes) {
        info_.modeNames.push_back(m.name);
        checkName(diagnostics_, m.pos, m.name, "mode");
        const auto [first, fresh] = seen.emplace(m.name, m.pos);
        if (!fresh) {
            diagnostics_.error(m.pos, "mode " + m.name + " is defined twice");
            diagnostics_.note(first->second, "first defined here");
        } else if (m.name == "DEFAULT_MODE" || rules_.count(m.name) != 0 ||
                   vocabulary_.byName(m.name) >= 0) {
            diagnostics_.error(m.pos, "mode " + m.name + " has the name of a rule or token");
        }
    }
}

void buildVocabulary(GrammarFile& file, const AnalysisSettings& settings, Diagnostics& diagnostics,
                     Vocabulary& vocabulary)
{
    if (file.imports.size() > 1)
        diagnostics.error(file.imports[1].second, "a file imports at most one vocabulary");
    int vocabularyFile = 0;  // where imported entries are, for notes
    for (const auto& [name, pos] : file.imports) {
        std::ifstream in;
        std::string path;
        for (const std::string& dir : settings.vocabularyDirs) {
            path = dir + "/" + name + ".vocab";
            in.open(path);
            if (in)
                break;
            in.clear();
        }
        int bad = 0;
        if (!in.is_open()) {
            diagnostics.error(pos, "cannot find vocabulary " + name + " (" + name + ".vocab)");
        } else {
            vocabularyFile = diagnostics.addFile(path);
            if (!vocabulary.read(in, bad)) {
                diagnostics.error({bad, 1, vocabularyFile},
                                  "malformed vocabulary entry: a type from 4, a name and maybe a literal");
                diagnostics.note(pos, "vocabulary " + name + " imported here");
            }
        }
        break;
    }
    std::map<std::string, Position> grammarNames;
    std::map<std::string, Position> literalDeclared;  // where a tokens section names a literal
    for (const auto& g : file.grammars) {
        checkName(diagnostics, g->pos, g->name, "grammar");
        const auto [first, fresh] = grammarNames.emplace(g->name, g->pos);
        if (!fresh) {
            diagnostics.error(g->pos, "grammar " + g->name + " is defined twice");
            diagnostics.note(first->second, "first defined here");
        }
        std::set<std::string> declared;
        for (const TokenDecl& t : g->tokens) {
            const std::string key = t.name + "\n" + t.literal;
            const int known = t.hasLiteral ? vocabulary.byLiteral(t.literal) : -1;
            if (!t.name.empty())
                checkName(diagnostics, t.pos, t.name, "token");
            if (!declared.insert(key).second) {
                diagnostics.error(t.pos, "token " + (t.name.empty() ? "\"" + t.literal + "\"" : t.name) +
                                             " is declared twice");
            } else if (!t.hasLiteral) {
                vocabulary.addName(t.name);
            } else if (known >= 0 && !t.name.empty() && vocabulary.byType(known)->name != t.name) {
                const TokenEntry& entry = *vocabulary.byType(known);
                diagnostics.error(t.pos, "literal \"" + escape(t.literal, false) +
                                             "\" already has the name " + entry.name);
                const auto first = literalDeclared.find(t.literal);
                if (first != literalDeclared.end())
                    diagnostics.note(first->second, "first declared here");
                else if (entry.imported)
                    diagnostics.note({entry.line, 1, vocabularyFile}, "named here");
            } else if (const int type = vocabulary.addLiteral(t.literal, t.name); type < 0) {
                diagnostics.error(t.pos, "token " + t.name + " already stands for another literal");
            } else {
                literalDeclared.emplace(t.literal, t.pos);
                if (t.soft)
                    vocabulary.makeSoft(type);
            }
        }
    }
    for (const auto& g : file.grammars) {
        if (g->lexer)
            continue;
        for (const auto& r : g->rules) {
            std::vector<const Node*> stack{r->body.get()};
            std::vector<const Node*> literalsInOrder;
            while (!stack.empty()) {
                const Node* node = stack.back();
                stack.pop_back();
                if (node->kind == NodeKind::String && !node->text.empty())
                    literalsInOrder.push_back(node);
                for (auto alt = node->alts.rbegin(); alt != node->alts.rend(); ++alt)
                    for (auto e = alt->rbegin(); e != alt->rend(); ++e)
                        stack.push_back(e->get());
            }
            for (const Node* node : literalsInOrder)
                vocabulary.addLiteral(node->text, "");
        }
    }
    for (const auto& g : file.grammars)
        if (g->lexer)
            for (const auto& r : g->rules)
                if (!r->fragment)
                    vocabulary.addName(r->name);
}

}

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string symbolName(const GrammarInfo& info, const Vocabulary& vocabulary, int symbol)
{
    if (symbol == info.endSymbol)
        return "end of token";
    if (!info.grammar->lexer)
        return vocabulary.displayName(symbol);
    if (symbol == info.eofSymbol)
        return "EOF";
    if (symbol >= 32 && symbol < 127)
        return "'" + std::string(1, static_cast<char>(symbol)) + "'";
    static const char hex[] = "0123456789ABCDEF";
    return std::string("0x") + hex[symbol >> 4] + hex[symbol & 15];
}

void analyze(GrammarFile& file, const AnalysisSettings& settings, Diagnostics& diagnostics,
             FileInfo& out)
{
    buildVocabulary(file, settings, diagnostics, out.vocabulary);
    out.grammars.resize(file.grammars.size());
    for (std::size_t i = 0; i < file.grammars.size(); ++i) {
        out.grammars[i].grammar = file.grammars[i].get();
        if (file.grammars[i]->lexer)
            lowerUtf8(*file.grammars[i], diagnostics);
        GrammarAnalyzer(*file.grammars[i], out.vocabulary, diagnostics, out.grammars[i]).run();
        for (const auto& g : file.grammars)
            for (const TokenDecl& t : g->tokens)
                if (!t.nodeType.empty())
                    out.grammars[i].nodeTypes.emplace_back(t.name, t.nodeType);
    }
}

}
