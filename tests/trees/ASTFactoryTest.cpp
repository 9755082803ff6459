#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/ORVELException.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/TreeNodes.hpp"

#include <memory>

using namespace orvel;
using orvel::test::CountedNode;
using orvel::test::fromText;
using orvel::test::node;
using Texts = std::vector<std::string>;

namespace {

// A factory whose table can be inspected.
class InspectableFactory : public ASTFactory {
public:
    using ASTFactory::ASTFactory;
    std::size_t tableSize() const { return descriptors.size(); }
    std::string nameFor(int type) const { return descriptorFor(type).name; }
};

const char* const COUNTED = "CountedNode";

bool isCounted(const ASTRefCount<AST>& n) { return dynamic_cast<CountedNode*>(n.get()) != nullptr; }

TokenRefCount<Token> token(int type, const std::string& text) { return new CommonToken(type, text); }

class ASTFactoryTest : public ::testing::Test {
protected:
    void SetUp() override { CountedNode::destroyed().clear(); }
    const Texts& destroyed() { return CountedNode::destroyed(); }

    InspectableFactory factory;
};

}

TEST_F(ASTFactoryTest, NewFactoryMakesCommonASTsFromTypesTextsNodesAndTokens)
{
    struct Made {
        ASTRefCount<AST> node;
        int type;
        const char* rendering;
    };
    for (const Made& m : {Made{factory.create(), 0, " "}, Made{factory.create(2), 2, " "},
                          Made{factory.create(3, "t"), 3, " t"}, Made{factory.create(fromText(" ( x a )")), 4, " x"},
                          Made{factory.create(token(1, "k")), 1, " k"}}) {
        EXPECT_STREQ("CommonAST", m.node->typeName());
        EXPECT_EQ(m.type, m.node->getType());
        EXPECT_EQ(m.rendering, m.node->toStringList());
    }
    EXPECT_EQ(4u, factory.tableSize());
    EXPECT_EQ(nullAST, factory.create(nullAST));
    EXPECT_EQ(nullAST, factory.create(nullToken));
}

TEST_F(ASTFactoryTest, RegisteredTypesGetTheirClassAndGrowTheTable)
{
    factory.registerFactory(4, COUNTED, &CountedNode::factory);
    EXPECT_EQ(5u, factory.tableSize());
    factory.registerFactory(9, COUNTED, &CountedNode::factory);
    EXPECT_EQ(10u, factory.tableSize());
    EXPECT_EQ("CommonAST", factory.nameFor(7));
    EXPECT_EQ(COUNTED, factory.nameFor(9));
    EXPECT_TRUE(isCounted(factory.create(9, "n")));
    EXPECT_TRUE(isCounted(factory.create(token(4, "t"))));
    EXPECT_TRUE(isCounted(factory.create(node("x"))));
    EXPECT_FALSE(isCounted(factory.create(7)));
    factory.registerFactory(9, "second", &CommonASTWithHiddenTokens::factory);
    EXPECT_EQ("second", factory.nameFor(9));
    EXPECT_STREQ("CommonASTWithHiddenTokens", factory.create(9)->typeName());
}

TEST_F(ASTFactoryTest, RegisterFactoryRejectsReservedTypesFirstThenNullFactoriesLeavingTheTable)
{
    const char* const badType = "Internal parser error invalid type passed to RegisterFactory";
    EXPECT_THROW_TEXT(factory.registerFactory(3, COUNTED, &CountedNode::factory), ORVELException, badType);
    EXPECT_THROW_TEXT(factory.registerFactory(-5, COUNTED, &CountedNode::factory), ORVELException, badType);
    EXPECT_THROW_TEXT(factory.registerFactory(0, COUNTED, nullptr), ORVELException, badType);
    EXPECT_THROW_TEXT(factory.registerFactory(10, COUNTED, nullptr), ORVELException,
                      "Internal parser error 0 factory passed to RegisterFactory");
    EXPECT_EQ(4u, factory.tableSize());
}

TEST_F(ASTFactoryTest, NewDefaultClassReachesEveryUnregisteredTypeIncludingLaterAndFarOnes)
{
    factory.registerFactory(5, "hidden", &CommonASTWithHiddenTokens::factory);
    factory.setASTNodeFactory(COUNTED, &CountedNode::factory);
    factory.setMaxNodeType(20);
    for (int type : {0, 3, 4, 6, 20, 1000, -1})
        EXPECT_TRUE(isCounted(factory.create(type))) << type;
    EXPECT_TRUE(isCounted(factory.create(token(77, "t"))));
    EXPECT_STREQ("CommonASTWithHiddenTokens", factory.create(5)->typeName());
    EXPECT_EQ(21u, factory.tableSize());
    InspectableFactory counted(COUNTED, &CountedNode::factory);
    EXPECT_TRUE(isCounted(counted.create()));
}

TEST_F(ASTFactoryTest, SetMaxNodeTypeOnlyGrowsTheTable)
{
    factory.setMaxNodeType(8);
    for (int type : {8, 2, -1})
        factory.setMaxNodeType(type);
    EXPECT_EQ(9u, factory.tableSize());
}

