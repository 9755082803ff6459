#ifndef ORVEL_TESTS_LEXING_SAMPLELEXER_HPP
#define ORVEL_TESTS_LEXING_SAMPLELEXER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/RecognitionException.hpp>

#include <istream>
#include <string>

namespace sample {

inline orvel::BitSet charsOf(const std::string& chars)
{
    orvel::BitSet set(128);
    for (const char c : chars)
        set.add(static_cast<unsigned char>(c));
    return set;
}

inline const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
inline const orvel::BitSet identStart = charsOf(letters);
inline const orvel::BitSet identPart = charsOf(letters + "0123456789");
// Where scanning resumes after an error: a character that starts a token.
inline const orvel::BitSet resync = charsOf(letters + "0123456789 \t\r\n.;\"/");

// Token types of the sample language.
enum : int { ID = orvel::Token::MIN_USER_TYPE, INT, FLOAT, STRING, DOT, DIV, SEMI, IF, WHILE };

// A lexer written the way generated lexers are: nextToken() dispatches on the
// lookahead to rule methods that match and consume, skips white space and
// comments, looks identifiers up in the literal table, and reports and
// recovers from errors. NUMBER decides between FLOAT and INT with a syntactic
// predicate: it tries digits '.' digits while guessing, then rewinds.
class SampleLexer : public orvel::CharScanner {
public:
    SampleLexer(std::istream& in, bool caseSensitiveChars, bool caseSensitiveLiterals)
        : CharScanner(new orvel::CharBuffer(in), caseSensitiveChars), literalsCaseSensitive(caseSensitiveLiterals)
    {
        literals["if"] = IF;
        literals["while"] = WHILE;
    }

    bool getLiteralsCaseSensitive() const override { return literalsCaseSensitive; }

    orvel::TokenRefCount<orvel::Token> nextToken() override
    {
        for (;;) {
            resetText();
            try {
                int ttype = orvel::Token::SKIP;
                switch (LA(1)) {
                case ' ': case '\t': case '\r': case '\n': mWS(); break;
                case '.': match('.'); ttype = DOT; break;
                case ';': match(';'); ttype = SEMI; break;
                case '"': mSTRING(); ttype = STRING; break;
                case '/': ttype = mSLASH(); break;
                case '0': case '1': case '2': case '3': case '4':
                case '5': case '6': case '7': case '8': case '9': ttype = mNUMBER(); break;
                case EOF_CHAR: uponEOF(); return makeToken(orvel::Token::EOF_TYPE);
                default:
                    if (!identStart.member(static_cast<unsigned int>(LA(1))))
                        throw orvel::NoViableAltForCharException(LA(1), getFilename(), getLine(), getColumn());
                    ttype = mID();
                }
                if (ttype == orvel::Token::SKIP)
                    continue;
                tokenObject = makeToken(ttype);
                tokenObject->setText(getText());
                return tokenObject;
            } catch (const orvel::RecognitionException& ex) {
                reportError(ex);
                recover(ex, resync);
            }
        }
    }

private:
    void mWS()
    {
        const int c = LA(1);
        match(c);
        if (c == '\n')
            newline();
    }

    int mID()
    {
        match(identStart);
        while (identPart.member(static_cast<unsigned int>(LA(1))))
            match(identPart);
        return testLiteralsTable(ID);
    }

    int mNUMBER()
    {
        bool isFloat = false;
        const unsigned int start = mark();
        ++inputState->guessing;
        try {
            mDIGITS();
            match('.');
            mDIGITS();
            isFloat = true;
        } catch (const orvel::RecognitionException&) {
        }
        rewind(start);
        --inputState->guessing;
        mDIGITS();
        if (!isFloat)
            return INT;
        match('.');
        mDIGITS();
        return FLOAT;
    }

    void mDIGITS()
    {
        do
            matchRange('0', '9');
        while (LA(1) >= '0' && LA(1) <= '9');
    }

    void mSTRING()
    {
        match('"');
        while (LA(1) != '"' && LA(1) != '\n' && LA(1) != EOF_CHAR) {
            if (LA(1) == '\\')
                match('\\');
            matchNot(EOF_CHAR);
        }
        match('"');
    }

    int mSLASH()
    {
        if (LA(2) != '*') {
            match('/');
            return DIV;
        }
        match("/*");
        while (!(LA(1) == '*' && LA(2) == '/')) {
            const int c = LA(1);
            matchNot(EOF_CHAR);
            if (c == '\n')
                newline();
        }
        match("*/");
        return orvel::Token::SKIP;
    }

    bool literalsCaseSensitive;
};

}

#endif
