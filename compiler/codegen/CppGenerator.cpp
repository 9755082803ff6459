#include "codegen/CppGenerator.hpp"

#include "codegen/CodeWriter.hpp"

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
          recursive_(recursiveRules(grammar_))
    {
    }

    void declaration(CodeWriter& out) const;
    void definition(CodeWriter& out);

private:
    std::string symbol(int s) const;
    std::string test(const SymbolSet& set, int depth);
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
    std::vector<std::string> altTests(const Decision& d, std::size_t alts, std::size_t& fallback);
    int reads(const Decision& d, std::size_t alts, bool allowSwitch);
    void choice(CodeWriter& out, const Decision& d, std::size_t alts,
                const std::vector<std::string>& bodies, const std::vector<std::string>& untested,
                const std::string& otherwise, bool allowSwitch, int known);
    std::vector<std::string> altBodies(const Node& node, bool verified, int known);
    std::string noViableAlt() const;
    void nextToken(CodeWriter& out);
    int ruleIndex(const std::string& name) const;

    const GrammarInfo& info_;
    const Grammar& grammar_;
    const Vocabulary& vocabulary_;
    SetTables& sets_;
    bool lexer_;
    std::vector<bool> recursive_;
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
    for (const TokenEntry* e : vocabulary_.entries())
        if (e->type == s)
            return e->name;
    return std::to_string(s);
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
std::string ClassGenerator::test(const SymbolSet& set, int depth)
{
    if (set.has(info_.endSymbol))
        return "";
    const std::string la = "la" + std::to_string(depth) + "_";
    std::vector<int> m = set.members();
    if (m.empty())
        return "false";
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
    return type + " " + scope + r.name + "(" + r.args + ")";
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
    } else {
        out.open("class " + n + " final : public orvel::LLkParser");
        out.label("public:");
        out.line("explicit " + n + "(orvel::TokenStream& lexer);");
        out.line("explicit " + n + "(orvel::TokenBuffer& buffer);");
        out.line("explicit " + n + "(const orvel::RefCount<orvel::ParserInputState>& state);");
        out.line("");
        out.line("orvel::ASTRefCount<orvel::AST> getAST() override;");
        out.line("const char* getTokenName(int type) const override;");
        out.line("const char* const* getTokenNames() const override;");
        out.line("int getNumTokens() const override;");
    }
    out.line("");
    out.line("// Rules nest at most this deep before a recognition error ends the input.");
    out.line("void setNestingLimit(int limit) { nestingLimit_ = limit; }");
    out.line("int getNestingLimit() const { return nestingLimit_; }");
    out.line("");
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        out.line(signature(i, false) + ";");
    if (!grammar_.members.empty())
        out.verbatim(grammar_.members);
    out.line("");
    out.label("private:");
    out.line("class NestingGuard;");
    out.line("void enterRule();");
    if (lexer_)
        out.line("orvel::TokenRefCount<orvel::Token> returnToken_;");
    else
        out.line("orvel::TokenRefCount<orvel::Token> lastErrorToken_;  // where the last error was reported");
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
        for (int i = 0; i < 3; ++i)
            out.line(n + "::" + n + "(" + inits[i] + ") : LLkParser(" + bases[i] + ", " +
                     std::to_string(info_.k) + ") {}");
        out.line("");
        out.line("orvel::ASTRefCount<orvel::AST> " + n + "::getAST() { return orvel::nullAST; }");
        out.line("");
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
    out.open("void " + n + "::enterRule()");
    if (!lexer_)
        out.line("if (nesting_ == 0)\n        nestingExceeded_ = false;");
    out.open("if (nesting_ >= nestingLimit_)");
    out.line("nestingExceeded_ = true;");
    out.line("throw orvel::RecognitionException(\"nesting deeper than \" + "
             "std::to_string(nestingLimit_), getFilename(), " +
             std::string(lexer_ ? "getLine(), getColumn()" : "LT(1)->getLine(), LT(1)->getColumn()") + ");");
    out.close();
    out.line("++nesting_;");
    out.close();
    out.line("");
    if (lexer_)
        nextToken(out);
    for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
        ruleDefinition(out, i);
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
    choice(out, d, d.alts.size(), bodies, bodies, noViableAlt(), true, 0);
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
        out.line(type + " " + node.label + "{};");
    }
    for (const Sequence& alt : node.alts)
        for (const auto& e : alt)
            declareLabels(out, *e, seen);
}

