// clex: a C tokenizer on orvel, written the way a generated lexer is (a final
// CharScanner subclass whose nextToken() dispatches on the lookahead to rule
// methods; every token made with makeToken() and given its text), reading its
// file through a CharBuffer over an std::ifstream. clex.l is its flex peer.
//
// Usage: clex [--tokens] FILE. Prints one line: "tokens=N lines=L lensum=S",
// where N is the number of tokens, L the number of newline bytes in the input
// and S the sum over the tokens, numbered from 1, of number times text length,
// modulo 2^32. With --tokens it prints every token instead.
//
// The token set (longest match everywhere):
// - skipped: white space [ \t\v\f\r]+; a newline; a backslash-newline; a
//   comment from "/*" to the first "*/" after it (when none follows, the "/"
//   is a token and scanning goes on at the "*"); a comment from "//" up to
//   (not including) the next newline;
// - identifiers [A-Za-z_][A-Za-z0-9_]*, the 44 C11 keywords being their own
//   types (through the literal table);
// - numbers, with D=[0-9], H=[0-9A-Fa-f], E=[eE][+-]?D+, P=[pP][+-]?D+,
//   FS=[fFlL], IS=[uUlL]*: D+ IS; 0[xX] H+ IS; D+ E FS?; D* "." D+ E? FS?;
//   D+ "." D* E? FS?; 0[xX] H+ P FS?; 0[xX] H* "." H+ P FS?; 0[xX] H+ "." H* P FS?;
// - strings and characters: an optional prefix L, u, U or u8, the quote, then
//   escapes (a backslash and any byte but a newline) and bytes other than the
//   quote, a backslash or a newline, then the closing quote; without one the
//   literal ends before the newline, the lone backslash or the end of input;
// - the C11 punctuators, digraphs included: [ ] ( ) { } . -> ++ -- & * + - ~ !
//   / % << >> < > <= >= == != ^ | && || ? : ; ... = *= /= %= += -= <<= >>= &=
//   ^= |= , # ## <: :> <% %> %: %:%: (so preprocessor lines are ordinary
//   tokens);
// - any other byte is a token of its own.
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/Token.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

using orvel::Token;
using orvel::TokenRefCount;

enum : int {
    IDENT = Token::MIN_USER_TYPE,
    INT_LITERAL,
    FLOAT_LITERAL,
    STRING_LITERAL,
    CHAR_LITERAL,
    PUNCTUATOR,
    OTHER,
    FIRST_KEYWORD
};

