#include <orvel/CommonASTWithHiddenTokens.hpp>

#include <gtest/gtest.h>

#include "support/TokenProbes.hpp"

using namespace orvel;

namespace {

using HiddenNode = ASTRefCount<CommonASTWithHiddenTokens>;

// A node made from the token "id" (type 5), which stands between the hidden tokens `before` (type 7) and `after`
// (type 8); those log their type to `deaths` when destroyed.
class CommonASTWithHiddenTokensTest : public ::testing::Test {
protected:
    CommonASTWithHiddenTokensTest()
    {
        token->setHiddenBefore(before);
        token->setHiddenAfter(after);
        n->initialize(TokenRefCount<Token>(token));
    }

    std::vector<int> deaths;
    TokenRefCount<Token> before{new test::ProbeToken(7, deaths)};
    TokenRefCount<Token> after{new test::ProbeToken(8, deaths)};
    TokenRefCount<CommonHiddenStreamToken> token{new CommonHiddenStreamToken(5, "id")};
    HiddenNode n{CommonASTWithHiddenTokens::factory()};
};

}

TEST_F(CommonASTWithHiddenTokensTest, InitializeFromAHiddenStreamTokenSharesItsNeighboursAndKeepsThemAlive)
{
    EXPECT_EQ(5, n->getType());
    EXPECT_EQ("id", n->getText());
    EXPECT_EQ(before, n->getHiddenBefore());
    EXPECT_EQ(after, n->getHiddenAfter());
    token = nullptr;
    before = after = nullToken;
    EXPECT_TRUE(deaths.empty());
    n = HiddenNode();
    EXPECT_EQ((std::vector<int>{8, 7}), deaths);
}

TEST_F(CommonASTWithHiddenTokensTest, InitializeTakesTheHiddenTokensOfAHiddenStreamTokenOrNodeAndOnlyThose)
{
    HiddenNode other(CommonASTWithHiddenTokens::factory());
    EXPECT_STREQ("CommonASTWithHiddenTokens", other->typeName());
    EXPECT_EQ(" ", other->toStringList());
    EXPECT_FALSE(other->getHiddenBefore() || other->getHiddenAfter());
    other->initialize(ASTRefCount<AST>(n));
    EXPECT_EQ("id", other->getText());
    EXPECT_EQ(before, other->getHiddenBefore());
    EXPECT_EQ(after, other->getHiddenAfter());
    other->initialize(CommonAST::factory());
    EXPECT_EQ(0, other->getType());
    EXPECT_FALSE(other->getHiddenBefore() || other->getHiddenAfter());
    n->initialize(TokenRefCount<Token>(new CommonToken(6, "plain")));
    EXPECT_EQ("plain", n->getText());
    EXPECT_FALSE(n->getHiddenBefore() || n->getHiddenAfter());
    token->setHiddenBefore(nullToken);
    n->initialize(TokenRefCount<Token>(token));
    EXPECT_FALSE(n->getHiddenBefore());
    EXPECT_EQ(after, n->getHiddenAfter());
}

TEST_F(CommonASTWithHiddenTokensTest, RenamingAndCloningKeepTheHiddenTokens)
{
    n->initialize(8, "renamed");
    n->addChild(CommonAST::factory());
    HiddenNode copy(n->clone());
    EXPECT_NE(n, copy);
    EXPECT_STREQ("CommonASTWithHiddenTokens", copy->typeName());
    EXPECT_EQ(8, copy->getType());
    EXPECT_EQ(" renamed", copy->toStringList());
    EXPECT_EQ(1u, n->getNumberOfChildren());
    for (const HiddenNode& h : {n, copy}) {
        EXPECT_EQ(before, h->getHiddenBefore());
        EXPECT_EQ(after, h->getHiddenAfter());
    }
}
