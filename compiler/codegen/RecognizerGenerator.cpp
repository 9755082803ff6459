#include "codegen/RecognizerGenerator.hpp"

#include "codegen/LexerGenerator.hpp"
#include "codegen/ParserGenerator.hpp"
#include "codegen/TreeParserGenerator.hpp"

#include <algorithm>
#include <set>

namespace orvelc {

namespace {

// Sets with up to this many members are written as case labels or compares.
constexpr std::size_t maxCaseLabels = 100;
constexpr std::size_t maxCompares = 3;

// The conditions `each` joined by the operator `op`, each in parentheses
// when there are several.
std::string joined(const std::vector<std::string>& each, const char* op)
{
    if (each.size() == 1)
        return each[0];
    std::string out;
    for (const std::string& condition : each)
        out += (out.empty() ? "(" : op + std::string("(")) + condition + ")";
    return out;
}

// A writer holding `statements`, one to a line.
CodeWriter lines(std::initializer_list<std::string> statements)
{
    CodeWriter w;
    for (const std::string& s : statements)
        w.line(s);
    return w;
}

}

RecognizerGenerator::RecognizerGenerator(const GrammarInfo& info, const Vocabulary& vocabulary,
                                         SetTables& sets, const GeneratorSettings& settings)
    : info_(info), grammar_(*info.grammar), vocabulary_(vocabulary), sets_(sets),
      settings_(settings), guessing_(info.hasSynPreds)
{
}

void RecognizerGenerator::declaration(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    out.open("class " + n + " final : public " + baseClass());
    out.label("public:");
    publicMembers(out);
    out.line("");
    if (!baseNests()) {
        out.line("// Rules nest at most this deep before a recognition error ends the input.");
        out.line("void setNestingLimit(int limit) { nestingLimit_ = limit; }");
        out.line("int getNestingLimit() const { return nestingLimit_; }");
    }
    if (traces()) {
        out.line("// Traces every rule entered and left (traceIn/traceOut) while on.");
        out.line("void setTracing(bool on) { tracing_ = on; }");
        out.line("bool isTracing() const { return tracing_; }");
    }
    out.line("");
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i) {
        const Rule& r = *grammar_.rules[i];
        grammarCode(out, signature(i, false) + ";", r.args.empty() && r.returns.empty() ? 0 : r.pos.line);
    }
    for (const Code& c : grammar_.members)
        grammarCode(out, c.text, c.line, c.column);
    out.line("");
    out.label("private:");
    if (!baseNests()) {
        out.line("friend class orvel::NestingGuard<" + n + ">;");
        out.line("void enterRule();");
        out.line("void leaveRule() { --nesting_; }");
    }
    privateMembers(out);
    if (traces())
        out.line("bool tracing_ = false;");
    if (!baseNests()) {
        out.line("int nesting_ = 0;");
        out.line("int nestingLimit_ = " + std::to_string(info_.nestingLimit) + ";");
        out.line("bool nestingExceeded_ = false;");
    }
    out.close(";");
}

void RecognizerGenerator::definition(CodeWriter& out)
{
    prelude(out);
    if (!baseNests())
        enterRule(out);
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        ruleDefinition(out, i);
}

// Counts a rule entered, or throws when that would pass the nesting limit.
// The error ends the input: the rules' handlers let it through. A parser
// starts again from its start rule; a lexer from nextToken.
void RecognizerGenerator::enterRule(CodeWriter& out) const
{
    out.openFunction("void " + grammar_.name + "::enterRule()");
    if (traces()) {
        out.open("if (nesting_ == 0)");
        out.line("nestingExceeded_ = false;");
        out.close();
    }
    out.open("if (nesting_ >= nestingLimit_)");
    out.line("nestingExceeded_ = true;");
    out.line("throw orvel::RecognitionException(\"nesting deeper than \" + "
             "std::to_string(nestingLimit_), " + nestingPosition() + ");");
    out.close();
    out.line("++nesting_;");
    out.close();
    out.line("");
}

