#include <orvel/BitSet.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Expect.hpp"
#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orvel {
namespace {

using test::ID;
using test::numTokens;
using test::PLUS;
using test::setOf;
using test::STAR;
using test::token;
using test::tokenNames;

ASTRefCount<AST> node(int type, const std::string& text)
{
    ASTRefCount<AST> n = CommonAST::factory();
    n->initialize(type, text);
    return n;
}

struct TokenCase {
    const char* name;
    MismatchedTokenException error;
    const char* expected;
};

TEST(MismatchedTokenException, TokenMismatchesRenderPositionAndMessageOfTheirKind)
{
    const auto x = [] { return token(ID + 10, "x", 3, 5); };
    const TokenCase cases[] = {
        {"token", {tokenNames, numTokens, x(), ID, false, "t.g"},
         "t.g:3:5: expecting ID, found 'x'"},
        {"not token", {tokenNames, numTokens, x(), ID, true, "t.g"},
         "t.g:3:5: expecting anything but ID; got it anyway"},
        {"range", {tokenNames, numTokens, x(), ID, STAR, false, "t.g"},
         "t.g:3:5: expecting token in range: ID..STAR, found 'x'"},
        {"not range", {tokenNames, numTokens, x(), ID, STAR, true, "t.g"},
         "t.g:3:5: expecting token NOT in range: ID..STAR, found 'x'"},
        {"set", {tokenNames, numTokens, x(), setOf({STAR, ID}), false, "t.g"},
         "t.g:3:5: expecting one of ( ID STAR), found 'x'"},
        {"not set", {tokenNames, numTokens, x(), setOf({ID, STAR}), true, "t.g"},
         "t.g:3:5: expecting NOT one of ( ID STAR), found 'x'"},
        {"empty set", {tokenNames, numTokens, x(), BitSet(), false, "t.g"},
         "t.g:3:5: expecting one of (), found 'x'"},
        {"no file name", {tokenNames, numTokens, x(), ID, false, ""},
         "line 3:5: expecting ID, found 'x'"},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(c.expected, c.error.toString()) << c.name;
}

TEST(MismatchedTokenException, TreeMismatchesReportTheNodeRenderingInAST)
{
    const TokenCase cases[] = {
        {"token", {tokenNames, numTokens, node(PLUS, "+"), ID, false},
         "<AST>: expecting ID, found '+'"},
        {"not token", {tokenNames, numTokens, node(ID, "a"), ID, true},
         "<AST>: expecting anything but ID; got it anyway"},
        {"range", {tokenNames, numTokens, node(PLUS, "+"), ID, ID, false},
         "<AST>: expecting token in range: ID..ID, found '+'"},
        {"not range", {tokenNames, numTokens, node(PLUS, "+"), ID, STAR, true},
         "<AST>: expecting token NOT in range: ID..STAR, found '+'"},
        {"set", {tokenNames, numTokens, node(PLUS, "+"), setOf({ID}), false},
         "<AST>: expecting one of ( ID), found '+'"},
        {"not set", {tokenNames, numTokens, node(PLUS, "+"), setOf({PLUS}), true},
         "<AST>: expecting NOT one of ( PLUS), found '+'"},
        {"empty tree", {tokenNames, numTokens, nullAST, ID, false},
         "<AST>: expecting ID, found '<empty tree>'"},
        {"null node", {tokenNames, numTokens, TreeParser::ASTNULL, ID, false},
         "<AST>: expecting ID, found '<ASTNULL>'"},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(c.expected, c.error.toString()) << c.name;
}

TEST(MismatchedTokenException, TokenMismatchTakesLineAndColumnFromTheToken)
{
    const MismatchedTokenException e(tokenNames, numTokens, token(ID, "a", 0, 12), PLUS,
                                     false, "in.txt");
    EXPECT_EQ("in.txt", e.getFilename());
    EXPECT_EQ(0, e.getLine());
    EXPECT_EQ(12, e.getColumn());
}

TEST(MismatchedTokenException, DefaultConstructedShowsItsOwnText)
{
    const MismatchedTokenException e;
    EXPECT_EQ("Mismatched Token: expecting any AST node", e.getMessage());
    EXPECT_EQ("<AST>: Mismatched Token: expecting any AST node", e.toString());
}

TEST(MismatchedTokenException, TokenNameShowsTableEntriesAndAnglesOutsideTheTable)
{
    const MismatchedTokenException e(tokenNames, numTokens, token(ID, "a"), ID, false, "");
    const std::pair<int, const char*> cases[] = {
        {0, "<Set of tokens>"}, {1, "EOF"}, {2, "<2>"},    {4, "ID"},
        {7, "SEMI"},            {8, "<8>"}, {42, "<42>"}, {-3, "<-3>"},
    };
    for (const auto& [type, name] : cases)
        EXPECT_EQ(name, e.tokenName(type)) << type;
}

TEST(MismatchedTokenException, TokenNameWithoutTableShowsEveryTypeInAngles)
{
    const MismatchedTokenException e;
    EXPECT_EQ("<Set of tokens>", e.tokenName(0));
    EXPECT_EQ("<1>", e.tokenName(1));
}

TEST(MismatchedTokenException, FoundTextIsCapturedAtConstruction)
{
    TokenRefCount<Token> t = token(ID, "before", 1, 1);
    const MismatchedTokenException e(tokenNames, numTokens, t, PLUS, false, "f");
    t->setText("after");
    EXPECT_EQ("f:1:1: expecting PLUS, found 'before'", e.toString());

    ASTRefCount<AST> n = node(ID, "old");
    const MismatchedTokenException tree(tokenNames, numTokens, n, PLUS, false);
    n->setText("new");
    EXPECT_EQ("<AST>: expecting PLUS, found 'old'", tree.toString());
}

TEST(MismatchedTokenException, ExpectedSetIsCopied)
{
    BitSet expected = setOf({ID});
    const MismatchedTokenException e(tokenNames, numTokens, token(PLUS, "+"), expected, false,
                                     "f");
    expected.add(STAR);
    EXPECT_EQ("f:1:1: expecting one of ( ID), found '+'", e.toString());
}

TEST(MismatchedTokenException, KeepsTheOffendingTokenAliveWhileItAndItsCopiesLive)
{
    int deaths = 0;
    {
        MismatchedTokenException copy;
        {
            const MismatchedTokenException e(
                tokenNames, numTokens, TokenRefCount<Token>(new test::CountedToken(ID, "a", &deaths)),
                PLUS, false, "f");
            copy = e;
        }
        EXPECT_EQ(0, deaths);
        EXPECT_EQ("f:1:1: expecting PLUS, found 'a'", copy.toString());
    }
    EXPECT_EQ(1, deaths);
}

}
}
