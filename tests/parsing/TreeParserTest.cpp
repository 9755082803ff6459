#include <orvel/ASTFactory.hpp>
#include <orvel/ASTNULLType.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Expect.hpp"
#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace orvel {
namespace {

using test::CaptureStream;
using test::ID;
using test::PLUS;
using test::setOf;
using test::STAR;

class NamedTreeParser : public TreeParser {
public:
    using TreeParser::TreeParser;

    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return test::tokenNames[num]; }
    int getNumTokens() const override { return test::numTokens; }
    const char* const* getTokenNames() const override { return test::tokenNames; }

    using TreeParser::inputState;
    using TreeParser::traceDepth;
};

ASTRefCount<AST> node(int type, const std::string& text)
{
    ASTRefCount<AST> n = CommonAST::factory();
    n->initialize(type, text);
    return n;
}

TEST(TreeParser, NullNodeIsOneSharedASTNULLTypeNode)
{
    ASSERT_TRUE(TreeParser::ASTNULL.get() != nullptr);
    EXPECT_STREQ("ASTNULLType", TreeParser::ASTNULL->typeName());
    EXPECT_EQ(Token::NULL_TREE_LOOKAHEAD, TreeParser::ASTNULL->getType());
    EXPECT_EQ("<ASTNULL>", TreeParser::ASTNULL->toString());
    EXPECT_TRUE(TreeParser::ASTNULL == TreeParser::ASTNULL->getFirstChild());
    const ASTRefCount<AST> copy = TreeParser::ASTNULL;
    EXPECT_EQ(TreeParser::ASTNULL.get(), copy.get());
}

TEST(TreeParser, AnotherNullTypeNodeIsNotASTNULL)
{
    const ASTRefCount<AST> other(new ASTNULLType);
    EXPECT_FALSE(other == TreeParser::ASTNULL);
    NamedTreeParser parser;
    EXPECT_THROW_TEXT(parser.match(other, ID), MismatchedTokenException,
                      "<AST>: expecting ID, found '<ASTNULL>'");
    parser.match(other, Token::NULL_TREE_LOOKAHEAD);
}

TEST(TreeParser, MatchAcceptsANodeOfTheExpectedType)
{
    NamedTreeParser parser;
    const ASTRefCount<AST> three = node(Token::NULL_TREE_LOOKAHEAD, "x");
    parser.match(three, Token::NULL_TREE_LOOKAHEAD);
    parser.match(node(ID, "a"), ID);
    parser.matchNot(node(STAR, "*"), PLUS);
    parser.match(node(PLUS, "+"), setOf({PLUS, STAR}));
}

TEST(TreeParser, MissingOrWrongNodesAreMismatches)
{
    NamedTreeParser parser;
    EXPECT_THROW_TEXT(parser.match(TreeParser::ASTNULL, Token::NULL_TREE_LOOKAHEAD),
                      MismatchedTokenException,
                      "<AST>: expecting NULL_TREE_LOOKAHEAD, found '<ASTNULL>'");
    EXPECT_THROW_TEXT(parser.match(nullAST, ID), MismatchedTokenException,
                      "<AST>: expecting ID, found '<empty tree>'");
    EXPECT_THROW_TEXT(parser.match(node(PLUS, "+"), ID), MismatchedTokenException,
                      "<AST>: expecting ID, found '+'");
}

TEST(TreeParser, MatchNotRejectsTheExcludedTypeAndMissingNodes)
{
    NamedTreeParser parser;
    EXPECT_THROW_TEXT(parser.matchNot(node(PLUS, "+"), PLUS), MismatchedTokenException,
                      "<AST>: expecting anything but PLUS; got it anyway");
    EXPECT_THROW_TEXT(parser.matchNot(nullAST, PLUS), MismatchedTokenException,
                      "<AST>: expecting anything but PLUS; got it anyway");
    EXPECT_THROW_TEXT(parser.matchNot(TreeParser::ASTNULL, PLUS), MismatchedTokenException,
                      "<AST>: expecting anything but PLUS; got it anyway");
}

