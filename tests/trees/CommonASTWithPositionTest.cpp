#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithPosition.hpp>
#include <orvel/CommonToken.hpp>

#include <gtest/gtest.h>

#include <utility>

using namespace orvel;

namespace {

std::pair<int, int> positionOf(const ASTRefCount<AST>& node)
{
    return {node->getLine(), node->getColumn()};
}

}

TEST(CommonASTWithPosition, FactoryNodesKeepTheirTokensPositionThroughCopiesAndOtherNodesHaveNone)
{
    ASTFactory factory(CommonASTWithPosition::TYPE_NAME, CommonASTWithPosition::factory);
    TokenRefCount<Token> token(new CommonToken(5, "x"));
    token->setLine(3);
    token->setColumn(7);
    const ASTRefCount<AST> made = factory.create(token);
    const ASTRefCount<AST> retyped = factory.create(token);
    retyped->initialize(6, "y");
    const ASTRefCount<AST> fromPlain = factory.create(token);
    fromPlain->initialize(ASTFactory().create(5, "x"));

    const struct {
        const char* what;
        ASTRefCount<AST> node;
        std::pair<int, int> position;
    } cases[] = {
        {"from a token", made, {3, 7}},
        {"dup", factory.dup(made), {3, 7}},
        {"from a positioned node", factory.create(made), {3, 7}},
        {"retyped", retyped, {3, 7}},
        {"from type and text", factory.create(5, "x"), {-1, -1}},
        {"from a plain node", fromPlain, {-1, -1}},
        {"a plain node, which keeps none", ASTFactory().create(5, "x"), {-1, -1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.position, positionOf(c.node)) << c.what;
}
