#include <orvel/CommonAST.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Expect.hpp"
#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <string>

namespace orvel {
namespace {

using test::ID;
using test::token;

TEST(NoViableAltException, TokenMessagesDependOnTheTokenType)
{
    const struct {
        int type;
        const char* text;
        const char* expected;
    } cases[] = {
        {Token::EOF_TYPE, "anything", "in.txt:2:7: unexpected end of file"},
        {Token::NULL_TREE_LOOKAHEAD, "anything", "in.txt:2:7: unexpected end of tree"},
        {ID, "foo", "in.txt:2:7: unexpected token: foo"},
        {ID, "", "in.txt:2:7: unexpected token: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, NoViableAltException(token(c.type, c.text, 2, 7), "in.txt").toString())
            << c.type;
}

TEST(NoViableAltException, TokenFormTakesPositionFromTheTokenAndFileFromTheCaller)
{
    const NoViableAltException e(token(ID, "x", 4, 9), "");
    EXPECT_EQ("", e.getFilename());
    EXPECT_EQ(4, e.getLine());
    EXPECT_EQ(9, e.getColumn());
    EXPECT_EQ("line 4:9: unexpected token: x", e.toString());
}

TEST(NoViableAltException, TokenTypeAndTextAreReadWhenTheMessageIsBuilt)
{
    TokenRefCount<Token> t = token(ID, "x", 1, 1);
    const NoViableAltException e(t, "f");
    t->setText("y");
    EXPECT_EQ("unexpected token: y", e.getMessage());
    t->setType(Token::EOF_TYPE);
    EXPECT_EQ("unexpected end of file", e.getMessage());
}

TEST(NoViableAltException, NodeFormRendersTheNodeInAST)
{
    ASTRefCount<AST> plus = CommonAST::factory();
    plus->initialize(5, "+");
    const NoViableAltException e(plus);
    EXPECT_EQ("<AST>: unexpected AST node: +", e.toString());
    EXPECT_EQ(-1, e.getLine());
    EXPECT_EQ(-1, e.getColumn());
}

TEST(NoViableAltException, EmptyNodeMeansEndOfSubtree)
{
    EXPECT_EQ("<AST>: unexpected end of subtree", NoViableAltException(nullAST).toString());
}

TEST(NoViableAltException, NullNodeIsAnOrdinaryNodeToIt)
{
    EXPECT_EQ("<AST>: unexpected AST node: <ASTNULL>",
              NoViableAltException(TreeParser::ASTNULL).toString());
}

}
}
