#include <orvel/ASTArray.hpp>
#include <orvel/ASTFactory.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

using namespace orvel;
using namespace orvel::test;

TEST(ASTArray, AddAppendsInOrderReturnsTheArrayAndHoldsTheNodesUntilMakeDeletesIt)
{
    const Texts& destroyed = CountedNode::freshLog();
    auto* array = new ASTArray(3);
    ASTRefCount<AST> a = node<CountedNode>("a");
    EXPECT_EQ(array, array->add(a)->add(nullAST)->add(node<CountedNode>("b")));
    ASSERT_EQ(3u, array->getNodes().size());
    EXPECT_EQ(a, array->getNodes()[0]);
    EXPECT_FALSE(array->getNodes()[1]);
    EXPECT_EQ("b", array->getNodes()[2]->getText());
    ASTRefCount<AST> root = ASTFactory().make(array);
    EXPECT_EQ(" ( a b )", root->toStringTree());
    a = root = nullAST;
    EXPECT_EQ((Texts{"a", "b"}), destroyed);
}
