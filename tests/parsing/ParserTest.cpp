#include <orvel/BitSet.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/Parser.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStreamException.hpp>

#include "support/Expect.hpp"
#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

#include <iostream>

namespace orvel {
namespace {

using namespace test;

// A parser straight on the base class, reading the shared buffer the way a
// derived parser does.
class BufferParser : public Named<Parser> {
public:
    explicit BufferParser(TokenBuffer& buffer) : Named(buffer) {}
    explicit BufferParser(TokenBuffer* buffer) : Named(buffer) {}
    explicit BufferParser(const RefCount<ParserInputState>& state) : Named(state) {}

    int LA(unsigned int i) override { return inputState->input->LA(i); }
    TokenRefCount<Token> LT(unsigned int i) override { return inputState->input->LT(i); }
    void consume() override { inputState->input->consume(); }
};

struct DebugParser {
    DebugParser() { DEBUG_PARSER = true; }
    ~DebugParser() { DEBUG_PARSER = false; }
};

struct ParserOnSum : ::testing::Test {
    ListTokenStream stream = sum();
    TokenBuffer buffer{stream};
    BufferParser parser{buffer};
};

TEST_F(ParserOnSum, MatchingConsumesOnlyOnSuccessAndDebugLinesShowMatchesOfATypeOrSet)
{
    CaptureStream out(std::cout);
    parser.setFilename("sum.txt");
    EXPECT_THROW_TEXT(parser.matchNot(ID), MismatchedTokenException,
                      "sum.txt:2:1: expecting anything but ID; got it anyway");
    parser.match(ID);
    {
        const DebugParser debug;
        parser.traceDepth = 2;
        EXPECT_THROW_TEXT(parser.match(ID), MismatchedTokenException,
                          "sum.txt:2:3: expecting ID, found '+'");
        parser.match(PLUS);
        parser.traceDepth = 0;
        EXPECT_THROW_TEXT(parser.match(setOf({PLUS, STAR})), MismatchedTokenException,
                          "sum.txt:2:5: expecting one of ( PLUS STAR), found 'b'");
        parser.match(setOf({ID}));
        parser.matchNot(ID);
        EXPECT_THROW(parser.matchNot(Token::EOF_TYPE), MismatchedTokenException);
    }
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
    EXPECT_EQ("|  enter match(4) with LA(1)=5\n"
              "|  token mismatch: 5!=4\n"
              "|  enter match(5) with LA(1)=5\n"
              "|enter match(bitset) with LA(1)=4\n"
              "|token mismatch: 4 not member of bitset\n"
              "|enter match(bitset) with LA(1)=4\n",
              out.text());
}

TEST_F(ParserOnSum, SkippingStopsAtTheTypeAMemberOrEndOfFileWhichOnlyMatchNotConsumes)
{
    parser.consumeUntil(ID);
    parser.consumeUntil(setOf({ID}));
    EXPECT_EQ("a", parser.LT(1)->getText());
    parser.recover(RecognitionException(), setOf({ID}));
    EXPECT_EQ("b", parser.LT(1)->getText());
    parser.consumeUntil(setOf({SEMI}));
    EXPECT_EQ(";", parser.LT(1)->getText());
    parser.consumeUntil(STAR);
    parser.consumeUntil(BitSet());
    EXPECT_EQ(5, stream.reads);
    EXPECT_THROW_TEXT(parser.matchNot(Token::EOF_TYPE), MismatchedTokenException,
                      "line 1:1: expecting anything but EOF; got it anyway");
    parser.matchNot(ID);
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
    EXPECT_EQ(6, stream.reads);
}

TEST_F(ParserOnSum, ReportsGoToStandardErrorWithTheSharedFileName)
{
    CaptureStream err(std::cerr);
    parser.reportError("bad");
    parser.reportWarning("odd");
    parser.setFilename("a.txt");
    parser.reportError("bad");
    parser.reportWarning("odd");
    parser.reportError(RecognitionException("m", "b.txt", 3, 4));
    EXPECT_EQ("error: bad\nwarning: odd\na.txt: error: bad\na.txt: warning: odd\nb.txt:3:4: m\n",
              err.text());
}

TEST_F(ParserOnSum, TraceLinesIndentWithBlanksAndShowTheTokenTextAndGuessing)
{
    CaptureStream out(std::cout);
    parser.traceIn("expr");
    parser.match(ID);
    parser.traceIn("rest");
    parser.getInputState()->guessing = 1;
    parser.traceOut("rest");
    parser.getInputState()->guessing = 0;
    parser.traceOut("expr");
    EXPECT_EQ(0, parser.traceDepth);
    parser.traceOut("x");
    parser.traceOut("y");
    parser.traceIndent();
    EXPECT_EQ(-2, parser.traceDepth);
    EXPECT_EQ(" > expr; LA(1)==a\n"
              "  > rest; LA(1)==+\n"
              "  < rest; LA(1)==+ [guessing]\n"
              " < expr; LA(1)==+\n"
              "< x; LA(1)==+\n"
              "< y; LA(1)==+\n|",
              out.text());
}

TEST(Parser, ParsersOnOneStateShareItsFileNameGuessingPositionAndAdoptedBuffer)
{
    ListTokenStream stream = sum();
    ListTokenStream other({token(STAR, "*")});
    int deaths = 0;
    Counted<TokenBuffer> borrowed(&deaths, other);
    { const BufferParser parser(borrowed); }
    EXPECT_EQ(0, deaths);
    BufferParser first(new Counted<TokenBuffer>(&deaths, stream));
    {
        BufferParser second(first.getInputState());
        first.setFilename("shared.txt");
        first.match(ID);
        second.getInputState()->guessing = 2;
        EXPECT_EQ("shared.txt", second.getFilename());
        EXPECT_EQ(PLUS, second.LA(1));
        EXPECT_EQ(2, first.getInputState()->guessing);
    }
    EXPECT_EQ(0, deaths);
    first.setInputState(RefCount<ParserInputState>(new ParserInputState(borrowed)));
    EXPECT_EQ(1, deaths);
    EXPECT_EQ(STAR, first.LA(1));
}

TEST(Parser, StreamFailuresPassThroughMatching)
{
    ListTokenStream stream({token(ID, "a")},
                           []() -> TokenRefCount<Token> { throw TokenStreamException(); });
    TokenBuffer buffer(stream);
    BufferParser parser(buffer);
    parser.match(ID);
    EXPECT_THROW(parser.match(PLUS), TokenStreamException);
    EXPECT_THROW(parser.consumeUntil(SEMI), TokenStreamException);
}

}
}