void RecognizerGenerator::ruleDefinition(CodeWriter& out, std::size_t index)
{
    const Rule& r = *grammar_.rules[index];
    const RuleSettings& s = info_.settings[index];
    ruleIndex_ = index;
    grammarCode(out, signature(index, true), r.args.empty() && r.returns.empty() ? 0 : r.pos.line);
    out.open("");
    ruleEntry(out, index);
    knownLA_ = 0;
    std::set<std::string> seen;
    declareLabels(out, *r.body, seen);
    if (traces() || info_.recursive[index])
        out.line("const orvel::NestingGuard<" + grammar_.name + "> nestingGuard_(*this);");
    ruleGuards(out, index);
    manual_ = r.manual;
    if (!r.init.text.empty())
        grammarCode(out, actionText(r.init.text), r.init.line, r.init.column);
    const bool handled = s.errorHandler || !r.handlers.empty();
    if (handled)
        out.open("try");
    block(out, *r.body);
    manual_ = false;
    if (!r.handlers.empty())
        handlers(out, index);
    else if (s.errorHandler)
        defaultHandler(out, index);
    if (handled)
        out.close();
    ruleExit(out, index);
    out.close();
    out.line("");
}

void RecognizerGenerator::ruleEntry(CodeWriter& out, std::size_t index)
{
    if (!info_.returnTypes[index].empty())
        grammarCode(out, info_.returnTypes[index] + " " + info_.returnNames[index] + "{};",
                    grammar_.rules[index]->pos.line);
}

std::string RecognizerGenerator::returnType(std::size_t index) const
{
    return info_.returnTypes[index].empty() ? "void" : info_.returnTypes[index];
}

void RecognizerGenerator::returnValue(CodeWriter& out, std::size_t index) const
{
    if (!info_.returnTypes[index].empty())
        out.line("return " + info_.returnNames[index] + ";");
}

std::string RecognizerGenerator::readLookahead(int depth) const
{
    return "LA(" + std::to_string(depth) + ")";
}

void RecognizerGenerator::declareLabels(CodeWriter& out, const Node& node,
                                        std::set<std::string>& seen) const
{
    if (!node.label.empty() && seen.insert(node.label).second)
        declareLabel(out, node);
    for (const Sequence& alt : node.alts)
        for (const auto& e : alt)
            declareLabels(out, *e, seen);
}

// A label named as the rule's return variable assigns that variable, which
// the rule has declared already.
void RecognizerGenerator::declareLabel(CodeWriter& out, const Node& labelled) const
{
    if (labelled.label == info_.returnNames[ruleIndex_])
        return;
    const std::string type = labelType(labelled);
    if (!type.empty())
        out.line(type + " " + labelled.label + "{};");
}

// Rethrows, at the start of a rule's handler, what no rule may handle: the
// nesting error, and any error while guessing (it fails the guess).
void RecognizerGenerator::passThrough(CodeWriter& out) const
{
    out.open("if (" + nestingExceeded() + (guessing_ ? " || " + guessingDepth() + " > 0)" : ")"));
    out.line("throw;");
    out.close();
}

// The rule's own `catch` clauses, in place of reporting and recovering. The
// nesting error still reaches the caller of the start rule, and an error
// while guessing still fails the guess.
void RecognizerGenerator::handlers(CodeWriter& out, std::size_t index)
{
    for (const Handler& h : grammar_.rules[index]->handlers) {
        out.chain("catch (" + h.declaration + ")");
        passThrough(out);
        grammarCode(out, actionText(h.code.text), h.code.line, h.code.column);
    }
}

void RecognizerGenerator::declareParserBasics(CodeWriter& out) const
{
    out.line("orvel::ASTRefCount<orvel::AST> getAST() override;");
    out.line("const char* getTokenName(int type) const override;");
    out.line("const char* const* getTokenNames() const override;");
    out.line("int getNumTokens() const override;");
}

