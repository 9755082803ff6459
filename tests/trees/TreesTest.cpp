#include <orvel/ASTArray.hpp>
#include <orvel/ASTFactory.hpp>
#include <orvel/ASTNULLType.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/DotWriter.hpp>
#include <orvel/ORVELException.hpp>

#include "support/Fixtures.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>

namespace {

using namespace orvel;
using namespace orvel::test;

using Texts = std::vector<std::string>;

// A CommonAST that logs its text when it is destroyed.
struct CountedNode : CommonAST {
    ~CountedNode() override { destroyed.push_back(text); }
    ASTRefCount<AST> clone() const override { return new CountedNode(*this); }
    static ASTRefCount<AST> factory() { return new CountedNode; }

    // The texts of the CountedNodes destroyed since the log was last emptied, in order.
    static inline Texts destroyed;
};

// A node with nothing but the structure of BaseAST: its clone() is BaseAST's.
struct BareNode : BaseAST {
    void initialize(int, const std::string&) override {}
    void initialize(ASTRefCount<AST>) override {}
    void initialize(TokenRefCount<Token>) override {}
};

// Builds the list whose rendering is `text`, e.g. " ( + a b ) c", from nodes of class Node.
template <typename Node = CommonAST>
ASTRefCount<AST> fromText(const std::string& text)
{
    std::istringstream in(text);
    const auto readList = [&in](const auto& self) -> ASTRefCount<AST> {
        ASTRefCount<AST> holder = node("");
        for (std::string w; in >> w && w != ")";) {
            const bool parent = w == "(" && in >> w;
            ASTRefCount<AST> n = node<Node>(w);
            if (parent)
                n->setFirstChild(self(self));
            holder->addChild(n);
        }
        return holder->getFirstChild();
    };
    return readList(readList);
}

TEST(AST, NodesRenderTreesAndListsWithALeadingBlank)
{
    const std::pair<const char*, const char*> listAndTree[] = {
        {" ( + a b ) c", " ( + a b )"}, {" a b c", " a"}, {" ( f ( g ( h i ) ) ) d", " ( f ( g ( h i ) ) )"}};
    for (const auto& [list, tree] : listAndTree) {
        EXPECT_EQ(list, fromText(list)->toStringList());
        EXPECT_EQ(tree, fromText(list)->toStringTree());
    }
    EXPECT_EQ("+", fromText(" ( + a b )")->toString());
    EXPECT_EQ(" ", CommonAST::factory()->toStringList());
}

TEST(AST, ComparesNodesTreesAndListsFullyAndPartially)
{
    const struct {
        const char *mine, *other;
        bool equals, tree, treePartial, list, listPartial;
    } cases[] = {
        {" ( x a ) b", "", false, false, true, false, true},
        {" ( x a )", " x", true, false, true, false, true},
        {" a b", " a b c", true, true, true, false, false},
        {" a b c", " a b", true, true, true, false, true},
        {" ( x ( a b ) )", " ( x ( a b ) )", true, true, true, true, true},
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
    Texts& destroyed = CountedNode::destroyed;
    destroyed.clear();
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
    Texts& destroyed = CountedNode::destroyed;
    destroyed.clear();
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
    null->setType(7);
    null->addChild(other);
    null->initialize(other);
    EXPECT_EQ(Token::NULL_TREE_LOOKAHEAD, null->getType());
    EXPECT_EQ("<ASTNULL><ASTNULL><ASTNULL>", null->getText() + null->toStringList() + null->toStringTree());
    EXPECT_TRUE(null == null->clone() && null == null->getFirstChild()->getNextSibling());
    EXPECT_FALSE(null->equals(null) || null->equalsList(other) || null->equalsTreePartial(null));
    EXPECT_TRUE(null->findAll(null).empty());
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
    Node copy(n->clone());
    Node other(CommonASTWithHiddenTokens::factory());
    other->initialize(ASTRefCount<AST>(copy));
    EXPECT_EQ(" id", other->toStringList());
    EXPECT_TRUE(other->getHiddenBefore() == hidden(token)->getHiddenBefore()
                && other->getHiddenAfter() == hidden(token)->getHiddenAfter());
    n->initialize(CommonAST::factory());
    copy->initialize(TokenRefCount<Token>(new CommonToken(6, "plain")));
    EXPECT_FALSE(n->getHiddenBefore() || copy->getHiddenAfter());
    token = nullToken;
    other = Node();
    EXPECT_EQ((std::vector<int>{8, 7}), deaths);
}

// A factory that shows the size of its table.
struct TableFactory : ASTFactory {
    using ASTFactory::ASTFactory;
    std::size_t tableSize() const { return descriptors.size(); }
};

const char* const COUNTED = "CountedNode";

bool isCounted(const ASTRefCount<AST>& n) { return dynamic_cast<CountedNode*>(n.get()) != nullptr; }

TEST(ASTFactory, CreatesTheClassRegisteredForTheTypeElseTheDefaultClassAndTheTableOnlyGrows)
{
    TableFactory factory;
    EXPECT_EQ(4u, factory.tableSize());
    factory.registerFactory(9, COUNTED, &CountedNode::factory);
    EXPECT_EQ(10u, factory.tableSize());
    EXPECT_TRUE(isCounted(factory.create(9, "n")));
    EXPECT_TRUE(isCounted(factory.create(token(9, "t"))));
    EXPECT_TRUE(isCounted(factory.create(node("x", 9))));
    EXPECT_FALSE(isCounted(factory.create(7)));
    factory.registerFactory(9, "second", &CommonASTWithHiddenTokens::factory);
    factory.setASTNodeFactory(COUNTED, &CountedNode::factory);
    for (int type : {20, 19, -1})
        factory.setMaxNodeType(type);
    EXPECT_EQ(21u, factory.tableSize());
    for (int type : {0, 7, 20, 1000, -1})
        EXPECT_TRUE(isCounted(factory.create(type))) << type;
    EXPECT_STREQ("CommonASTWithHiddenTokens", factory.create(9)->typeName());
    EXPECT_EQ(" <no text>", ASTFactory().create(TokenRefCount<Token>(new Token(6)))->toStringList());
    const std::string longText(40, 'x');
    const ASTRefCount<AST> plain = ASTFactory().create(token(7, longText));
    EXPECT_STREQ("CommonAST", plain->typeName());
    EXPECT_EQ(longText, plain->getText());
    EXPECT_EQ(7, plain->getType());
    EXPECT_FALSE(factory.create(nullAST) || factory.create(nullToken));
}

TEST(ASTFactory, RegisterFactoryRejectsReservedTypesFirstThenNullFactoriesLeavingTheTable)
{
    TableFactory factory;
    const char* const badType = "Internal parser error invalid type passed to RegisterFactory";
    EXPECT_THROW_TEXT(factory.registerFactory(3, COUNTED, &CountedNode::factory), ORVELException, badType);
    EXPECT_THROW_TEXT(factory.registerFactory(-5, COUNTED, nullptr), ORVELException, badType);
    EXPECT_THROW_TEXT(factory.registerFactory(10, COUNTED, nullptr), ORVELException,
                      "Internal parser error 0 factory passed to RegisterFactory");
    EXPECT_EQ(4u, factory.tableSize());
}

// Copies are whole: dropping the original frees every one of its nodes, and
// nodes outlive the factory that made them.
TEST(ASTFactory, DupCopiesANodeDupTreeItsSubtreeDupListItsSiblingsAndUncloneableNodesGiveEmpty)
{
    Texts& destroyed = CountedNode::destroyed;
    destroyed.clear();
    auto factory = std::make_unique<ASTFactory>();
    ASTRefCount<AST> original = fromText<CountedNode>(" ( x ( a b ) c ) s ( t u )");
    EXPECT_EQ(" x", factory->dup(original)->toStringList());
    ASTRefCount<AST> tree = factory->dupTree(original);
    EXPECT_EQ(" ( x ( a b ) c )", tree->toStringList());
    ASTRefCount<AST> list = factory->dupList(original);
    EXPECT_TRUE(isCounted(list->getNextSibling()));
    EXPECT_FALSE(factory->dup(nullAST) || factory->dupTree(nullAST) || factory->dupList(nullAST));
    ASTRefCount<AST> bare(new BareNode);
    CaptureStream err(std::cerr);
    EXPECT_FALSE(factory->dupTree(bare));
    EXPECT_EQ("BaseAST::clone()\n", err.text());
    factory.reset();
    original = tree = nullAST;
    EXPECT_EQ(1u + 4u + 7u, destroyed.size());
    EXPECT_EQ(" ( x ( a b ) c ) s ( t u )", list->toStringList());
}

TEST(ASTFactory, MakeGivesTheFirstNodeTheOthersAsChildrenOrListsThemWithoutItAndDeletesTheArray)
{
    ASTFactory factory;
    Texts& destroyed = CountedNode::destroyed;
    destroyed.clear();
    ASTRefCount<AST> x = fromText<CountedNode>(" ( x old )");
    EXPECT_EQ(x, factory.make({x, node("y"), nullAST, fromText(" ( z w ) v"), node("u")}));
    EXPECT_EQ((Texts{"old"}), destroyed);
    EXPECT_EQ(" ( x y ( z w ) v u )", x->toStringList());
    EXPECT_EQ(" ( y c ) z", factory.make({nullAST, fromText(" ( y c )"), node("z")})->toStringList());
    EXPECT_FALSE(factory.make({nullAST, nullAST}) || factory.make(std::vector<ASTRefCount<AST>>{}));
    EXPECT_EQ(" x", factory.make({fromText(" ( x old )"), nullAST})->toStringList());
    auto* array = new ASTArray(3);
    EXPECT_EQ(array, array->add(node<CountedNode>("a"))->add(nullAST)->add(node<CountedNode>("b")));
    EXPECT_EQ(" ( a b )", factory.make(array)->toStringTree());
    EXPECT_EQ((Texts{"old", "a", "b"}), destroyed);
}

TEST(ASTFactory, AddASTChildAndMakeASTRootBuildTheRuleTreeInThePair)
{
    ASTFactory factory;
    const struct {
        bool makeRoot;
        const char *nodes, *root, *child;
    } steps[] = {
        {false, "", "", ""}, {false, " x", " x", "x"}, {false, " y z", " x y z", "z"},
        {true, " ( r first )", " ( r first x y z )", "z"}, {true, " top", " ( top ( r first x y z ) )", "r"},
        {true, "", " ( top ( r first x y z ) )", "r"}, {false, " u", " ( top ( r first x y z ) u )", "u"},
    };
    ASTPair pair;
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.makeRoot ? "root" : "child") + step.nodes);
        const ASTRefCount<AST> nodes = fromText(step.nodes);
        if (step.makeRoot)
            factory.makeASTRoot(pair, nodes);
        else
            factory.addASTChild(pair, nodes);
        EXPECT_EQ(step.root, pair.root ? pair.root->toStringList() : "");
        EXPECT_EQ(step.child, pair.child ? pair.child->getText() : "");
    }
}

