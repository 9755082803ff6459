#include <orvel/CommonAST.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

using namespace orvel;
using namespace orvel::test;

TEST(CommonAST, FactoryMakesAnEmptyNodeThatInitializeAndSettersFillAndCloneCopiesWithoutChildren)
{
    ASTRefCount<AST> n = CommonAST::factory();
    EXPECT_STREQ("CommonAST", n->typeName());
    EXPECT_EQ(0, n->getType());
    EXPECT_EQ(" ", n->toStringList());
    n->initialize(5, "x");
    n->setText("y");
    n->addChild(node("c"));
    ASTRefCount<AST> copy = n->clone();
    EXPECT_NE(n, copy);
    EXPECT_STREQ("CommonAST", copy->typeName());
    EXPECT_EQ(5, copy->getType());
    EXPECT_EQ(" y", copy->toStringList());
    EXPECT_EQ(" ( y c )", n->toStringList());
}

TEST(CommonAST, CloneSharesNoLinksSoTheOriginalFreesItsWholeListAlone)
{
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> original = fromText<CountedNode>(" ( op a ) s");
    ASTRefCount<AST> copy = original->clone();
    original = nullAST;
    EXPECT_EQ((Texts{"op", "s", "a"}), destroyed);
    EXPECT_EQ(" op", copy->toStringList());
}
