#include <orvel/MismatchedTokenException.hpp>

#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace orvel {
namespace {

using test::ID;
using test::node;
using test::numTokens;
using test::PLUS;
using test::setOf;
using test::STAR;
using test::token;
using test::tokenNames;

TEST(MismatchedTokenException, RendersThePositionAndTheMessageOfEachKind)
{
    const auto x = [] { return token(ID + 10, "x", 3, 5); };
    const auto plus = [] { return node(PLUS, "+"); };
    const auto* const names = tokenNames;
    const int n = numTokens;
    const std::pair<MismatchedTokenException, const char*> cases[] = {
        {{names, n, x(), ID, false, "t.g"}, "t.g:3:5: expecting ID, found 'x'"},
        {{names, n, x(), ID, true, "t.g"}, "t.g:3:5: expecting anything but ID; got it anyway"},
        {{names, n, x(), ID, STAR, false, "t.g"},
         "t.g:3:5: expecting token in range: ID..STAR, found 'x'"},
        {{names, n, x(), ID, STAR, true, "t.g"},
         "t.g:3:5: expecting token NOT in range: ID..STAR, found 'x'"},
        {{names, n, x(), setOf({STAR, ID}), false, "t.g"},
         "t.g:3:5: expecting one of ( ID STAR), found 'x'"},
        {{names, n, x(), setOf({ID, STAR}), true, "t.g"},
         "t.g:3:5: expecting NOT one of ( ID STAR), found 'x'"},
        {{names, n, x(), BitSet(), false, "t.g"}, "t.g:3:5: expecting one of (), found 'x'"},
        {{names, n, x(), ID, false, ""}, "line 3:5: expecting ID, found 'x'"},
        {{names, n, token(ID, "a", 0, 12), PLUS, false, "in.txt"},
         "in.txt:0:12: expecting PLUS, found 'a'"},
        {{names, n, plus(), ID, ID, false}, "<AST>: expecting token in range: ID..ID, found '+'"},
        {{names, n, plus(), ID, STAR, true},
         "<AST>: expecting token NOT in range: ID..STAR, found '+'"},
        {{names, n, plus(), setOf({PLUS}), true}, "<AST>: expecting NOT one of ( PLUS), found '+'"},
        {{}, "<AST>: Mismatched Token: expecting any AST node"},
    };
    for (const auto& [error, expected] : cases)
        EXPECT_EQ(expected, error.toString());
}

TEST(MismatchedTokenException, TokenNameShowsTableEntriesAndAnglesOutsideTheTable)
{
    const MismatchedTokenException named(tokenNames, numTokens, token(ID, "a"), ID, false, "");
    const MismatchedTokenException unnamed;
    const struct {
        const MismatchedTokenException& e;
        int type;
        const char* name;
    } cases[] = {
        {named, 0, "<Set of tokens>"}, {named, 1, "EOF"},   {named, 2, "<2>"},
        {named, 4, "ID"},              {named, 7, "SEMI"},  {named, 8, "<8>"},
        {named, 42, "<42>"},           {named, -3, "<-3>"}, {unnamed, 0, "<Set of tokens>"},
        {unnamed, 1, "<1>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, c.e.tokenName(c.type)) << c.type;
}

TEST(MismatchedTokenException, FoundTextAndExpectedSetAreCapturedAtConstruction)
{
    TokenRefCount<Token> t = token(ID, "before");
    const MismatchedTokenException e(tokenNames, numTokens, t, PLUS, false, "f");
    t->setText("after");
    EXPECT_EQ("f:1:1: expecting PLUS, found 'before'", e.toString());

    ASTRefCount<AST> n = node(ID, "old");
    BitSet expected = setOf({PLUS});
    const MismatchedTokenException tree(tokenNames, numTokens, n, expected, false);
    n->setText("new");
    expected.add(STAR);
    EXPECT_EQ("<AST>: expecting one of ( PLUS), found 'old'", tree.toString());
}

}
}