const char* const keywords[] = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
    "extern", "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict",
    "return", "short", "signed", "sizeof", "static", "struct", "switch", "typedef", "union",
    "unsigned", "void", "volatile", "while", "_Alignas", "_Alignof", "_Atomic", "_Bool",
    "_Complex", "_Generic", "_Imaginary", "_Noreturn", "_Static_assert", "_Thread_local"};

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHex(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isIdentStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isIdentPart(int c) { return isIdentStart(c) || isDigit(c); }
bool isIntSuffix(int c) { return c == 'u' || c == 'U' || c == 'l' || c == 'L'; }
bool isFloatSuffix(int c) { return c == 'f' || c == 'F' || c == 'l' || c == 'L'; }
bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool isQuote(int c) { return c == '"' || c == '\''; }
bool isSinglePunctuator(int c)
{
    switch (c) {
    case '[': case ']': case '(': case ')': case '{': case '}': case '.': case '&': case '*':
    case '+': case '-': case '~': case '!': case '/': case '%': case '<': case '>': case '^':
    case '|': case '?': case ':': case ';': case '=': case ',': case '#':
        return true;
    default:
        return false;
    }
}

class CLexer final : public orvel::CharScanner {
public:
    explicit CLexer(orvel::InputBuffer& in) : CharScanner(in, true)
    {
        int type = FIRST_KEYWORD;
        for (const char* keyword : keywords)
            literals[keyword] = type++;
    }

    bool getLiteralsCaseSensitive() const override { return true; }

    TokenRefCount<Token> nextToken() override
    {
        for (;;) {
            resetText();
            int ttype = Token::SKIP;
            const int c = LA(1);
            switch (c) {
            case ' ': case '\t': case '\v': case '\f': case '\r': mWS(); break;
            case '\n': mNEWLINE(); break;
            case '\\': ttype = mBACKSLASH(); break;
            case '/': ttype = mSLASH(); break;
            case '"': case '\'': ttype = mQUOTED(0); break;
            case '0': case '1': case '2': case '3': case '4':
            case '5': case '6': case '7': case '8': case '9': ttype = mNUMBER(); break;
            case '.': ttype = isDigit(LA(2)) ? mNUMBER() : mPUNCTUATOR(); break;
            case 'L': case 'U': ttype = isQuote(LA(2)) ? mQUOTED(1) : mIDENT(); break;
            case 'u':
                if (isQuote(LA(2)))
                    ttype = mQUOTED(1);
                else if (LA(2) == '8' && isQuote(LA(3)))
                    ttype = mQUOTED(2);
                else
                    ttype = mIDENT();
                break;
            case EOF_CHAR: uponEOF(); return makeToken(Token::EOF_TYPE);
            default: ttype = isIdentStart(c) ? mIDENT() : mPUNCTUATOR();
            }
            if (ttype == Token::SKIP)
                continue;
            tokenObject = makeToken(ttype);
            tokenObject->setText(getText());
            return tokenObject;
        }
    }

private:
    void mWS()
    {
        do
            consume();
        while (isBlank(LA(1)));
    }

    void mNEWLINE()
    {
        match('\n');
        newline();
    }

    int mBACKSLASH()
    {
        match('\\');
        if (LA(1) != '\n')
            return OTHER;
        mNEWLINE();
        return Token::SKIP;
    }

    int mSLASH()
    {
        if (LA(2) == '/') {
            saveText = false;
            consumeUntil('\n');
            saveText = true;
            return Token::SKIP;
        }
        if (LA(2) == '*' && closedCommentAhead()) {
            mCOMMENT();
            return Token::SKIP;
        }
        return mPUNCTUATOR();
    }

    // Syntactic predicate: whether a "*/" closes the comment that starts here.
    bool closedCommentAhead()
    {
        const unsigned int start = mark();
        ++inputState->guessing;
        consume();
        consume();
        bool closed = false;
        for (int c = LA(1); c != EOF_CHAR && !closed; c = LA(1)) {
            consume();
            closed = c == '*' && LA(1) == '/';
        }
        --inputState->guessing;
        rewind(start);
        return closed;
    }

    void mCOMMENT()
    {
        saveText = false;
        match("/*");
        while (LA(1) != '*' || LA(2) != '/') {
            if (LA(1) == '\n')
                newline();
            consume();
        }
        match("*/");
        saveText = true;
    }

    int mIDENT()
    {
        do
            consume();
        while (isIdentPart(LA(1)));
        return testLiteralsTable(IDENT);
    }

    bool exponentAhead(int marker)
    {
        if (LA(1) != marker && LA(1) != marker - 'a' + 'A')
            return false;
        return isDigit(LA(2)) || ((LA(2) == '+' || LA(2) == '-') && isDigit(LA(3)));
    }

    void mEXPONENT()
    {
        consume();
        if (!isDigit(LA(1)))
            consume();
        while (isDigit(LA(1)))
            consume();
    }

    int mNUMBER()
    {
        if (LA(1) == '0' && (LA(2) == 'x' || LA(2) == 'X'))
            return mHEX();
        bool isFloat = false;
        while (isDigit(LA(1)))
            consume();
        if (LA(1) == '.') {
            isFloat = true;
            consume();
            while (isDigit(LA(1)))
                consume();
        }
        if (exponentAhead('e')) {
            isFloat = true;
            mEXPONENT();
        }
        if (isFloat) {
            if (isFloatSuffix(LA(1)))
                consume();
            return FLOAT_LITERAL;
        }
        while (isIntSuffix(LA(1)))
            consume();
        return INT_LITERAL;
    }

    // Syntactic predicate: whether a hexadecimal floating constant starts here.
    bool hexFloatAhead()
    {
        const unsigned int start = mark();
        ++inputState->guessing;
        consume();
        consume();
        bool digits = false;
        for (; isHex(LA(1)); consume())
            digits = true;
        if (LA(1) == '.')
            for (consume(); isHex(LA(1)); consume())
                digits = true;
        const bool matched = digits && exponentAhead('p');
        --inputState->guessing;
        rewind(start);
        return matched;
    }

    int mHEX()
    {
        if (hexFloatAhead()) {
            consume();
            consume();
            while (isHex(LA(1)) || LA(1) == '.')
                consume();
            mEXPONENT();
            if (isFloatSuffix(LA(1)))
                consume();
            return FLOAT_LITERAL;
        }
        match('0');
        if (!isHex(LA(2)))
            return INT_LITERAL;
        consume();
        while (isHex(LA(1)))
            consume();
        while (isIntSuffix(LA(1)))
            consume();
        return INT_LITERAL;
    }

    int mQUOTED(int prefixLength)
    {
        for (int i = 0; i < prefixLength; ++i)
            consume();
        const int quote = LA(1);
        consume();
        for (;;) {
            const int c = LA(1);
            if (c == quote) {
                consume();
                break;
            }
            if (c == '\n' || c == EOF_CHAR || (c == '\\' && (LA(2) == '\n' || LA(2) == EOF_CHAR)))
                break;
            if (c == '\\')
                consume();
            consume();
        }
        return quote == '"' ? STRING_LITERAL : CHAR_LITERAL;
    }

    int mPUNCTUATOR()
    {
        const int c = LA(1);
        const int c2 = LA(2);
        int length = 1;
        switch (c) {
        case '.': length = c2 == '.' && LA(3) == '.' ? 3 : 1; break;
        case '-': length = c2 == '>' || c2 == '-' || c2 == '=' ? 2 : 1; break;
        case '+': case '&': case '|': length = c2 == c || c2 == '=' ? 2 : 1; break;
        case '*': case '/': case '^': case '!': case '=': length = c2 == '=' ? 2 : 1; break;
        case '<':
            if (c2 == '<')
                length = LA(3) == '=' ? 3 : 2;
            else if (c2 == '=' || c2 == ':' || c2 == '%')
                length = 2;
            break;
        case '>':
            if (c2 == '>')
                length = LA(3) == '=' ? 3 : 2;
            else if (c2 == '=')
                length = 2;
            break;
        case '%':
            if (c2 == ':')
                length = LA(3) == '%' && LA(4) == ':' ? 4 : 2;
            else if (c2 == '=' || c2 == '>')
                length = 2;
            break;
        case ':': length = c2 == '>' ? 2 : 1; break;
        case '#': length = c2 == '#' ? 2 : 1; break;
        default: break;
        }
        for (int i = 0; i < length; ++i)
            consume();
        return isSinglePunctuator(c) ? PUNCTUATOR : OTHER;
    }
};

}

