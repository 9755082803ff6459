#include "support/Fixtures.hpp"
#include "support/SampleLexer.hpp"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace orvel;
using sample::SampleLexer;
using Texts = std::vector<std::string>;

// A token as "TYPE text line:column".
std::string describe(const TokenRefCount<Token>& token)
{
    static const char* const names[] = {"ID", "INT", "FLOAT", "STRING", "DOT", "DIV", "SEMI", "IF", "WHILE"};
    const int type = token->getType();
    return std::string(type == Token::EOF_TYPE ? "EOF" : names[type - Token::MIN_USER_TYPE]) + " "
           + token->getText() + " " + std::to_string(token->getLine()) + ":" + std::to_string(token->getColumn());
}

// Every token up to and including the end of input, which then repeats.
Texts lexAll(SampleLexer& lexer)
{
    Texts tokens;
    while (tokens.empty() || tokens.back().rfind("EOF", 0) != 0)
        tokens.push_back(describe(lexer.nextToken()));
    EXPECT_EQ(tokens.back(), describe(lexer.nextToken()));
    return tokens;
}

TEST(SampleLexer, ScansEachKindOfTokenAndReportsBadInputWithFileLineAndColumn)
{
    const struct {
        const char* file;
        std::string input;
        Texts tokens;
        const char* report;
    } cases[] = {
        {"", "if x1 42 while while_ / z;",
         {"IF if 1:1", "ID x1 1:4", "INT 42 1:7", "WHILE while 1:10", "ID while_ 1:16", "DIV / 1:23", "ID z 1:25",
          "SEMI ; 1:26", "EOF  1:27"},
         ""},
        {"", "1.5 12..3 7.x",
         {"FLOAT 1.5 1:1", "INT 12 1:5", "DOT . 1:7", "DOT . 1:8", "INT 3 1:9", "INT 7 1:11", "DOT . 1:12",
          "ID x 1:13", "EOF  1:14"},
         ""},
        {"", R"("a\"b" "" )" "\"t\tab\"", {R"(STRING "a\"b" 1:1)", R"(STRING "" 1:8)", "STRING \"t\tab\" 1:11", "EOF  1:20"},
         ""},
        {"", "a /* x\n\ty */ b\tc\r\n\n   e", {"ID a 1:1", "ID b 2:14", "ID c 2:17", "ID e 4:4", "EOF  4:5"}, ""},
        {"t.txt", "a @b\n\t\x01 c \xE9", {"ID a 1:1", "ID b 1:4", "ID c 2:11", "EOF  2:14"},
         "t.txt:1:3: unexpected char: '@'\nt.txt:2:9: unexpected char: 0x01\nt.txt:2:13: unexpected char: 0xE9\n"},
        {"t.txt", "x \"ab", {"ID x 1:1", "EOF  1:7"}, "t.txt:1:6: expecting ''\"'', found 'EOF'\n"},
        {"", "/* a\n b", {"EOF  2:4"}, "line 2:3: expecting anything but 'EOF'; got it anyway\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        SampleLexer lexer(in);
        lexer.setFilename(c.file);
        test::CaptureStream err(std::cerr);
        EXPECT_EQ(c.tokens, lexAll(lexer));
        EXPECT_EQ(c.report, err.text());
    }
}

}