void RecognizerGenerator::defineParserBasics(CodeWriter& out) const
{
    const std::string& n = grammar_.name;
    out.line("orvel::ASTRefCount<orvel::AST> " + n + "::getAST() { return returnAST_; }");
    out.line("");
    out.openFunction("const char* " + n + "::getTokenName(int type) const");
    out.line("return type >= 0 && type < getNumTokens() ? tokenNames[type] : \"<invalid>\";");
    out.close();
    out.line("");
    out.line("const char* const* " + n + "::getTokenNames() const { return tokenNames; }");
    out.line("");
    out.line("int " + n + "::getNumTokens() const { return " + std::to_string(vocabulary_.maxType() + 1) +
             "; }");
    out.line("");
}

void RecognizerGenerator::grammarCode(CodeWriter& out, const std::string& code, int line,
                                      int column) const
{
    out.code(code, line > 0 ? settings_.lineFile : std::string(), line, column);
}

std::string RecognizerGenerator::quoted(const std::string& text) const
{
    return "\"" + escape(text, true) + "\"";
}

std::string RecognizerGenerator::symbol(int s) const
{
    if (s == 1)
        return "orvel::Token::EOF_TYPE";
    if (s == 3)
        return "orvel::Token::NULL_TREE_LOOKAHEAD";
    const TokenEntry* e = vocabulary_.byType(s);
    return e ? e->name : std::to_string(s);
}

int RecognizerGenerator::symbolLimit() const { return vocabulary_.maxType() + 1; }

std::vector<int> RecognizerGenerator::setMembers(const SymbolSet& set) const
{
    std::vector<int> members;
    for (int m : set.members())
        if (m < symbolLimit())
            members.push_back(m);
    return members;
}

std::string RecognizerGenerator::setName(const SymbolSet& set)
{
    return sets_.bitSet(setMembers(set), symbolLimit());
}

void RecognizerGenerator::treePattern(CodeWriter&, const Node&, bool) {}

void RecognizerGenerator::action(CodeWriter& out, const Node& node)
{
    const bool guarded = guessing_ && !node.always;
    if (guarded)
        out.open("if (" + guessingDepth() + " == 0)");
    actionBody(out, node);
    if (guarded)
        out.close();
}

void RecognizerGenerator::actionBody(CodeWriter& out, const Node& node)
{
    grammarCode(out, actionText(node.text), node.pos.line, node.pos.column);
}

std::string RecognizerGenerator::actionText(const std::string& code) { return code; }

void RecognizerGenerator::alternative(CodeWriter& out, const Node& block, std::size_t a,
                                      std::size_t first)
{
    const Sequence& alt = block.alts[a];
    for (std::size_t e = first; e < alt.size(); ++e)
        element(out, *alt[e]);
}

void RecognizerGenerator::firstElement(CodeWriter& out, const Node& node, bool verified)
{
    verified_ = verified;
    element(out, node);
}

void RecognizerGenerator::element(CodeWriter& out, const Node& node)
{
    const bool verified = verified_;
    verified_ = false;
    const int known = knownLA_;
    knownLA_ = 0;
    switch (node.kind) {
    case NodeKind::Action:
        action(out, node);
        return;
    case NodeKind::SemPred:
        out.open("if (!(" + trim(actionText(node.text)) + "))");
        out.line("throw orvel::RecognitionException(" +
                 quoted("failed predicate: {" + trim(node.text) + "}") + ", " + position() + ");");
        out.close();
        return;
    case NodeKind::SynPred:
        return;  // decided on before the alternative
    case NodeKind::Tree:
        treePattern(out, node, verified);
        return;
    case NodeKind::Block:
        knownLA_ = known;
        block(out, node);
        return;
    case NodeKind::RuleRef:
        ruleReference(out, node, verified);
        return;
    default:
        terminal(out, node, verified);
        return;
    }
}

// Whether `node` matches exactly one symbol.
bool RecognizerGenerator::single(const Node& node) const
{
    return node.kind == NodeKind::Char || node.kind == NodeKind::Range ||
           node.kind == NodeKind::Not || node.kind == NodeKind::Wildcard ||
           node.kind == NodeKind::TokenRef ||
           (node.kind == NodeKind::String && (!grammar_.lexer || node.text.size() == 1));
}

