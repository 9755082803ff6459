#include <orvel/ASTNULLType.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Fixtures.hpp"

#include <functional>
#include <utility>

namespace {

using namespace orvel;
using namespace orvel::test;

using NamedTreeParser = Named<TreeParser>;

TEST(TreeParser, MatchingFailsOnEmptyAndNullNodesAndOnTypesThatDoNotFit)
{
    NamedTreeParser p;
    const ASTRefCount<AST> null = TreeParser::ASTNULL;
    const ASTRefCount<AST> otherNull(new ASTNULLType);
    const int three = Token::NULL_TREE_LOOKAHEAD;
    const char* const notPlus = "<AST>: expecting anything but PLUS; got it anyway";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { p.match(node("x", three), three); }, nullptr},
        {[&] { p.match(otherNull, three); }, nullptr},
        {[&] { p.matchNot(node("*", STAR), PLUS); }, nullptr},
        {[&] { p.match(node("+", PLUS), setOf({PLUS, STAR})); }, nullptr},
        {[&] { p.match(null, three); }, "<AST>: expecting NULL_TREE_LOOKAHEAD, found '<ASTNULL>'"},
        {[&] { p.match(otherNull, ID); }, "<AST>: expecting ID, found '<ASTNULL>'"},
        {[&] { p.match(nullAST, ID); }, "<AST>: expecting ID, found '<empty tree>'"},
        {[&] { p.match(node("+", PLUS), ID); }, "<AST>: expecting ID, found '+'"},
        {[&] { p.matchNot(node("+", PLUS), PLUS); }, notPlus},
        {[&] { p.matchNot(nullAST, PLUS); }, notPlus},
        {[&] { p.matchNot(null, PLUS); }, notPlus},
        {[&] { p.match(node("a", ID), setOf({PLUS, STAR})); }, "<AST>: expecting one of ( PLUS STAR), found 'a'"},
        {[&] { p.match(nullAST, setOf({ID})); }, "<AST>: expecting one of ( ID), found '<empty tree>'"},
        {[&] { p.match(null, setOf({3})); }, "<AST>: expecting one of ( NULL_TREE_LOOKAHEAD), found '<ASTNULL>'"},
    };
    for (const auto& [run, error] : cases) {
        SCOPED_TRACE(error ? error : "match");
        if (error)
            EXPECT_THROW_TEXT(run(), MismatchedTokenException, error);
        else
            EXPECT_NO_THROW(run());
    }
    EXPECT_TRUE(TreeParser::ASTNULL == TreeParser::ASTNULL->getFirstChild());
}

TEST(TreeParser, ReportsNeverShowAFileNameAndTracesShowTheNodeAndGuessing)
{
    NamedTreeParser parser;
    const NamedTreeParser sharing(parser.inputState);
    ASTRefCount<AST> plus = node("+", PLUS);
    plus->addChild(node("a", ID));
    CaptureStream err(std::cerr);
    CaptureStream out(std::cout);
    parser.reportError("bad tree");
    parser.reportWarning("odd tree");
    parser.reportError(MismatchedTokenException(tokenNames, numTokens, nullAST, ID, false));
    parser.traceIn("expr", plus);
    parser.traceIn("atom", nullAST);
    sharing.inputState->guessing = 1;
    parser.traceOut("atom", TreeParser::ASTNULL);
    parser.inputState->guessing = 0;
    parser.traceOut("expr", plus);
    parser.traceOut("r", nullAST);
    parser.traceOut("r", nullAST);
    parser.traceIn("s", nullAST);
    EXPECT_EQ(-1, parser.traceDepth);
    EXPECT_EQ("error: bad tree\nwarning: odd tree\n<AST>: expecting ID, found '<empty tree>'\n", err.text());
    EXPECT_EQ("| > expr(+)\n"
              "|  > atom(null)\n"
              "|  < atom(<ASTNULL>) [guessing]\n"
              "| < expr(+)\n"
              "|< r(null)\n"
              "|< r(null)\n"
              "|> s(null)\n",
              out.text());
    EXPECT_EQ(0, NamedTreeParser().inputState->guessing);
}

}