namespace {

// With --tokens, prints every token as "line:column type text" instead of the
// summary, so that two tokenizers can be compared token by token.
void printTokens(CLexer& lexer)
{
    for (TokenRefCount<Token> token = lexer.nextToken(); token->getType() != Token::EOF_TYPE;
         token = lexer.nextToken())
        std::printf("%d:%d %d %s\n", token->getLine(), token->getColumn(), token->getType(),
                    token->getText().c_str());
}

}

int main(int argc, char** argv)
{
    const bool dump = argc == 3 && std::strcmp(argv[1], "--tokens") == 0;
    if (argc != 2 && !dump) {
        std::fprintf(stderr, "usage: %s [--tokens] FILE\n", argv[0]);
        return 2;
    }
    const char* path = argv[argc - 1];
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot open %s\n", argv[0], path);
        return 2;
    }
    orvel::CharBuffer buffer(file);
    CLexer lexer(buffer);
    if (dump) {
        printTokens(lexer);
        return 0;
    }
    unsigned long tokens = 0;
    std::uint32_t lensum = 0;
    for (TokenRefCount<Token> token = lexer.nextToken(); token->getType() != Token::EOF_TYPE;
         token = lexer.nextToken()) {
        ++tokens;
        lensum += static_cast<std::uint32_t>(tokens) * static_cast<std::uint32_t>(token->getText().length());
    }
    std::printf("tokens=%lu lines=%d lensum=%lu\n", tokens, lexer.getLine() - 1,
                static_cast<unsigned long>(lensum));
    return 0;
}
