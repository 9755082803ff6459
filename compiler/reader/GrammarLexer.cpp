#include "reader/GrammarLexer.hpp"

#include "reader/GrammarTokens.hpp"
#include "reader/Utf8.hpp"

#include <orvel/CharBuffer.hpp>
#include <orvel/NoViableAltForCharException.hpp>

namespace orvelc {

const char* const grammarTokenNames[NUM_GRAMMAR_TOKENS] = {
    "<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD", "name", "string", "character", "number",
    "action", "argument", "':'", "'::'", "';'", "'|'", "'('", "')'", "'?'", "'*'", "'+'",
    "'~'", "'.'", "'..'", "'='", "'{'", "'}'", "\"namespace\"", "\"import\"", "\"header\"",
    "\"code\"", "\"lexer\"", "\"parser\"", "\"options\"", "\"tokens\"", "\"members\"",
    "\"returns\"", "\"fragment\"", "\"skip\"", "\"start\"", "\"treeparser\"",
    "\"exception\"", "'^'", "'!'", "'=>'", "'#('", "'@'", "node class", "'->'",
    "'#['", "','", "']'"};

namespace {

// What a bad \u escape reads as.
constexpr int replacementCharacter = 0xFFFD;

bool isNameStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHex(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int hexValue(int c) { return isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

}

GrammarLexer::GrammarLexer(std::istream& in, const std::string& file, Diagnostics& diagnostics)
    : CharScanner(new orvel::CharBuffer(in), true), diagnostics_(diagnostics)
{
    setFilename(file);
    const char* const keywords[] = {"namespace", "import",  "header",  "code",     "lexer",
                                    "parser",    "options", "tokens",  "members",  "returns",
                                    "fragment",  "skip",    "start",   "treeparser",
                                    "exception"};
    int type = K_NAMESPACE;
    for (const char* k : keywords)
        literals[k] = type++;
}

orvel::TokenRefCount<orvel::Token> GrammarLexer::nextToken()
{
    for (;;) {
        resetText();
        try {
            const int type = scanToken();
            if (type == orvel::Token::SKIP)
                continue;
            if (type == K_OPTIONS || type == K_TOKENS)
                bracesDelimit_ = true;
            else if (type == RBRACE)
                bracesDelimit_ = false;
            orvel::TokenRefCount<orvel::Token> t = makeToken(type);
            t->setText(text);
            return t;
        } catch (const orvel::RecognitionException& ex) {
            diagnostics_.error({ex.getLine(), ex.getColumn()}, ex.getMessage());
            if (diagnostics_.saturated())
                consumeUntil(EOF_CHAR);
        }
    }
}

int GrammarLexer::scanToken()
{
    const int c = LA(1);
    if (c == EOF_CHAR)
        return orvel::Token::EOF_TYPE;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
        consume();
        return orvel::Token::SKIP;
    }
    if (c == '\n') {
        consumeNewline();
        return orvel::Token::SKIP;
    }
    if (c == '/' && (LA(2) == '/' || LA(2) == '*')) {
        skipComment();
        return orvel::Token::SKIP;
    }
    if (isNameStart(c)) {
        while (isNameStart(LA(1)) || isDigit(LA(1)))
            consume();
        return testLiteralsTable(ID);
    }
    if (isDigit(c)) {
        while (isDigit(LA(1)))
            consume();
        return INT;
    }
    if (c == '"' || c == '\'')
        return scanQuoted(c);
    if (c == '{' && !bracesDelimit_)
        return scanBracketed('{', '}', ACTION);
    if (c == '[')
        return scanBracketed('[', ']', ARG);
    if (c == '<')
        return scanBracketed('<', '>', NODE_TYPE);
    if (c == '#' && (LA(2) == '(' || LA(2) == '[')) {
        consume();
        inNewNode_ = LA(1) == '[';
        consume();
        return inNewNode_ ? NODE_BEGIN : TREE_BEGIN;
    }
    if (c == '-' && LA(2) == '>') {
        consume();
        consume();
        return ARROW;
    }
    if (inNewNode_ && (c == ',' || c == ']')) {
        consume();
        inNewNode_ = c == ',';
        return c == ',' ? COMMA : RBRACKET;
    }
    consume();
    switch (c) {
    case ':':
        if (LA(1) != ':')
            return COLON;
        consume();
        return COLONCOLON;
    case '.':
        if (LA(1) != '.')
            return DOT;
        consume();
        return RANGE;
    case ';': return SEMI;
    case '|': return OR;
    case '(': return LPAREN;
    case ')': return RPAREN;
    case '?': return QUESTION;
    case '*': return STAR;
    case '+': return PLUS;
    case '~': return NOT;
    case '=':
        if (LA(1) != '>')
            return ASSIGN;
        consume();
        return IMPLIES;
    case '^': return CARET;
    case '!': return BANG;
    case '@': return AT;
    case '{': return LBRACE;
    case '}': return RBRACE;
    default:
        throw orvel::NoViableAltForCharException(c, getFilename(), getLine(), getColumn() - 1);
    }
}

// Scans "..." or '...' into its decoded value; a line end or the end of the
// file before the closing quote is an error at the opening quote.
int GrammarLexer::scanQuoted(int quote)
{
    const int line = getLine();
    const int column = getColumn();
    match(quote);
    std::string value;
    while (LA(1) != quote) {
        if (LA(1) == EOF_CHAR || LA(1) == '\n')
            throw orvel::RecognitionException(
                quote == '"' ? "unterminated string" : "unterminated character", getFilename(),
                line, column);
        if (LA(1) == '\\' && LA(2) == 'u') {
            value += encodeUtf8(scanCodePoint());
        } else if (LA(1) == '\\') {
            value += static_cast<char>(scanEscape());
        } else {
            value += static_cast<char>(LA(1));
            consume();
        }
    }
    consume();
    if (quote == '\'' && value.size() != 1 && decodeUtf8(value) < 0)
        throw orvel::RecognitionException("a character literal holds exactly one character",
                                          getFilename(), line, column);
    text = value;
    return quote == '"' ? STRING : CHAR;
}

int GrammarLexer::scanEscape()
{
    consume();
    const int c = LA(1);
    switch (c) {
    case 'n': consume(); return '\n';
    case 't': consume(); return '\t';
    case 'r': consume(); return '\r';
    case 'f': consume(); return '\f';
    case 'v': consume(); return '\v';
    case 'a': consume(); return '\a';
    case 'b': consume(); return '\b';
    case '0': consume(); return 0;
    case '\\':
    case '\'':
    case '"': consume(); return c;
    case 'x':
        consume();
        if (isHex(LA(1)) && isHex(LA(2))) {
            const int v = hexValue(LA(1)) * 16 + hexValue(LA(2));
            consume();
            consume();
            return v;
        }
        throw error("\\x needs two hexadecimal digits");
    default:
        throw error("unknown escape sequence");
    }
}

// Scans `\uXXXX` or `\u{X...}` (one to six digits) into a code point that
// is no surrogate; a bad one is reported and read as U+FFFD.
int GrammarLexer::scanCodePoint()
{
    consume();
    consume();
    const bool braced = LA(1) == '{';
    if (braced)
        consume();
    int cp = 0;
    int digits = 0;
    while (isHex(LA(1)) && digits < (braced ? 6 : 4)) {
        cp = cp * 16 + hexValue(LA(1));
        consume();
        ++digits;
    }
    const char* problem = nullptr;
    if (braced ? digits == 0 || LA(1) != '}' : digits != 4)
        problem = "\\u needs four hexadecimal digits, or one to six in braces";
    else if (cp > maxCodePoint || (cp >= firstSurrogate && cp <= lastSurrogate))
        problem = "\\u names no character: a surrogate or above 10FFFF";
    if (braced && LA(1) == '}')
        consume();
    if (!problem)
        return cp;
    // Reported here, so that the rest of the literal reads on as it is.
    diagnostics_.error({getLine(), getColumn()}, problem);
    return replacementCharacter;
}

// Scans a bracketed action or argument with nested brackets, skipping
// brackets inside strings, characters and comments of the copied code.
int GrammarLexer::scanBracketed(int open, int close, int type)
{
    const int line = getLine();
    const int column = getColumn();
    consume();
    std::string::size_type depth = 1;
    for (;;) {
        const int c = LA(1);
        if (c == EOF_CHAR)
            throw orvel::RecognitionException(type == ACTION  ? "unterminated action"
                                              : type == ARG ? "unterminated argument"
                                                            : "unterminated node class",
                                              getFilename(), line, column);
        if (c == '"' || c == '\'') {
            skipQuotedInside(c);
            continue;
        }
        if (c == '/' && (LA(2) == '/' || LA(2) == '*')) {
            skipComment();
            continue;
        }
        if (c == '\n') {
            consumeNewline();
            continue;
        }
        if (c == close && --depth == 0)
            break;
        if (c == open)
            ++depth;
        consume();
    }
    consume();
    text = text.substr(1, text.size() - 2);
    return type;
}

void GrammarLexer::skipQuotedInside(int quote)
{
    consume();
    while (LA(1) != quote && LA(1) != EOF_CHAR && LA(1) != '\n') {
        if (LA(1) == '\\')
            consume();
        if (LA(1) == '\n')
            consumeNewline();
        else if (LA(1) != EOF_CHAR)
            consume();
    }
    if (LA(1) == quote)
        consume();
}

void GrammarLexer::skipComment()
{
    const int line = getLine();
    const int column = getColumn();
    consume();
    if (LA(1) == '/') {
        while (LA(1) != '\n' && LA(1) != EOF_CHAR)
            consume();
        return;
    }
    consume();
    while (!(LA(1) == '*' && LA(2) == '/')) {
        if (LA(1) == EOF_CHAR)
            throw orvel::RecognitionException("unterminated comment", getFilename(), line, column);
        if (LA(1) == '\n')
            consumeNewline();
        else
            consume();
    }
    consume();
    consume();
}

void GrammarLexer::consumeNewline()
{
    consume();
    newline();
}

orvel::RecognitionException GrammarLexer::error(const std::string& message) const
{
    return orvel::RecognitionException(message, getFilename(), getLine(), getColumn());
}

}
