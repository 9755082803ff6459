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

using Tokens = std::vector<std::string>;

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
    static const char* const names[] = {"ID", "INT", "FLOAT", "STRING", "DOT", "DIV", "SEMI", "IF", "WHILE"};
    const int type = token->getType();
    return std::string(type == Token::EOF_TYPE ? "EOF" : names[type - Token::MIN_USER_TYPE]) + " "
           + token->getText() + " " + std::to_string(token->getLine()) + ":" + std::to_string(token->getColumn());
}

// Every token up to and including the end-of-input token.
Tokens lexAll(SampleLexer& lexer)
{
    Tokens tokens;
    for (;;) {
        const TokenRefCount<Token> token = lexer.nextToken();
        tokens.push_back(describe(token));
        if (token->getType() == Token::EOF_TYPE)
            return tokens;
    }
}

}

TEST(SampleLexer, ScansEachKindOfTokenAndReportsBadInputWithFileLineAndColumn)
{
    struct Case {
        const char* what;
        const char* file;
        std::string input;
        Tokens tokens;
        const char* report;
    };
    const Case cases[] = {
        {"keywords, identifiers, integers, punctuation", "", "if x1 42 while while_ / z;",
         {"IF if 1:1", "ID x1 1:4", "INT 42 1:7", "WHILE while 1:10", "ID while_ 1:16", "DIV / 1:23", "ID z 1:25",
          "SEMI ; 1:26", "EOF  1:27"},
         ""},
        {"a predicate tells floats from integers without disturbing text or columns", "", "1.5 12..3 7.x",
         {"FLOAT 1.5 1:1", "INT 12 1:5", "DOT . 1:7", "DOT . 1:8", "INT 3 1:9", "INT 7 1:11", "DOT . 1:12",
          "ID x 1:13", "EOF  1:14"},
         ""},
        {"strings keep their quotes and escapes", "", R"("a\"b" "c\\" "" )" "\"t\tab\"",
         {R"(STRING "a\"b" 1:1)", R"(STRING "c\\" 1:8)", R"(STRING "" 1:14)", "STRING \"t\tab\" 1:17",
          "EOF  1:28"},
         ""},
        {"comments are skipped and count their lines", "", "a /* x\n\ty */ b /**/ c",
         {"ID a 1:1", "ID b 2:14", "ID c 2:21", "EOF  2:22"}, ""},
        {"tabs and newlines move positions", "", "a\tb\n\t\tc  d\r\n\n   e",
         {"ID a 1:1", "ID b 1:9", "ID c 2:17", "ID d 2:20", "ID e 4:4", "EOF  4:5"}, ""},
        {"bad characters are reported and skipped", "t.txt", "a @b\n\t\x01 c \xE9",
         {"ID a 1:1", "ID b 1:4", "ID c 2:11", "EOF  2:14"},
         "t.txt:1:3: unexpected char: '@'\n"
         "t.txt:2:9: unexpected char: 0x01\n"
         "t.txt:2:13: unexpected char: 0xE9\n"},
        {"an unterminated string", "t.txt", "x \"ab", {"ID x 1:1", "EOF  1:7"},
         "t.txt:1:6: expecting ''\"'', found 'EOF'\n"},
        {"an unterminated comment, no file name", "", "/* a\n b", {"EOF  2:4"},
         "line 2:3: expecting anything but 'EOF'; got it anyway\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lexing lexing(c.input, c.file);
        CaptureStream err(std::cerr);
        EXPECT_EQ(c.tokens, lexAll(lexing.lexer));
        EXPECT_EQ(c.tokens.back(), describe(lexing.lexer.nextToken())) << "end of input repeats";
        EXPECT_EQ(c.report, err.text());
    }
}

TEST(SampleLexer, KeywordsFollowTheCaseRuleOfLiteralsWhateverTheCaseRuleOfCharacters)
{
    const Tokens exact{"ID IF 1:1", "ID If 1:4", "IF if 1:7", "EOF  1:9"};
    const Tokens folded{"IF IF 1:1", "IF If 1:4", "IF if 1:7", "EOF  1:9"};
    const bool flags[][2] = {{true, true}, {true, false}, {false, false}, {false, true}};
    for (const auto& f : flags) {
        Lexing lexing("IF If if", "", f[0], f[1]);
        EXPECT_EQ(f[1] ? exact : folded, lexAll(lexing.lexer)) << "chars " << f[0] << ", literals " << f[1];
    }
}

TEST(SampleLexer, HandsItsInputToAnotherLexerMidStream)
{
    Lexing lexing("alpha\n\tbeta gamma", "t.txt");
    EXPECT_EQ("ID alpha 1:1", describe(lexing.lexer.nextToken()));
    Lexing other("other");
    other.lexer.setInputState(lexing.lexer.getInputState());
    EXPECT_EQ("ID beta 2:9", describe(other.lexer.nextToken()));
    EXPECT_EQ("t.txt", other.lexer.getFilename());
    EXPECT_EQ("ID gamma 2:14", describe(lexing.lexer.nextToken()));
}
