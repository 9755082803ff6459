#ifndef ORVELC_CODEGEN_RECOGNIZERGENERATOR_HPP
#define ORVELC_CODEGEN_RECOGNIZERGENERATOR_HPP

#include "analysis/Analysis.hpp"
#include "codegen/CodeWriter.hpp"
#include "codegen/SetTables.hpp"
#include "reader/Grammar.hpp"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orvelc {

// What the generated files are made of besides the grammar.
struct GeneratorSettings {
    // The grammar file as `#line` directives name it; empty for none.
    std::string lineFile;
};

// Writes the class of one grammar: its declaration for the header and its
// definitions for the source file. This class holds what every kind of
// recognizer shares, the rules' decisions above all; LexerGenerator,
// ParserGenerator and TreeParserGenerator write what differs.
class RecognizerGenerator {
public:
    RecognizerGenerator(const GrammarInfo& info, const Vocabulary& vocabulary, SetTables& sets,
                        const GeneratorSettings& settings);
    virtual ~RecognizerGenerator() = default;
    RecognizerGenerator(const RecognizerGenerator&) = delete;
    RecognizerGenerator& operator=(const RecognizerGenerator&) = delete;

    // Writes the class declaration.
    void declaration(CodeWriter& out);
    // Writes the definitions of the class's members; the set tables they use
    // go to the SetTables given at construction.
    void definition(CodeWriter& out);

protected:
    // The class's base and what it declares besides the rules.
    virtual std::string baseClass() const = 0;
    virtual void publicMembers(CodeWriter& out) = 0;
    virtual void privateMembers(CodeWriter& out) = 0;
    // The definitions that come before the rules.
    virtual void prelude(CodeWriter& out) = 0;
    // Whether the recognizer traces its rules (parsers and tree parsers).
    virtual bool traces() const { return true; }
    // Whether the base class keeps the rules' nesting count and limit
    // (enterRule, leaveRule, setNestingLimit); else the class declares its own.
    virtual bool baseNests() const { return false; }
    // Whether the nesting limit was passed: an expression.
    virtual std::string nestingExceeded() const { return "nestingExceeded_"; }

    // The rule's signature, with the class's scope when `qualified`.
    virtual std::string signature(std::size_t rule, bool qualified) const = 0;
    // The rule's own locals, before its labels: its return value, unless
    // the kind has others.
    virtual void ruleEntry(CodeWriter& out, std::size_t rule);
    // What the rule sets up after its labels and its nesting count: its
    // trace, its tree.
    virtual void ruleGuards(CodeWriter& out, std::size_t rule) = 0;
    // What the rule does after its body: make its token, return its value.
    virtual void ruleExit(CodeWriter& out, std::size_t rule) = 0;
    // The handler of recognition errors that the rule has unless it has its own.
    virtual void defaultHandler(CodeWriter& out, std::size_t rule) = 0;
    // The type of a label's variable, empty for none.
    virtual std::string labelType(const Node& labelled) const = 0;
    // Declares the label's variables (its node in a tree-building parser too).
    virtual void declareLabel(CodeWriter& out, const Node& labelled) const;

    // The expression that reads LA(depth) into la<depth>_.
    virtual std::string readLookahead(int depth) const;
    // The statement that reports that no alternative fits.
    virtual std::string noViableAlt() const = 0;
    // The arguments that place a recognition error at the current input.
    virtual std::string position() const = 0;
    // The same for the nesting error, raised as a rule is entered.
    virtual std::string nestingPosition() const { return position(); }
    // The statements that remember and restore the input around a guess.
    virtual std::string markInput() const { return "const unsigned int mark_ = mark();"; }
    virtual std::string rewindInput() const { return "rewind(mark_);"; }
    // The depth of syntactic predicates being tried, and the statements that
    // raise and lower it.
    virtual std::string guessingDepth() const { return "inputState->guessing"; }
    virtual std::string raiseGuessing() const { return "++inputState->guessing;"; }
    virtual std::string lowerGuessing() const { return "--inputState->guessing;"; }
    // How the code names a lookahead symbol.
    virtual std::string symbol(int s) const;
    // The symbols a set table covers: 0 up to this.
    virtual int symbolLimit() const;
    // Every symbol that `.` and `~` choose among.
    virtual SymbolSet everySymbol() const;
    // The value a label of a token, character or node takes.
    virtual std::string labelValue() const = 0;
    // The statement that moves past one symbol already checked.
    virtual std::string consumeOne() const = 0;

    // A token, literal, character, range, `~` set or wildcard. `verified`:
    // the decision before it has already checked LA(1).
    virtual void terminal(CodeWriter& out, const Node& node, bool verified);
    // The match of such an element that no decision has checked.
    virtual void matchTerminal(CodeWriter& out, const Node& node);
    // Writes the call of `check` (match, matchNot or matchRange) with `argument`.
    virtual void matchCall(CodeWriter& out, const std::string& check, const std::string& argument);
    virtual void ruleReference(CodeWriter& out, const Node& node, bool verified) = 0;
    // A `#( root children )` pattern: only tree parsers have them.
    virtual void treePattern(CodeWriter& out, const Node& node, bool verified);
    // Writes a `*` or `+` loop over the one-character set of `d` (the merged
    // decision of characterSet) as one run, when the target has a faster way
    // than a test and a consume per character; returns whether it did.
    virtual bool setLoop(CodeWriter&, const Node&, const Decision&) { return false; }
    // Writes, at the top of a greedy `*` loop of several alternatives (with
    // decision `d`), what takes a run of the characters its one-character
    // alternatives match, where the target can; writes nothing otherwise.
    virtual void runBeforeChoice(CodeWriter&, const Node&, const Decision&) {}
    bool oneCharacter(const Node& node, const Decision& d, std::size_t alt) const;
    // The code of an action, which runs unless guessing (`@` actions always).
    virtual void actionBody(CodeWriter& out, const Node& node);
    // Action code as C++ (with its tree notation rewritten in a
    // tree-building parser).
    virtual std::string actionText(const std::string& code);

