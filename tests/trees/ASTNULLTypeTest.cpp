#include <orvel/ASTNULLType.hpp>
#include <orvel/CommonToken.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

using namespace orvel;

TEST(ASTNULLType, IsAnInertNodeOfTypeThreeThatLeadsOnlyToItselfAndMatchesNothing)
{
    ASTRefCount<AST> null = ASTNULLType::factory();
    ASTRefCount<AST> other = test::fromText(" ( a b )");
    null->setText("x");
    null->setType(7);
    null->addChild(other);
    null->setFirstChild(other);
    null->setNextSibling(other);
    null->initialize(5, "y");
    null->initialize(other);
    null->initialize(TokenRefCount<Token>(new CommonToken(6, "z")));
    EXPECT_STREQ("ASTNULLType", null->typeName());
    EXPECT_EQ(Token::NULL_TREE_LOOKAHEAD, null->getType());
    for (const std::string& rendering : {null->getText(), null->toString(), null->toStringList(), null->toStringTree()})
        EXPECT_EQ("<ASTNULL>", rendering);
    EXPECT_EQ(0u, null->getNumberOfChildren());
    EXPECT_EQ(null, null->clone());
    EXPECT_EQ(null, null->getFirstChild()->getNextSibling());
    EXPECT_EQ(" ( a b )", other->toStringList());
    for (const ASTRefCount<AST>& o : {null, other, nullAST}) {
        EXPECT_FALSE(null->equals(o));
        EXPECT_FALSE(null->equalsList(o));
        EXPECT_FALSE(null->equalsListPartial(o));
        EXPECT_FALSE(null->equalsTree(o));
        EXPECT_FALSE(null->equalsTreePartial(o));
        EXPECT_TRUE(null->findAll(o).empty());
        EXPECT_TRUE(null->findAllPartial(o).empty());
    }
}