TEST(TreeParser, MatchOfASetRejectsNonMembersMissingNodesAndEverythingForAnEmptySet)
{
    NamedTreeParser parser;
    EXPECT_THROW_TEXT(parser.match(node(ID, "a"), setOf({PLUS, STAR})),
                      MismatchedTokenException,
                      "<AST>: expecting one of ( PLUS STAR), found 'a'");
    EXPECT_THROW_TEXT(parser.match(node(ID, "a"), BitSet()), MismatchedTokenException,
                      "<AST>: expecting one of (), found 'a'");
    EXPECT_THROW_TEXT(parser.match(nullAST, setOf({ID})), MismatchedTokenException,
                      "<AST>: expecting one of ( ID), found '<empty tree>'");
    EXPECT_THROW_TEXT(parser.match(TreeParser::ASTNULL, setOf({Token::NULL_TREE_LOOKAHEAD})),
                      MismatchedTokenException,
                      "<AST>: expecting one of ( NULL_TREE_LOOKAHEAD), found '<ASTNULL>'");
}

TEST(TreeParser, ReportsNeverShowAFileName)
{
    NamedTreeParser parser;
    CaptureStream err(std::cerr);
    parser.reportError("bad tree");
    parser.reportWarning("odd tree");
    parser.reportError(MismatchedTokenException(test::tokenNames, test::numTokens, nullAST, ID,
                                                false));
    EXPECT_EQ("error: bad tree\n"
              "warning: odd tree\n"
              "<AST>: expecting ID, found '<empty tree>'\n",
              err.text());
}

TEST(TreeParser, TraceLinesShowTheNodeAndGuessing)
{
    NamedTreeParser parser;
    ASTRefCount<AST> plus = node(PLUS, "+");
    plus->addChild(node(ID, "a"));
    CaptureStream out(std::cout);
    parser.traceIn("expr", plus);
    parser.traceIn("atom", nullAST);
    parser.inputState->guessing = 1;
    parser.traceOut("atom", TreeParser::ASTNULL);
    parser.inputState->guessing = 0;
    parser.traceOut("expr", plus);
    EXPECT_EQ(" > expr(+)\n"
              "  > atom(null)\n"
              "  < atom(<ASTNULL>) [guessing]\n"
              " < expr(+)\n",
              out.text());
    EXPECT_EQ(0, parser.traceDepth);
}

TEST(TreeParser, TraceIndentsThroughTheVirtualTraceIndentAndNeverBelowZero)
{
    struct MarkingTreeParser : NamedTreeParser {
        void traceIndent() override
        {
            std::cout << "|";
            NamedTreeParser::traceIndent();
        }
    };
    MarkingTreeParser parser;
    CaptureStream out(std::cout);
    parser.traceOut("r", nullAST);
    parser.traceOut("r", nullAST);
    parser.traceIn("s", nullAST);
    EXPECT_EQ("|< r(null)\n|< r(null)\n|> s(null)\n", out.text());
    EXPECT_EQ(-1, parser.traceDepth);
}

TEST(TreeParser, StartsWithItsOwnStateNoFactoryAndDepthZero)
{
    NamedTreeParser first;
    NamedTreeParser second;
    EXPECT_EQ(nullptr, first.getASTFactory());
    EXPECT_EQ(0, first.traceDepth);
    EXPECT_EQ(0, first.inputState->guessing);
    EXPECT_NE(first.inputState.get(), second.inputState.get());
}

TEST(TreeParser, TreeParsersOnOneStateShareGuessing)
{
    NamedTreeParser first;
    NamedTreeParser second(first.inputState);
    first.inputState->guessing = 1;
    CaptureStream out(std::cout);
    second.traceIn("r", nullAST);
    EXPECT_EQ(" > r(null) [guessing]\n", out.text());
}

}
}