void RecognizerGenerator::terminal(CodeWriter& out, const Node& node, bool verified)
{
    if (!node.label.empty())
        out.line(node.label + " = " + labelValue() + ";");
    if (verified && single(node)) {
        out.line(consumeOne());
        return;
    }
    matchTerminal(out, node);
}

void RecognizerGenerator::matchTerminal(CodeWriter& out, const Node& node)
{
    switch (node.kind) {
    case NodeKind::String: {
        const int type = vocabulary_.byLiteral(node.text);
        if (isSoft(type))
            matchCall(out, "matchSoft", symbol(type) + ", " + quoted(node.text));
        else
            matchCall(out, "match", symbol(type));
        break;
    }
    case NodeKind::TokenRef:
        matchCall(out, "match", symbol(node.text == "EOF" ? 1 : vocabulary_.byName(node.text)));
        break;
    case NodeKind::Wildcard:
        matchCall(out, "matchNot", symbol(info_.eofSymbol));
        break;
    case NodeKind::Not: {
        const SymbolSet& set = info_.matchSets.at(&node);
        const std::vector<int> excluded = everySymbol().minus(set).members();
        if (excluded.size() == 1)
            matchCall(out, "matchNot", symbol(excluded[0]));
        else
            matchCall(out, "match", setName(set));
        break;
    }
    default:
        break;
    }
}

void RecognizerGenerator::matchCall(CodeWriter& out, const std::string& check,
                                    const std::string& argument)
{
    out.line(check + "(" + argument + ");");
}

SymbolSet RecognizerGenerator::everySymbol() const
{
    SymbolSet all(info_.symbolCount);
    all.addRange(Vocabulary::firstType, vocabulary_.maxType());
    return all;
}

// The syntactic predicates that open the alternatives of `node` ("" for
// none): the call of a function that tries it, written to `out` first.
std::vector<std::string> RecognizerGenerator::predicates(CodeWriter& out, const Node& node)
{
    std::vector<std::string> preds;
    for (const Sequence& alt : node.alts) {
        std::string p;
        if (!alt.empty() && alt[0]->kind == NodeKind::SynPred) {
            p = "synpred" + std::to_string(synpreds_++) + "_";
            out.open("const auto " + p + " = [&]() -> bool");
            guess(out, *alt[0]);
            out.close(";");
            p += "()";
        }
        preds.push_back(p);
    }
    return preds;
}

// The body of a syntactic predicate's function: matches `pred` from a mark
// with guessing above 0, goes back to the mark, and returns whether it
// matched. The nesting error still ends the input.
void RecognizerGenerator::guess(CodeWriter& out, const Node& pred)
{
    out.line(markInput());
    out.line(raiseGuessing());
    out.line("bool matched_ = true;");
    out.open("try");
    const int known = knownLA_;
    knownLA_ = 0;
    verified_ = false;
    block(out, pred);
    knownLA_ = known;
    out.chain("catch (const orvel::RecognitionException&)");
    out.line("matched_ = false;");
    out.open("if (" + nestingExceeded() + ")");
    out.line(rewindInput());
    out.line(lowerGuessing());
    out.line("throw;");
    out.close();
    out.chain("catch (...)");
    out.line(rewindInput());
    out.line(lowerGuessing());
    out.line("throw;");
    out.close();
    out.line(rewindInput());
    out.line(lowerGuessing());
    out.line("return matched_;");
}

std::vector<CodeWriter> RecognizerGenerator::altBodies(const Node& node, bool verified, int known)
{
    std::vector<CodeWriter> bodies;
    const bool manual = manual_;
    for (std::size_t a = 0; a < node.alts.size(); ++a) {
        const Sequence& alt = node.alts[a];
        CodeWriter w;
        verified_ = verified;
        knownLA_ = known;
        manual_ = manual || (a < node.manualAlts.size() && node.manualAlts[a]);
        // A predicate opening an alternative was part of the decision.
        const bool decided = node.decision >= 0 && !alt.empty() &&
                             (alt[0]->kind == NodeKind::SemPred || alt[0]->kind == NodeKind::SynPred);
        alternative(w, node, a, decided ? 1 : 0);
        verified_ = false;
        bodies.push_back(std::move(w));
    }
    manual_ = manual;
    return bodies;
}

