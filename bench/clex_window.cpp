// clex_window: clex.cpp's C tokenizer on WindowScanner, the base that
// generated lexers are to use: the same rules and the same tokens, with the
// token text as a slice of the input window, runs of one character class
// taken by consumeRun(), keywords found by a switch on the text instead of
// the literal table, and tokens made in one step. Reads its file through an
// InputWindow over an std::ifstream.
//
// Usage: clex_window [--tokens] FILE. Prints what clex prints.
#include <orvel/InputWindow.hpp>
#include <orvel/Token.hpp>
#include <orvel/WindowScanner.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

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

// The keyword type of `text`, or IDENT: a switch on the length and the first
// byte, then one comparison, as a generator would write it.
int keywordType(std::string_view text)
{
    static const struct Index {
        // Keyword numbers by length (1..14) and first byte, -1 after the last;
        // at most five keywords share a length and a first byte.
        signed char first[15][128][6];
        Index() : first{}
        {
            std::memset(first, -1, sizeof first);
            for (int k = 0; k < static_cast<int>(std::size(keywords)); ++k) {
                const std::size_t n = std::strlen(keywords[k]);
                signed char* slot = first[n][static_cast<unsigned char>(keywords[k][0])];
                while (*slot >= 0)
                    ++slot;
                *slot = static_cast<signed char>(k);
            }
        }
    } index;
    const std::size_t n = text.size();
    const auto c = static_cast<unsigned char>(text[0]);
    if (n > 14 || c > 127)
        return IDENT;
    for (const signed char k : index.first[n][c]) {
        if (k < 0)
            break;
        if (std::memcmp(keywords[k], text.data(), n) == 0)
            return FIRST_KEYWORD + k;
    }
    return IDENT;
}

struct ByteClass {
    bool member[256] = {};
    explicit ByteClass(bool (*test)(int))
    {
        for (int c = 0; c < 256; ++c)
            member[c] = test(c);
    }
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHex(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isIdentStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isIdentPart(int c) { return isIdentStart(c) || isDigit(c); }
bool isIntSuffix(int c) { return c == 'u' || c == 'U' || c == 'l' || c == 'L'; }
bool isFloatSuffix(int c) { return c == 'f' || c == 'F' || c == 'l' || c == 'L'; }
bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool isQuote(int c) { return c == '"' || c == '\''; }
bool isCommentByte(int c) { return c != '*' && c != '\n'; }
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

const ByteClass identParts(isIdentPart);
const ByteClass digits(isDigit);
const ByteClass hexDigits(isHex);
const ByteClass blanks(isBlank);
const ByteClass lineBody([](int c) { return c != '\n'; });
const ByteClass commentBody(isCommentByte);
const ByteClass stringBody([](int c) { return c != '"' && c != '\\' && c != '\n'; });
const ByteClass charBody([](int c) { return c != '\'' && c != '\\' && c != '\n'; });

class CLexer final : public orvel::WindowScanner {
public:
    explicit CLexer(orvel::InputWindow window) : WindowScanner(std::move(window), true) {}

    TokenRefCount<Token> nextToken() override
    {
        for (;;) {
            resetText();
            int ttype = Token::SKIP;
            const int c = LA(1);
            switch (c) {
            case ' ': case '\t': case '\v': case '\f': case '\r': consumeRun(blanks.member); break;
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
            if (ttype != Token::SKIP)
                return makeToken(ttype, getText());
        }
    }

private:
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
            consumeRun(lineBody.member);
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
        const Mark start = mark();
        setGuessing(getGuessing() + 1);
        consume();
        consume();
        bool closed = false;
        while (!closed) {
            consumeRun(commentBody.member);
            const int c = LA(1);
            if (c == EOF_CHAR)
                break;
            consume();
            closed = c == '*' && LA(1) == '/';
        }
        setGuessing(getGuessing() - 1);
        rewind(start);
        return closed;
    }

    void mCOMMENT()
    {
        match("/*");
        for (;;) {
            consumeRun(commentBody.member);
            if (LA(1) == '*' && LA(2) == '/')
                break;
            if (LA(1) == '\n')
                newline();
            consume();
        }
        match("*/");
    }

    int mIDENT()
    {
        consume();
        consumeRun(identParts.member);
        return keywordType(getText());
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
        consumeRun(digits.member);
    }

    int mNUMBER()
    {
        if (LA(1) == '0' && (LA(2) == 'x' || LA(2) == 'X'))
            return mHEX();
        bool isFloat = false;
        consumeRun(digits.member);
        if (LA(1) == '.') {
            isFloat = true;
            consume();
            consumeRun(digits.member);
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
        const Mark start = mark();
        setGuessing(getGuessing() + 1);
        consume();
        consume();
        bool hexDigitsSeen = consumeRun(hexDigits.member) > 0;
        if (LA(1) == '.') {
            consume();
            hexDigitsSeen = consumeRun(hexDigits.member) > 0 || hexDigitsSeen;
        }
        const bool matched = hexDigitsSeen && exponentAhead('p');
        setGuessing(getGuessing() - 1);
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
        consumeRun(hexDigits.member);
        while (isIntSuffix(LA(1)))
            consume();
        return INT_LITERAL;
    }

    int mQUOTED(int prefixLength)
    {
        for (int i = 0; i < prefixLength; ++i)
            consume();
        const int quote = LA(1);
        const ByteClass& body = quote == '"' ? stringBody : charBody;
        consume();
        for (;;) {
            consumeRun(body.member);
            const int c = LA(1);
            if (c == quote) {
                consume();
                break;
            }
            if (c == '\n' || c == EOF_CHAR || LA(2) == '\n' || LA(2) == EOF_CHAR)
                break;
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

void printTokens(CLexer& lexer)
{
    for (TokenRefCount<Token> token = lexer.nextToken(); token->getType() != Token::EOF_TYPE;
         token = lexer.nextToken())
        std::printf("%d:%d %d %s\n", token->getLine(), token->getColumn(), token->getType(),
                    std::string(token->getTextView()).c_str());
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
    CLexer lexer{orvel::InputWindow(file)};
    if (dump) {
        printTokens(lexer);
        return 0;
    }
    unsigned long tokens = 0;
    std::uint32_t lensum = 0;
    for (TokenRefCount<Token> token = lexer.nextToken(); token->getType() != Token::EOF_TYPE;
         token = lexer.nextToken()) {
        ++tokens;
        lensum += static_cast<std::uint32_t>(tokens) * static_cast<std::uint32_t>(token->getTextView().size());
    }
    std::printf("tokens=%lu lines=%d lensum=%lu\n", tokens, lexer.getLine() - 1,
                static_cast<unsigned long>(lensum));
    return 0;
}
