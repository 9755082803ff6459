// A small lexer over arbitrary bytes: identifiers with a case-insensitive
// literal table, numbers (a syntactic predicate tells a float from an int),
// strings, comments, errors reported and recovered from.
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/RecognitionException.hpp>

#include "Check.hpp"

#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>

using namespace orvel;

namespace {

enum : int { ID = 4, INT, FLOAT, STRING, WHILE, IF };

bool isLetter(int c) { return c >= 0 && (std::isalpha(c) || c == '_'); }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

struct Lexer : CharScanner {
    explicit Lexer(InputBuffer& in) : CharScanner(in, true)
    {
        literals["while"] = WHILE;
        literals["If"] = IF;
    }
    bool getLiteralsCaseSensitive() const override { return false; }
    void reportError(const RecognitionException&) override { ++errors; }

    TokenRefCount<Token> nextToken() override
    {
        for (;;) {
            resetText();
            try {
                const int c = LA(1);
                if (c == EOF_CHAR)
                    return makeToken(Token::EOF_TYPE);
                if (c == ' ' || c == '\n') {
                    consume();
                    if (c == '\n')
                        newline();
                } else if (isLetter(c)) {
                    while (isLetter(LA(1)) || isDigit(LA(1)))
                        consume();
                    return token(testLiteralsTable(ID));
                } else if (isDigit(c)) {
                    const bool isFloat = looksLikeFloat();
                    digits();
                    if (isFloat) {
                        match('.');
                        digits();
                    }
                    return token(isFloat ? FLOAT : INT);
                } else if (c == '"') {
                    match('"');
                    while (LA(1) != '"')
                        matchNot('"');
                    match('"');
                    return token(STRING);
                } else if (c == '/' && LA(2) == '*') {
                    match("/*");
                    while (LA(1) != '*' || LA(2) != '/')
                        matchNot(EOF_CHAR);
                    match("*/");
                } else {
                    throw NoViableAltForCharException(c, getFilename(), getLine(), getColumn());
                }
            } catch (const RecognitionException& e) {
                reportError(e);
                consume();
            }
        }
    }

    int errors = 0;

private:
    TokenRefCount<Token> token(int type)
    {
        TokenRefCount<Token> t = makeToken(type);
        t->setText(getText());
        return t;
    }
    void digits()
    {
        do
            matchRange('0', '9');
        while (isDigit(LA(1)));
    }
    // Tries digits '.' digits without keeping what it reads.
    bool looksLikeFloat()
    {
        const unsigned int start = mark();
        ++inputState->guessing;
        bool matched = true;
        try {
            digits();
            match('.');
            digits();
        } catch (const RecognitionException&) {
            matched = false;
        }
        --inputState->guessing;
        rewind(start);
        return matched;
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(input);
    CharBuffer buffer(stream);
    Lexer lexer(buffer);
    std::size_t textLength = 0;
    for (TokenRefCount<Token> t = lexer.nextToken(); t->getType() != Token::EOF_TYPE; t = lexer.nextToken()) {
        const std::string text = t->getText();
        check(!text.empty() && input.find(text) != std::string::npos);
        std::string lower = text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        check((t->getType() == WHILE) == (lower == "while") || t->getType() == STRING);
        check(t->getType() != IF || lower == "if");
        textLength += text.size();
        check(textLength <= size);
    }
    check(lexer.errors <= static_cast<int>(size));
    return 0;
}
