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

// Token types of the sample language.
enum : int {
    ID = orvel::Token::MIN_USER_TYPE,
    INT,
    FLOAT,
    STRING,
    LPAREN,
    RPAREN,
    ASSIGN,
    DOT,
    DIV,
    SEMI,
    IF,
    WHILE,
};

// A lexer written the way generated lexers are: nextToken() dispatches on the
// lookahead to rule methods that match and consume, skips white space and
// comments, looks identifiers up in the literal table, and reports and
// recovers from errors. NUMBER decides between FLOAT and INT with a syntactic
// predicate: it tries digits '.' digits while guessing, then rewinds.
class SampleLexer : public orvel::CharScanner {
public:
    SampleLexer(std::istream& in, bool caseSensitiveChars, bool caseSensitiveLiterals)
        : CharScanner(new orvel::CharBuffer(in), caseSensitiveChars),
          literalsCaseSensitive(caseSensitiveLiterals)
    {
        initLiterals();
    }
    SampleLexer(const orvel::RefCount<orvel::LexerInputState>& state, bool caseSensitiveChars,
                bool caseSensitiveLiterals)
        : CharScanner(state, caseSensitiveChars), literalsCaseSensitive(caseSensitiveLiterals)
    {
        initLiterals();
    }

    bool getLiteralsCaseSensitive() const override { return literalsCaseSensitive; }

    // Makes the rules write their entry and exit lines.
    void setTracing(bool on) { tracing = on; }

    orvel::TokenRefCount<orvel::Token> nextToken() override
    {
        for (;;) {
            resetText();
            try {
                int ttype = orvel::Token::SKIP;
                switch (LA(1)) {
                case ' ':
                case '\t':
                case '\r':
                case '\n': mWS(); break;
                case '(': match('('); ttype = LPAREN; break;
                case ')': match(')'); ttype = RPAREN; break;
                case '=': match('='); ttype = ASSIGN; break;
                case '.': match('.'); ttype = DOT; break;
                case ';': match(';'); ttype = SEMI; break;
                case '"': mSTRING(); ttype = STRING; break;
                case '/': ttype = mSLASH(); break;
                case '0': case '1': case '2': case '3': case '4':
                case '5': case '6': case '7': case '8': case '9': ttype = mNUMBER(); break;
                case EOF_CHAR: uponEOF(); return makeToken(orvel::Token::EOF_TYPE);
                default:
                    if (!identStart().member(static_cast<unsigned int>(LA(1))))
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
                recover(ex, resync());
            }
        }
    }

private:
    // Writes the entry and exit lines of a rule when tracing is on.
    class Tracer {
    public:
        Tracer(SampleLexer& lexer, const char* rule) : lexer(lexer), rule(rule)
        {
            if (lexer.tracing)
                lexer.traceIn(rule);
        }
        ~Tracer()
        {
            if (lexer.tracing)
                lexer.traceOut(rule);
        }
        Tracer(const Tracer&) = delete;
        Tracer& operator=(const Tracer&) = delete;

    private:
        SampleLexer& lexer;
        const char* rule;
    };

    void initLiterals()
    {
        literals["if"] = IF;
        literals["while"] = WHILE;
    }

    void mWS()
    {
        switch (LA(1)) {
        case ' ': match(' '); break;
        case '\t': match('\t'); break;
        case '\r': match('\r'); break;
        default: match('\n'); newline();
        }
    }

    int mID()
    {
        Tracer trace(*this, "mID");
        match(identStart());
        while (identPart().member(static_cast<unsigned int>(LA(1))))
            match(identPart());
        return testLiteralsTable(ID);
    }

    int mNUMBER()
    {
        Tracer trace(*this, "mNUMBER");
        bool isFloat = false;
        {
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
        }
        mDIGITS();
        if (!isFloat)
            return INT;
        match('.');
        mDIGITS();
        return FLOAT;
    }

    void mDIGITS()
    {
        Tracer trace(*this, "mDIGITS");
        do
            matchRange('0', '9');
        while (LA(1) >= '0' && LA(1) <= '9');
    }

    void mSTRING()
    {
        static const unsigned long plainData[] = {0xFFFFFBFFUL, 0xFFFFFFFBUL, 0xEFFFFFFFUL, 0xFFFFFFFFUL,
                                                  0xFFFFFFFFUL, 0xFFFFFFFFUL, 0xFFFFFFFFUL, 0xFFFFFFFFUL};
        static const orvel::BitSet plain(plainData, 8); // any byte but '\n', '"' and '\\'
        match('"');
        for (;;) {
            if (LA(1) == '\\') {
                match('\\');
                matchNot(EOF_CHAR);
            } else if (LA(1) != EOF_CHAR && plain.member(static_cast<unsigned int>(LA(1)))) {
                match(plain);
            } else {
                break;
            }
        }
        match('"');
    }

    int mSLASH()
    {
        if (LA(2) == '/') {
            match("//");
            while (LA(1) != '\n' && LA(1) != EOF_CHAR)
                consume();
            return orvel::Token::SKIP;
        }
        if (LA(2) == '*') {
            match("/*");
            while (!(LA(1) == '*' && LA(2) == '/')) {
                if (LA(1) == '\n') {
                    match('\n');
                    newline();
                } else {
                    matchNot(EOF_CHAR);
                }
            }
            match("*/");
            return orvel::Token::SKIP;
        }
        match('/');
        return DIV;
    }

    static const orvel::BitSet& identStart()
    {
        static const orvel::BitSet set = letters(false);
        return set;
    }
    static const orvel::BitSet& identPart()
    {
        static const orvel::BitSet set = letters(true);
        return set;
    }
    static orvel::BitSet letters(bool withDigits)
    {
        orvel::BitSet set(128);
        for (int c = 'a'; c <= 'z'; ++c) {
            set.add(static_cast<unsigned int>(c));
            set.add(static_cast<unsigned int>(c - 'a' + 'A'));
        }
        set.add('_');
        for (int c = '0'; withDigits && c <= '9'; ++c)
            set.add(static_cast<unsigned int>(c));
        return set;
    }
    // Where scanning resumes after an error: a character that starts a token.
    static const orvel::BitSet& resync()
    {
        static const orvel::BitSet set = [] {
            orvel::BitSet s = letters(true);
            for (char c : std::string(" \t\r\n()=.;\"/"))
                s.add(static_cast<unsigned char>(c));
            return s;
        }();
        return set;
    }

    bool literalsCaseSensitive;
    bool tracing = false;
};

}

#endif
