#include <orvel/CommonToken.hpp>
#include <orvel/Token.hpp>

#include <gtest/gtest.h>

#include <string>

using orvel::CommonToken;
using orvel::Token;

namespace {

struct Made {
    const char* how;
    CommonToken token;
    int type;
    const char* text;
};

TEST(CommonToken, ConstructorsStartAtLineOneColumnOne)
{
    const Made made[] = {{"default", CommonToken(), 0, ""},
                         {"type and text", CommonToken(5, "id"), 5, "id"},
                         {"text", CommonToken(std::string("xyz")), 0, "xyz"}};
    for (const Made& m : made) {
        EXPECT_EQ(m.type, m.token.getType()) << m.how;
        EXPECT_EQ(m.text, m.token.getText()) << m.how;
        EXPECT_EQ(1, m.token.getLine()) << m.how;
        EXPECT_EQ(1, m.token.getColumn()) << m.how;
    }
}

TEST(CommonToken, KeepsTextAndPositionButNoFileName)
{
    CommonToken token;
    token.setText("abc");
    token.setLine(12);
    token.setColumn(0);
    token.setFilename("input.g");
    EXPECT_EQ("abc", token.getText());
    EXPECT_EQ(12, token.getLine());
    EXPECT_EQ(0, token.getColumn());
    EXPECT_EQ("", token.getFilename());
}

struct Rendering {
    int type;
    const char* text;
    int line;
    int column;
    const char* expected;
};

TEST(CommonToken, RenderingShowsTextTypeLineAndColumnUnescaped)
{
    const Rendering renderings[] = {
        {4, "abc", 1, 1, "[\"abc\",<4>,line=1,column=1]"},
        {4, "", 1, 1, "[\"\",<4>,line=1,column=1]"},
        {Token::SKIP, "x", -3, 0, "[\"x\",<-1>,line=-3,column=0]"},
        {7, "say \"hi\"\n\t", 10, 25, "[\"say \"hi\"\n\t\",<7>,line=10,column=25]"},
    };
    for (const Rendering& r : renderings) {
        CommonToken token(r.type, r.text);
        token.setLine(r.line);
        token.setColumn(r.column);
        EXPECT_EQ(r.expected, token.toString());
    }
}

// A token whose getters are overridden, to show toString() asks each of them.
class RenamedToken : public CommonToken {
public:
    std::string getText() const override { return "t"; }
    int getType() const override { return 8; }
    int getLine() const override { return 2; }
    int getColumn() const override { return 3; }
};

TEST(CommonToken, RenderingAsksTheVirtualGetters)
{
    EXPECT_EQ("[\"t\",<8>,line=2,column=3]", RenamedToken().toString());
}

TEST(CommonToken, FactoryMakesACountedDefaultCommonToken)
{
    orvel::TokenRefCount<Token> made = CommonToken::factory();
    ASSERT_NE(nullptr, dynamic_cast<CommonToken*>(made.get()));
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", made->toString());
    orvel::TokenRefCount<Token> again(made.get());
    made = nullptr;
    EXPECT_EQ(Token::INVALID_TYPE, again->getType());
}

}
