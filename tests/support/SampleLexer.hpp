#ifndef ORVEL_TESTS_SUPPORT_SAMPLELEXER_HPP
#define ORVEL_TESTS_SUPPORT_SAMPLELEXER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/NoViableAltForCharException.hpp>

#include <istream>
#include <string>

namespace orvel::sample {

inline BitSet charsOf(const std::string& chars)
{
    BitSet set(128);
    for (const char c : chars)
        set.add(static_cast<unsigned char>(c));
    return set;
}

// Token types of the sample language.
enum : int { ID = Token::MIN_USER_TYPE, INT, FLOAT, STRING, DOT, DIV, SEMI, IF, WHILE, WS, COMMENT };

// A lexer written the way generated lexers are: nextToken() dispatches on the
// lookahead to rule methods that match and consume, skips white space and
// comments (or hands them out, when keeping the layout), looks identifiers up
// in the literal table, and reports and recovers from errors. NUMBER tells
// FLOAT from INT with a syntactic predicate: it tries digits '.' digits while
// guessing, then rewinds.
class SampleLexer : public CharScanner {
public:
    explicit SampleLexer(std::istream& in, bool keepLayout = false)
        : CharScanner(new CharBuffer(in), true), keepLayout(keepLayout)
    {
        literals["if"] = IF;
        literals["while"] = WHILE;
    }

    bool getLiteralsCaseSensitive() const override { return true; }

    TokenRefCount<Token> nextToken() override
    {
        for (;;) {
            resetText();
            try {
                int ttype = Token::SKIP;
                switch (LA(1)) {
                case ' ': case '\t': case '\r': case '\n': ttype = mWS(); break;
                case '.': match('.'); ttype = DOT; break;
                case ';': match(';'); ttype = SEMI; break;
                case '"': ttype = mSTRING(); break;
                case '/': ttype = mSLASH(); break;
                case EOF_CHAR: uponEOF(); return makeToken(Token::EOF_TYPE);
                default:
                    if (LA(1) >= '0' && LA(1) <= '9')
                        ttype = mNUMBER();
                    else if (identStart.member(static_cast<unsigned int>(LA(1))))
                        ttype = mID();
                    else
                        throw NoViableAltForCharException(LA(1), getFilename(), getLine(), getColumn());
                }
                if (ttype == Token::SKIP)
                    continue;
                tokenObject = makeToken(ttype);
                tokenObject->setText(getText());
                return tokenObject;
            } catch (const RecognitionException& ex) {
                reportError(ex);
                recover(ex, resync);
            }
        }
    }

private:
    int mWS()
    {
        const int c = LA(1);
        match(c);
        if (c == '\n')
            newline();
        return keepLayout ? WS : Token::SKIP;
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
        } catch (const RecognitionException&) {
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

    int mSTRING()
    {
        match('"');
        while (LA(1) != '"' && LA(1) != '\n' && LA(1) != EOF_CHAR) {
            if (LA(1) == '\\')
                match('\\');
            matchNot(EOF_CHAR);
        }
        match('"');
        return STRING;
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
        return keepLayout ? COMMENT : Token::SKIP;
    }

    static inline const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    static inline const BitSet identStart = charsOf(letters);
    static inline const BitSet identPart = charsOf(letters + "0123456789");
    // Where scanning resumes after an error: a character that starts a token.
    static inline const BitSet resync = charsOf(letters + "0123456789 \t\r\n.;\"/");

    bool keepLayout;
};

}

#endif