void ClassGenerator::ruleDefinition(CodeWriter& out, std::size_t index)
{
    const Rule& r = *grammar_.rules[index];
    const RuleSettings& s = info_.settings[index];
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
    if (!r.init.empty())
        out.verbatim(r.init);
    if (s.errorHandler)
        out.open("try");
    block(out, *r.body);
    if (s.errorHandler) {
        out.close();
        out.open("catch (const orvel::RecognitionException& ex)");
        out.line("if (nestingExceeded_)");
        out.line("    throw;");
        if (lexer_) {
            out.line("reportError(ex);");
            out.line("recover(ex, " + setName(info_.follow[index]) + ");");
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
    } else if (!info_.returnTypes[index].empty()) {
        out.line("return " + info_.returnNames[index] + ";");
    }
    out.close();
    out.line("");
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
    if (verified && isSingle(node, lexer_)) {
        if (!label.empty())
            out.line(label + (lexer_ ? " = LA(1);" : " = LT(1);"));
        out.line("consume();");
        return;
    }
    switch (node.kind) {
    case NodeKind::Action: out.verbatim(node.text); return;
    case NodeKind::Block:
        knownLA_ = known;
        block(out, node);
        return;
    case NodeKind::RuleRef:
        if (lexer_) {
            out.line("m" + node.text + "(" + (label.empty() ? "false" : "true") +
                     (node.args.empty() ? "" : ", " + node.args) + ");");
            if (!label.empty())
                out.line(label + " = returnToken_;");
        } else {
            out.line((label.empty() ? "" : label + " = ") + node.text + "(" + node.args + ");");
        }
        return;
    default:
        break;
    }
    if (!label.empty())
        out.line(label + (lexer_ ? " = LA(1);" : " = LT(1);"));
    switch (node.kind) {
    case NodeKind::Char:
        out.line("match(" + symbol(info_.caseSensitive ? node.low : tolower(node.low)) + ");");
        break;
    case NodeKind::String: {
        if (!lexer_) {
            out.line("match(" + symbol(vocabulary_.byLiteral(node.text)) + ");");
            break;
        }
        std::string t = node.text;
        if (!info_.caseSensitive)
            for (char& c : t)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        if (t.find('\0') != std::string::npos)
            out.line("match(std::string(" + quoted(t) + ", " + std::to_string(t.size()) + "));");
        else if (!t.empty())
            out.line("match(" + quoted(t) + ");");
        break;
    }
    case NodeKind::TokenRef:
        out.line("match(" + symbol(node.text == "EOF" ? 1 : vocabulary_.byName(node.text)) + ");");
        break;
    case NodeKind::Wildcard:
        out.line(lexer_ ? "matchNot(EOF_CHAR);" : "matchNot(orvel::Token::EOF_TYPE);");
        break;
    case NodeKind::Range:
        if (info_.caseSensitive || info_.matchSets.at(&node).members().size() ==
                                       static_cast<std::size_t>(node.high - node.low + 1))
            if (info_.caseSensitive || node.high < 'A' || node.low > 'Z') {
                out.line("matchRange(" + symbol(node.low) + ", " + symbol(node.high) + ");");
                break;
            }
        out.line("match(" + setName(info_.matchSets.at(&node)) + ");");
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
            out.line("matchNot(" + symbol(excluded[0]) + ");");
        else
            out.line("match(" + setName(set) + ");");
        break;
    }
    default:
        break;
    }
}

std::vector<std::string> ClassGenerator::altBodies(const Node& node, bool verified, int known)
{
    std::vector<std::string> bodies;
    for (const Sequence& alt : node.alts) {
        CodeWriter w;
        verified_ = verified;
        knownLA_ = known;
        sequence(w, alt);
        verified_ = false;
        bodies.push_back(w.text());
    }
    return bodies;
}

void ClassGenerator::block(CodeWriter& out, const Node& node)
{
    const int known = knownLA_;
    if (node.decision < 0) {
        sequence(out, node.alts[0]);
        return;
    }
    knownLA_ = 0;
    const Decision& d = info_.decisions[static_cast<std::size_t>(node.decision)];
    if (node.suffix == '*' || node.suffix == '+') {
        loop(out, node, d);
        return;
    }
    const int inside = known | reads(d, node.alts.size(), true);
    const std::vector<std::string> bodies = altBodies(node, true, inside);
    choice(out, d, bodies.size(), bodies, altBodies(node, false, inside),
           node.suffix == '?' ? "" : noViableAlt(), true, known);
}

