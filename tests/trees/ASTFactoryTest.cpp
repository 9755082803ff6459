#include <orvel/ASTArray.hpp>
#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/ORVELException.hpp>

#include "support/Expect.hpp"
#include "support/Streams.hpp"
#include "support/TreeNodes.hpp"

#include <memory>
#include <tuple>

namespace {

using namespace orvel;
using namespace orvel::test;

// A factory that shows the size of its table.
struct TableFactory : ASTFactory {
    using ASTFactory::ASTFactory;
    std::size_t tableSize() const { return descriptors.size(); }
};

const char* const COUNTED = "CountedNode";

bool isCounted(const ASTRefCount<AST>& n) { return dynamic_cast<CountedNode*>(n.get()) != nullptr; }

TEST(ASTFactory, MakesCommonASTsFromTypesTextsNodesAndTokens)
{
    ASTFactory factory;
    const std::tuple<ASTRefCount<AST>, int, const char*> made[] = {
        {factory.create(), 0, " "},
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
    EXPECT_FALSE(factory.create(nullAST) || factory.create(nullToken));
}

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
    EXPECT_TRUE(isCounted(TableFactory(COUNTED, &CountedNode::factory).create()));
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
    const Texts& destroyed = CountedNode::freshLog();
    auto factory = std::make_unique<ASTFactory>();
    ASTRefCount<AST> original = fromText<CountedNode>(" ( x ( a b ) c ) s ( t u )");
    EXPECT_EQ(" x", factory->dup(original)->toStringList());
    ASTRefCount<AST> tree = factory->dupTree(original);
    EXPECT_EQ(" ( x ( a b ) c )", tree->toStringList());
    ASTRefCount<AST> list = factory->dupList(original);
    EXPECT_TRUE(isCounted(list->getNextSibling()));
    EXPECT_FALSE(factory->dup(nullAST) || factory->dupTree(nullAST) || factory->dupList(nullAST));
    ASTRefCount<AST> bare(new BareNode);
    bare->addChild(node("a"));
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
    const Texts& destroyed = CountedNode::freshLog();
    ASTRefCount<AST> x = fromText<CountedNode>(" ( x old )");
    EXPECT_EQ(x, factory.make({x, node("y"), nullAST, fromText(" ( z w ) v"), node("u")}));
    EXPECT_EQ((Texts{"old"}), destroyed);
    EXPECT_EQ(" ( x y ( z w ) v u )", x->toStringList());
    EXPECT_EQ(" ( y c ) z", factory.make({nullAST, fromText(" ( y c )"), node("z")})->toStringList());
    EXPECT_FALSE(factory.make({nullAST, nullAST}) || factory.make(std::vector<ASTRefCount<AST>>{}));
    auto* array = new ASTArray(3);
    EXPECT_EQ(array, array->add(node<CountedNode>("a"))->add(nullAST)->add(node<CountedNode>("b")));
    x = factory.make(array);
    EXPECT_EQ(" ( a b )", x->toStringTree());
    x = nullAST;
    EXPECT_EQ((Texts{"old", "x", "y", "z", "w", "v", "u", "a", "b"}).back(), destroyed.back());
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

}
