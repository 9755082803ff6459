#include <orvel/CommonAST.hpp>
#include <orvel/CommonToken.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

using namespace orvel;
using orvel::test::CountedNode;
using orvel::test::fromText;

TEST(CommonAST, FactoryMakesAnEmptyNodeThatInitializeAndSettersFill)
{
    ASTRefCount<AST> n = CommonAST::factory();
    EXPECT_STREQ("CommonAST", n->typeName());
    EXPECT_EQ(0, n->getType());
    EXPECT_EQ(" ", n->toStringList());
    n->initialize(5, "x");
    n->setText("y");
    EXPECT_EQ(5, n->getType());
    EXPECT_EQ(" y", n->toStringList());
    ASTRefCount<AST> copy = n->clone();
    EXPECT_STREQ("CommonAST", copy->typeName());
    EXPECT_EQ(5, copy->getType());
    EXPECT_EQ("y", copy->getText());
}

TEST(CommonAST, InitializeFromANodeOrATokenTakesTypeAndTextButNoLinks)
{
    ASTRefCount<AST> source = fromText(" ( op a ) c");
    ASTRefCount<AST> n = CommonAST::factory();
    n->initialize(source);
    EXPECT_EQ(4, n->getType());
    EXPECT_EQ(" op", n->toStringList());
    n->initialize(TokenRefCount<Token>(new CommonToken(7, "id")));
    EXPECT_EQ(7, n->getType());
    EXPECT_EQ("id", n->getText());
    n->initialize(TokenRefCount<Token>(new Token(6)));
    EXPECT_EQ("<no text>", n->getText());
}

TEST(CommonAST, CloneIsANewNodeThatSharesNoLinks)
{
    CountedNode::destroyed().clear();
    ASTRefCount<AST> original = fromText<CountedNode>(" ( op a ) s");
    ASTRefCount<AST> copy = original->clone();
    EXPECT_NE(original, copy);
    EXPECT_EQ(4, copy->getType());
    EXPECT_EQ(" op", copy->toStringList());
    EXPECT_EQ(" ( op a ) s", original->toStringList());
    original = nullAST;
    EXPECT_EQ((std::vector<std::string>{"op", "s", "a"}), CountedNode::destroyed());
    EXPECT_EQ("op", copy->getText());
}
