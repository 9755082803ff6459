#include <orvel/MismatchedTokenException.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Parsers.hpp"
#include "support/Streams.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace orvel;
using namespace orvel::test;

// Texts, types and sets are captured when the error is built, except that a
// no-viable-alternative error reads its token when asked.
TEST(ParserErrors, RenderThePositionAndTheMessageOfEachKind)
{
    const auto x = [] { return token(ID + 10, "x", 3, 5); };
    const auto* const names = tokenNames;
    const int n = numTokens;
    TokenRefCount<Token> changed = token(ID, "before", 2, 7);
    ASTRefCount<AST> changedNode = node(ID, "old");
    BitSet expected = setOf({PLUS});
    const std::pair<MismatchedTokenException, const char*> mismatches[] = {
        {{names, n, x(), ID, false, "t.g"}, "t.g:3:5: expecting ID, found 'x'"},
        {{names, n, x(), ID, true, "t.g"}, "t.g:3:5: expecting anything but ID; got it anyway"},
        {{names, n, x(), ID, STAR, false, "t.g"}, "t.g:3:5: expecting token in range: ID..STAR, found 'x'"},
        {{names, n, x(), ID, STAR, true, "t.g"}, "t.g:3:5: expecting token NOT in range: ID..STAR, found 'x'"},
        {{names, n, x(), setOf({STAR, ID}), false, "t.g"}, "t.g:3:5: expecting one of ( ID STAR), found 'x'"},
        {{names, n, x(), setOf({ID, STAR}), true, ""}, "line 3:5: expecting NOT one of ( ID STAR), found 'x'"},
        {{names, n, x(), BitSet(), false, "t.g"}, "t.g:3:5: expecting one of (), found 'x'"},
        {{names, n, changed, PLUS, false, "in.txt"}, "in.txt:2:7: expecting PLUS, found 'before'"},
        {{names, n, node(PLUS, "+"), ID, ID, false}, "<AST>: expecting token in range: ID..ID, found '+'"},
        {{names, n, node(PLUS, "+"), ID, STAR, true}, "<AST>: expecting token NOT in range: ID..STAR, found '+'"},
        {{names, n, changedNode, expected, true}, "<AST>: expecting NOT one of ( PLUS), found 'old'"},
        {{}, "<AST>: Mismatched Token: expecting any AST node"},
    };
    const std::pair<NoViableAltException, const char*> noViableAlts[] = {
        {{token(Token::EOF_TYPE, "x", 2, 7), "in.txt"}, "in.txt:2:7: unexpected end of file"},
        {{token(Token::NULL_TREE_LOOKAHEAD, "x", 2, 7), "in.txt"}, "in.txt:2:7: unexpected end of tree"},
        {{changed, ""}, "line 2:7: unexpected token: after"},
        {NoViableAltException(node(PLUS, "+")), "<AST>: unexpected AST node: +"},
        {NoViableAltException(nullAST), "<AST>: unexpected end of subtree"},
        {NoViableAltException(TreeParser::ASTNULL), "<AST>: unexpected AST node: <ASTNULL>"},
    };
    changed->setText("after");
    changedNode->setText("new");
    expected.add(STAR);
    for (const auto& [error, rendering] : mismatches)
        EXPECT_EQ(rendering, error.toString());
    for (const auto& [error, rendering] : noViableAlts)
        EXPECT_EQ(rendering, error.toString());
}

TEST(ParserErrors, TokenNamesComeFromTheTableElseInAngles)
{
    const MismatchedTokenException named(tokenNames, numTokens, token(ID, "a"), ID, false, "");
    const MismatchedTokenException unnamed;
    const std::pair<int, const char*> names[] = {{0, "<Set of tokens>"}, {1, "EOF"}, {2, "<2>"}, {7, "SEMI"},
                                                 {8, "<8>"},               {-3, "<-3>"}};
    for (const auto& [type, name] : names)
        EXPECT_EQ(name, named.tokenName(type)) << type;
    EXPECT_EQ("<1>", unnamed.tokenName(1));
}

}