void ClassGenerator::loop(CodeWriter& out, const Node& node, const Decision& d)
{
    const std::string count = "count" + std::to_string(node.decision) + "_";
    const bool plus = node.suffix == '+';
    out.open(plus ? "for (int " + count + " = 0;; ++" + count + ")" : "for (;;)");
    const std::string exit = plus ? "if (" + count + " >= 1)\n    break;\n" + noViableAlt() : "break;";
    // The exit is tested first in a non-greedy loop: it ends as soon as what follows it fits.
    Decision exitFirst = d;
    if (!d.greedy)
        std::rotate(exitFirst.alts.rbegin(), exitFirst.alts.rbegin() + 1, exitFirst.alts.rend());
    const int inside = reads(exitFirst, node.alts.size() + (d.greedy ? 0 : 1), false);
    std::vector<std::string> bodies = altBodies(node, true, inside);
    std::vector<std::string> untested = altBodies(node, false, inside);
    if (!d.greedy) {
        bodies.insert(bodies.begin(), plus ? "if (" + count + " >= 1)\n    break;" : "break;");
        untested.insert(untested.begin(), bodies.front());
    }
    choice(out, exitFirst, bodies.size(), bodies, untested, exit, false, 0);
    out.close();
}

// The tests of the first `alts` alternatives of `d` up to the first one that
// tests nothing, whose index goes to `fallback` (`alts` when there is none).
std::vector<std::string> ClassGenerator::altTests(const Decision& d, std::size_t alts,
                                                  std::size_t& fallback)
{
    std::vector<std::string> tests;
    fallback = alts;
    for (std::size_t a = 0; a < alts && fallback == alts; ++a) {
        std::string t;
        for (int depth = 1; depth <= d.depth; ++depth) {
            const std::string one = test(d.alts[a][static_cast<std::size_t>(depth - 1)], depth);
            if (!one.empty())
                t += (t.empty() ? "" : " && ") + one;
        }
        if (t.empty())
            fallback = a;
        tests.push_back(t);
    }
    return tests;
}

// The la<depth>_ that `choice` reads for `d`, bit depth - 1 for each.
int ClassGenerator::reads(const Decision& d, std::size_t alts, bool allowSwitch)
{
    std::size_t fallback = alts;
    const std::vector<std::string> tests = altTests(d, alts, fallback);
    int mask = allowSwitch && d.depth == 1 && tests.size() > 2 ? 1 : 0;
    for (int depth = 1; depth <= d.depth; ++depth)
        for (const std::string& t : tests)
            if (t.find("la" + std::to_string(depth) + "_") != std::string::npos)
                mask |= 1 << (depth - 1);
    return mask;
}

// Chooses among `alts` alternatives by their lookahead, first one first; a
// `switch` when one symbol decides, a chain of tests otherwise. An
// alternative that may begin with anything is taken when no other fits (in
// its `untested` form, which matches its first element instead of consuming it),
// `otherwise` when there is none. The la<depth>_ in `known` are already read.
void ClassGenerator::choice(CodeWriter& out, const Decision& d, std::size_t alts,
                            const std::vector<std::string>& bodies,
                            const std::vector<std::string>& untested, const std::string& otherwise,
                            bool allowSwitch, int known)
{
    std::size_t fallback = alts;
    const std::vector<std::string> tests = altTests(d, alts, fallback);
    const std::string fallbackBody = fallback < alts ? untested[fallback] : otherwise;
    const bool useSwitch = allowSwitch && d.depth == 1 && tests.size() > 2;
    const int mask = reads(d, alts, allowSwitch) & ~known;
    out.open("");
    for (int depth = 1; depth <= d.depth; ++depth)
        if (mask & (1 << (depth - 1)))
            out.line("const int la" + std::to_string(depth) + "_ = LA(" + std::to_string(depth) +
                     ");");
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
            out.open((i ? "else if " : "if ") + std::string("(") + test(large[i].second, 1) + ")");
            out.insert(bodies[large[i].first]);
            out.close();
        }
        if (!large.empty())
            out.open("else");
        out.insert(fallbackBody);
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
    for (const char* h : {"CharScanner", "InputBuffer", "LLkParser", "LexerInputState",
                          "ParserInputState", "RefCount", "Token", "TokenBuffer", "TokenStream"})
        out.line("#include <orvel/" + std::string(h) + ".hpp>");
    for (const auto& [name, pos] : file.imports)
        out.line("#include \"" + name + ".hpp\"");
    out.line("");
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
