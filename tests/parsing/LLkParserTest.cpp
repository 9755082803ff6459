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

using namespace test;

struct NamedParser : Named<LLkParser> {
    using Named::Named;
    using LLkParser::k;
};

// A stream of fresh ID tokens, none kept, whose deaths count in `*deaths`.
ListTokenStream countedIds(int* deaths)
{
    return ListTokenStream(
        {}, [deaths] { return TokenRefCount<Token>(new Counted<CommonToken>(deaths, ID, "id")); });
}

TEST(LLkParser, ParsersOnABorrowedBufferPullTokensOnlyAsDeepAsAskedFromOnePosition)
{
    ListTokenStream stream = sum();
    TokenBuffer buffer(stream);
    NamedParser parser(buffer, 2);
    NamedParser sharing(parser.getInputState(), 1);
    EXPECT_EQ(0, stream.reads);
    EXPECT_EQ(PLUS, parser.LA(2));
    EXPECT_EQ("a", parser.LT(1)->getText());
    parser.consume();
    EXPECT_EQ(2, stream.reads);
    EXPECT_EQ("+", sharing.LT(1)->getText());
    EXPECT_EQ(ID, sharing.LA(2));
    EXPECT_EQ(3, stream.reads);
    sharing.match(PLUS);
    EXPECT_EQ("b", buffer.LT(1)->getText());
    EXPECT_FALSE(parser.getInputState()->ownsInput);
}

TEST(LLkParser, StateFromAStreamOwnsTheBufferWhoseTokensOutliveItInAMismatch)
{
    int deaths = 0;
    ListTokenStream stream = countedIds(&deaths);
    RefCount<ParserInputState> state;
    MismatchedTokenException error;
    {
        NamedParser parser(stream, 1);
        const NamedParser sharing(parser.getInputState(), 3);
        EXPECT_EQ(3, sharing.k);
        EXPECT_EQ(ID, parser.LA(2));
        try {
            parser.match(PLUS);
        } catch (const MismatchedTokenException& e) {
            error = e;
        }
        state = sharing.getInputState();
        EXPECT_TRUE(state->ownsInput);
    }
    EXPECT_EQ(0, deaths);
    state = RefCount<ParserInputState>();
    EXPECT_EQ(1, deaths);
    EXPECT_EQ("line 1:1: expecting PLUS, found 'id'", error.toString());
    error = MismatchedTokenException();
    EXPECT_EQ(2, deaths);
}

TEST(LLkParser, TraceIndentsVirtuallyAndShowsGuessingThenTheTextOfKLookaheadTokens)
{
    ListTokenStream stream = sum();
    NamedParser parser(stream, 0);
    CaptureStream out(std::cout);
    parser.traceIn("r");
    EXPECT_EQ(0, stream.reads);
    parser.k = 2;
    parser.traceIn("expr");
    parser.match(ID);
    parser.getInputState()->guessing = 1;
    parser.traceOut("expr");
    parser.getInputState()->guessing = 0;
    parser.k = 3;
    parser.traceOut("r");
    EXPECT_EQ("| > r; \n"
              "|  > expr; LA(1)==a, LA(2)==+\n"
              "|  < expr; [guessing]LA(1)==+, LA(2)==b\n"
              "| < r; LA(1)==+, LA(2)==b, LA(3)==;\n",
              out.text());
    EXPECT_EQ(0, parser.traceDepth);
}

TEST(LLkParser, TraceShowsLookaheadErrorsInlineAndGoesOn)
{
    const struct {
        ListTokenStream::End fail;
        const char* line;
    } cases[] = {
        {[]() -> TokenRefCount<Token> { throw RecognitionException("bad '#'", "in.txt", 1, 3); },
         "| > r; LA(1)==a, LA(2)==[error: in.txt:1:3: bad '#'], "
         "LA(3)==[error: in.txt:1:3: bad '#']\n"},
        {[]() -> TokenRefCount<Token> { throw TokenStreamException(); },
         "| > r; LA(1)==a, LA(2)==[error: ], LA(3)==[error: ]\n"},
    };
    for (const auto& c : cases) {
        ListTokenStream stream({token(ID, "a")}, c.fail);
        NamedParser parser(stream, 3);
        CaptureStream out(std::cout);
        parser.traceIn("r");
        EXPECT_EQ(c.line, out.text());
        EXPECT_EQ(1, parser.traceDepth);
    }
}

TEST(LLkParser, TraceLetsOtherExceptionsThrough)
{
    ListTokenStream stream({}, []() -> TokenRefCount<Token> { throw std::string("not ours"); });
    NamedParser parser(stream, 1);
    const CaptureStream out(std::cout);
    EXPECT_THROW(parser.traceIn("r"), std::string);
}

}
}
