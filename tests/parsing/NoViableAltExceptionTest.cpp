#include <orvel/NoViableAltException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace orvel {
namespace {

using namespace test;

TEST(NoViableAltException, MessageDependsOnTheTokenTypeOrTheNodeAndPositionOnTheToken)
{
    const auto at = [](int type, const char* text) { return token(type, text, 2, 7); };
    const std::pair<NoViableAltException, const char*> cases[] = {
        {{at(Token::EOF_TYPE, "x"), "in.txt"}, "in.txt:2:7: unexpected end of file"},
        {{at(Token::NULL_TREE_LOOKAHEAD, "x"), "in.txt"}, "in.txt:2:7: unexpected end of tree"},
        {{at(ID, "foo"), "in.txt"}, "in.txt:2:7: unexpected token: foo"},
        {{at(ID, ""), "in.txt"}, "in.txt:2:7: unexpected token: "},
        {{at(ID, "x"), ""}, "line 2:7: unexpected token: x"},
        {NoViableAltException(node(PLUS, "+")), "<AST>: unexpected AST node: +"},
        {NoViableAltException(nullAST), "<AST>: unexpected end of subtree"},
        {NoViableAltException(TreeParser::ASTNULL), "<AST>: unexpected AST node: <ASTNULL>"},
    };
    for (const auto& [error, expected] : cases)
        EXPECT_EQ(expected, error.toString());
}

TEST(NoViableAltException, TokenTypeAndTextAreReadWhenTheMessageIsBuilt)
{
    TokenRefCount<Token> t = token(ID, "x");
    const NoViableAltException e(t, "f");
    t->setText("y");
    EXPECT_EQ("unexpected token: y", e.getMessage());
    t->setType(Token::EOF_TYPE);
    EXPECT_EQ("unexpected end of file", e.getMessage());
}

}
}
