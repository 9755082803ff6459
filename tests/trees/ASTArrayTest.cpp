#include <orvel/ASTArray.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

#include <memory>

using namespace orvel;
using namespace orvel::test;

TEST(ASTArray, AddAppendsInOrderReturnsTheArrayAndHoldsTheNodesUntilDeleted)
{
    const Texts& destroyed = CountedNode::freshLog();
    auto array = std::make_unique<ASTArray>(3);
    ASTRefCount<AST> a = node<CountedNode>("a");
    EXPECT_EQ(array.get(), array->add(a)->add(nullAST)->add(node<CountedNode>("b")));
    ASSERT_EQ(3u, array->getNodes().size());
    EXPECT_EQ(a, array->getNodes()[0]);
    EXPECT_FALSE(array->getNodes()[1]);
    EXPECT_EQ("b", array->getNodes()[2]->getText());
    EXPECT_TRUE(destroyed.empty());
    array.reset();
    EXPECT_EQ(Texts{"b"}, destroyed);
}