TEST_F(ASTFactoryTest, NodesOutliveTheFactoryThatMadeThem)
{
    auto owner = std::make_unique<ASTFactory>();
    owner->registerFactory(5, COUNTED, &CountedNode::factory);
    ASTRefCount<AST> root = owner->create(5, "r");
    root->addChild(owner->create(5, "c"));
    owner.reset();
    EXPECT_EQ(" ( r c )", root->toStringTree());
    root = nullAST;
    EXPECT_EQ((Texts{"r", "c"}), destroyed());
}

TEST_F(ASTFactoryTest, DupCopiesANodeDupTreeItsSubtreeAndDupListItsSiblingsToo)
{
    ASTRefCount<AST> original = fromText<CountedNode>(" ( x ( a b ) c ) s ( t u )");
    EXPECT_EQ(" x", factory.dup(original)->toStringList());
    ASTRefCount<AST> tree = factory.dupTree(original);
    EXPECT_EQ(" ( x ( a b ) c )", tree->toStringList());
    ASTRefCount<AST> list = factory.dupList(original);
    EXPECT_TRUE(isCounted(list->getNextSibling()));
    original = tree = nullAST;
    EXPECT_EQ(1u + 4u + 7u, destroyed().size());
    EXPECT_EQ(" ( x ( a b ) c ) s ( t u )", list->toStringList());
    for (const auto& empty : {factory.dup(nullAST), factory.dupTree(nullAST), factory.dupList(nullAST)})
        EXPECT_FALSE(empty);
}

TEST_F(ASTFactoryTest, DupOfANodeThatCannotBeClonedIsEmpty)
{
    ASTRefCount<AST> root(new test::BareNode);
    root->addChild(node("a"));
    root->setNextSibling(node("s"));
    test::CaptureStream cap(std::cerr);
    EXPECT_FALSE(factory.dupTree(root));
    EXPECT_FALSE(factory.dupList(root));
    EXPECT_EQ("BaseAST::clone()\nBaseAST::clone()\n", cap.text());
}

TEST_F(ASTFactoryTest, MakeGivesTheFirstNodeTheOthersAsChildrenOrListsThemWithoutIt)
{
    ASTRefCount<AST> x = fromText<CountedNode>(" ( x old )");
    const std::vector<ASTRefCount<AST>> nodes{x, node("y"), nullAST, fromText(" ( z w ) v"), node("u")};
    EXPECT_EQ(x, factory.make(nodes));
    EXPECT_EQ((Texts{"old"}), destroyed());
    EXPECT_EQ(" ( x y ( z w ) v u )", x->toStringList());
    EXPECT_EQ(x, nodes[0]);
    EXPECT_FALSE(nodes[2]);
    EXPECT_EQ(" ( y c ) z", factory.make({nullAST, fromText(" ( y c )"), node("z")})->toStringList());
    EXPECT_FALSE(factory.make({nullAST, nullAST}));
    EXPECT_FALSE(factory.make(std::vector<ASTRefCount<AST>>{}));
}

TEST_F(ASTFactoryTest, MakeFromAnArrayBuildsTheTreeAndDeletesTheArray)
{
    ASTRefCount<AST> root = factory.make(
        (new ASTArray(3))->add(node<CountedNode>("x"))->add(node<CountedNode>("y"))->add(node<CountedNode>("z")));
    EXPECT_EQ(" ( x y z )", root->toStringTree());
    root = nullAST;
    EXPECT_EQ((Texts{"x", "y", "z"}), destroyed());
}

TEST_F(ASTFactoryTest, AddASTChildListsNodesAtTopLevelAndUnderARootWithoutChildren)
{
    ASTPair pair;
    ASTRefCount<AST> x = node("x");
    factory.addASTChild(pair, nullAST);
    factory.addASTChild(pair, x);
    EXPECT_EQ(x, pair.root);
    EXPECT_EQ(x, pair.child);
    factory.addASTChild(pair, fromText(" y z"));
    EXPECT_EQ(" x y z", pair.root->toStringList());
    EXPECT_EQ("z", pair.child->getText());

    ASTPair rooted;
    ASTRefCount<AST> y = node("y");
    factory.makeASTRoot(rooted, node("r"));
    factory.addASTChild(rooted, y);
    EXPECT_EQ(y, rooted.root->getFirstChild());
    factory.addASTChild(rooted, node("z"));
    factory.addASTChild(rooted, nullAST);
    EXPECT_EQ(" ( r y z )", rooted.root->toStringList());
    EXPECT_EQ("z", rooted.child->getText());
}

TEST_F(ASTFactoryTest, MakeASTRootAppendsTheTreeSoFarWithItsSiblingsToTheNewRoot)
{
    ASTPair pair;
    factory.makeASTRoot(pair, node("r"));
    EXPECT_FALSE(pair.child);
    factory.makeASTRoot(pair, nullAST);
    EXPECT_EQ(" r", pair.root->toStringList());

    pair.root = fromText(" x s t");
    pair.child = pair.root;
    ASTRefCount<AST> r = fromText(" ( r first )");
    factory.makeASTRoot(pair, r);
    EXPECT_EQ(r, pair.root);
    EXPECT_EQ(" ( r first x s t )", r->toStringList());
    EXPECT_EQ("t", pair.child->getText());

    factory.makeASTRoot(pair, node("top"));
    EXPECT_EQ(" ( top ( r first x s t ) )", pair.root->toStringList());
    EXPECT_EQ("r", pair.child->getText());
}