void RecognizerGenerator::block(CodeWriter& out, const Node& node)
{
    const int known = knownLA_;
    if (node.decision < 0) {
        const bool manual = manual_;
        manual_ = manual || (!node.manualAlts.empty() && node.manualAlts[0]);
        alternative(out, node, 0, 0);
        manual_ = manual;
        return;
    }
    knownLA_ = 0;
    Decision merged;
    const bool set = characterSet(node, info_.decisions[static_cast<std::size_t>(node.decision)], merged);
    const Decision& d = set ? merged : info_.decisions[static_cast<std::size_t>(node.decision)];
    if (node.suffix == '*' || node.suffix == '+') {
        if (!set || !setLoop(out, node, d))
            loop(out, node, d, set);
        return;
    }
    const std::vector<std::string> preds = set ? std::vector<std::string>{} : predicates(out, node);
    const int inside = known | decisionTests(d, set ? 1 : node.alts.size(), true, preds).reads;
    const std::vector<CodeWriter> bodies = set ? std::vector<CodeWriter>{lines({consumeOne()})}
                                               : altBodies(node, true, inside);
    const CodeWriter otherwise = node.suffix == '?' ? CodeWriter() : lines({noViableAlt()});
    choice(out, d, bodies.size(), bodies, set ? bodies : altBodies(node, false, inside), otherwise,
           true, known, preds);
    knownLA_ = 0;  // what the taken alternative consumed is not known here
}

// Whether alternative `a` of `node`, with decision `d`, is one character (a
// range, a `~` set, a wildcard, a fragment of one character) that LA(1)
// alone tells apart (deeper, any character may come).
bool RecognizerGenerator::oneCharacter(const Node& node, const Decision& d, std::size_t a) const
{
    for (int depth = 1; depth < d.depth; ++depth)
        if (!d.alts[a][static_cast<std::size_t>(depth)].has(info_.endSymbol))
            return false;
    const Sequence& alt = node.alts[a];
    const bool oneCharacterRule = alt.size() == 1 && alt[0]->kind == NodeKind::RuleRef &&
                                  alt[0]->args.empty() &&
                                  info_.singleCharacter[static_cast<std::size_t>(alt[0]->rule)];
    return alt.size() == 1 && alt[0]->label.empty() && (single(*alt[0]) || oneCharacterRule) &&
           (a >= d.guards.size() || d.guards[a].empty());
}

// Whether the alternatives of `node`, with decision `d`, are each one
// character told apart by LA(1) alone (a loop's one alternative too): then
// one test of their union and one consume take any of them, and `merged` is the decision with that union as
// its one alternative (the exit after it).
bool RecognizerGenerator::characterSet(const Node& node, const Decision& d, Decision& merged) const
{
    const bool loop = node.suffix == '*' || node.suffix == '+';
    if (!grammar_.lexer || node.alts.size() < (loop ? 1u : 2u))
        return false;
    for (std::size_t a = 0; a < node.alts.size(); ++a)
        if (!oneCharacter(node, d, a))
            return false;
    merged = d;
    merged.guards.clear();
    const auto others = merged.alts.begin() + 1;
    for (auto alt = others; alt != merged.alts.begin() + static_cast<std::ptrdiff_t>(node.alts.size()); ++alt)
        for (std::size_t depth = 0; depth < alt->size(); ++depth)
            merged.alts[0][depth].unite((*alt)[depth]);
    merged.alts.erase(others, merged.alts.begin() + static_cast<std::ptrdiff_t>(node.alts.size()));
    return true;
}

