#include <orvel/Token.hpp>

#include <gtest/gtest.h>

#include <climits>

using orvel::Token;

namespace {

// Constant expressions, so usable as case labels.
static_assert(Token::SKIP == -1 && Token::INVALID_TYPE == 0 && Token::EOF_TYPE == 1);
static_assert(Token::NULL_TREE_LOOKAHEAD == 3 && Token::MIN_USER_TYPE == 4);

TEST(Token, DefaultTokenAnswersNeutralValuesAndIgnoresPositionTextAndFile)
{
    Token token;
    token.setLine(5);
    token.setColumn(6);
    token.setText("abc");
    token.setFilename("f.g");
    EXPECT_EQ(Token::INVALID_TYPE, token.getType());
    EXPECT_EQ(0, token.getLine());
    EXPECT_EQ(0, token.getColumn());
    EXPECT_EQ("<no text>", token.getText());
    EXPECT_EQ(&orvel::emptyString, &token.getFilename());
    EXPECT_EQ("", token.getFilename());
}

// Its text comes from an override, its type from the stored field.
struct NamedToken : Token {
    NamedToken() : Token(9) {}
    std::string getText() const override { return "name"; }
    int getType() const override { return 99; }
};

TEST(Token, RenderingShowsTheVirtualTextAndTheStoredTypeInDecimal)
{
    const std::pair<int, const char*> renderings[] = {
        {5, "[\"<no text>\",<5>]"},
        {0, "[\"<no text>\",<0>]"},
        {Token::SKIP, "[\"<no text>\",<-1>]"},
        {INT_MAX, "[\"<no text>\",<2147483647>]"},
        {INT_MIN, "[\"<no text>\",<-2147483648>]"},
    };
    for (const auto& [type, expected] : renderings)
        EXPECT_EQ(expected, Token(type).toString()) << "type " << type;
    EXPECT_EQ("[\"name\",<9>]", NamedToken().toString());
}

}
