#include <gtest/gtest.h>

#include "lexing/SampleLexer.hpp"
#include "support/Expect.hpp"

#include <sstream>
#include <string>
#include <vector>

using orvel::Token;
using orvel::TokenRefCount;
using orvel::test::CaptureStream;
using sample::SampleLexer;

namespace {

// A sample lexer together with the text it reads.
struct Lexing {
    explicit Lexing(const std::string& text, const char* file = "", bool caseSensitiveChars = true,
                    bool caseSensitiveLiterals = true)
        : in(text), lexer(in, caseSensitiveChars, caseSensitiveLiterals)
    {
        lexer.setFilename(file);
    }

    std::istringstream in;
    SampleLexer lexer;
};

// A token as "TYPE text line:column".
std::string describe(const TokenRefCount<Token>& token)
{
    static const char* const names[] = {"ID",     "INT",    "FLOAT",  "STRING", "LPAREN", "RPAREN",
                                        "ASSIGN", "DOT",    "DIV",    "SEMI",   "IF",     "WHILE"};
    const int type = token->getType();
    const std::string name = type == Token::EOF_TYPE ? "EOF" : names[type - Token::MIN_USER_TYPE];
    return name + " " + token->getText() + " " + std::to_string(token->getLine()) + ":"
           + std::to_string(token->getColumn());
}

// Every token up to and including the end-of-input token.
std::vector<std::string> lexAll(SampleLexer& lexer)
{
    std::vector<std::string> tokens;
    for (;;) {
        const TokenRefCount<Token> token = lexer.nextToken();
        tokens.push_back(describe(token));
        if (token->getType() == Token::EOF_TYPE)
            return tokens;
    }
}

using Tokens = std::vector<std::string>;

}

TEST(SampleLexer, ScansIdentifiersKeywordsNumbersAndPunctuation)
{
    Lexing lexing("if (x1 = 42) while_ y / z;");
    EXPECT_EQ((Tokens{"IF if 1:1", "LPAREN ( 1:4", "ID x1 1:5", "ASSIGN = 1:8", "INT 42 1:10",
                      "RPAREN ) 1:12", "ID while_ 1:14", "ID y 1:21", "DIV / 1:23", "ID z 1:25",
                      "SEMI ; 1:26", "EOF  1:27"}),
              lexAll(lexing.lexer));
}

TEST(SampleLexer, KeywordsFollowTheCaseRulesOfCharactersAndLiterals)
{
    struct Case {
        bool chars;
        bool literals;
        Tokens tokens;
    };
    const Case cases[] = {
        {true, true, {"ID IF 1:1", "ID If 1:4", "IF if 1:7", "EOF  1:9"}},
        {true, false, {"IF IF 1:1", "IF If 1:4", "IF if 1:7", "EOF  1:9"}},
        {false, false, {"IF IF 1:1", "IF If 1:4", "IF if 1:7", "EOF  1:9"}},
        {false, true, {"ID IF 1:1", "ID If 1:4", "IF if 1:7", "EOF  1:9"}},
    };
    for (const Case& c : cases) {
        Lexing lexing("IF If if", "", c.chars, c.literals);
        EXPECT_EQ(c.tokens, lexAll(lexing.lexer)) << "chars " << c.chars << ", literals " << c.literals;
    }
}

TEST(SampleLexer, PredicateTellsFloatsFromIntegersWithoutDisturbingTextOrColumns)
{
    Lexing lexing("1.5 12..3 7.x");
    EXPECT_EQ((Tokens{"FLOAT 1.5 1:1", "INT 12 1:5", "DOT . 1:7", "DOT . 1:8", "INT 3 1:9", "INT 7 1:11",
                      "DOT . 1:12", "ID x 1:13", "EOF  1:14"}),
              lexAll(lexing.lexer));
}

TEST(SampleLexer, StringsKeepTheirQuotesAndEscapes)
{
    Lexing lexing(R"("a\"b" "c\\" "" )" "\"t\tab\"");
    EXPECT_EQ((Tokens{R"(STRING "a\"b" 1:1)", R"(STRING "c\\" 1:8)", R"(STRING "" 1:14)",
                      "STRING \"t\tab\" 1:17", "EOF  1:28"}),
              lexAll(lexing.lexer));
}

