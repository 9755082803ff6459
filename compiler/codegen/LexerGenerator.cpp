#include "codegen/LexerGenerator.hpp"

#include <map>

namespace orvelc {

namespace {

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

}

void LexerGenerator::publicMembers(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    out.line("// Reads `in` in blocks through an orvel::InputWindow; `in` must outlive the lexer.");
    out.line("explicit " + n + "(std::istream& in);");
    out.line("// Reads `window`: memory the caller holds, a whole file, or a stream.");
    out.line("explicit " + n + "(orvel::InputWindow window);");
    out.line("// Take bytes from the buffer, or the state's buffer, as lookahead reaches them.");
    out.line("explicit " + n + "(orvel::InputBuffer& in);");
    out.line("explicit " + n + "(const orvel::RefCount<orvel::LexerInputState>& state);");
    out.line("");
    out.line("orvel::TokenRefCount<orvel::Token> nextToken() override;");
    if (info_.modeNames.size() > 1) {
        out.line("");
        out.line("// The modes, for pushMode(), popMode() and setMode().");
        std::string modes;
        for (const std::string& m : info_.modeNames)
            modes += (modes.empty() ? "" : ", ") + m;
        out.line("enum Mode : int { " + modes + " };");
    }
}

void LexerGenerator::privateMembers(CodeWriter& out)
{
    out.line("orvel::TokenRefCount<orvel::Token> returnToken_;");
    if (hasKeywords())
        out.line("static int keywordType_(std::string_view text, int otherwise);");
}

void LexerGenerator::prelude(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    const std::string cs = info_.caseSensitive ? "true" : "false";
    const char* const inits[] = {"std::istream& in", "orvel::InputWindow window", "orvel::InputBuffer& in",
                                 "const orvel::RefCount<orvel::LexerInputState>& state"};
    const char* const bases[] = {"orvel::InputWindow(in)", "std::move(window)", "orvel::InputWindow(in)",
                                 "state"};
    for (int i = 0; i < 4; ++i) {
        out.line(n + "::" + n + "(" + inits[i] + ")");
        out.openFunction("    : WindowScanner(" + std::string(bases[i]) + ", " + cs + ")");
        settings(out);
        out.close();
        out.line("");
    }
    if (hasKeywords())
        keywordType(out);
    nextToken(out);
}

// The literals a token rule's text may turn out to be (soft keywords stay
// names: the parser tells them by their text).
std::vector<const TokenEntry*> LexerGenerator::keywords() const
{
    std::vector<const TokenEntry*> found;
    for (const TokenEntry* e : vocabulary_.entries())
        if (e->isLiteral && !e->soft)
            found.push_back(e);
    return found;
}

bool LexerGenerator::hasKeywords() const { return !keywords().empty(); }

// The type of the keyword spelt `text`, or `otherwise`: a switch on the
// length and one on the first byte, then a comparison per literal left.
void LexerGenerator::keywordType(CodeWriter& out) const
{
    const bool folded = !info_.caseSensitiveLiterals;
    // By length, then first byte: each literal's spelling (folded) and name.
    std::map<std::size_t, std::map<int, std::vector<std::pair<std::string, std::string>>>> literals;
    for (const TokenEntry* e : keywords()) {
        const std::string spelling = folded ? lowered(e->literal) : e->literal;
        const int first = spelling.empty() ? -1 : static_cast<unsigned char>(spelling[0]);
        literals[spelling.size()][first].emplace_back(spelling, e->name);
    }
    out.openFunction("int " + grammar_.name + "::keywordType_(std::string_view text, int otherwise)");
    out.open("switch (text.size())");
    for (const auto& [length, byFirst] : literals) {
        out.label("case " + std::to_string(length) + ":");
        if (length > 0)
            out.open(folded ? "switch (toLower(static_cast<unsigned char>(text[0])))"
                            : "switch (static_cast<unsigned char>(text[0]))");
        for (const auto& [first, spellings] : byFirst) {
            if (length > 0)
                out.label("case " + symbol(first) + ":");
            for (const auto& [spelling, name] : spellings) {
                const std::string literal = "std::string_view(" + quoted(spelling) + ", " + std::to_string(length) + ")";
                out.open(folded ? "if (equalsFolded(text, " + literal + "))" : "if (text == " + literal + ")");
                out.line("return " + name + ";");
                out.close();
            }
            if (length > 0)
                out.line("break;");
        }
        if (length > 0)
            out.close();
        out.line("break;");
    }
    out.close();
    out.line("return otherwise;");
    out.close();
    out.line("");
}

// What the grammar's options set in the constructors.
void LexerGenerator::settings(CodeWriter& out) const
{
    if (info_.tabSize > 0)
        out.line("setTabSize(" + std::to_string(info_.tabSize) + ");");
    if (findOption(grammar_.options, "nestingLimit"))
        out.line("setNestingLimit(" + std::to_string(info_.nestingLimit) + ");");
    if (info_.errorLimit > 0)
        out.line("setErrorLimit(" + std::to_string(info_.errorLimit) + ");");
    if (info_.modeNames.size() > 1)
        out.line("setModeCount(" + std::to_string(info_.modeNames.size()) + ");");
}

// Tokens that actions emitted come out first; then one token is scanned by
// the choice of the mode in force.
void LexerGenerator::nextToken(CodeWriter& out)
{
    std::vector<SymbolSet> startSets;
    for (std::size_t m = 0; m < info_.tokenDecisions.size(); ++m) {
        startSets.emplace_back(info_.symbolCount);
        for (std::size_t i = 0; i < info_.tokenRules[m].size(); ++i)
            startSets.back().unite(info_.tokenDecisions[m].alts[i][0]);
    }
    out.openFunction("orvel::TokenRefCount<orvel::Token> " + grammar_.name + "::nextToken()");
    out.open("for (;;)");
    out.open("if (hasEmitted())");
    out.line("return deliver(takeEmitted());");
    out.close();
    out.line("resetText();");
    out.line("returnToken_ = orvel::nullToken;");
    out.open("try");
    if (info_.tokenDecisions.size() == 1) {
        modeChoice(out, 0);
    } else {
        out.open("switch (getMode())");
        for (std::size_t m = 0; m < info_.tokenDecisions.size(); ++m) {
            out.label("case " + info_.modeNames[m] + ": {");
            modeChoice(out, m);
            out.line("break;");
            out.label("}");
        }
        out.close();
    }
    out.open("if (returnToken_)");
    out.line("deliverScanned(returnToken_);");
    out.line("return std::move(returnToken_);");
    out.close();
    out.chain("catch (const orvel::RecognitionException& ex)");
    out.open("if (nestingWasExceeded())");
    out.line("throw;");
    out.close();
    out.line("reportSyntaxError(ex);");
    if (startSets.size() == 1) {
        out.line("recover(ex, " + setName(startSets[0]) + ");");
    } else {
        std::string sets;
        for (const SymbolSet& set : startSets)
            sets += (sets.empty() ? "&" : ", &") + setName(set);
        out.line("const orvel::BitSet* const starts_[] = {" + sets + "};");
        out.line("recover(ex, *starts_[getMode()]);");
    }
    out.close();
    out.close();
    out.close();
    out.line("");
}

// The choice among the token rules of mode `m`; at end of input, the EOF
// token queued after what uponEOF() emits.
void LexerGenerator::modeChoice(CodeWriter& out, std::size_t m)
{
    const Decision& d = info_.tokenDecisions[m];
    std::vector<CodeWriter> bodies;
    for (const Rule* r : info_.tokenRules[m]) {
        bodies.emplace_back();
        bodies.back().line("m" + r->name + "(true);");
    }
    bodies.emplace_back();
    bodies.back().line("endOfInput();");
    bodies.back().line("emit(makeToken(orvel::Token::EOF_TYPE));");
    CodeWriter otherwise;
    otherwise.line(noViableAlt());
    choice(out, d, d.alts.size(), bodies, bodies, otherwise, true, 0, {});
}

std::string LexerGenerator::signature(std::size_t index, bool qualified) const
{
    const Rule& r = *grammar_.rules[index];
    return "void " + (qualified ? grammar_.name + "::" : "") + "m" + r.name + "(bool createToken_" +
           (r.args.empty() ? "" : ", " + r.args) + ")";
}

void LexerGenerator::ruleEntry(CodeWriter& out, std::size_t index)
{
    const Rule& r = *grammar_.rules[index];
    out.line(std::string("int ttype_ = ") +
             (r.skip ? "orvel::Token::SKIP" : r.fragment ? "orvel::Token::INVALID_TYPE" : r.name) + ";");
    out.line("const std::size_t begin_ = getText().size();");
}

void LexerGenerator::ruleExit(CodeWriter& out, std::size_t index)
{
    const Rule& r = *grammar_.rules[index];
    out.open("if (createToken_ && ttype_ != orvel::Token::SKIP)");
    out.line("const std::string_view text_ = getText().substr(begin_);");
    if (info_.settings[index].testLiterals && !r.fragment && hasKeywords())
        out.line("ttype_ = keywordType_(text_, ttype_);");
    out.line("returnToken_ = makeToken(ttype_, text_);");
    out.close();
}

void LexerGenerator::defaultHandler(CodeWriter& out, std::size_t index)
{
    out.chain("catch (const orvel::RecognitionException& ex)");
    passThrough(out);
    out.line("reportSyntaxError(ex);");
    out.line("recover(ex, " + setName(info_.follow[index]) + ");");
}

std::string LexerGenerator::labelType(const Node& labelled) const
{
    return labelled.kind == NodeKind::RuleRef ? "orvel::TokenRefCount<orvel::Token>" : "int";
}

std::string LexerGenerator::noViableAlt() const
{
    return "throw orvel::NoViableAltForCharException(LA(1), getFilename(), getLine(), getColumn());";
}

std::string LexerGenerator::position() const { return "getFilename(), getLine(), getColumn()"; }

std::string LexerGenerator::symbol(int s) const
{
    if (s == info_.eofSymbol)
        return "EOF_CHAR";
    if (s >= 32 && s < 127 && s != '\'' && s != '\\')
        return "'" + std::string(1, static_cast<char>(s)) + "'";
    return std::to_string(s);
}

SymbolSet LexerGenerator::everySymbol() const
{
    SymbolSet all(info_.symbolCount);
    all.addRange(0, 255);
    return all;
}

void LexerGenerator::matchTerminal(CodeWriter& out, const Node& node)
{
    switch (node.kind) {
    case NodeKind::Char:
        matchCall(out, "match", symbol(info_.caseSensitive ? node.low : tolower(node.low)));
        return;
    case NodeKind::String: {
        const std::string t = info_.caseSensitive ? node.text : lowered(node.text);
        if (t.find('\0') != std::string::npos)
            matchCall(out, "match", "std::string(" + quoted(t) + ", " + std::to_string(t.size()) + ")");
        else if (!t.empty())
            matchCall(out, "match", quoted(t));
        return;
    }
    case NodeKind::Range: {
        // Folding to lower case may leave a range with holes: a set then.
        const SymbolSet& set = info_.matchSets.at(&node);
        const bool whole = info_.caseSensitive || node.high < 'A' || node.low > 'Z';
        if (whole)
            matchCall(out, "matchRange", symbol(node.low) + ", " + symbol(node.high));
        else
            matchCall(out, "match", setName(set));
        return;
    }
    default:
        RecognizerGenerator::matchTerminal(out, node);
    }
}

void LexerGenerator::ruleReference(CodeWriter& out, const Node& node, bool verified)
{
    if (verified && node.label.empty() && node.args.empty() &&
        info_.singleCharacter[static_cast<std::size_t>(node.rule)]) {
        out.line("consume();");
        return;
    }
    out.line("m" + node.text + "(" + (node.label.empty() ? "false" : "true") +
             (node.args.empty() ? "" : ", " + node.args) + ");");
    if (!node.label.empty())
        out.line(node.label + " = returnToken_;");
}

// The table of consumeRun() for `set`: indexed by the input's own byte, so a
// case-insensitive lexer's holds every byte whose lower case is in the set.
std::string LexerGenerator::runTable(const SymbolSet& set)
{
    std::vector<int> bytes;
    for (int b = 0; b < 256; ++b)
        if (set.has(info_.caseSensitive ? b : tolower(b)))
            bytes.push_back(b);
    return sets_.byteTable(bytes);
}

// A greedy loop over one set continues exactly while LA(1) is in the set (the
// analysis found nothing deeper to test): consumeRun() takes the whole run.
bool LexerGenerator::setLoop(CodeWriter& out, const Node& node, const Decision& d)
{
    const SymbolSet& body = d.alts[0][0];
    if (!d.greedy || body.has(info_.eofSymbol))
        return false;
    const std::string run = "consumeRun(" + runTable(body) + ")";
    if (node.suffix == '*') {
        out.line(run + ";");
        return true;
    }
    out.open("if (" + run + " == 0)");
    out.line(noViableAlt());
    out.close();
    return true;
}

// In a greedy loop, a one-character alternative is taken whenever LA(1) is in
// its set, unless another alternative is chosen on that character: the run of
// the characters of such alternatives that no other alternative starts with
// can be taken before the choice, which then sees the first other character.
void LexerGenerator::runBeforeChoice(CodeWriter& out, const Node& node, const Decision& d)
{
    SymbolSet run(info_.symbolCount);
    SymbolSet others(info_.symbolCount);
    for (std::size_t a = 0; a < node.alts.size(); ++a)
        (oneCharacter(node, d, a) ? run : others).unite(d.alts[a][0]);
    if (run.empty() || run.has(info_.eofSymbol) || run.intersects(others))
        return;
    out.line("consumeRun(" + runTable(run) + ");");
}

}
