#include <orvel/LLkParser.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStreamException.hpp>

#include "support/Expect.hpp"
#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace orvel {
namespace {

using test::CaptureStream;
using test::CountedToken;
using test::FailingTokenStream;
using test::ID;
using test::ListTokenStream;
using test::PLUS;
using test::SEMI;
using test::token;

class NamedParser : public LLkParser {
public:
    using LLkParser::LLkParser;

    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return test::tokenNames[num]; }
    const char* const* getTokenNames() const override { return test::tokenNames; }
    int getNumTokens() const override { return test::numTokens; }

    using LLkParser::k;
    using LLkParser::traceDepth;
};

// Makes a new ID token on every call and keeps none; counts their deaths in
// `*deaths`.
class CountingTokenStream : public TokenStream {
public:
    explicit CountingTokenStream(int* deaths_) : deaths(deaths_) {}
    TokenRefCount<Token> nextToken() override { return new CountedToken(ID, "id", deaths); }

private:
    int* deaths;
};

ListTokenStream sum()
{
    return ListTokenStream({token(ID, "a"), token(PLUS, "+"), token(ID, "b"), token(SEMI, ";")});
}

TEST(LLkParser, LookaheadPullsTokensOnlyAsDeepAsAsked)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 2);
    EXPECT_EQ(0, stream.reads);
    EXPECT_EQ(PLUS, parser.LA(2));
    EXPECT_EQ(2, stream.reads);
    EXPECT_EQ("a", parser.LT(1)->getText());
    EXPECT_EQ(2, stream.reads);
    parser.consume();
    EXPECT_EQ(2, stream.reads);
    EXPECT_EQ("+", parser.LT(1)->getText());
    EXPECT_EQ(ID, parser.LA(2));
    EXPECT_EQ(3, stream.reads);
}

TEST(LLkParser, MatchingGoesThroughTheSharedBuffer)
{
    ListTokenStream stream = sum();
    TokenBuffer buffer(stream);
    NamedParser parser(buffer, 1);
    parser.match(ID);
    parser.match(PLUS);
    EXPECT_EQ("b", buffer.LT(1)->getText());
}

TEST(LLkParser, ConstructorFromAStreamOwnsItsBufferThroughTheState)
{
    int deaths = 0;
    CountingTokenStream stream(&deaths);
    RefCount<ParserInputState> state;
    {
        NamedParser parser(stream, 1);
        EXPECT_EQ(ID, parser.LA(1));
        state = parser.getInputState();
        EXPECT_TRUE(state->ownsInput);
    }
    EXPECT_EQ(0, deaths);
    state = RefCount<ParserInputState>();
    EXPECT_EQ(1, deaths);
}

TEST(LLkParser, ConstructorFromAStateSharesIt)
{
    ListTokenStream stream = sum();
    NamedParser first(stream, 2);
    NamedParser second(first.getInputState(), 3);
    EXPECT_EQ(3, second.k);
    second.setFilename("both.txt");
    second.match(ID);
    EXPECT_EQ("both.txt", first.getFilename());
    EXPECT_EQ(PLUS, first.LA(1));
    first.match(PLUS);
    EXPECT_EQ(ID, second.LA(1));
}

TEST(LLkParser, TraceShowsTheTextOfAllKLookaheadTokens)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 2);
    CaptureStream out(std::cout);
    parser.traceIn("expr");
    parser.match(ID);
    parser.traceIn("term");
    parser.traceOut("term");
    parser.traceOut("expr");
    EXPECT_EQ(" > expr; LA(1)==a, LA(2)==+\n"
              "  > term; LA(1)==+, LA(2)==b\n"
              "  < term; LA(1)==+, LA(2)==b\n"
              " < expr; LA(1)==+, LA(2)==b\n",
              out.text());
    EXPECT_EQ(0, parser.traceDepth);
}

TEST(LLkParser, TraceMarksGuessingBeforeTheLookahead)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 1);
    parser.getInputState()->guessing = 1;
    CaptureStream out(std::cout);
    parser.trace("? ", "pred");
    EXPECT_EQ("? pred; [guessing]LA(1)==a\n", out.text());
}

TEST(LLkParser, TraceWithKZeroEndsAfterTheRuleName)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 0);
    CaptureStream out(std::cout);
    parser.traceIn("r");
    EXPECT_EQ(" > r; \n", out.text());
    EXPECT_EQ(0, stream.reads);
}

TEST(LLkParser, TraceReadsKAfreshOnEveryPass)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 1);
    CaptureStream out(std::cout);
    parser.k = 3;
    parser.trace("> ", "r");
    EXPECT_EQ("> r; LA(1)==a, LA(2)==+, LA(3)==b\n", out.text());
}

TEST(LLkParser, TraceIndentsThroughTheVirtualTraceIndent)
{
    struct MarkingParser : NamedParser {
        using NamedParser::NamedParser;
        void traceIndent() override { std::cout << "|"; }
    };
    ListTokenStream stream = sum();
    MarkingParser parser(stream, 1);
    CaptureStream out(std::cout);
    parser.traceIn("r");
    EXPECT_EQ("|> r; LA(1)==a\n", out.text());
}

TEST(LLkParser, TraceShowsALookaheadErrorInlineAndGoesOn)
{
    FailingTokenStream stream({token(ID, "a")}, [] {
        throw RecognitionException("unexpected char: '#'", "in.txt", 1, 3);
    });
    NamedParser parser(stream, 3);
    CaptureStream out(std::cout);
    parser.traceIn("stmt");
    EXPECT_EQ(" > stmt; LA(1)==a, LA(2)==[error: in.txt:1:3: unexpected char: '#'], "
              "LA(3)==[error: in.txt:1:3: unexpected char: '#']\n",
              out.text());
    EXPECT_EQ(1, parser.traceDepth);
}

TEST(LLkParser, TraceShowsAStreamErrorWithItsPlainText)
{
    FailingTokenStream stream({}, [] { throw TokenStreamException(); });
    NamedParser parser(stream, 1);
    CaptureStream out(std::cout);
    parser.traceOut("r");
    EXPECT_EQ("< r; LA(1)==[error: ]\n", out.text());
}

TEST(LLkParser, TraceLetsOtherExceptionsThrough)
{
    FailingTokenStream stream({}, [] { throw std::string("not ours"); });
    NamedParser parser(stream, 1);
    CaptureStream out(std::cout);
    EXPECT_THROW(parser.traceIn("r"), std::string);
}

TEST(LLkParser, MismatchExceptionKeepsTheOffendingTokenAfterTheParserIsGone)
{
    int deaths = 0;
    try {
        CountingTokenStream stream(&deaths);
        NamedParser parser(stream, 1);
        parser.match(PLUS);
        FAIL() << "no mismatch";
    } catch (const MismatchedTokenException& e) {
        EXPECT_EQ(0, deaths);
        EXPECT_EQ("line 1:1: expecting PLUS, found 'id'", e.toString());
    }
    EXPECT_EQ(1, deaths);
}

}
}