// A `*` or `+` loop; with `set`, `d` is the merged decision of characterSet,
// whose one alternative consumes a character.
void RecognizerGenerator::loop(CodeWriter& out, const Node& node, const Decision& d, bool set)
{
    const std::string count = "count" + std::to_string(node.decision) + "_";
    const bool plus = node.suffix == '+';
    out.open(plus ? "for (int " + count + " = 0;; ++" + count + ")" : "for (;;)");
    CodeWriter exit;
    if (plus) {
        exit.open("if (" + count + " >= 1)");
        exit.line("break;");
        exit.close();
        exit.line(noViableAlt());
    } else {
        exit.line("break;");
    }
    // The exit is tested first in a non-greedy loop: it ends as soon as what
    // follows it fits (after the first pass of a `+` loop).
    Decision exitFirst = d;
    std::vector<std::string> preds = set ? std::vector<std::string>{} : predicates(out, node);
    if (!d.greedy) {
        std::rotate(exitFirst.alts.rbegin(), exitFirst.alts.rbegin() + 1, exitFirst.alts.rend());
        exitFirst.guards.insert(exitFirst.guards.begin(), std::vector<Guard>{});
        preds.insert(preds.begin(), plus ? count + " >= 1" : "");
    }
    const std::size_t alts = (set ? 1 : node.alts.size()) + (d.greedy ? 0 : 1);
    if (!set && !plus && d.greedy)
        runBeforeChoice(out, node, d);
    const int inside = decisionTests(exitFirst, alts, false, preds).reads;
    std::vector<CodeWriter> bodies = set ? std::vector<CodeWriter>{lines({consumeOne()})}
                                         : altBodies(node, true, inside);
    std::vector<CodeWriter> untested = set ? bodies : altBodies(node, false, inside);
    if (!d.greedy) {
        CodeWriter leave;
        leave.line("break;");
        bodies.insert(bodies.begin(), leave);
        untested.insert(untested.begin(), leave);
    }
    choice(out, exitFirst, bodies.size(), bodies, untested, exit, false, 0, preds);
    out.close();
    knownLA_ = 0;
}

// How `choice` decides among the first `alts` alternatives of `d`: the test
// of each up to the first one that tests nothing (the fallback, `alts` when
// there is none), the la<depth>_ they read, and whether a switch decides.
RecognizerGenerator::Tests RecognizerGenerator::decisionTests(const Decision& d, std::size_t alts,
                                                              bool allowSwitch,
                                                              const std::vector<std::string>& preds)
{
    Tests t;
    t.fallback = alts;
    for (std::size_t a = 0; a < alts && t.fallback == alts; ++a) {
        std::string test;
        t.tables.emplace_back();
        if (a < d.guards.size() && !d.guards[a].empty())
            test = guardTest(d.guards[a], d.depth, t.reads, t.tables.back());
        else
            test = lookaheadTest(d.alts[a], d.depth, t.reads, t.tables.back());
        if (a < preds.size() && !preds[a].empty())
            test = test.empty() ? preds[a] : "(" + test + ") && " + preds[a];
        if (test.empty())
            t.fallback = a;
        t.tests.push_back(test);
    }
    t.useSwitch = usesSwitch(d, t.tests.size(), allowSwitch, preds);
    if (t.useSwitch)
        t.reads |= 1;
    return t;
}

// A condition that holds when LA(depth), read into la<depth>_, is in `set`;
// empty when it always holds. Records the la<depth>_ read in `reads`.
bool RecognizerGenerator::isSoft(int symbol) const
{
    if (grammar_.lexer || grammar_.treeParser)
        return false;
    const TokenEntry* e = vocabulary_.byType(symbol);
    return e && e->soft;
}

