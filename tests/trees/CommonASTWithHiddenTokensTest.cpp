#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>

#include <gtest/gtest.h>

using namespace orvel;

namespace {

// A hidden token that counts its own destruction.
class CountedToken : public CommonHiddenStreamToken {
public:
    CountedToken(const std::string& txt, int& destroyed) : CommonHiddenStreamToken(9, txt), count(destroyed) {}
    ~CountedToken() override { ++count; }

private:
    int& count;
};

using HiddenNode = ASTRefCount<CommonASTWithHiddenTokens>;

// A node made from the token "id" (type 5), which stands between the hidden
// tokens "before" and "after".
class CommonASTWithHiddenTokensTest : public ::testing::Test {
protected:
    CommonASTWithHiddenTokensTest()
    {
        auto* t = new CommonHiddenStreamToken(5, "id");
        token = t;
        t->setHiddenBefore(before);
        t->setHiddenAfter(after);
        n->initialize(token);
    }

    int destroyed = 0;
    TokenRefCount<Token> before{new CountedToken("before", destroyed)};
    TokenRefCount<Token> after{new CountedToken("after", destroyed)};
    TokenRefCount<Token> token;
    HiddenNode n{CommonASTWithHiddenTokens::factory()};
};

}

TEST(CommonASTWithHiddenTokens, FactoryMakesAnEmptyNodeWithoutHiddenTokens)
{
    HiddenNode n(CommonASTWithHiddenTokens::factory());
    EXPECT_STREQ("CommonASTWithHiddenTokens", n->typeName());
    EXPECT_EQ(" ", n->toStringList());
    EXPECT_FALSE(n->getHiddenBefore());
    EXPECT_FALSE(n->getHiddenAfter());
}

TEST_F(CommonASTWithHiddenTokensTest, InitializeFromAHiddenStreamTokenSharesItsNeighboursAndKeepsThemAlive)
{
    EXPECT_EQ(5, n->getType());
    EXPECT_EQ("id", n->getText());
    EXPECT_EQ(before, n->getHiddenBefore());
    EXPECT_EQ(after, n->getHiddenAfter());
    token = before = after = nullToken;
    EXPECT_EQ(0, destroyed);
    n = HiddenNode();
    EXPECT_EQ(2, destroyed);
}

TEST_F(CommonASTWithHiddenTokensTest, InitializeFromANodeTakesItsHiddenTokensOnlyIfItHasThem)
{
    HiddenNode other(CommonASTWithHiddenTokens::factory());
    other->initialize(ASTRefCount<AST>(n));
    EXPECT_EQ("id", other->getText());
    EXPECT_EQ(before, other->getHiddenBefore());
    EXPECT_EQ(after, other->getHiddenAfter());
    ASTRefCount<AST> plain = CommonAST::factory();
    plain->initialize(7, "x");
    other->initialize(plain);
    EXPECT_EQ(7, other->getType());
    EXPECT_FALSE(other->getHiddenBefore());
    EXPECT_FALSE(other->getHiddenAfter());
}

TEST_F(CommonASTWithHiddenTokensTest, InitializeFromAnOrdinaryTokenDropsTheHiddenTokens)
{
    n->initialize(TokenRefCount<Token>(new CommonToken(6, "plain")));
    EXPECT_EQ(6, n->getType());
    EXPECT_EQ("plain", n->getText());
    EXPECT_FALSE(n->getHiddenBefore());
    EXPECT_FALSE(n->getHiddenAfter());
    static_cast<CommonHiddenStreamToken*>(token.get())->setHiddenBefore(nullToken);
    n->initialize(token);
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