// A tree whose texts hold what a Graphviz label must escape: a quote, a
// backslash, a line feed and a NUL byte.
ASTRefCount<AST> awkwardTree()
{
    ASTRefCount<AST> root = node("\"q\"");
    ASTRefCount<AST> inner = node("x\ny");
    inner->addChild(node(std::string(1, '\0')));
    root->addChild(node("a\\b"));
    root->addChild(inner);
    return root;
}

TEST(DotWriter, DrawsEachTreeAsAConnectedPartWithEscapedLabelsAndChecksItsUse)
{
    std::ostringstream out;
    EXPECT_THROW_TEXT(DotWriter(out, "1tree"), ORVELException, "graph name must be an identifier: 1tree");
    EXPECT_EQ("", out.str());
    {
        DotWriter dot(out, "t_1");
        dot.write(awkwardTree());
        dot.write(nullAST);
        dot.write(ASTRefCount<AST>(new ASTNULLType));
    }
    EXPECT_EQ("digraph t_1 {\n  node [shape=box];\n"
              "  n0 [label=\"\\\"q\\\"\"];\n  n0 -> n1;\n  n0 -> n2;\n"
              "  n1 [label=\"a\\\\b\"];\n"
              "  n2 [label=\"x0x0Ay\"];\n  n2 -> n3;\n"
              "  n3 [label=\"0x00\"];\n"
              "  n4 [label=\"<ASTNULL>\"];\n}\n",
              out.str());
    DotWriter finished(out);
    finished.finish();
    EXPECT_THROW_TEXT(finished.write(node("x")), ORVELException, "graph already finished");
}

TEST(DotWriter, GraphvizAcceptsTheGraphOfEveryByte)
{
    if (std::system("command -v dot >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Graphviz's dot is not installed";
    const std::string graph = testing::TempDir() + "orvel-every-byte.dot";
    const std::string messages = testing::TempDir() + "orvel-every-byte.err";
    {
        std::ofstream file(graph, std::ios::binary);
        DotWriter dot(file);
        ASTRefCount<AST> root = awkwardTree();
        for (int b = 0; b < 256; ++b)
            root->addChild(node(std::string(1, static_cast<char>(b)) + "\\\""));
        dot.write(root);
    }
    EXPECT_EQ(0, std::system(("dot -Tsvg -o /dev/null " + graph + " 2>" + messages).c_str()));
    std::ifstream err(messages);
    EXPECT_EQ("", std::string(std::istreambuf_iterator<char>(err), {}));
}

}