    // Writes the elements of alternative `a` of `block` from element `first` on.
    virtual void alternative(CodeWriter& out, const Node& block, std::size_t a, std::size_t first);

    // Shared pieces that the kinds use.
    void element(CodeWriter& out, const Node& node);
    // An element that opens an alternative, `verified` as for terminal().
    void firstElement(CodeWriter& out, const Node& node, bool verified);
    void block(CodeWriter& out, const Node& node);
    void choice(CodeWriter& out, const Decision& d, std::size_t alts,
                const std::vector<CodeWriter>& bodies, const std::vector<CodeWriter>& untested,
                const CodeWriter& otherwise, bool allowSwitch, int known,
                const std::vector<std::string>& preds);
    void passThrough(CodeWriter& out) const;
    // The C++ type a parser rule returns ("void" for none), and the statement
    // that returns its value (none for none).
    std::string returnType(std::size_t rule) const;
    void returnValue(CodeWriter& out, std::size_t rule) const;
    // The members that parsers and tree parsers share: the tree of the last
    // rule, and the token names.
    void declareParserBasics(CodeWriter& out) const;
    void defineParserBasics(CodeWriter& out) const;
    // Code copied from the grammar, where it follows a brace at `line` and
    // `column`, marked with `#line` directives when asked for and `line` is
    // known (above 0).
    void grammarCode(CodeWriter& out, const std::string& code, int line, int column = 0) const;
    std::string setName(const SymbolSet& set);
    std::string quoted(const std::string& text) const;
    const Rule& rule() const { return *grammar_.rules[ruleIndex_]; }

    const GrammarInfo& info_;
    const Grammar& grammar_;
    const Vocabulary& vocabulary_;
    SetTables& sets_;
    const GeneratorSettings& settings_;
    const bool guessing_;  // the grammar has syntactic predicates
    // The alternative being written builds its tree in actions only.
    bool manual_ = false;

private:
    struct Tests {
        std::vector<std::string> tests;
        std::size_t fallback = 0;
        int reads = 0;  // the la<depth>_ read, bit depth - 1 for each
        std::vector<std::vector<std::string>> tables;  // the set tables each test reads
        bool useSwitch = false;
    };
    void ruleDefinition(CodeWriter& out, std::size_t index);
    void declareLabels(CodeWriter& out, const Node& node, std::set<std::string>& seen) const;
    void handlers(CodeWriter& out, std::size_t index);
    void enterRule(CodeWriter& out) const;
    void action(CodeWriter& out, const Node& node);
    bool single(const Node& node) const;
    bool characterSet(const Node& node, const Decision& d, Decision& merged) const;
    void loop(CodeWriter& out, const Node& node, const Decision& d, bool set);
    void switchOn(CodeWriter& out, const Decision& d, std::size_t tests, std::size_t fallback,
                  const std::vector<CodeWriter>& bodies, const CodeWriter& fallbackBody);
    std::vector<CodeWriter> altBodies(const Node& node, bool verified, int known);
    std::vector<std::string> predicates(CodeWriter& out, const Node& node);
    void guess(CodeWriter& out, const Node& pred);
    Tests decisionTests(const Decision& d, std::size_t alts, bool allowSwitch,
                        const std::vector<std::string>& preds);
    std::string test(const SymbolSet& set, int depth, int& reads, std::vector<std::string>& tables);
    std::string lookaheadTest(const std::vector<SymbolSet>& look, int depth, int& reads,
                              std::vector<std::string>& tables);
    std::string guardTest(const std::vector<Guard>& guards, int depth, int& reads,
                          std::vector<std::string>& tables);
    bool usesSwitch(const Decision& d, std::size_t tests, bool allowSwitch,
                    const std::vector<std::string>& preds) const;
    // Whether `symbol` is a contextual keyword of a parser.
    bool isSoft(int symbol) const;
    std::vector<int> setMembers(const SymbolSet& set) const;

    std::size_t ruleIndex_ = 0;  // the rule being written
    int synpreds_ = 0;

    // The decision code keeps two facts between nested decisions, so that a
    // nested decision neither reads again what its enclosing one has read
    // nor checks again what it has checked:
    // - knownLA_: the la<depth>_ variables (bit depth - 1 for each) that an
    //   enclosing decision has declared and read, with nothing consumed
    //   since. The alternatives of a decision start with its reads known; an
    //   element that consumes, an action (which may consume) and the end of
    //   a decision (whose taken alternative may have consumed) forget them.
    // - verified_: the decision just taken has checked that LA(1) is in the
    //   set of the element that opens the alternative, so that element can
    //   consume instead of matching. Only the first element of an
    //   alternative written in its tested form gets it.
    int knownLA_ = 0;
    bool verified_ = false;
};

// The generator of the class of `info`'s grammar.
std::unique_ptr<RecognizerGenerator> makeGenerator(const GrammarInfo& info,
                                                   const Vocabulary& vocabulary, SetTables& sets,
                                                   const GeneratorSettings& settings);

}

#endif
