#include <orvel/CommonToken.hpp>

#include <gtest/gtest.h>

using orvel::CommonToken;
using orvel::Token;

namespace {

TEST(CommonToken, ConstructorsStartAtLineOneColumnOneAndTheFactoryCountsADefaultToken)
{
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", CommonToken().toString());
    EXPECT_EQ("[\"id\",<5>,line=1,column=1]", CommonToken(5, "id").toString());
    EXPECT_EQ("[\"xyz\",<0>,line=1,column=1]", CommonToken(std::string("xyz")).toString());

    orvel::TokenRefCount<Token> made = CommonToken::factory();
    ASSERT_NE(nullptr, dynamic_cast<CommonToken*>(made.get()));
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", made->toString());
    orvel::TokenRefCount<Token> again(made.get());
    made = nullptr;
    EXPECT_EQ(Token::INVALID_TYPE, again->getType());
}

// Every getter is overridden, to show toString() asks each of them.
struct RenamedToken : CommonToken {
    std::string getText() const override { return "t"; }
    int getType() const override { return 8; }
    int getLine() const override { return 2; }
    int getColumn() const override { return 3; }
};

TEST(CommonToken, RenderingShowsTheVirtualTextTypeLineAndColumnUnescapedButNoFileName)
{
    struct Rendering {
        int type;
        const char* text;
        int line, column;
        const char* expected;
    };
    const Rendering renderings[] = {
        {4, "abc", 12, 0, "[\"abc\",<4>,line=12,column=0]"},
        {4, "", 1, 1, "[\"\",<4>,line=1,column=1]"},
        {Token::SKIP, "x", -3, 0, "[\"x\",<-1>,line=-3,column=0]"},
        {7, "say \"hi\"\n\t", 10, 25, "[\"say \"hi\"\n\t\",<7>,line=10,column=25]"},
    };
    for (const Rendering& r : renderings) {
        CommonToken token;
        token.setType(r.type);
        token.setText(r.text);
        token.setLine(r.line);
        token.setColumn(r.column);
        token.setFilename("input.g");
        EXPECT_EQ(r.expected, token.toString());
        EXPECT_EQ("", token.getFilename());
    }
    EXPECT_EQ("[\"t\",<8>,line=2,column=3]", RenamedToken().toString());
}

}
