#include <orvel/Token.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

using orvel::Token;

namespace {

constexpr const char* typeName(int type)
{
    switch (type) {
    case Token::SKIP: return "SKIP";
    case Token::INVALID_TYPE: return "INVALID_TYPE";
    case Token::EOF_TYPE: return "EOF_TYPE";
    case Token::NULL_TREE_LOOKAHEAD: return "NULL_TREE_LOOKAHEAD";
    case Token::MIN_USER_TYPE: return "MIN_USER_TYPE";
    default: return "user";
    }
}

TEST(Token, TypeConstantsHaveTheirCodesAndServeAsCaseLabels)
{
    EXPECT_EQ(-1, Token::SKIP);
    EXPECT_EQ(0, Token::INVALID_TYPE);
    EXPECT_EQ(1, Token::EOF_TYPE);
    EXPECT_EQ(3, Token::NULL_TREE_LOOKAHEAD);
    EXPECT_EQ(4, Token::MIN_USER_TYPE);
    EXPECT_STREQ("user", typeName(2));
    EXPECT_STREQ("NULL_TREE_LOOKAHEAD", typeName(3));
}

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
    token.setType(Token::EOF_TYPE);
    EXPECT_EQ(Token::EOF_TYPE, token.getType());
}

TEST(Token, RenderingShowsNoTextAndTheTypeInDecimal)
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
}

// A token whose text comes from an override, to show toString() asks getText().
class NamedToken : public Token {
public:
    NamedToken() : Token(9) {}
    std::string getText() const override { return "name"; }
    int getType() const override { return 99; }
};

TEST(Token, RenderingAsksTheVirtualTextButPrintsTheStoredType)
{
    EXPECT_EQ("[\"name\",<9>]", NamedToken().toString());
}

}
