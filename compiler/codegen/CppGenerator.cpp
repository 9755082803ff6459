#include "codegen/CppGenerator.hpp"

#include "codegen/CodeWriter.hpp"
#include "codegen/TreeNotation.hpp"

#include <algorithm>
#include <map>
#include <sstream>

namespace orvelc {

namespace {

// Sets with up to this many members are written as case labels or compares.
constexpr std::size_t maxCaseLabels = 100;
constexpr std::size_t maxCompares = 3;

std::string identifierOf(const std::string& stem)
{
    std::string out;
    for (char c : stem)
        out += isalnum(static_cast<unsigned char>(c)) ? c : '_';
    if (out.empty() || isdigit(static_cast<unsigned char>(out[0])))
        out = "_" + out;
    return out;
}

std::string quoted(const std::string& text) { return "\"" + escape(text, true) + "\""; }


// Static set tables of one source file, shared by equal sets: bit words for
// inline membership tests, and a BitSet over them where a call needs one.
class SetTables {
public:
    // The stem of the tables holding `members` (all below `size`); its words
    // are `<stem>words`, 32 bits to an element.
    std::string words(const std::vector<int>& members, int size)
    {
        return entries_[find(members, size)].name;
    }
    // The name of a BitSet holding `members` (all below `size`).
    std::string bitSet(const std::vector<int>& members, int size)
    {
        Entry& e = entries_[find(members, size)];
        e.hasBitSet = true;
        return e.name;
    }
    // The definitions of the BitSets and of the words that `code` uses.
    std::string definitions(const std::string& code) const
    {
        std::ostringstream out;
        for (const Entry& e : entries_) {
            if (!e.hasBitSet && code.find(e.name + "words") == std::string::npos)
                continue;
            out << "const unsigned long " << e.name << "words[] = {";
            for (std::size_t i = 0; i < e.words.size(); ++i)
                out << (i ? ", " : "") << "0x" << std::hex << e.words[i] << std::dec << "UL";
            out << "};\n";
            if (e.hasBitSet)
                out << "const orvel::BitSet " << e.name << "(" << e.name << "words, " << e.words.size()
                    << ");\n";
        }
        return out.str();
    }

private:
    struct Entry {
        std::string name;
        std::vector<unsigned long> words;
        bool hasBitSet;
    };
    std::size_t find(const std::vector<int>& members, int size)
    {
        std::vector<unsigned long> words(static_cast<std::size_t>(size + 31) / 32, 0);
        for (int m : members)
            words[static_cast<std::size_t>(m) / 32] |= 1UL << (m % 32);
        const auto [it, added] = index_.emplace(words, entries_.size());
        if (added)
            entries_.push_back({"set" + std::to_string(it->second) + "_", words, false});
        return it->second;
    }
    std::map<std::vector<unsigned long>, std::size_t> index_;
    std::vector<Entry> entries_;
};

// The rules that can call themselves again through rule references: only
// they need the nesting count, the others add a bounded depth.
std::vector<bool> recursiveRules(const Grammar& g)
{
    const std::size_t n = g.rules.size();
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < n; ++i)
        index.emplace(g.rules[i]->name, i);
    std::vector<std::vector<std::size_t>> calls(n);
    std::vector<const Node*> work;
    for (std::size_t i = 0; i < n; ++i) {
        for (work.push_back(g.rules[i]->body.get()); !work.empty();) {
            const Node* node = work.back();
            work.pop_back();
            const auto callee = index.find(node->text);
            if (node->kind == NodeKind::RuleRef && callee != index.end())
                calls[i].push_back(callee->second);
            for (const Sequence& alt : node->alts)
                for (const auto& e : alt)
                    work.push_back(e.get());
        }
    }
    std::vector<bool> recursive(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<bool> seen(n, false);
        std::vector<std::size_t> next = calls[i];
        while (!next.empty() && !recursive[i]) {
            const std::size_t r = next.back();
            next.pop_back();
            recursive[i] = r == i;
            if (!seen[r]) {
                seen[r] = true;
                next.insert(next.end(), calls[r].begin(), calls[r].end());
            }
        }
    }
    return recursive;
}

class ClassGenerator {
public:
    ClassGenerator(const GrammarInfo& g, const Vocabulary& v, SetTables& sets)
        : info_(g), grammar_(*g.grammar), vocabulary_(v), sets_(sets), lexer_(grammar_.lexer),
          tree_(grammar_.treeParser), build_(g.buildAST), guard_(g.hasSynPreds),
          recursive_(recursiveRules(grammar_))
    {
    }

    void declaration(CodeWriter& out) const;
    void definition(CodeWriter& out);

private:
    std::string symbol(int s) const;
    std::string test(const SymbolSet& set, int depth, int& reads);
    std::string lookaheadTest(const std::vector<SymbolSet>& look, int depth, int& reads);
    std::string guardTest(const std::vector<Guard>& guards, int depth, int& reads);
    std::vector<int> setMembers(const SymbolSet& set) const;
    std::string setName(const SymbolSet& set);
    std::string signature(std::size_t rule, bool qualified) const;
    void ruleDefinition(CodeWriter& out, std::size_t index);
    void declareLabels(CodeWriter& out, const Node& node, std::map<std::string, bool>& seen) const;
    static bool isSingle(const Node& node, bool lexer);
    bool matchesOneChar(const Node& ref) const;
    void sequence(CodeWriter& out, const Sequence& seq);
    void element(CodeWriter& out, const Node& node);
    void block(CodeWriter& out, const Node& node);
    void loop(CodeWriter& out, const Node& node, const Decision& d);
    using Predicates = std::vector<std::string>;
    std::vector<std::string> altTests(const Decision& d, std::size_t alts, std::size_t& fallback,
                                      int& reads, const Predicates& preds);
    struct Tests {
        std::vector<std::string> tests;
        std::size_t fallback = 0;
        int reads = 0;  // the la<depth>_ read, bit depth - 1 for each
        bool useSwitch = false;
    };
    Tests decisionTests(const Decision& d, std::size_t alts, bool allowSwitch, const Predicates& preds);
    int reads(const Decision& d, std::size_t alts, bool allowSwitch, const Predicates& preds);
    static bool usesSwitch(const Decision& d, std::size_t tests, bool allowSwitch,
                           const Predicates& preds);
    void choice(CodeWriter& out, const Decision& d, std::size_t alts,
                const std::vector<std::string>& bodies, const std::vector<std::string>& untested,
                const std::string& otherwise, bool allowSwitch, int known, const Predicates& preds);
    std::vector<std::string> altBodies(const Node& node, bool verified, int known);
    Predicates predicates(CodeWriter& out, const Node& node);
    void guess(CodeWriter& out, const Node& pred);
    void treePattern(CodeWriter& out, const Node& node);
    void matchOne(CodeWriter& out, const std::string& check, const std::string& argument);
    void guarded(CodeWriter& out, const std::string& lines);
    void buildNode(CodeWriter& out, const Node& node);
    void addTree(CodeWriter& out, const Node& node);
    std::string action(const std::string& code) const;
    std::string position() const;
    void factorySetup(CodeWriter& out) const;
    void treeHelpers(CodeWriter& out) const;
    void tracer(CodeWriter& out) const;
    void handlers(CodeWriter& out, std::size_t index);
    void passThrough(CodeWriter& out) const;
    std::string noViableAlt() const;
    void nextToken(CodeWriter& out);
    int ruleIndex(const std::string& name) const;

