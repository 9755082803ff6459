#include <orvel/CharScanner.hpp>

#include <orvel/CommonToken.hpp>
#include <orvel/ORVELException.hpp>

#include <cctype>
#include <cstring>
#include <iostream>
#include <string>

#include "foundations/AdoptIntoState.hpp"

namespace orvel {

CharScanner::CharScanner(InputBuffer& cb, bool case_sensitive)
    : CharScanner(RefCount<LexerInputState>(new LexerInputState(cb)), case_sensitive)
{
}

CharScanner::CharScanner(InputBuffer* cb, bool case_sensitive)
    : CharScanner(detail::adoptIntoState<LexerInputState>(cb), case_sensitive)
{
}

CharScanner::CharScanner(const RefCount<LexerInputState>& state, bool case_sensitive)
    : tokenObjectFactory(&CommonToken::factory),
      caseSensitive(case_sensitive),
      literals(CharScannerLiteralsLess(this)),
      inputState(state)
{
}

CharScanner::~CharScanner() = default;

void CharScanner::append(const std::string& s)
{
    if (saveText)
        text += s;
}

void CharScanner::commit() { inputState->input->commit(); }

void CharScanner::recover(const RecognitionException&, const BitSet& tokenSet)
{
    consume();
    consumeUntil(tokenSet);
}

void CharScanner::consumeUntil(int c)
{
    for (int la = LA(1); la != EOF_CHAR && la != c; la = LA(1))
        consume();
}

void CharScanner::consumeUntil(const BitSet& set)
{
    for (int la = LA(1); la != EOF_CHAR && !set.member(static_cast<unsigned int>(la)); la = LA(1))
        consume();
}

unsigned int CharScanner::mark() { return inputState->input->mark(); }

void CharScanner::rewind(unsigned int pos) { inputState->input->rewind(pos); }

void CharScanner::match(int c)
{
    const int la = LA(1);
    if (la != c)
        throw MismatchedCharException(la, c, false, this);
    consume();
}

void CharScanner::match(const BitSet& b)
{
    const int la = LA(1);
    if (la == EOF_CHAR || !b.member(static_cast<unsigned int>(la)))
        throw MismatchedCharException(la, b, false, this);
    consume();
}

void CharScanner::match(const char* s) { matchChars(s, std::strlen(s)); }

void CharScanner::match(const std::string& s) { matchChars(s.data(), s.length()); }

void CharScanner::matchChars(const char* s, std::string::size_type n)
{
    for (std::string::size_type i = 0; i < n; ++i) {
        const int expected = static_cast<unsigned char>(s[i]);
        const int la = LA(1);
        if (la != expected)
            throw MismatchedCharException(la, expected, false, this);
        consume();
    }
}

// End of input is no character, so it matches no inverted one either.
void CharScanner::matchNot(int c)
{
    const int la = LA(1);
    if (la == c || (la == EOF_CHAR && c < 0))
        throw MismatchedCharException(la, c, true, this);
    if (la == EOF_CHAR) {
        BitSet excluded;
        excluded.add(static_cast<unsigned int>(c));
        throw MismatchedCharException(la, excluded, true, this);
    }
    consume();
}

void CharScanner::matchRange(int c1, int c2)
{
    const int la = LA(1);
    if (la < c1 || la > c2)
        throw MismatchedCharException(la, c1, c2, false, this);
    consume();
}

bool CharScanner::getCaseSensitive() const { return caseSensitive; }

void CharScanner::setCaseSensitive(bool t) { caseSensitive = t; }

int CharScanner::getLine() const { return inputState->line; }

void CharScanner::setLine(int l) { inputState->line = l; }

int CharScanner::getColumn() const { return inputState->column; }

void CharScanner::setColumn(int c) { inputState->column = c; }

const std::string& CharScanner::getFilename() const { return inputState->filename; }

void CharScanner::setFilename(const std::string& f) { inputState->filename = f; }

bool CharScanner::getCommitToPath() const { return commitToPath; }

void CharScanner::setCommitToPath(bool v) { commitToPath = v; }

const std::string& CharScanner::getText() const { return text; }

void CharScanner::setText(const std::string& s) { text = s; }

void CharScanner::resetText()
{
    text.clear();
    inputState->startColumn = inputState->column;
    inputState->startLine = inputState->line;
}

TokenRefCount<Token> CharScanner::getTokenObject() const { return tokenObject; }

void CharScanner::newline()
{
    ++inputState->line;
    inputState->column = 1;
}

void CharScanner::tab()
{
    const int c = getColumn();
    setColumn(((c - 1) / tabSize + 1) * tabSize + 1);
}

void CharScanner::reportError(const RecognitionException& ex)
{
    std::cerr << ex.toString() << std::endl;
}

void CharScanner::reportSyntaxError(const RecognitionException& ex)
{
    reportError(ex);
    errorCounter.count();
}

void CharScanner::reportError(const std::string& s)
{
    const std::string& file = getFilename();
    if (file.empty())
        std::cerr << "error: " << s << std::endl;
    else
        std::cerr << file << ": error: " << s << std::endl;
}

void CharScanner::reportWarning(const std::string& s)
{
    const std::string& file = getFilename();
    if (file.empty())
        std::cerr << "warning: " << s << std::endl;
    else
        std::cerr << file << ": warning: " << s << std::endl;
}

InputBuffer& CharScanner::getInputBuffer() { return *inputState->input; }

RefCount<LexerInputState> CharScanner::getInputState() { return inputState; }

void CharScanner::setInputState(RefCount<LexerInputState> state) { inputState = state; }

void CharScanner::setTokenObjectFactory(TokenObjectFactory factory)
{
    if (!factory)
        throw ORVELException("CharScanner: setTokenObjectFactory() was given a null factory");
    tokenObjectFactory = factory;
}

int CharScanner::testLiteralsTable(int ttype) const { return testLiteralsTable(text, ttype); }

int CharScanner::testLiteralsTable(const std::string& txt, int ttype) const
{
    const auto found = literals.find(CharScannerLiteralsLess::Lookup{txt, getLiteralsCaseSensitive()});
    return found != literals.end() ? found->second : ttype;
}

int CharScanner::toLower(int c) const
{
    // tolower() is defined only for unsigned char values and EOF.
    if (c < 0 || c > 255)
        return c;
    return std::tolower(c);
}

void CharScanner::uponEOF() {}

void CharScanner::setTabSize(int n)
{
    if (n < 1)
        throw ORVELException("tab size must be at least 1: " + std::to_string(n));
    tabSize = n;
}

void CharScanner::emit(const TokenRefCount<Token>& t) { delivery.emit(t); }

TokenRefCount<Token> CharScanner::takeEmitted() { return delivery.takeEmitted(); }

void CharScanner::setModeCount(int n) { modes.setCount(n); }

void CharScanner::setMode(int m) { modes.set(m); }

void CharScanner::pushMode(int m) { modes.push(m); }

int CharScanner::popMode()
{
    if (!modes.pop())
        throw RecognitionException("popMode with no mode to return to", getFilename(), getLine(),
                                   getColumn());
    return modes.get();
}

TokenRefCount<Token> CharScanner::deliver(const TokenRefCount<Token>& t) { return delivery.deliver(t, getLine()); }

void CharScanner::endOfInput()
{
    if (delivery.firstEndOfInput())
        uponEOF();
}

void CharScanner::traceIndent()
{
    for (int i = 0; i < traceDepth; ++i)
        std::cout << ' ';
}

void CharScanner::traceIn(const char* rname)
{
    ++traceDepth;
    traceIndent();
    std::cout << "> lexer " << rname << "; c==" << LA(1) << std::endl;
}

void CharScanner::traceOut(const char* rname)
{
    traceIndent();
    std::cout << "< lexer " << rname << "; c==" << LA(1) << std::endl;
    --traceDepth;
}

TokenRefCount<Token> CharScanner::makeToken(int t)
{
    TokenRefCount<Token> token = tokenObjectFactory();
    if (!token)
        throw ORVELException("CharScanner: the token object factory returned an empty handle");
    token->setType(t);
    token->setColumn(inputState->startColumn);
    token->setLine(inputState->startLine);
    return token;
}

}
