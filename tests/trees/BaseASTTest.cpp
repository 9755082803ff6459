#include <orvel/BaseAST.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/TreeNodes.hpp"

using namespace orvel;
using namespace orvel::test;

namespace {

constexpr std::size_t million = 1000000;

Texts trees(const std::vector<ASTRefCount<AST>>& nodes)
{
    Texts texts;
    for (const auto& n : nodes)
        texts.push_back(n->toStringTree());
    return texts;
}

// Returns the first of a million CountedNodes "x", each linked to the one before by `link`.
ASTRefCount<AST> millionNodes(void (AST::*link)(ASTRefCount<AST>))
{
    ASTRefCount<AST> first = node<CountedNode>("x");
    ASTRefCount<AST> last = first;
    for (std::size_t i = 1; i < million; ++i) {
        ASTRefCount<AST> next = node<CountedNode>("x");
        (last.get()->*link)(next);
        last = next;
    }
    return first;
}

}

TEST(BaseAST, BareNodeHasNoPayloadAndCloneReportsOnStandardError)
{
    ASTRefCount<AST> n(new BareNode);
    n->setText("x");
    n->setType(7);
    EXPECT_STREQ("BaseAST", n->typeName());
    EXPECT_EQ("", n->toString());
    EXPECT_EQ(0, n->getType());
    CaptureStream cap(std::cerr);
    EXPECT_FALSE(n->clone());
    EXPECT_EQ("BaseAST::clone()\n", cap.text());
}

TEST(BaseAST, AddChildSharesTheNodeAppendsWithItsSiblingsAndIgnoresEmpty)
{
    ASTRefCount<AST> root = node("r");
    ASTRefCount<AST> a = node("a");
    root->addChild(nullAST);
    EXPECT_EQ(0u, root->getNumberOfChildren());
    root->addChild(a);
    EXPECT_EQ(a, root->getFirstChild());
    root->addChild(fromText(" b c"));
    root->addChild(node("d"));
    a->setText("A");
    EXPECT_EQ(" ( r A b c d )", root->toStringTree());
    EXPECT_EQ(4u, root->getNumberOfChildren());
    static_cast<BaseAST*>(root.get())->removeChildren();
    EXPECT_EQ(0u, root->getNumberOfChildren());
    EXPECT_EQ(" r", root->toStringTree());
}

TEST(BaseAST, ComparesNodesTreesAndListsFullyAndPartially)
{
    struct Case {
        const char* mine;
        const char* other;
        bool equals, tree, treePartial, list, listPartial;
    };
    const Case cases[] = {
        {" ( x a ) b", "", false, false, true, false, true},
        {" x", " x", true, true, true, true, true},
        {" x", " xx", false, false, false, false, false},
        {" ( x a )", " x", true, false, true, false, true},
        {" x", " ( x a )", true, false, true, false, true},
        {" a b", " a b c", true, true, true, false, false},
        {" a b c", " a b", true, true, true, false, true},
        {" x y", " x z", true, true, true, false, false},
        {" ( x ( a b ) )", " ( x ( a b ) )", true, true, true, true, true},
        {" ( x ( a b ) )", " ( x ( a c ) )", true, false, false, false, false},
        {" ( x ( a b c ) )", " ( x ( a b ) )", true, false, true, false, true},
        {" ( x ( a b ) )", " ( x ( a b c ) )", true, false, false, false, false},
        {" a ( b c )", " a b", true, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mine) + " vs" + c.other);
        const ASTRefCount<AST> mine = fromText(c.mine);
        const ASTRefCount<AST> other = fromText(c.other);
        EXPECT_EQ(c.equals, mine->equals(other));
        EXPECT_EQ(c.tree, mine->equalsTree(other));
        EXPECT_EQ(c.treePartial, mine->equalsTreePartial(other));
        EXPECT_EQ(c.list, mine->equalsList(other));
        EXPECT_EQ(c.listPartial, mine->equalsListPartial(other));
    }
    EXPECT_FALSE(node("x")->equals(node("x", 5)));
}

TEST(BaseAST, FindAllReturnsTheMatchingNodesThemselvesInPreOrderAlsoAmongFollowingSiblings)
{
    const ASTRefCount<AST> root = fromText(" ( r a x ( b x ) ( x ( x c ) ) ) x");
    const ASTRefCount<AST> second = root->getFirstChild()->getNextSibling();
    const std::vector<ASTRefCount<AST>> leaves{second, second->getNextSibling()->getFirstChild(), root->getNextSibling()};
    EXPECT_EQ(leaves, root->findAll(node("x")));
    EXPECT_EQ((Texts{" x", " x", " ( x ( x c ) )", " ( x c )", " x"}), trees(root->findAllPartial(node("x"))));
    EXPECT_EQ((Texts{" ( x c )"}), trees(root->findAll(fromText(" ( x c )"))));
    EXPECT_TRUE(root->findAll(nullAST).empty());
    EXPECT_TRUE(root->findAllPartial(nullAST).empty());
}

TEST(BaseAST, RendersTreesAndListsWithALeadingBlank)
{
    const ASTRefCount<AST> worked = fromText(" ( + a b ) c");
    EXPECT_EQ(" a b", worked->getFirstChild()->toStringList());
    EXPECT_EQ("+", worked->toString());
    const std::pair<const char*, const char*> listAndTree[] = {
        {" ( + a b ) c", " ( + a b )"},
        {" x", " x"},
        {" a b c", " a"},
        {" ( + ( * a b ) c ) d", " ( + ( * a b ) c )"},
        {" ( f ( g ( h i ) ) )", " ( f ( g ( h i ) ) )"},
    };
    for (const auto& [list, tree] : listAndTree) {
        EXPECT_EQ(list, fromText(list)->toStringList());
        EXPECT_EQ(tree, fromText(list)->toStringTree());
    }
}

TEST(BaseAST, DroppingTheRootFreesItsTreeAndFollowingSiblingsInOrderAndReplacingALinkFreesWhatItHeld)
{
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> root = fromText<CountedNode>(" ( r ( a a1 ) ( b b1 b2 ) ) s");
    ASTRefCount<AST> b = root->getFirstChild()->getNextSibling();
    root->setFirstChild(root->getFirstChild());
    EXPECT_TRUE(destroyed.empty());
    root = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1"}), destroyed);
    b->setFirstChild(nullAST);
    b->setNextSibling(node<CountedNode>("c"));
    b->setNextSibling(nullAST);
    EXPECT_EQ((Texts{"r", "s", "a", "a1", "b1", "b2", "c"}), destroyed);
    b = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1", "b1", "b2", "c", "b"}), destroyed);
}

TEST(BaseAST, AMillionSiblingsRenderAndDropAndAMillionDeepChainDropsWithinTheDefaultStack)
{
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> root = node<CountedNode>("r");
    root->setFirstChild(millionNodes(&AST::setNextSibling));
    const std::string rendering = root->getFirstChild()->toStringList();
    EXPECT_EQ(2 * million, rendering.size());
    EXPECT_EQ(std::string::npos, rendering.find_first_not_of(" x"));
    EXPECT_EQ(million, root->getNumberOfChildren());
    EXPECT_TRUE(root->equalsTree(root));
    EXPECT_EQ(million, root->findAll(node("x")).size());
    root = nullAST;
    EXPECT_EQ(million + 1, destroyed.size());
    root = millionNodes(&AST::setFirstChild);
    root = nullAST;
    EXPECT_EQ(2 * million + 1, destroyed.size());
}
