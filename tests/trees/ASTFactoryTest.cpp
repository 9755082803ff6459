#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/ORVELException.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/TreeNodes.hpp"

#include <memory>
#include <tuple>

using namespace orvel;
using namespace orvel::test;

namespace {

// A factory that shows the size of its table.
class TableFactory : public ASTFactory {
public:
    using ASTFactory::ASTFactory;
    std::size_t tableSize() const { return descriptors.size(); }
};

const char* const COUNTED = "CountedNode";

bool isCounted(const ASTRefCount<AST>& n) { return dynamic_cast<CountedNode*>(n.get()) != nullptr; }

TokenRefCount<Token> token(int type, const std::string& text) { return new CommonToken(type, text); }

class ASTFactoryTest : public ::testing::Test {
protected:
    const Texts& destroyed = CountedNode::freshLog();
    TableFactory factory;
};

}

TEST_F(ASTFactoryTest, NewFactoryMakesCommonASTsFromTypesTextsNodesAndTokens)
{
    const std::tuple<ASTRefCount<AST>, int, const char*> made[] = {
        {factory.create(), 0, " "},
        {factory.create(2), 2, " "},
        {factory.create(3, "t"), 3, " t"},
        {factory.create(fromText(" ( x a )")), 4, " x"},
        {factory.create(token(1, "k")), 1, " k"},
        {factory.create(TokenRefCount<Token>(new Token(6))), 6, " <no text>"},
    };
    for (const auto& [n, type, rendering] : made) {
        EXPECT_STREQ("CommonAST", n->typeName());
        EXPECT_EQ(type, n->getType());
        EXPECT_EQ(rendering, n->toStringList());
    }
    EXPECT_EQ(4u, factory.tableSize());
    EXPECT_EQ(nullAST, factory.create(nullAST));
    EXPECT_EQ(nullAST, factory.create(nullToken));
}

