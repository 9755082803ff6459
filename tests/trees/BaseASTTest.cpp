#include <orvel/BaseAST.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/TreeNodes.hpp"

using namespace orvel;
using orvel::test::BareNode;
using orvel::test::CountedNode;
using orvel::test::fromText;
using orvel::test::node;
using Texts = std::vector<std::string>;

namespace {

Texts trees(const std::vector<ASTRefCount<AST>>& nodes)
{
    Texts texts;
    for (const auto& n : nodes)
        texts.push_back(n->toStringTree());
    return texts;
}

struct Comparison {
    const char* mine;
    const char* other;
    bool tree, treePartial, list, listPartial;
};

void PrintTo(const Comparison& c, std::ostream* out)
{
    *out << '"' << c.mine << "\" vs \"" << c.other << '"';
}

class BaseASTComparison : public ::testing::TestWithParam<Comparison> {};
class BaseASTRendering : public ::testing::TestWithParam<const char*> {};

class BaseASTLifetime : public ::testing::Test {
protected:
    void SetUp() override { CountedNode::destroyed().clear(); }
    const Texts& destroyed() { return CountedNode::destroyed(); }
};

}

TEST(BaseAST, BareNodeHasNoPayloadAndCloneReportsOnStandardError)
{
    ASTRefCount<AST> n(new BareNode);
    n->setText("x");
    n->setType(7);
    EXPECT_STREQ("BaseAST", n->typeName());
    EXPECT_EQ("", n->toString());
    EXPECT_EQ(0, n->getType());
    test::CaptureStream cap(std::cerr);
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

TEST(BaseAST, EqualsNeedsTheSameTypeAndText)
{
    ASTRefCount<AST> x = node("x");
    EXPECT_TRUE(x->equals(node("x")));
    EXPECT_FALSE(x->equals(node("xx")));
    EXPECT_FALSE(x->equals(nullAST));
    ASTRefCount<AST> other = node("x");
    other->setType(5);
    EXPECT_FALSE(x->equals(other));
}

TEST_P(BaseASTComparison, GivesTheExpectedResultForEachComparison)
{
    const Comparison& c = GetParam();
    ASTRefCount<AST> mine = fromText(c.mine);
    ASTRefCount<AST> other = fromText(c.other);
    EXPECT_EQ(c.tree, mine->equalsTree(other));
    EXPECT_EQ(c.treePartial, mine->equalsTreePartial(other));
    EXPECT_EQ(c.list, mine->equalsList(other));
    EXPECT_EQ(c.listPartial, mine->equalsListPartial(other));
}

// mine, other: equalsTree, equalsTreePartial, equalsList, equalsListPartial
INSTANTIATE_TEST_SUITE_P(
    Shapes, BaseASTComparison,
    ::testing::Values(Comparison{" ( x a ) b", "", false, true, false, true},
                      Comparison{" x", " x", true, true, true, true},
                      Comparison{" x", " y", false, false, false, false},
                      Comparison{" ( x a )", " x", false, true, false, true},
                      Comparison{" x", " ( x a )", false, true, false, true},
                      Comparison{" a b", " a b c", true, true, false, false},
                      Comparison{" a b c", " a b", true, true, false, true},
                      Comparison{" x y", " x z", true, true, false, false},
                      Comparison{" ( x ( a b ) )", " ( x ( a b ) )", true, true, true, true},
                      Comparison{" ( x ( a b ) )", " ( x ( a c ) )", false, false, false, false},
                      Comparison{" ( x ( a b c ) )", " ( x ( a b ) )", false, true, false, true},
                      Comparison{" ( x ( a b ) )", " ( x ( a b c ) )", false, false, false, false},
                      Comparison{" a ( b c )", " a b", true, true, false, true}));

TEST(BaseAST, FindAllReturnsTheMatchingNodesThemselvesInPreOrder)
{
    ASTRefCount<AST> root = fromText(" ( r a x ( b x ) )");
    const auto found = root->findAll(node("x"));
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ(root->getFirstChild()->getNextSibling(), found[0]);
    EXPECT_EQ(found[0]->getNextSibling()->getFirstChild(), found[1]);
    EXPECT_TRUE(root->findAll(nullAST).empty());
    EXPECT_TRUE(root->findAllPartial(nullAST).empty());
}

TEST(BaseAST, FindAllPartialAlsoReportsMatchesWithChildrenAndNestedOnes)
{
    ASTRefCount<AST> list = fromText(" a ( x ( x c ) ) x");
    EXPECT_EQ((Texts{" x"}), trees(list->findAll(node("x"))));
    EXPECT_EQ((Texts{" ( x ( x c ) )", " ( x c )", " x"}), trees(list->findAllPartial(node("x"))));
    EXPECT_EQ((Texts{" ( x c )"}), trees(list->findAll(fromText(" ( x c )"))));
}

TEST(BaseAST, RendersTheWorkedExampleByteForByte)
{
    ASTRefCount<AST> root = fromText(" ( + a b ) c");
    EXPECT_EQ(" ( + a b )", root->toStringTree());
    EXPECT_EQ(" ( + a b ) c", root->toStringList());
    EXPECT_EQ(" a b", root->getFirstChild()->toStringList());
    EXPECT_EQ("+", root->toString());
}

TEST_P(BaseASTRendering, RendersTheListItWasBuiltFrom)
{
    EXPECT_EQ(GetParam(), fromText(GetParam())->toStringList());
}

INSTANTIATE_TEST_SUITE_P(Shapes, BaseASTRendering,
                         ::testing::Values(" x", " a b c", " ( + ( * a b ) c ) d", " ( f ( g ( h i ) ) )"));

TEST_F(BaseASTLifetime, DroppingTheRootFreesItsTreeAndFollowingSiblingsInOrder)
{
    ASTRefCount<AST> root = fromText<CountedNode>(" ( r ( a a1 ) b ) s");
    ASTRefCount<AST> b = root->getFirstChild()->getNextSibling();
    root = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1"}), destroyed());
    b = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1", "b"}), destroyed());
}

TEST_F(BaseASTLifetime, ReplacingLinksReleasesWhatTheyHeldButKeepsTheSameNode)
{
    ASTRefCount<AST> root = fromText<CountedNode>(" ( r a b ) s");
    root->setFirstChild(root->getFirstChild());
    EXPECT_TRUE(destroyed().empty());
    root->setFirstChild(node<CountedNode>("c"));
    root->setNextSibling(nullAST);
    EXPECT_EQ((Texts{"a", "b", "s"}), destroyed());
}

namespace {

constexpr std::size_t million = 1000000;

}

TEST_F(BaseASTLifetime, MillionChildrenRenderCompareAndDropWithinTheDefaultStack)
{
    ASTRefCount<AST> root = node<CountedNode>("r");
    ASTRefCount<AST> last = node<CountedNode>("x");
    root->setFirstChild(last);
    for (std::size_t i = 1; i < million; ++i) {
        last->setNextSibling(node<CountedNode>("x"));
        last = last->getNextSibling();
    }
    last = nullAST;
    const std::string rendering = root->getFirstChild()->toStringList();
    EXPECT_EQ(2 * million, rendering.size());
    EXPECT_EQ(std::string::npos, rendering.find_first_not_of(" x"));
    EXPECT_EQ(million, root->getNumberOfChildren());
    EXPECT_TRUE(root->equalsTree(root));
    EXPECT_EQ(million, root->findAll(node("x")).size());
    root = nullAST;
    EXPECT_EQ(million + 1, destroyed().size());
}

TEST_F(BaseASTLifetime, MillionDeepFirstChildChainDropsWithinTheDefaultStack)
{
    ASTRefCount<AST> root = node<CountedNode>("d");
    ASTRefCount<AST> deepest = root;
    for (std::size_t i = 1; i < million; ++i) {
        deepest->setFirstChild(node<CountedNode>("d"));
        deepest = deepest->getFirstChild();
    }
    deepest = nullAST;
    root = nullAST;
    EXPECT_EQ(million, destroyed().size());
}
