#include <orvel/WindowScanner.hpp>

#include <orvel/CommonToken.hpp>
#include <orvel/MismatchedCharException.hpp>
#include <orvel/ORVELException.hpp>

#include <cctype>
#include <iostream>
#include <utility>

namespace orvel {

WindowScanner::WindowScanner(InputWindow window, bool caseSensitive_)
    : input(std::move(window)), caseSensitive(caseSensitive_)
{
}

namespace {

InputBuffer& bufferOf(const RefCount<LexerInputState>& state)
{
    if (!state || !state->input)
        throw ORVELException("WindowScanner: made from an empty input state");
    return *state->input;
}

}

WindowScanner::WindowScanner(const RefCount<LexerInputState>& state, bool caseSensitive_)
    : input(bufferOf(state)), caseSensitive(caseSensitive_), inputState(state)
{
    line = state->line;
    setColumn(state->column);
    filename = state->filename;
}

WindowScanner::~WindowScanner() = default;

int WindowScanner::toLower(int c)
{
    // tolower() is defined only for unsigned char values and EOF.
    if (c < 0 || c > 255)
        return c;
    return std::tolower(c);
}

bool WindowScanner::equalsFolded(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (toLower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(lower[i]))
            return false;
    return true;
}

void WindowScanner::consumeAtLimit()
{
    if (!input.more())
        return;
    const unsigned char* p = input.cursor();
    input.setCursor(p + 1);
    took(*p);
}

void WindowScanner::appendByte(unsigned char c) { edited += static_cast<char>(c); }

void WindowScanner::appendRun(const unsigned char* from, const unsigned char* to)
{
    edited.append(reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from));
}

void WindowScanner::startEditing()
{
    if (editing)
        return;
    edited.assign(input.tokenText());
    editing = true;
    updateAppending();
}

void WindowScanner::restartText()
{
    edited.clear();
    editing = !saveText;
    updateAppending();
}

void WindowScanner::setText(std::string_view s)
{
    startEditing();
    edited.assign(s);
}

void WindowScanner::append(char c)
{
    if (!saveText)
        return;
    startEditing();
    edited += c;
}

void WindowScanner::append(std::string_view s)
{
    if (!saveText)
        return;
    startEditing();
    edited.append(s);
}

void WindowScanner::setSaveText(bool save)
{
    if (!save)
        startEditing();
    saveText = save;
    updateAppending();
}

void WindowScanner::setGuessing(int depth)
{
    guessing = depth;
    updateAppending();
}

void WindowScanner::setTabSize(int size)
{
    if (size < 1)
        throw ORVELException("WindowScanner: tab size must be at least 1");
    tabSize = size;
}

void WindowScanner::rewind(const Mark& m)
{
    input.rewind(m.offset);
    columnBase = m.columnBase;
    line = m.line;
}

void WindowScanner::mismatch(int expected)
{
    throw MismatchedCharException(LA(1), expected, false, filename, line, getColumn());
}

void WindowScanner::matchRange(int c1, int c2)
{
    const int la = LA(1);
    if (la < c1 || la > c2)
        throw MismatchedCharException(la, c1, c2, false, filename, line, getColumn());
    consume();
}

void WindowScanner::match(const BitSet& b)
{
    const int la = LA(1);
    if (la == EOF_CHAR || !b.member(static_cast<unsigned int>(la)))
        throw MismatchedCharException(la, b, false, filename, line, getColumn());
    consume();
}

void WindowScanner::match(std::string_view s)
{
    for (const char c : s)
        match(static_cast<unsigned char>(c));
}

// End of input is no byte, so it matches no inverted one either.
void WindowScanner::matchNot(int c)
{
    const int la = LA(1);
    if (la == c || (la == EOF_CHAR && c < 0))
        throw MismatchedCharException(la, c, true, filename, line, getColumn());
    if (la == EOF_CHAR) {
        BitSet excluded;
        excluded.add(static_cast<unsigned int>(c));
        throw MismatchedCharException(la, excluded, true, filename, line, getColumn());
    }
    consume();
}

void WindowScanner::consumeUntil(int c)
{
    for (int la = LA(1); la != EOF_CHAR && la != c; la = LA(1))
        consume();
}

void WindowScanner::consumeUntil(const BitSet& set)
{
    for (int la = LA(1); la != EOF_CHAR && !set.member(static_cast<unsigned int>(la)); la = LA(1))
        consume();
}

void WindowScanner::recover(const RecognitionException&, const BitSet& tokenSet)
{
    consume();
    consumeUntil(tokenSet);
}

void WindowScanner::nestingTooDeep()
{
    nestingExceeded = true;
    throw RecognitionException("nesting deeper than " + std::to_string(nestingLimit), filename, line,
                               getColumn());
}

int WindowScanner::popMode()
{
    if (!modes.pop())
        throw RecognitionException("popMode with no mode to return to", filename, line, getColumn());
    return modes.get();
}

void WindowScanner::reportSyntaxError(const RecognitionException& ex)
{
    reportError(ex);
    errorCounter.count();
}

TokenRefCount<Token> WindowScanner::makeFactoryToken(int t, std::string_view text)
{
    TokenRefCount<Token> token = tokenObjectFactory();
    if (!token)
        throw ORVELException("WindowScanner: the token object factory returned an empty handle");
    token->setType(t);
    token->setColumn(startColumn);
    token->setLine(startLine);
    token->setText(std::string(text));
    return token;
}

void WindowScanner::reportError(const RecognitionException& ex)
{
    std::cerr << ex.toString() << std::endl;
}

void WindowScanner::reportError(const std::string& s)
{
    if (filename.empty())
        std::cerr << "error: " << s << std::endl;
    else
        std::cerr << filename << ": error: " << s << std::endl;
}

void WindowScanner::reportWarning(const std::string& s)
{
    if (filename.empty())
        std::cerr << "warning: " << s << std::endl;
    else
        std::cerr << filename << ": warning: " << s << std::endl;
}

void WindowScanner::uponEOF() {}

void WindowScanner::traceIn(const char* rname)
{
    ++traceDepth;
    traceLine("> lexer ", rname);
}

void WindowScanner::traceOut(const char* rname)
{
    traceLine("< lexer ", rname);
    --traceDepth;
}

void WindowScanner::traceLine(const char* prefix, const char* rname)
{
    for (int i = 0; i < traceDepth; ++i)
        std::cout << ' ';
    std::cout << prefix << rname << "; c==" << LA(1) << std::endl;
}

}