std::string RecognizerGenerator::test(const SymbolSet& set, int depth, int& reads,
                                      std::vector<std::string>& tables)
{
    if (set.has(info_.endSymbol))
        return "";
    const std::string la = "la" + std::to_string(depth) + "_";
    std::vector<int> m = set.members();
    if (m.empty())
        return "false";
    reads |= 1 << (depth - 1);
    const bool hasEof = grammar_.lexer && set.has(info_.eofSymbol);
    if (hasEof)
        m.pop_back();
    // A contextual keyword comes as a name: it is told by its text.
    std::string soft;
    for (const int s : m)
        if (isSoft(s))
            soft += " || LT(" + std::to_string(depth) + ")->getText() == " +
                    quoted(vocabulary_.byType(s)->literal);
    if (!soft.empty()) {
        std::vector<int> hard;
        for (const int s : m)
            if (!isSoft(s))
                hard.push_back(s);
        SymbolSet rest(info_.symbolCount);
        for (const int s : hard)
            rest.add(s);
        const std::string first =
            hard.empty() ? soft.substr(4) : "(" + test(rest, depth, reads, tables) + ")" + soft;
        return "(" + first + ")";
    }
    std::string out;
    const bool contiguous = !m.empty() && m.back() - m.front() + 1 == static_cast<int>(m.size());
    if (m.empty()) {
    } else if (m.size() <= maxCompares) {
        for (int s : m)
            out += (out.empty() ? "" : " || ") + la + " == " + symbol(s);
    } else if (contiguous) {
        out = la + " >= " + symbol(m.front()) + " && " + la + " <= " + symbol(m.back());
        if (hasEof)
            out = "(" + out + ")";
    } else {
        const int size = symbolLimit();
        const std::string words = sets_.words(setMembers(set), size);
        tables.push_back(words);
        out = "static_cast<unsigned int>(" + la + ") < " + std::to_string((size + 31) / 32 * 32) +
              "u && (" + words + "[" + la + " >> 5] >> (" + la + " & 31) & 1UL) != 0";
        if (hasEof)
            out = "(" + out + ")";
    }
    if (hasEof)
        out = out.empty() ? la + " == EOF_CHAR" : la + " == EOF_CHAR || " + out;
    return out;
}

// The test that LA(1..depth) is in `look`; empty when it always holds.
std::string RecognizerGenerator::lookaheadTest(const std::vector<SymbolSet>& look, int depth,
                                               int& reads, std::vector<std::string>& tables)
{
    std::vector<std::string> each;
    for (int i = 1; i <= depth; ++i) {
        const std::string one = test(look[static_cast<std::size_t>(i - 1)], i, reads, tables);
        if (!one.empty())
            each.push_back(one);
    }
    return joined(each, " && ");
}

// The test that one of `guards` holds: its lookahead, and its predicate
// where it has one; empty when one of them always holds.
std::string RecognizerGenerator::guardTest(const std::vector<Guard>& guards, int depth, int& reads,
                                           std::vector<std::string>& tables)
{
    std::vector<std::string> each;
    for (const Guard& g : guards) {
        std::string t = lookaheadTest(g.look, depth, reads, tables);
        if (g.predicate)
            t = t.empty() ? "(" + trim(actionText(g.predicate->text)) + ")"
                          : "(" + t + ") && (" + trim(actionText(g.predicate->text)) + ")";
        if (t.empty())
            return "";
        each.push_back(t);
    }
    return joined(each, " || ");
}

// Whether `choice` writes a switch on LA(1): for three or more alternatives
// that one symbol tells apart and no predicate guards.
bool RecognizerGenerator::usesSwitch(const Decision& d, std::size_t tests, bool allowSwitch,
                                     const std::vector<std::string>& preds) const
{
    for (const std::vector<SymbolSet>& alt : d.alts)
        for (const int s : alt[0].members())
            if (isSoft(s))
                return false;
    for (const std::string& p : preds)
        if (!p.empty())
            return false;
    for (const std::vector<Guard>& g : d.guards)
        if (!g.empty())
            return false;
    return allowSwitch && d.depth == 1 && tests > 2;
}

