#include <orvel/ASTNULLType.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>

#include "support/Expect.hpp"
#include "support/Streams.hpp"
#include "support/TreeNodes.hpp"

namespace {

using namespace orvel;
using namespace orvel::test;

TEST(AST, NodesRenderTreesAndListsWithALeadingBlankAndBareNodesHaveNoPayload)
{
    const std::pair<const char*, const char*> listAndTree[] = {
        {" ( + a b ) c", " ( + a b )"}, {" a b c", " a"}, {" ( f ( g ( h i ) ) ) d", " ( f ( g ( h i ) ) )"}};
    for (const auto& [list, tree] : listAndTree) {
        EXPECT_EQ(list, fromText(list)->toStringList());
        EXPECT_EQ(tree, fromText(list)->toStringTree());
    }
    EXPECT_EQ("+", fromText(" ( + a b )")->toString());
    EXPECT_EQ(" ", CommonAST::factory()->toStringList());
    ASTRefCount<AST> bare(new BareNode);
    bare->setText("x");
    bare->setType(7);
    EXPECT_EQ("", bare->toString());
    EXPECT_EQ(0, bare->getType());
    CaptureStream err(std::cerr);
    EXPECT_FALSE(bare->clone());
    EXPECT_EQ("BaseAST::clone()\n", err.text());
}

TEST(AST, AddChildSharesTheNodeAppendsItWithItsSiblingsAndIgnoresEmpty)
{
    ASTRefCount<AST> root = node("r");
    ASTRefCount<AST> a = node("a");
    root->addChild(nullAST);
    root->addChild(a);
    root->addChild(fromText(" b c"));
    a->setText("A");
    EXPECT_EQ(" ( r A b c )", root->toStringTree());
    EXPECT_EQ(3u, root->getNumberOfChildren());
    static_cast<BaseAST*>(root.get())->removeChildren();
    EXPECT_EQ(" r", root->toStringTree());
    ASTPair pair;
    pair.advanceChildToEnd();
    pair.child = fromText(" a ( b c ) d");
    pair.advanceChildToEnd();
    EXPECT_EQ("d", pair.child->getText());
}

TEST(AST, ComparesNodesTreesAndListsFullyAndPartially)
{
    const struct {
        const char *mine, *other;
        bool equals, tree, treePartial, list, listPartial;
    } cases[] = {
        {" ( x a ) b", "", false, false, true, false, true},
        {" x", " xx", false, false, false, false, false},
        {" ( x a )", " x", true, false, true, false, true},
        {" x", " ( x a )", true, false, true, false, true},
        {" a b", " a b c", true, true, true, false, false},
        {" a b c", " a b", true, true, true, false, true},
        {" ( x ( a b ) )", " ( x ( a b ) )", true, true, true, true, true},
        {" ( x ( a b ) )", " ( x ( a c ) )", true, false, false, false, false},
        {" ( x ( a b c ) )", " ( x ( a b ) )", true, false, true, false, true},
        {" ( x ( a b ) )", " ( x ( a b c ) )", true, false, false, false, false},
    };
    for (const auto& c : cases) {
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

TEST(AST, FindAllReturnsTheMatchingNodesThemselvesInPreOrderAlsoAmongFollowingSiblings)
{
    const ASTRefCount<AST> root = fromText(" ( r a x ( b x ) ( x ( x c ) ) ) x");
    const ASTRefCount<AST> second = root->getFirstChild()->getNextSibling();
    const std::vector<ASTRefCount<AST>> leaves{second, second->getNextSibling()->getFirstChild(), root->getNextSibling()};
    EXPECT_EQ(leaves, root->findAll(node("x")));
    Texts partial;
    for (const auto& n : root->findAllPartial(node("x")))
        partial.push_back(n->toStringTree());
    EXPECT_EQ((Texts{" x", " x", " ( x ( x c ) )", " ( x c )", " x"}), partial);
    EXPECT_EQ(1u, root->findAll(fromText(" ( x c )")).size());
    EXPECT_TRUE(root->findAll(nullAST).empty());
}

// Nodes die in the order a recursive release starts them.
TEST(AST, DroppingARootFreesItsTreeAndSiblingsAndCloneSharesNoLinks)
{
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> root = fromText<CountedNode>(" ( r ( a a1 ) ( b b1 b2 ) ) s");
    ASTRefCount<AST> b = root->getFirstChild()->getNextSibling();
    ASTRefCount<AST> copy = b->clone();
    root->setFirstChild(root->getFirstChild());
    EXPECT_TRUE(destroyed.empty());
    root = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1"}), destroyed);
    b->setNextSibling(node<CountedNode>("c"));
    b->setNextSibling(nullAST);
    b = nullAST;
    EXPECT_EQ((Texts{"r", "s", "a", "a1", "c", "b", "b1", "b2"}), destroyed);
    EXPECT_EQ(" b", copy->toStringList());
}

// Returns the first of a million CountedNodes "x", each linked to the one before by `link`.
ASTRefCount<AST> millionNodes(void (AST::*link)(ASTRefCount<AST>))
{
    ASTRefCount<AST> first = node<CountedNode>("x");
    ASTRefCount<AST> last = first;
    for (int i = 1; i < 1000000; ++i) {
        ASTRefCount<AST> next = node<CountedNode>("x");
        (last.get()->*link)(next);
        last = next;
    }
    return first;
}

TEST(AST, AMillionSiblingsRenderAndDropAndAMillionDeepChainDropsWithinTheDefaultStack)
{
    constexpr std::size_t million = 1000000;
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> root = node<CountedNode>("r");
    root->setFirstChild(millionNodes(&AST::setNextSibling));
    EXPECT_EQ(2 * million, root->getFirstChild()->toStringList().size());
    EXPECT_EQ(million, root->getNumberOfChildren());
    EXPECT_TRUE(root->equalsTree(root));
    EXPECT_EQ(million, root->findAll(node("x")).size());
    root = nullAST;
    EXPECT_EQ(million + 1, destroyed.size());
    root = millionNodes(&AST::setFirstChild);
    root = nullAST;
    EXPECT_EQ(2 * million + 1, destroyed.size());
}

TEST(ASTNULLType, IsAnInertNodeOfTypeThreeThatLeadsOnlyToItselfAndMatchesNothing)
{
    ASTRefCount<AST> null = ASTNULLType::factory();
    ASTRefCount<AST> other = fromText(" ( a b )");
    null->setText("x");
    null->setType(7);
    null->addChild(other);
    null->setNextSibling(other);
    null->initialize(other);
    EXPECT_EQ(Token::NULL_TREE_LOOKAHEAD, null->getType());
    for (const std::string& rendering : {null->getText(), null->toString(), null->toStringList(), null->toStringTree()})
        EXPECT_EQ("<ASTNULL>", rendering);
    EXPECT_EQ(null, null->clone());
    EXPECT_EQ(null, null->getFirstChild()->getNextSibling());
    EXPECT_EQ(" ( a b )", other->toStringList());
    for (const ASTRefCount<AST>& o : {null, other}) {
        EXPECT_FALSE(null->equals(o) || null->equalsList(o) || null->equalsListPartial(o) || null->equalsTree(o)
                     || null->equalsTreePartial(o));
        EXPECT_TRUE(null->findAll(o).empty() && null->findAllPartial(o).empty());
    }
}

// A node made from a hidden-stream token shares its hidden neighbours, keeps
// them alive and passes them on to copies and to nodes initialized from it.
TEST(CommonASTWithHiddenTokens, TakesTheHiddenTokensOfAHiddenStreamTokenOrNodeAndOnlyThose)
{
    std::vector<int> deaths;
    TokenRefCount<Token> token(new CommonHiddenStreamToken(5, "id"));
    hidden(token)->setHiddenBefore(new ProbeToken(7, deaths));
    hidden(token)->setHiddenAfter(new ProbeToken(8, deaths));
    using Node = ASTRefCount<CommonASTWithHiddenTokens>;
    Node n(CommonASTWithHiddenTokens::factory());
    n->initialize(token);
    n->addChild(CommonAST::factory());
    Node copy(n->clone());
    Node other(CommonASTWithHiddenTokens::factory());
    other->initialize(ASTRefCount<AST>(n));
    for (const Node& h : {n, copy, other}) {
        EXPECT_EQ("id", h->getText());
        EXPECT_EQ(hidden(token)->getHiddenBefore(), h->getHiddenBefore());
        EXPECT_EQ(hidden(token)->getHiddenAfter(), h->getHiddenAfter());
    }
    EXPECT_EQ(0u, copy->getNumberOfChildren());
    other->initialize(CommonAST::factory());
    copy->initialize(TokenRefCount<Token>(new CommonToken(6, "plain")));
    for (const Node& h : {copy, other})
        EXPECT_FALSE(h->getHiddenBefore() || h->getHiddenAfter());
    token = nullToken;
    n = Node();
    EXPECT_EQ((std::vector<int>{8, 7}), deaths);
}

}