TEST_F(ASTFactoryTest, CreateMakesTheClassRegisteredForTheTypeElseTheDefaultClassAndTheTableOnlyGrows)
{
    factory.registerFactory(4, COUNTED, &CountedNode::factory);
    EXPECT_EQ(5u, factory.tableSize());
    factory.registerFactory(9, COUNTED, &CountedNode::factory);
    EXPECT_EQ(10u, factory.tableSize());
    EXPECT_TRUE(isCounted(factory.create(9, "n")));
    EXPECT_TRUE(isCounted(factory.create(token(4, "t"))));
    EXPECT_TRUE(isCounted(factory.create(node("x"))));
    EXPECT_FALSE(isCounted(factory.create(7)));
    factory.registerFactory(9, "second", &CommonASTWithHiddenTokens::factory);
    factory.setASTNodeFactory(COUNTED, &CountedNode::factory);
    for (int type : {20, 19, -1})
        factory.setMaxNodeType(type);
    EXPECT_EQ(21u, factory.tableSize());
    for (int type : {0, 3, 7, 20, 1000, -1})
        EXPECT_TRUE(isCounted(factory.create(type))) << type;
    EXPECT_TRUE(isCounted(factory.create(token(77, "t"))));
    EXPECT_STREQ("CommonASTWithHiddenTokens", factory.create(9)->typeName());
    EXPECT_TRUE(isCounted(TableFactory(COUNTED, &CountedNode::factory).create()));
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

TEST_F(ASTFactoryTest, NodesOutliveTheFactoryThatMadeThem)
{
    auto owner = std::make_unique<ASTFactory>();
    owner->registerFactory(5, COUNTED, &CountedNode::factory);
    ASTRefCount<AST> root = owner->create(5, "r");
    root->addChild(owner->create(5, "c"));
    owner.reset();
    EXPECT_EQ(" ( r c )", root->toStringTree());
    root = nullAST;
    EXPECT_EQ((Texts{"r", "c"}), destroyed);
}

TEST_F(ASTFactoryTest, DupCopiesANodeDupTreeItsSubtreeDupListItsSiblingsAndUncloneableNodesGiveEmpty)
{
    ASTRefCount<AST> original = fromText<CountedNode>(" ( x ( a b ) c ) s ( t u )");
    EXPECT_EQ(" x", factory.dup(original)->toStringList());
    ASTRefCount<AST> tree = factory.dupTree(original);
    EXPECT_EQ(" ( x ( a b ) c )", tree->toStringList());
    ASTRefCount<AST> list = factory.dupList(original);
    EXPECT_TRUE(isCounted(list->getNextSibling()));
    original = tree = nullAST;
    EXPECT_EQ(1u + 4u + 7u, destroyed.size());
    EXPECT_EQ(" ( x ( a b ) c ) s ( t u )", list->toStringList());
    for (const auto& empty : {factory.dup(nullAST), factory.dupTree(nullAST), factory.dupList(nullAST)})
        EXPECT_FALSE(empty);
    ASTRefCount<AST> bare(new BareNode);
    bare->addChild(node("a"));
    bare->setNextSibling(node("s"));
    CaptureStream cap(std::cerr);
    EXPECT_FALSE(factory.dupTree(bare));
    EXPECT_FALSE(factory.dupList(bare));
    EXPECT_EQ("BaseAST::clone()\nBaseAST::clone()\n", cap.text());
}

TEST_F(ASTFactoryTest, MakeGivesTheFirstNodeTheOthersAsChildrenOrListsThemWithoutIt)
{
    ASTRefCount<AST> x = fromText<CountedNode>(" ( x old )");
    const std::vector<ASTRefCount<AST>> nodes{x, node("y"), nullAST, fromText(" ( z w ) v"), node("u")};
    EXPECT_EQ(x, factory.make(nodes));
    EXPECT_EQ((Texts{"old"}), destroyed);
    EXPECT_EQ(" ( x y ( z w ) v u )", x->toStringList());
    EXPECT_EQ(x, nodes[0]);
    EXPECT_FALSE(nodes[2]);
    EXPECT_EQ(" ( y c ) z", factory.make({nullAST, fromText(" ( y c )"), node("z")})->toStringList());
    EXPECT_FALSE(factory.make({nullAST, nullAST}));
    EXPECT_FALSE(factory.make(std::vector<ASTRefCount<AST>>{}));
}

TEST_F(ASTFactoryTest, AddASTChildAndMakeASTRootBuildTheRuleTreeInThePair)
{
    struct Step {
        bool makeRoot;
        const char* nodes;
        const char* root;
        const char* child;
    };
    const std::vector<std::vector<Step>> runs{
        {{false, "", "", ""}, {false, " x", " x", "x"}, {false, " y z", " x y z", "z"},
         {true, " ( r first )", " ( r first x y z )", "z"}, {true, " top", " ( top ( r first x y z ) )", "r"},
         {true, "", " ( top ( r first x y z ) )", "r"}, {false, " u", " ( top ( r first x y z ) u )", "u"}},
        {{true, " r", " r", ""}, {false, " y", " ( r y )", "y"}, {false, " z", " ( r y z )", "z"}},
    };
    for (const auto& run : runs) {
        ASTPair pair;
        for (const Step& step : run) {
            SCOPED_TRACE(std::string(step.makeRoot ? "root" : "child") + step.nodes);
            const ASTRefCount<AST> nodes = fromText(step.nodes);
            if (step.makeRoot)
                factory.makeASTRoot(pair, nodes);
            else
                factory.addASTChild(pair, nodes);
            EXPECT_EQ(step.root, pair.root ? pair.root->toStringList() : "");
            EXPECT_EQ(step.child, pair.child ? pair.child->getText() : "");
            if (nodes && !nodes->getNextSibling()) {
                EXPECT_EQ(nodes, step.makeRoot ? pair.root : pair.child);
            }
        }
    }
}