// Chooses among `alts` alternatives by their lookahead, first one first; a
// `switch` when one symbol decides, a chain of tests otherwise. An
// alternative that may begin with anything is taken when no other fits (in
// its `untested` form, which matches its first element instead of consuming it),
// `otherwise` when there is none. The la<depth>_ in `known` are already read.
void RecognizerGenerator::choice(CodeWriter& out, const Decision& d, std::size_t alts,
                                 const std::vector<CodeWriter>& bodies,
                                 const std::vector<CodeWriter>& untested, const CodeWriter& otherwise,
                                 bool allowSwitch, int known, const std::vector<std::string>& preds)
{
    const Tests t = decisionTests(d, alts, allowSwitch, preds);
    const CodeWriter& fallbackBody = t.fallback < alts ? untested[t.fallback] : otherwise;
    const int mask = t.reads & ~known;
    out.open("");
    for (int depth = 1; depth <= d.depth; ++depth)
        if (mask & (1 << (depth - 1)))
            out.line("const int la" + std::to_string(depth) + "_ = " + readLookahead(depth) + ";");
    if (t.useSwitch) {
        switchOn(out, d, t.tests.size(), t.fallback, bodies, fallbackBody);
    } else {
        for (std::size_t a = 0; a < t.tests.size() && a != t.fallback; ++a) {
            sets_.define(t.tables[a]);
            if (a == 0)
                out.open("if (" + t.tests[a] + ")");
            else
                out.chain("else if (" + t.tests[a] + ")");
            out.insert(bodies[a]);
        }
        if (t.fallback != 0 && !fallbackBody.empty())
            out.chain("else");
        out.insert(fallbackBody);
        if (t.fallback != 0)
            out.close();
    }
    out.close();
}

// The switch on la1_ of `choice`: a case for each alternative up to the
// fallback, with the symbols no earlier alternative claimed; alternatives
// with too many symbols for case labels are tested under `default`.
void RecognizerGenerator::switchOn(CodeWriter& out, const Decision& d, std::size_t tests,
                                   std::size_t fallback, const std::vector<CodeWriter>& bodies,
                                   const CodeWriter& fallbackBody)
{
    out.open("switch (la1_)");
    SymbolSet claimed(info_.symbolCount);
    std::vector<std::pair<std::size_t, SymbolSet>> large;
    for (std::size_t a = 0; a < tests && a != fallback; ++a) {
        const SymbolSet mine = d.alts[a][0].minus(claimed);
        claimed.unite(mine);
        const std::vector<int> m = mine.members();
        if (m.empty())
            continue;
        if (m.size() > maxCaseLabels) {
            large.emplace_back(a, mine);
            continue;
        }
        for (std::size_t i = 0; i < m.size(); ++i) {
            if (i + 1 < m.size()) {
                out.label("case " + symbol(m[i]) + ":");
                continue;
            }
            out.label("case " + symbol(m[i]) + ": {");
        }
        out.insert(bodies[a]);
        out.line("break;");
        out.label("}");
    }
    out.label("default:");
    int reads = 0;
    for (std::size_t i = 0; i < large.size(); ++i) {
        std::vector<std::string> tables;
        const std::string condition = "(" + test(large[i].second, 1, reads, tables) + ")";
        sets_.define(tables);
        if (i == 0)
            out.open("if " + condition);
        else
            out.chain("else if " + condition);
        out.insert(bodies[large[i].first]);
    }
    if (!large.empty() && !fallbackBody.empty())
        out.chain("else");
    out.insert(fallbackBody);
    if (!large.empty())
        out.close();
    if (fallbackBody.empty() && large.empty())
        out.line("break;");
    out.close();
}

std::unique_ptr<RecognizerGenerator> makeGenerator(const GrammarInfo& info,
                                                   const Vocabulary& vocabulary, SetTables& sets,
                                                   const GeneratorSettings& settings)
{
    if (info.grammar->lexer)
        return std::make_unique<LexerGenerator>(info, vocabulary, sets, settings);
    if (info.grammar->treeParser)
        return std::make_unique<TreeParserGenerator>(info, vocabulary, sets, settings);
    return std::make_unique<ParserGenerator>(info, vocabulary, sets, settings);
}

}