    const GrammarInfo& info_;
    const Grammar& grammar_;
    const Vocabulary& vocabulary_;
    SetTables& sets_;
    bool lexer_;
    bool tree_;   // a tree parser: matches nodes from t_
    bool build_;  // a parser that builds trees
    bool guard_;  // syntactic predicates: actions and tree building wait for guessing 0
    std::vector<bool> recursive_;
    // The alternative being written builds its tree in actions only.
    bool manual_ = false;
    const Rule* rule_ = nullptr;  // the rule being written
    int synpreds_ = 0;
    int treeDepth_ = 0;
    // The la<depth>_ that enclosing decisions have read with nothing
    // consumed since, bit depth - 1 for each.
    int knownLA_ = 0;
    // The decision before the next element has already checked that LA(1)
    // is in the element's set, so consuming is enough.
    bool verified_ = false;
};

std::string ClassGenerator::symbol(int s) const
{
    if (lexer_) {
        if (s == info_.eofSymbol)
            return "EOF_CHAR";
        if (s >= 32 && s < 127 && s != '\'' && s != '\\')
            return "'" + std::string(1, static_cast<char>(s)) + "'";
        return std::to_string(s);
    }
    if (s == 1)
        return "orvel::Token::EOF_TYPE";
    if (s == 3)
        return "orvel::Token::NULL_TREE_LOOKAHEAD";
    const TokenEntry* e = vocabulary_.byType(s);
    return e ? e->name : std::to_string(s);
}

std::vector<int> ClassGenerator::setMembers(const SymbolSet& set) const
{
    std::vector<int> members;
    for (int m : set.members())
        if (m != info_.eofSymbol || !lexer_)
            if (m != info_.endSymbol)
                members.push_back(m);
    return members;
}

std::string ClassGenerator::setName(const SymbolSet& set)
{
    return sets_.bitSet(setMembers(set), lexer_ ? 256 : vocabulary_.maxType() + 1);
}

// A condition that holds when LA(depth), read into la<depth>_, is in `set`;
// empty when it always holds.
std::string ClassGenerator::test(const SymbolSet& set, int depth, int& reads)
{
    if (set.has(info_.endSymbol))
        return "";
    const std::string la = "la" + std::to_string(depth) + "_";
    std::vector<int> m = set.members();
    if (m.empty())
        return "false";
    reads |= 1 << (depth - 1);
    const bool hasEof = lexer_ && set.has(info_.eofSymbol);
    if (hasEof)
        m.pop_back();
    std::string out;
    const bool contiguous = !m.empty() && m.back() - m.front() + 1 == static_cast<int>(m.size());
    if (m.empty()) {
    } else if (m.size() <= maxCompares) {
        for (int s : m)
            out += (out.empty() ? "" : " || ") + la + " == " + symbol(s);
    } else if (contiguous) {
        out = "(" + la + " >= " + symbol(m.front()) + " && " + la + " <= " + symbol(m.back()) + ")";
    } else {
        const int size = lexer_ ? 256 : vocabulary_.maxType() + 1;
        const std::string words = sets_.words(setMembers(set), size) + "words";
        out = "static_cast<unsigned int>(" + la + ") < " + std::to_string((size + 31) / 32 * 32) +
              "u && (" + words + "[" + la + " >> 5] >> (" + la + " & 31) & 1UL) != 0";
    }
    if (hasEof)
        out = out.empty() ? la + " == EOF_CHAR" : la + " == EOF_CHAR || " + out;
    return "(" + out + ")";
}

std::string ClassGenerator::noViableAlt() const
{
    if (tree_)
        return "throw orvel::NoViableAltException(t_);";
    return lexer_ ? "throw orvel::NoViableAltForCharException(LA(1), getFilename(), getLine(), "
                    "getColumn());"
                  : "throw orvel::NoViableAltException(LT(1), getFilename());";
}

int ClassGenerator::ruleIndex(const std::string& name) const
{
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        if (grammar_.rules[i]->name == name)
            return static_cast<int>(i);
    return -1;
}

std::string ClassGenerator::signature(std::size_t index, bool qualified) const
{
    const Rule& r = *grammar_.rules[index];
    const std::string scope = qualified ? grammar_.name + "::" : "";
    if (lexer_)
        return "void " + scope + "m" + r.name + "(bool createToken_" +
               (r.args.empty() ? "" : ", " + r.args) + ")";
    const std::string type = info_.returnTypes[index].empty() ? "void" : info_.returnTypes[index];
    std::string params = r.args;
    if (tree_)
        params = "orvel::ASTRefCount<orvel::AST> t_" + (r.args.empty() ? "" : ", " + r.args);
    return type + " " + scope + r.name + "(" + params + ")";
}

void ClassGenerator::declaration(CodeWriter& out) const
{
    const std::string& n = grammar_.name;
    if (lexer_) {
        out.open("class " + n + " final : public orvel::CharScanner");
        out.label("public:");
        out.line("explicit " + n + "(std::istream& in);");
        out.line("explicit " + n + "(orvel::InputBuffer& in);");
        out.line("explicit " + n + "(const orvel::RefCount<orvel::LexerInputState>& state);");
        out.line("");
        out.line("orvel::TokenRefCount<orvel::Token> nextToken() override;");
        out.line("bool getLiteralsCaseSensitive() const override;");
    } else if (tree_) {
        out.open("class " + n + " final : public orvel::TreeParser");
        out.label("public:");
        out.line(n + "() = default;");
        out.line("explicit " + n + "(const orvel::RefCount<orvel::TreeParserInputState>& state);");
        out.line("");
        out.line("orvel::ASTRefCount<orvel::AST> getAST() override;");
        out.line("const char* getTokenName(int type) const override;");
        out.line("const char* const* getTokenNames() const override;");
        out.line("int getNumTokens() const override;");
    } else {
        out.open("class " + n + " final : public orvel::LLkParser");
        out.label("public:");
        out.line("explicit " + n + "(orvel::TokenStream& lexer);");
        out.line("explicit " + n + "(orvel::TokenBuffer& buffer);");
        out.line("explicit " + n + "(const orvel::RefCount<orvel::ParserInputState>& state);");
        out.line("");
        out.line("// The tree the last rule built" + std::string(build_ ? "" : " (none: this parser builds no trees)") + ".");
        out.line("orvel::ASTRefCount<orvel::AST> getAST() override;");
        out.line("const char* getTokenName(int type) const override;");
        out.line("const char* const* getTokenNames() const override;");
        out.line("int getNumTokens() const override;");
    }
    out.line("");
    out.line("// Rules nest at most this deep before a recognition error ends the input.");
    out.line("void setNestingLimit(int limit) { nestingLimit_ = limit; }");
    out.line("int getNestingLimit() const { return nestingLimit_; }");
    if (!lexer_) {
        out.line("// Traces every rule entered and left (traceIn/traceOut) while on.");
        out.line("void setTracing(bool on) { tracing_ = on; }");
    }
    out.line("");
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        out.line(signature(i, false) + ";");
    if (!grammar_.members.empty())
        out.verbatim(grammar_.members);
    out.line("");
    out.label("private:");
    out.line("class NestingGuard;");
    if (!lexer_)
        out.line("class Tracer;");
    out.line("void enterRule();");
    if (lexer_)
        out.line("orvel::TokenRefCount<orvel::Token> returnToken_;");
    else if (!tree_)
        out.line("orvel::TokenRefCount<orvel::Token> lastErrorToken_;  // where the last error was reported");
    if (tree_) {
        out.line("static int typeOf_(const orvel::ASTRefCount<orvel::AST>& t)");
        out.line("{");
        out.line("    return t ? t->getType() : orvel::Token::NULL_TREE_LOOKAHEAD;");
        out.line("}");
        out.line("orvel::ASTRefCount<orvel::AST> retTree_;  // where the last rule left off");
    }
    if (!lexer_)
        out.line("orvel::ASTRefCount<orvel::AST> returnAST_;");
    if (build_) {
        out.line("orvel::ASTRefCount<orvel::AST> make_(std::initializer_list<orvel::ASTRefCount<orvel::AST>> nodes);");
        out.line("static void resetPair_(orvel::ASTPair& pair);");
        out.line("orvel::ASTFactory factory_;");
    }
    if (!lexer_)
        out.line("bool tracing_ = false;");
    out.line("int nesting_ = 0;");
    out.line("int nestingLimit_ = " + std::to_string(info_.nestingLimit) + ";");
    out.line("bool nestingExceeded_ = false;");
    out.close(";");
}

void ClassGenerator::definition(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    const std::string tables = "tokenNames";
    if (lexer_) {
        const std::string cs = info_.caseSensitive ? "true" : "false";
        std::vector<std::string> literals;
        for (const TokenEntry* e : vocabulary_.entries())
            if (e->isLiteral)
                literals.push_back("literals[" + quoted(e->literal) + "] = " + e->name + ";");
        const char* const inits[] = {"std::istream& in", "orvel::InputBuffer& in",
                                     "const orvel::RefCount<orvel::LexerInputState>& state"};
        const char* const bases[] = {"new orvel::CharBuffer(in)", "in", "state"};
        for (int i = 0; i < 3; ++i) {
            out.line(n + "::" + n + "(" + inits[i] + ")");
            out.line("    : CharScanner(" + std::string(bases[i]) + ", " + cs + ")");
            out.open("");
            for (const std::string& l : literals)
                out.line(l);
            out.close();
            out.line("");
        }
        out.line("bool " + n + "::getLiteralsCaseSensitive() const { return " +
                 (info_.caseSensitiveLiterals ? "true" : "false") + "; }");
        out.line("");
    } else {
        const char* const inits[] = {"orvel::TokenStream& lexer", "orvel::TokenBuffer& buffer",
                                     "const orvel::RefCount<orvel::ParserInputState>& state"};
        const char* const bases[] = {"lexer", "buffer", "state"};
        for (int i = 0; i < 3 && !tree_; ++i) {
            out.line(n + "::" + n + "(" + inits[i] + ") : LLkParser(" + bases[i] + ", " +
                     std::to_string(info_.k) + ")");
            out.open("");
            if (build_)
                factorySetup(out);
            out.close();
        }
        if (tree_)
            out.line(n + "::" + n +
                     "(const orvel::RefCount<orvel::TreeParserInputState>& state) : TreeParser(state) {}");
        out.line("");
        out.line("orvel::ASTRefCount<orvel::AST> " + n + "::getAST() { return returnAST_; }");
        out.line("");
        if (build_)
            treeHelpers(out);
        out.open("const char* " + n + "::getTokenName(int type) const");
        out.line("return type >= 0 && type < getNumTokens() ? " + tables + "[type] : \"<invalid>\";");
        out.close();
        out.line("");
        out.line("const char* const* " + n + "::getTokenNames() const { return " + tables + "; }");
        out.line("");
        out.line("int " + n + "::getNumTokens() const { return " +
                 std::to_string(vocabulary_.maxType() + 1) + "; }");
        out.line("");
    }
    out.open("class " + n + "::NestingGuard");
    out.label("public:");
    out.line("explicit NestingGuard(" + n + "& r) : r_(r) { r_.enterRule(); }");
    out.line("~NestingGuard() { --r_.nesting_; }");
    out.line("NestingGuard(const NestingGuard&) = delete;");
    out.line("NestingGuard& operator=(const NestingGuard&) = delete;");
    out.line("");
    out.label("private:");
    out.line(n + "& r_;");
    out.close(";");
    out.line("");
    if (!lexer_)
        tracer(out);
    out.open("void " + n + "::enterRule()");

    if (!lexer_)
        out.line("if (nesting_ == 0)\n        nestingExceeded_ = false;");
    out.open("if (nesting_ >= nestingLimit_)");
    out.line("nestingExceeded_ = true;");
    out.line("throw orvel::RecognitionException(\"nesting deeper than \" + "
             "std::to_string(nestingLimit_), " + position() + ");");
    out.close();
    out.line("++nesting_;");
    out.close();
    out.line("");
    if (lexer_)
        nextToken(out);
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        ruleDefinition(out, i);
}

// Gives the parser its own factory, making the grammar's node classes.
void ClassGenerator::factorySetup(CodeWriter& out) const
{
    out.line("factory_.setMaxNodeType(" + std::to_string(vocabulary_.maxType()) + ");");
    if (!info_.nodeType.empty())
        out.line("factory_.setASTNodeFactory(" + info_.nodeType + "::TYPE_NAME, &" + info_.nodeType +
                 "::factory);");
    for (const auto& [token, type] : info_.nodeTypes)
        out.line("factory_.registerFactory(" + token + ", " + type + "::TYPE_NAME, &" + type +
                 "::factory);");
    out.line("astFactory = &factory_;");
}

void ClassGenerator::treeHelpers(CodeWriter& out) const
{
    const std::string& n = grammar_.name;
    out.open("orvel::ASTRefCount<orvel::AST> " + n +
             "::make_(std::initializer_list<orvel::ASTRefCount<orvel::AST>> nodes)");
    out.line("return astFactory->make(std::vector<orvel::ASTRefCount<orvel::AST>>(nodes));");
    out.close();
    out.line("");
    out.line("// After an action set the rule's tree: what follows becomes its last children.");
    out.open("void " + n + "::resetPair_(orvel::ASTPair& pair)");
    out.line("pair.child = pair.root ? pair.root->getFirstChild() : orvel::nullAST;");
    out.line("pair.advanceChildToEnd();");
    out.close();
    out.line("");
}

// The arguments that place a recognition error at the current input.
std::string ClassGenerator::position() const
{
    if (tree_)
        return "\"<AST>\", -1, -1";
    return lexer_ ? "getFilename(), getLine(), getColumn()"
                  : "getFilename(), LT(1)->getLine(), LT(1)->getColumn()";
}

// A guard that traces the rule's entry and exit while tracing is on.
void ClassGenerator::tracer(CodeWriter& out) const
{
    const std::string& n = grammar_.name;
    out.open("class " + n + "::Tracer");
    out.label("public:");
    const std::string node = tree_ ? ", orvel::ASTRefCount<orvel::AST> t" : "";
    out.line("Tracer(" + n + "& r, const char* rule" + node + ")");
    out.line(std::string("    : r_(r.tracing_ ? &r : nullptr), rule_(rule)") + (tree_ ? ", t_(r_ ? t : orvel::nullAST)" : ""));
    out.open("");
    out.line("if (r_)");
    out.line(tree_ ? "    r_->traceIn(rule_, t_);" : "    r_->traceIn(rule_);");
    out.close();
    out.line("~Tracer()");
    out.open("");
    out.line("if (r_)");
    out.line(tree_ ? "    r_->traceOut(rule_, t_);" : "    r_->traceOut(rule_);");
    out.close();
    out.line("Tracer(const Tracer&) = delete;");
    out.line("Tracer& operator=(const Tracer&) = delete;");
    out.line("");
    out.label("private:");
    out.line(n + "* r_;");
    out.line("const char* rule_;");
    if (tree_)
        out.line("orvel::ASTRefCount<orvel::AST> t_;  // the node the rule began at");
    out.close(";");
    out.line("");
}

void ClassGenerator::nextToken(CodeWriter& out)
{
    const Decision& d = info_.tokenDecision;
    const std::size_t rules = info_.tokenRules.size();
    SymbolSet starts(info_.symbolCount);
    for (std::size_t i = 0; i < rules; ++i)
        starts.unite(d.alts[i][0]);
    std::vector<std::string> bodies;
    for (const Rule* r : info_.tokenRules)
        bodies.push_back("m" + r->name + "(true);");
    bodies.push_back("uponEOF();\nreturn makeToken(orvel::Token::EOF_TYPE);");
    out.open("orvel::TokenRefCount<orvel::Token> " + grammar_.name + "::nextToken()");
    out.open("for (;;)");
    out.line("resetText();");
    out.line("returnToken_ = orvel::nullToken;");
    out.line("nestingExceeded_ = false;");
    out.open("try");
    choice(out, d, d.alts.size(), bodies, bodies, noViableAlt(), true, 0, {});
    out.line("if (returnToken_)");
    out.line("    return returnToken_;");
    out.close();
    out.open("catch (const orvel::RecognitionException& ex)");
    out.line("if (nestingExceeded_)");
    out.line("    throw;");
    out.line("reportError(ex);");
    out.line("recover(ex, " + setName(starts) + ");");
    out.close();
    out.close();
    out.close();
    out.line("");
}

void ClassGenerator::declareLabels(CodeWriter& out, const Node& node,
                                   std::map<std::string, bool>& seen) const
{
    if (!node.label.empty() && seen.emplace(node.label, true).second) {
        std::string type = "orvel::TokenRefCount<orvel::Token>";
        if (node.kind == NodeKind::RuleRef && !lexer_)
            type = info_.returnTypes[static_cast<std::size_t>(ruleIndex(node.text))];
        else if (lexer_ && node.kind != NodeKind::RuleRef)
            type = "int";
        else if (tree_)
            type = "orvel::ASTRefCount<orvel::AST>";
        if (!type.empty())
            out.line(type + " " + node.label + "{};");
        if (build_)
            out.line("orvel::ASTRefCount<orvel::AST> " + node.label + "_AST;");
    }
    for (const Sequence& alt : node.alts)
        for (const auto& e : alt)
            declareLabels(out, *e, seen);
}

void ClassGenerator::ruleDefinition(CodeWriter& out, std::size_t index)
{
    const Rule& r = *grammar_.rules[index];
    const RuleSettings& s = info_.settings[index];
    rule_ = &r;
    out.open(signature(index, true));
    if (lexer_) {
        out.line(std::string("int ttype_ = ") +
                 (r.skip ? "orvel::Token::SKIP" : r.fragment ? "orvel::Token::INVALID_TYPE" : r.name) +
                 ";");
        out.line("const std::string::size_type begin_ = text.size();");
    } else if (!info_.returnTypes[index].empty()) {
        out.line(info_.returnTypes[index] + " " + info_.returnNames[index] + "{};");
    }
    knownLA_ = 0;
    std::map<std::string, bool> seen{{info_.returnNames[index], true}};
    declareLabels(out, *r.body, seen);
    if (!lexer_ || recursive_[index])
        out.line("const NestingGuard nestingGuard_(*this);");
    if (!lexer_)
        out.line("const Tracer tracer_(*this, \"" + r.name + (tree_ ? "\", t_);" : "\");"));
    if (build_)
        out.line("orvel::ASTPair currentAST_;");
    manual_ = r.manual;
    if (!r.init.empty())
        out.verbatim(action(r.init));
    const bool handled = s.errorHandler || !r.handlers.empty();
    if (handled)
        out.open("try");
    block(out, *r.body);
    manual_ = false;
    if (!r.handlers.empty()) {
        out.close();
        handlers(out, index);
    } else if (s.errorHandler) {
        out.close();
        out.open("catch (const orvel::RecognitionException& ex)");
        passThrough(out);
        if (lexer_) {
            out.line("reportError(ex);");
            out.line("recover(ex, " + setName(info_.follow[index]) + ");");
        } else if (tree_) {
            out.line("reportError(ex);");
            out.line("if (t_)");
            out.line("    t_ = t_->getNextSibling();");
        } else {
            out.open("if (LT(1) == lastErrorToken_)");
            out.line("consume();");
            out.close();
            out.open("else");
            out.line("reportError(ex);");
            out.line("lastErrorToken_ = LT(1);");
            out.close();
            out.line("consumeUntil(" + setName(info_.follow[index]) + ");");
        }
        out.close();
    }
    if (lexer_) {
        out.open("if (createToken_ && ttype_ != orvel::Token::SKIP)");
        if (s.testLiterals && !r.fragment)
            out.line("ttype_ = testLiteralsTable(text.substr(begin_), ttype_);");
        out.line("returnToken_ = makeToken(ttype_);");
        out.line("if (begin_ == 0)");
        out.line("    returnToken_->setText(text);");
        out.line("else");
        out.line("    returnToken_->setText(text.substr(begin_));");
        out.close();
    } else {
        if (build_)
            out.line("returnAST_ = currentAST_.root;");
        if (tree_)
            out.line("retTree_ = t_;");
        if (!info_.returnTypes[index].empty())
            out.line("return " + info_.returnNames[index] + ";");
    }
    out.close();
    out.line("");
}

// Rethrows, at the start of a rule's handler, what no rule may handle: the
// nesting error, and any error while guessing (it fails the guess).
void ClassGenerator::passThrough(CodeWriter& out) const
{
    out.line(guard_ ? "if (nestingExceeded_ || inputState->guessing > 0)" : "if (nestingExceeded_)");
    out.line("    throw;");
}

// The rule's own `catch` clauses, in place of reporting and recovering. The
// nesting error still reaches the caller of the start rule, and an error
// while guessing still fails the guess.
void ClassGenerator::handlers(CodeWriter& out, std::size_t index)
{
    for (const Handler& h : grammar_.rules[index]->handlers) {
        out.open("catch (" + h.declaration + ")");
        passThrough(out);
        out.verbatim(action(h.code));
        out.close();
    }
}

// Whether `node` matches exactly one symbol.
bool ClassGenerator::isSingle(const Node& node, bool lexer)
{
    return node.kind == NodeKind::Char || node.kind == NodeKind::Range ||
           node.kind == NodeKind::Not || node.kind == NodeKind::Wildcard ||
           node.kind == NodeKind::TokenRef ||
           (node.kind == NodeKind::String && (!lexer || node.text.size() == 1));
}

// Whether the lexer rule reference `ref` calls a helper rule whose every
// alternative is one unlabelled character and which does nothing else: once
// the caller has checked LA(1), calling it is the same as consuming.
bool ClassGenerator::matchesOneChar(const Node& ref) const
{
    const int index = ruleIndex(ref.text);
    if (!lexer_ || !ref.label.empty() || !ref.args.empty() || index < 0)
        return false;
    const Rule& r = *grammar_.rules[static_cast<std::size_t>(index)];
    if (!r.fragment || !r.args.empty() || !r.init.empty() || !r.returns.empty())
        return false;
    for (const Sequence& alt : r.body->alts)
        if (alt.size() != 1 || !alt[0]->label.empty() || !isSingle(*alt[0], true))
            return false;
    return !r.body->alts.empty();
}

void ClassGenerator::sequence(CodeWriter& out, const Sequence& seq)
{
    for (const auto& e : seq)
        element(out, *e);
}

void ClassGenerator::element(CodeWriter& out, const Node& node)
{
    const std::string& label = node.label;
    const bool verified = verified_;
    verified_ = false;
    const int known = knownLA_;
    knownLA_ = 0;
    if (verified && node.kind == NodeKind::RuleRef && matchesOneChar(node)) {
        out.line("consume();");
        return;
    }
    switch (node.kind) {
    case NodeKind::Action: {
        const std::string code = action(node.text);
        if (guard_ && !node.always)
            out.open("if (inputState->guessing == 0)");
        out.verbatim(code);
        if (build_ && code.find("currentAST_.root") != std::string::npos)
            out.line("resetPair_(currentAST_);");
        if (guard_ && !node.always)
            out.close();
        return;
    }
    case NodeKind::SemPred:
        out.open("if (!(" + action(node.text) + "))");
        out.line("throw orvel::RecognitionException(" +
                 quoted("failed predicate: {" + trim(node.text) + "}") + ", " + position() + ");");
        out.close();
        return;
    case NodeKind::SynPred: return;  // decided on before the alternative
    case NodeKind::Tree:
        verified_ = verified;
        treePattern(out, node);
        return;
    case NodeKind::Block:
        knownLA_ = known;
        block(out, node);
        return;
    case NodeKind::RuleRef: {
        const int callee = ruleIndex(node.text);
        const bool value = !label.empty() && (lexer_ || !info_.returnTypes[callee].empty());
        if (lexer_) {
            out.line("m" + node.text + "(" + (label.empty() ? "false" : "true") +
                     (node.args.empty() ? "" : ", " + node.args) + ");");
            if (!label.empty())
                out.line(label + " = returnToken_;");
        } else if (tree_) {
            out.line((value ? label + " = " : "") + node.text + "(t_" +
                     (node.args.empty() ? "" : ", " + node.args) + ");");
            out.line("t_ = retTree_;");
        } else {
            out.line((value ? label + " = " : "") + node.text + "(" + node.args + ");");
            if (build_)
                addTree(out, node);
        }
        return;
    }
    default:
        break;
    }
    if (build_)
        buildNode(out, node);
    if (!label.empty())
        out.line(label + (lexer_ ? " = LA(1);" : tree_ ? " = t_;" : " = LT(1);"));
    if (verified && isSingle(node, lexer_)) {
        out.line(tree_ ? "t_ = t_->getNextSibling();" : "consume();");
        return;
    }
    switch (node.kind) {
    case NodeKind::Char:
        matchOne(out, "match", symbol(info_.caseSensitive ? node.low : tolower(node.low)));
        break;
    case NodeKind::String: {
        if (!lexer_) {
            matchOne(out, "match", symbol(vocabulary_.byLiteral(node.text)));
            break;
        }
        std::string t = node.text;
        if (!info_.caseSensitive)
            for (char& c : t)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        if (t.find('\0') != std::string::npos)
            matchOne(out, "match", "std::string(" + quoted(t) + ", " + std::to_string(t.size()) + ")");
        else if (!t.empty())
            matchOne(out, "match", quoted(t));
        break;
    }
    case NodeKind::TokenRef:
        matchOne(out, "match", symbol(node.text == "EOF" ? 1 : vocabulary_.byName(node.text)));
        break;
    case NodeKind::Wildcard:
        matchOne(out, "matchNot", lexer_  ? "EOF_CHAR"
                                  : tree_ ? "orvel::Token::NULL_TREE_LOOKAHEAD"
                                          : "orvel::Token::EOF_TYPE");
        break;
    case NodeKind::Range:
        if (info_.caseSensitive || info_.matchSets.at(&node).members().size() ==
                                       static_cast<std::size_t>(node.high - node.low + 1))
            if (info_.caseSensitive || node.high < 'A' || node.low > 'Z') {
                matchOne(out, "matchRange", symbol(node.low) + ", " + symbol(node.high));
                break;
            }
        matchOne(out, "match", setName(info_.matchSets.at(&node)));
        break;
    case NodeKind::Not: {
        const SymbolSet& set = info_.matchSets.at(&node);
        SymbolSet all(info_.symbolCount);
        if (lexer_)
            all.addRange(0, 255);
        else
            all.addRange(Vocabulary::firstType, vocabulary_.maxType());
        const std::vector<int> excluded = all.minus(set).members();
        if (excluded.size() == 1)
            matchOne(out, "matchNot", symbol(excluded[0]));
        else
            matchOne(out, "match", setName(set));
        break;
    }
    default:
        break;
    }
}

// Writes the call of `check` (match, matchNot or matchRange) with
// `argument`; a tree parser checks the node at hand and moves on to its next
// sibling.
void ClassGenerator::matchOne(CodeWriter& out, const std::string& check, const std::string& argument)
{
    out.line(check + (tree_ ? "(t_, " : "(") + argument + ");");
    if (tree_)
        out.line("t_ = t_->getNextSibling();");
}

// `#( root children )`: the root is matched, then its children from its first
// child on; no child may be left over. What follows starts at the root's
// next sibling.
void ClassGenerator::treePattern(CodeWriter& out, const Node& node)
{
    const std::string root = "tree" + std::to_string(treeDepth_++) + "_";
    out.open("");
    out.line("const orvel::ASTRefCount<orvel::AST> " + root + " = t_;");
    const Sequence& seq = node.alts[0];
    element(out, *seq[0]);
    out.line("t_ = " + root + "->getFirstChild();");
    for (std::size_t i = 1; i < seq.size(); ++i)
        element(out, *seq[i]);
    out.line("if (typeOf_(t_) != orvel::Token::NULL_TREE_LOOKAHEAD)");
    out.line("    throw orvel::NoViableAltException(t_);");
    out.line("t_ = " + root + "->getNextSibling();");
    out.close();
    --treeDepth_;
}

// The guarded code that gives a token its node: labelled tokens always get
// one (for actions), and it joins the tree unless building is off here.
void ClassGenerator::buildNode(CodeWriter& out, const Node& node)
{
    const bool add = !manual_ && node.treeOp != '!';
    if (!add && node.label.empty())
        return;
    CodeWriter w;
    std::string made = "astFactory->create(LT(1))";
    if (!node.label.empty()) {
        w.line(node.label + "_AST = " + made + ";");
        made = node.label + "_AST";
    }
    if (add)
        w.line(std::string("astFactory->") + (node.treeOp == '^' ? "makeASTRoot" : "addASTChild") +
               "(currentAST_, " + made + ");");
    guarded(out, w.text());
}

// After a rule reference: its tree goes to the label and into this rule's tree.
void ClassGenerator::addTree(CodeWriter& out, const Node& node)
{
    CodeWriter w;
    if (!node.label.empty())
        w.line(node.label + "_AST = returnAST_;");
    if (!manual_ && node.treeOp != '!')
        w.line("astFactory->addASTChild(currentAST_, returnAST_);");
    guarded(out, w.text());
}

// Writes `lines`, only run while not guessing when the grammar guesses.
void ClassGenerator::guarded(CodeWriter& out, const std::string& lines)
{
    if (lines.empty())
        return;
    if (guard_)
        out.open("if (inputState->guessing == 0)");
    out.insert(lines);
    if (guard_)
        out.close();
}

// Action code with the tree notation of tree-building parsers rewritten.
std::string ClassGenerator::action(const std::string& code) const
{
    if (!build_)
        return code;
    return translateTreeNotation(code, [this](const std::string& name) {
        return name == rule_->name ? std::string("currentAST_.root") : name + "_AST";
    });
}

// The syntactic predicates that open the alternatives of `node` ("" for
// none): the call of a function that tries it, written to `out` first.
ClassGenerator::Predicates ClassGenerator::predicates(CodeWriter& out, const Node& node)
{
    Predicates preds;
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
void ClassGenerator::guess(CodeWriter& out, const Node& pred)
{
    const std::string rewind = tree_ ? "t_ = mark_;" : "rewind(mark_);";
    out.line(tree_ ? "const orvel::ASTRefCount<orvel::AST> mark_ = t_;"
                   : "const unsigned int mark_ = mark();");
    out.line("++inputState->guessing;");
    out.line("bool matched_ = true;");
    out.open("try");
    const int known = knownLA_;
    knownLA_ = 0;
    verified_ = false;
    block(out, pred);
    knownLA_ = known;
    out.close();
    out.open("catch (const orvel::RecognitionException&)");
    out.line("matched_ = false;");
    out.open("if (nestingExceeded_)");
    out.line(rewind);
    out.line("--inputState->guessing;");
    out.line("throw;");
    out.close();
    out.close();
    out.open("catch (...)");
    out.line(rewind);
    out.line("--inputState->guessing;");
    out.line("throw;");
    out.close();
    out.line(rewind);
    out.line("--inputState->guessing;");
    out.line("return matched_;");
}

std::vector<std::string> ClassGenerator::altBodies(const Node& node, bool verified, int known)
{
    std::vector<std::string> bodies;
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
        for (std::size_t e = decided ? 1 : 0; e < alt.size(); ++e)
            element(w, *alt[e]);
        verified_ = false;
        bodies.push_back(w.text());
    }
    manual_ = manual;
    return bodies;
}

void ClassGenerator::block(CodeWriter& out, const Node& node)
{
    const int known = knownLA_;
    if (node.decision < 0) {
        const bool manual = manual_;
        manual_ = manual || (!node.manualAlts.empty() && node.manualAlts[0]);
        sequence(out, node.alts[0]);
        manual_ = manual;
        return;
    }
    knownLA_ = 0;
    const Decision& d = info_.decisions[static_cast<std::size_t>(node.decision)];
    if (node.suffix == '*' || node.suffix == '+') {
        loop(out, node, d);
        return;
    }
    const Predicates preds = predicates(out, node);
    const int inside = known | reads(d, node.alts.size(), true, preds);
    const std::vector<std::string> bodies = altBodies(node, true, inside);
    choice(out, d, bodies.size(), bodies, altBodies(node, false, inside),
           node.suffix == '?' ? "" : noViableAlt(), true, known, preds);
    knownLA_ = 0;  // what the taken alternative consumed is not known here
}

void ClassGenerator::loop(CodeWriter& out, const Node& node, const Decision& d)
{
    const std::string count = "count" + std::to_string(node.decision) + "_";
    const bool plus = node.suffix == '+';
    out.open(plus ? "for (int " + count + " = 0;; ++" + count + ")" : "for (;;)");
    const std::string exit = plus ? "if (" + count + " >= 1)\n    break;\n" + noViableAlt() : "break;";
    // The exit is tested first in a non-greedy loop: it ends as soon as what follows it fits.
    Decision exitFirst = d;
    Predicates preds = predicates(out, node);
    if (!d.greedy) {
        std::rotate(exitFirst.alts.rbegin(), exitFirst.alts.rbegin() + 1, exitFirst.alts.rend());
        exitFirst.guards.insert(exitFirst.guards.begin(), std::vector<Guard>{});
        preds.insert(preds.begin(), "");
    }
    const int inside = reads(exitFirst, node.alts.size() + (d.greedy ? 0 : 1), false, preds);
    std::vector<std::string> bodies = altBodies(node, true, inside);
    std::vector<std::string> untested = altBodies(node, false, inside);
    if (!d.greedy) {
        bodies.insert(bodies.begin(), plus ? "if (" + count + " >= 1)\n    break;" : "break;");
        untested.insert(untested.begin(), bodies.front());
    }
    choice(out, exitFirst, bodies.size(), bodies, untested, exit, false, 0, preds);
    out.close();
    knownLA_ = 0;
}

// The tests of the first `alts` alternatives of `d` up to the first one that
// tests nothing, whose index goes to `fallback` (`alts` when there is none);
// the la<depth>_ they read go to `reads`, bit depth - 1 for each.
std::vector<std::string> ClassGenerator::altTests(const Decision& d, std::size_t alts,
                                                  std::size_t& fallback, int& reads,
                                                  const Predicates& preds)
{
    std::vector<std::string> tests;
    fallback = alts;
    for (std::size_t a = 0; a < alts && fallback == alts; ++a) {
        std::string t;
        if (a < d.guards.size() && !d.guards[a].empty())
            t = guardTest(d.guards[a], d.depth, reads);
        else
            t = lookaheadTest(d.alts[a], d.depth, reads);
        if (a < preds.size() && !preds[a].empty())
            t += (t.empty() ? "" : " && ") + preds[a];
        if (t.empty())
            fallback = a;
        tests.push_back(t);
    }
    return tests;
}

// The test that LA(1..depth) is in `look`; empty when it always holds.
std::string ClassGenerator::lookaheadTest(const std::vector<SymbolSet>& look, int depth, int& reads)
{
    std::string t;
    for (int i = 1; i <= depth; ++i) {
        const std::string one = test(look[static_cast<std::size_t>(i - 1)], i, reads);
        if (!one.empty())
            t += (t.empty() ? "" : " && ") + one;
    }
    return t;
}

// The test that one of `guards` holds: its lookahead, and its predicate
// where it has one; empty when one of them always holds.
std::string ClassGenerator::guardTest(const std::vector<Guard>& guards, int depth, int& reads)
{
    std::vector<std::string> each;
    for (const Guard& g : guards) {
        std::string t = lookaheadTest(g.look, depth, reads);
        if (g.predicate)
            t += (t.empty() ? "(" : " && (") + action(g.predicate->text) + ")";
        if (t.empty())
            return "";
        each.push_back(t);
    }
    if (each.size() == 1)
        return each[0];
    std::string out;
    for (const std::string& t : each)
        out += (out.empty() ? "(" : " || (") + t + ")";
    return out;
}

// How `choice` decides among the first `alts` alternatives of `d`.
ClassGenerator::Tests ClassGenerator::decisionTests(const Decision& d, std::size_t alts,
                                                    bool allowSwitch, const Predicates& preds)
{
    Tests t;
    t.tests = altTests(d, alts, t.fallback, t.reads, preds);
    t.useSwitch = usesSwitch(d, t.tests.size(), allowSwitch, preds);
    if (t.useSwitch)
        t.reads |= 1;
    return t;
}

// The la<depth>_ that `choice` reads for `d`, bit depth - 1 for each.
int ClassGenerator::reads(const Decision& d, std::size_t alts, bool allowSwitch,
                          const Predicates& preds)
{
    return decisionTests(d, alts, allowSwitch, preds).reads;
}

// Whether `choice` writes a switch on LA(1): for three or more alternatives
// that one symbol tells apart and no predicate guards.
bool ClassGenerator::usesSwitch(const Decision& d, std::size_t alts, bool allowSwitch,
                                const Predicates& preds)
{
    for (const std::string& p : preds)
        if (!p.empty())
            return false;
    for (const std::vector<Guard>& g : d.guards)
        if (!g.empty())
            return false;
    return allowSwitch && d.depth == 1 && alts > 2;
}

// Chooses among `alts` alternatives by their lookahead, first one first; a
// `switch` when one symbol decides, a chain of tests otherwise. An
// alternative that may begin with anything is taken when no other fits (in
// its `untested` form, which matches its first element instead of consuming it),
// `otherwise` when there is none. The la<depth>_ in `known` are already read.
void ClassGenerator::choice(CodeWriter& out, const Decision& d, std::size_t alts,
                            const std::vector<std::string>& bodies,
                            const std::vector<std::string>& untested, const std::string& otherwise,
                            bool allowSwitch, int known, const Predicates& preds)
{
    const Tests decided = decisionTests(d, alts, allowSwitch, preds);
    const std::vector<std::string>& tests = decided.tests;
    const std::size_t fallback = decided.fallback;
    const std::string fallbackBody = fallback < alts ? untested[fallback] : otherwise;
    const bool useSwitch = decided.useSwitch;
    int mask = decided.reads & ~known;
    out.open("");
    for (int depth = 1; depth <= d.depth; ++depth)
        if (mask & (1 << (depth - 1)))
            out.line("const int la" + std::to_string(depth) + "_ = " +
                     (tree_ ? std::string("typeOf_(t_)") : "LA(" + std::to_string(depth) + ")") + ";");
    if (useSwitch) {
        out.open("switch (la1_)");
        SymbolSet claimed(info_.symbolCount);
        std::vector<std::pair<std::size_t, SymbolSet>> large;
        for (std::size_t a = 0; a < tests.size(); ++a) {
            if (a == fallback)
                break;
            const SymbolSet mine = d.alts[a][0].minus(claimed);
            claimed.unite(mine);
            const std::vector<int> m = mine.members();
            if (m.empty())
                continue;
            if (m.size() > maxCaseLabels) {
                large.emplace_back(a, mine);
                continue;
            }
            std::string labels;
            for (std::size_t i = 0; i < m.size(); ++i)
                labels += std::string(i % 8 ? " " : (i ? "\n" : "")) + "case " + symbol(m[i]) + ":";
            out.insert(labels);
            out.open("");
            out.insert(bodies[a]);
            out.line("break;");
            out.close();
        }
        out.line("default:");
        for (std::size_t i = 0; i < large.size(); ++i) {
            out.open((i ? "else if " : "if ") + std::string("(") + test(large[i].second, 1, mask) + ")");
            out.insert(bodies[large[i].first]);
            out.close();
        }
        if (!large.empty())
            out.open("else");
        out.insert(fallbackBody.empty() && large.empty() ? "break;" : fallbackBody);
        if (!large.empty())
            out.close();
        out.close();
    } else {
        for (std::size_t a = 0; a < tests.size() && a != fallback; ++a) {
            out.open((a ? "else if (" : "if (") + tests[a] + ")");
            out.insert(bodies[a]);
            out.close();
        }
        if (!fallbackBody.empty()) {
            if (fallback != 0)
                out.open("else");
            out.insert(fallbackBody);
            if (fallback != 0)
                out.close();
        }
    }
    out.close();
}

std::string guardName(const std::string& stem)
{
    std::string out = "ORVEL_GENERATED_";
    for (char c : identifierOf(stem))
        out += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return out + "_HPP";
}

std::string header(const GrammarFile& file, const FileInfo& info)
{
    const std::string id = identifierOf(file.stem);
    CodeWriter out;
    out.line("// Generated by orvelc from " + file.path + "; do not edit.");
    out.line("#ifndef " + guardName(file.stem));
    out.line("#define " + guardName(file.stem));
    out.line("");
    for (const char* h : {"AST", "ASTFactory", "ASTPair", "ASTRefCount", "CharScanner",
                          "InputBuffer", "LLkParser", "LexerInputState", "ParserInputState",
                          "RefCount", "Token", "TokenBuffer", "TokenStream", "TreeParser",
                          "TreeParserInputState"})
        out.line("#include <orvel/" + std::string(h) + ".hpp>");
    for (const auto& [name, pos] : file.imports)
        out.line("#include \"" + name + ".hpp\"");
    out.line("");
    out.line("#include <initializer_list>");
    out.line("#include <istream>");
    out.line("#include <string>");
    if (!file.header.empty())
        out.verbatim(file.header);
    out.line("");
    if (!file.nameSpace.empty())
        out.line("namespace " + file.nameSpace + " {\n");
    out.open("enum " + id + "TokenTypes : int");
    for (const TokenEntry* e : info.vocabulary.entries())
        if (!e->imported)
            out.line(e->name + " = " + std::to_string(e->type) + ",");
    out.close(";");
    out.line("");
    out.line("// The names of the token types, indexed by type, as messages show them.");
    out.open("inline constexpr const char* " + id + "TokenNames[] =");
    std::vector<std::string> names(static_cast<std::size_t>(info.vocabulary.maxType() + 1));
    const char* const fixed[] = {"<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD"};
    for (std::size_t t = 0; t < names.size(); ++t)
        names[t] = t < 4 ? fixed[t] : info.vocabulary.displayName(static_cast<int>(t));
    for (const std::string& n : names)
        out.line(quoted(n) + ",");
    out.close(";");
    out.line("inline constexpr int " + id + "NumTokens = " + std::to_string(names.size()) + ";");
    SetTables unused;
    for (const GrammarInfo& g : info.grammars) {
        out.line("");
        ClassGenerator(g, info.vocabulary, unused).declaration(out);
    }
    if (!file.nameSpace.empty())
        out.line("\n}");
    out.line("");
    out.line("#endif");
    return out.text();
}

std::string source(const GrammarFile& file, const FileInfo& info)
{
    const std::string id = identifierOf(file.stem);
    SetTables sets;
    CodeWriter body;
    for (const GrammarInfo& g : info.grammars)
        ClassGenerator(g, info.vocabulary, sets).definition(body);
    CodeWriter out;
    out.line("// Generated by orvelc from " + file.path + "; do not edit.");
    out.line("#include \"" + file.stem + ".hpp\"");
    out.line("");
    for (const char* h : {"AST", "BitSet", "CharBuffer", "NoViableAltException",
                          "NoViableAltForCharException", "RecognitionException"})
        out.line("#include <orvel/" + std::string(h) + ".hpp>");
    out.line("");
    out.line("#include <string>");
    out.line("#include <vector>");
    if (!file.code.empty())
        out.verbatim(file.code);
    out.line("");
    if (!file.nameSpace.empty())
        out.line("namespace " + file.nameSpace + " {\n");
    out.line("namespace {");
    out.line("");
    out.line("[[maybe_unused]] constexpr const char* const* tokenNames = " + id + "TokenNames;");
    out.verbatim(sets.definitions(body.text()));
    out.line("}");
    out.line("");
    out.verbatim(body.text());
    if (!file.nameSpace.empty())
        out.line("}");
    return out.text();
}

}

std::vector<OutputFile> generate(const GrammarFile& file, const FileInfo& info)
{
    std::ostringstream vocab;
    info.vocabulary.write(vocab);
    return {{file.stem + ".hpp", header(file, info)},
            {file.stem + ".cpp", source(file, info)},
            {file.stem + ".vocab", vocab.str()}};
}

}
