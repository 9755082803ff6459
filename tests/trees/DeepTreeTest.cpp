#include <orvel/ASTFactory.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/TreeParser.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvel;

namespace {

constexpr int levels = 1000000;

// Returns a chain `levels` deep: "a" over "a" over ... over "b", each node
// but the last with one child; the root has the sibling "c".
ASTRefCount<AST> deepChain(ASTFactory& factory)
{
    ASTRefCount<AST> node = factory.create(5, "b");
    for (int i = 1; i < levels; ++i) {
        ASTRefCount<AST> parent = factory.create(4, "a");
        parent->setFirstChild(node);
        node = parent;
    }
    node->setNextSibling(factory.create(6, "c"));
    return node;
}

}

TEST(DeepTree, AMillionLevelsRenderCompareSearchAndCopyWithinTheDefaultStack)
{
    ASTFactory factory;
    const ASTRefCount<AST> tree = deepChain(factory);
    std::string rendering;
    for (int i = 1; i < levels; ++i)
        rendering += " ( a";
    rendering += " b";
    for (int i = 1; i < levels; ++i)
        rendering += " )";
    EXPECT_EQ(rendering, tree->toStringTree());
    EXPECT_EQ(rendering + " c", tree->toStringList());

    const ASTRefCount<AST> copy = factory.dupList(tree);
    EXPECT_TRUE(copy->equalsList(tree));
    EXPECT_TRUE(copy->equalsTree(tree));
    EXPECT_TRUE(tree->equalsListPartial(copy));
    EXPECT_TRUE(tree->equalsTreePartial(copy));
    EXPECT_EQ(tree->toStringList(), copy->toStringList());
    EXPECT_FALSE(factory.dupTree(tree)->equalsList(tree));
    EXPECT_EQ(nullptr, factory.dupTree(tree)->getNextSibling().get());

    const std::vector<ASTRefCount<AST>> leaves = tree->findAll(factory.create(5, "b"));
    ASSERT_EQ(1u, leaves.size());
    EXPECT_EQ("b", leaves[0]->getText());
    const std::vector<ASTRefCount<AST>> found = copy->findAllPartial(factory.create(4, "a"));
    ASSERT_EQ(std::size_t(levels - 1), found.size());
    EXPECT_EQ(copy, found.front());
    EXPECT_EQ(" ( a b )", found.back()->toStringTree());
}

TEST(DeepTree, WalksEndAtTheNullNode)
{
    ASTFactory factory;
    const ASTRefCount<AST> null = TreeParser::ASTNULL;
    EXPECT_EQ(null, factory.dupTree(null));
    EXPECT_EQ(null, factory.dupList(null));

    ASTPair pair;
    for (const ASTRefCount<AST>& child : {factory.create(4, "a"), null, factory.create(4, "b")})
        factory.addASTChild(pair, child);
    EXPECT_EQ(" a <ASTNULL>", pair.root->toStringList());

    const ASTRefCount<AST> root = factory.make({factory.create(4, "r"), null, factory.create(4, "x")});
    EXPECT_EQ(1u, root->getNumberOfChildren());
    EXPECT_EQ(" ( r <ASTNULL> )", root->toStringTree());
    EXPECT_EQ(" ( r <ASTNULL> )", factory.dupTree(root)->toStringTree());
    EXPECT_FALSE(root->equalsTree(factory.dupTree(root)));
    EXPECT_TRUE(root->findAll(null).empty());
    root->addChild(factory.create(4, "y"));
    EXPECT_EQ(1u, root->getNumberOfChildren());
}