TEST(SampleLexer, CommentsAreSkippedAndCountTheirLines)
{
    Lexing lexing("a // note\nb /* x\n y */ c");
    EXPECT_EQ((Tokens{"ID a 1:1", "ID b 2:1", "ID c 3:7", "EOF  3:8"}), lexAll(lexing.lexer));
}

TEST(SampleLexer, TabsAndNewlinesMoveTokenPositions)
{
    Lexing lexing("a\tb\n\t\tc  d\r\n\n   e");
    EXPECT_EQ((Tokens{"ID a 1:1", "ID b 1:9", "ID c 2:17", "ID d 2:20", "ID e 4:4", "EOF  4:5"}),
              lexAll(lexing.lexer));
}

TEST(SampleLexer, KeepsAnsweringEndOfInput)
{
    Lexing lexing("x");
    lexing.lexer.nextToken();
    EXPECT_EQ("EOF  1:2", describe(lexing.lexer.nextToken()));
    EXPECT_EQ("EOF  1:2", describe(lexing.lexer.nextToken()));
}

TEST(SampleLexer, ReportsBadCharactersWithFileLineAndColumnAndGoesOn)
{
    Lexing lexing("a @b\n\t\x01 c \xE9", "t.txt");
    CaptureStream err(std::cerr);
    EXPECT_EQ((Tokens{"ID a 1:1", "ID b 1:4", "ID c 2:11", "EOF  2:14"}), lexAll(lexing.lexer));
    EXPECT_EQ("t.txt:1:3: unexpected char: '@'\n"
              "t.txt:2:9: unexpected char: 0x01\n"
              "t.txt:2:13: unexpected char: 0xE9\n",
              err.text());
}

TEST(SampleLexer, ReportsAnUnterminatedStringAtEndOfInput)
{
    Lexing lexing("x \"ab", "t.txt");
    CaptureStream err(std::cerr);
    EXPECT_EQ((Tokens{"ID x 1:1", "EOF  1:7"}), lexAll(lexing.lexer));
    EXPECT_EQ("t.txt:1:6: expecting ''\"'', found 'EOF'\n", err.text());
}

TEST(SampleLexer, ReportsAnUnterminatedCommentWithoutFileName)
{
    Lexing lexing("/* a\n b");
    CaptureStream err(std::cerr);
    EXPECT_EQ((Tokens{"EOF  2:4"}), lexAll(lexing.lexer));
    EXPECT_EQ("line 2:3: expecting anything but 'EOF'; got it anyway\n", err.text());
}

TEST(SampleLexer, HandsItsInputToAnotherLexerMidStream)
{
    Lexing lexing("alpha\n\tbeta gamma delta", "t.txt");
    SampleLexer& first = lexing.lexer;
    EXPECT_EQ("ID alpha 1:1", describe(first.nextToken()));

    SampleLexer second(first.getInputState(), true, true);
    EXPECT_EQ("ID beta 2:9", describe(second.nextToken()));
    EXPECT_EQ("ID gamma 2:14", describe(first.nextToken()));

    std::istringstream otherText("other");
    SampleLexer third(otherText, true, true);
    third.setInputState(first.getInputState());
    EXPECT_EQ("ID delta 2:20", describe(third.nextToken()));
    EXPECT_EQ("t.txt", third.getFilename());
}

TEST(SampleLexer, TracesItsRulesIncludingThePredicatesTry)
{
    Lexing lexing("ab 12");
    lexing.lexer.setTracing(true);
    CaptureStream out(std::cout);
    lexAll(lexing.lexer);
    EXPECT_EQ(" > lexer mID; c==97\n"
              " < lexer mID; c==32\n"
              " > lexer mNUMBER; c==49\n"
              "  > lexer mDIGITS; c==49\n"
              "  < lexer mDIGITS; c==-1\n"
              "  > lexer mDIGITS; c==49\n"
              "  < lexer mDIGITS; c==-1\n"
              " < lexer mNUMBER; c==-1\n",
              out.text());
}
