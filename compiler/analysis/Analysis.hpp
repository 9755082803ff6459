#ifndef ORVELC_ANALYSIS_ANALYSIS_HPP
#define ORVELC_ANALYSIS_ANALYSIS_HPP

#include "Diagnostics.hpp"
#include "analysis/Counterexample.hpp"
#include "analysis/SymbolSet.hpp"
#include "analysis/Vocabulary.hpp"
#include "reader/Grammar.hpp"

#include <map>
#include <string>
#include <vector>

namespace orvelc {

// A way into an alternative: its lookahead at depths 1..k, and the semantic
// predicate that must hold as well (null for none).
struct Guard {
    std::vector<SymbolSet> look;
    const Node* predicate = nullptr;
};

// One decision: the lookahead of each alternative at depths 1..k (the exit of
// an optional block or loop last), and the depth that the code tests.
struct Decision {
    Position pos;
    std::vector<std::vector<SymbolSet>> alts;
    // Per alternative: empty, or the guards of an alternative that semantic
    // predicates open (its own, or those of the subrule it starts with); it
    // is taken when one of them holds.
    std::vector<std::vector<Guard>> guards;
    bool hasExit = false;
    bool greedy = true;
    int depth = 1;
    int rule = -1;  // whose body holds it; -1 for a lexer's choice among its token rules
};

// One ambiguity warning as given, and its notes.
struct Conflict {
    Position pos;
    int rule = -1;      // the rule it concerns: for token rules, the first one
    int decision = -1;  // among the decisions; -1 for the choice among token rules
    std::size_t first = 0;   // the alternatives: the second may be the exit or the end of input
    std::size_t second = 0;
    std::string message;
    std::vector<std::string> notes;
    Counterexample example;
};

// Options of a rule after the grammar's defaults are applied.
struct RuleSettings {
    bool errorHandler = true;
    bool testLiterals = true;
    bool warnAmbiguity = true;
};

// What the generator needs to know about one grammar.
struct GrammarInfo {
    const Grammar* grammar = nullptr;
    int k = 1;
    bool caseSensitive = true;
    bool caseSensitiveLiterals = true;
    int nestingLimit = 1000;
    bool buildAST = false;
    std::string nodeType;   // the default node class, empty for orvel::CommonAST
    bool hasSynPreds = false;  // actions and tree building then check `guessing`
    // Token names and the node classes the tokens sections of the file give them.
    std::vector<std::pair<std::string, std::string>> nodeTypes;
    int eofSymbol = 1;     // the end of input among the symbols
    int endSymbol = 0;     // "the token may end here": tests nothing
    int symbolCount = 0;
    std::vector<Decision> decisions;
    std::vector<Conflict> conflicts;   // in the order they were reported
    int tabSize = 0;       // a lexer's tab stops, 0 for the scanner's own
    int errorLimit = 0;    // errors before the recognizer stops, 0 for no limit
    // Per lexer mode (the default mode first): its name, its choice among its
    // token rules (EOF last), and those rules.
    std::vector<std::string> modeNames;
    std::vector<Decision> tokenDecisions;
    std::vector<std::vector<const Rule*>> tokenRules;
    std::map<const Node*, SymbolSet> matchSets;  // of ranges, `~` sets and wildcards
    std::vector<SymbolSet> follow;     // per rule, depth 1
    std::vector<RuleSettings> settings;  // per rule
    std::vector<std::string> returnTypes;  // per rule, empty when it returns nothing
    std::vector<std::string> returnNames;
    // Per rule: whether it can call itself again through rule references
    // (only such rules need the nesting count).
    std::vector<bool> recursive;
    // Per rule: whether it is a lexer fragment whose every alternative is one
    // unlabelled character and which does nothing else, so that once the
    // caller has checked LA(1), calling it is the same as consuming.
    std::vector<bool> singleCharacter;
};

struct FileInfo {
    Vocabulary vocabulary;
    std::vector<GrammarInfo> grammars;
};

struct AnalysisSettings {
    std::vector<std::string> vocabularyDirs;  // where `import` looks, in order
};

// Checks the file, numbers its tokens and computes every decision's
// lookahead. Errors and warnings go to `diagnostics`; the result is usable
// only when no error was reported.
void analyze(GrammarFile& file, const AnalysisSettings& settings, Diagnostics& diagnostics,
             FileInfo& out);

// `s` without leading and trailing white space.
std::string trim(const std::string& s);

// The character or token as the messages of orvelc show it.
std::string symbolName(const GrammarInfo& info, const Vocabulary& vocabulary, int symbol);

}

#endif
