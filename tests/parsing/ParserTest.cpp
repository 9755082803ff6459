#include <orvel/ASTFactory.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/Parser.hpp>
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
using test::CountedTokenBuffer;
using test::ID;
using test::ListTokenStream;
using test::PLUS;
using test::SEMI;
using test::setOf;
using test::STAR;
using test::token;

// A parser straight on the base class, its lookahead taken from the shared
// buffer the way a derived parser supplies it.
class BufferParser : public Parser {
public:
    explicit BufferParser(TokenBuffer& buffer) : Parser(buffer) {}
    explicit BufferParser(TokenBuffer* buffer) : Parser(buffer) {}
    explicit BufferParser(const RefCount<ParserInputState>& state) : Parser(state) {}

    int LA(unsigned int i) override { return inputState->input->LA(i); }
    TokenRefCount<Token> LT(unsigned int i) override { return inputState->input->LT(i); }
    void consume() override { inputState->input->consume(); }
    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return test::tokenNames[num]; }
    const char* const* getTokenNames() const override { return test::tokenNames; }
    int getNumTokens() const override { return test::numTokens; }

    using Parser::traceDepth;
};

// Sets DEBUG_PARSER for the life of the guard.
class DebugParser {
public:
    DebugParser() { DEBUG_PARSER = true; }
    ~DebugParser() { DEBUG_PARSER = false; }
    DebugParser(const DebugParser&) = delete;
    DebugParser& operator=(const DebugParser&) = delete;
};

// Tokens a + b ; at line 2, columns 1, 3, 5 and 6.
ListTokenStream sum()
{
    return ListTokenStream({token(ID, "a", 2, 1), token(PLUS, "+", 2, 3), token(ID, "b", 2, 5),
                            token(SEMI, ";", 2, 6)});
}

struct ParserOnSum : ::testing::Test {
    ListTokenStream stream = sum();
    TokenBuffer buffer{stream};
    BufferParser parser{buffer};
};

TEST_F(ParserOnSum, MatchConsumesTheExpectedToken)
{
    parser.match(ID);
    EXPECT_EQ(PLUS, parser.LA(1));
}

TEST_F(ParserOnSum, MatchMismatchThrowsWithPositionAndNamesAndConsumesNothing)
{
    parser.setFilename("sum.txt");
    const TokenRefCount<Token> current = parser.LT(1);
    EXPECT_THROW_TEXT(parser.match(PLUS), MismatchedTokenException,
                      "sum.txt:2:1: expecting PLUS, found 'a'");
    EXPECT_TRUE(current == parser.LT(1));
}

TEST_F(ParserOnSum, MatchNotConsumesAnyOtherTokenAndRejectsTheExcludedOne)
{
    parser.matchNot(PLUS);
    EXPECT_THROW_TEXT(parser.matchNot(PLUS), MismatchedTokenException,
                      "line 2:3: expecting anything but PLUS; got it anyway");
    EXPECT_EQ(PLUS, parser.LA(1));
}

TEST_F(ParserOnSum, MatchNotConsumesEndOfFileUnlessItIsExcluded)
{
    parser.consumeUntil(Token::EOF_TYPE);
    EXPECT_THROW_TEXT(parser.matchNot(Token::EOF_TYPE), MismatchedTokenException,
                      "line 1:1: expecting anything but EOF; got it anyway");
    parser.matchNot(ID);
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
    EXPECT_EQ(6, stream.reads);
}

TEST_F(ParserOnSum, MatchOfASetConsumesAMemberAndRejectsOthers)
{
    parser.match(setOf({ID, STAR}));
    EXPECT_THROW_TEXT(parser.match(setOf({ID, STAR})), MismatchedTokenException,
                      "line 2:3: expecting one of ( ID STAR), found '+'");
    EXPECT_EQ(PLUS, parser.LA(1));
}

TEST_F(ParserOnSum, ConsumeUntilStopsBeforeTheTypeOrEndOfFile)
{
    parser.consumeUntil(SEMI);
    EXPECT_EQ(SEMI, parser.LA(1));
    parser.consumeUntil(STAR);
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
    parser.consumeUntil(STAR);
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
}

TEST_F(ParserOnSum, ConsumeUntilConsumesNothingWhenTheCurrentTokenAlreadyFits)
{
    parser.consumeUntil(ID);
    EXPECT_EQ("a", parser.LT(1)->getText());
    parser.consumeUntil(setOf({ID}));
    EXPECT_EQ("a", parser.LT(1)->getText());
    parser.consumeUntil(setOf({SEMI}));
    EXPECT_EQ(";", parser.LT(1)->getText());
    parser.consumeUntil(BitSet());
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
}

TEST_F(ParserOnSum, RecoverConsumesOnceEvenWhenTheCurrentTokenIsInTheSet)
{
    parser.recover(RecognitionException(), setOf({ID}));
    EXPECT_EQ("b", parser.LT(1)->getText());
    parser.recover(RecognitionException(), setOf({ID}));
    EXPECT_EQ(Token::EOF_TYPE, parser.LA(1));
}

TEST_F(ParserOnSum, MarkAndRewindReturnToTheMarkedToken)
{
    const unsigned int m = parser.mark();
    parser.match(ID);
    parser.match(PLUS);
    parser.rewind(m);
    EXPECT_EQ("a", parser.LT(1)->getText());
}

TEST_F(ParserOnSum, DebugLinesShowEachMatchIndentedByTraceDepth)
{
    const DebugParser debug;
    parser.traceDepth = 2;
    CaptureStream out(std::cout);
    parser.match(ID);
    EXPECT_THROW(parser.match(ID), MismatchedTokenException);
    EXPECT_EQ("  enter match(4) with LA(1)=4\n"
              "  enter match(4) with LA(1)=5\n"
              "  token mismatch: 5!=4\n",
              out.text());
}

TEST_F(ParserOnSum, DebugLinesForASetSayBitset)
{
    const DebugParser debug;
    CaptureStream out(std::cout);
    parser.match(setOf({ID}));
    EXPECT_THROW(parser.match(setOf({ID})), MismatchedTokenException);
    EXPECT_EQ("enter match(bitset) with LA(1)=4\n"
              "enter match(bitset) with LA(1)=5\n"
              "token mismatch: 5 not member of bitset\n",
              out.text());
}

TEST_F(ParserOnSum, MatchWritesNothingWithoutDebugAndMatchNotNeverDoes)
{
    CaptureStream out(std::cout);
    parser.match(ID);
    {
        const DebugParser debug;
        parser.matchNot(ID);
        EXPECT_THROW(parser.matchNot(ID), MismatchedTokenException);
    }
    EXPECT_EQ("", out.text());
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
    EXPECT_EQ("error: bad\n"
              "warning: odd\n"
              "a.txt: error: bad\n"
              "a.txt: warning: odd\n"
              "b.txt:3:4: m\n",
              err.text());
}

TEST_F(ParserOnSum, TraceLinesShowTheCurrentTokenTextAndGuessing)
{
    CaptureStream out(std::cout);
    parser.traceIn("expr");
    parser.match(ID);
    parser.traceIn("rest");
    parser.getInputState()->guessing = 1;
    parser.traceOut("rest");
    parser.getInputState()->guessing = 0;
    parser.traceOut("expr");
    EXPECT_EQ(" > expr; LA(1)==a\n"
              "  > rest; LA(1)==+\n"
              "  < rest; LA(1)==+ [guessing]\n"
              " < expr; LA(1)==+\n",
              out.text());
    EXPECT_EQ(0, parser.traceDepth);
}

TEST_F(ParserOnSum, UnbalancedTraceOutGoesNegativeAndIndentsNothing)
{
    CaptureStream out(std::cout);
    parser.traceOut("x");
    parser.traceOut("y");
    parser.traceIndent();
    EXPECT_EQ(-2, parser.traceDepth);
    EXPECT_EQ("< x; LA(1)==a\n< y; LA(1)==a\n", out.text());
}

TEST(Parser, TraceLinesIndentWithBlanksEvenWhenTraceIndentIsOverridden)
{
    struct MarkingParser : BufferParser {
        using BufferParser::BufferParser;
        void traceIndent() override { std::cout << "|"; }
    };
    ListTokenStream stream = sum();
    TokenBuffer buffer(stream);
    MarkingParser parser(buffer);
    CaptureStream out(std::cout);
    parser.traceIn("r");
    {
        const DebugParser debug;
        parser.match(ID);
    }
    parser.traceOut("r");
    EXPECT_EQ(" > r; LA(1)==a\n|enter match(4) with LA(1)=4\n < r; LA(1)==+\n", out.text());
}

TEST(Parser, ParserOnABorrowedBufferLeavesItAlone)
{
    ListTokenStream stream;
    int deaths = 0;
    CountedTokenBuffer buffer(stream, &deaths);
    { const BufferParser parser(buffer); }
    EXPECT_EQ(0, deaths);
}

TEST(Parser, ParserOnAnAdoptedBufferDeletesItWithTheLastShareOfItsState)
{
    ListTokenStream stream;
    int deaths = 0;
    RefCount<ParserInputState> state;
    {
        const BufferParser parser(new CountedTokenBuffer(stream, &deaths));
        state = parser.getInputState();
    }
    EXPECT_EQ(0, deaths);
    state = RefCount<ParserInputState>();
    EXPECT_EQ(1, deaths);
}

TEST(Parser, ParsersOnOneStateShareFileNameGuessingAndPosition)
{
    ListTokenStream stream = sum();
    BufferParser first(new TokenBuffer(stream));
    BufferParser second(first.getInputState());
    first.setFilename("shared.txt");
    first.match(ID);
    second.getInputState()->guessing = 2;
    EXPECT_EQ("shared.txt", second.getFilename());
    EXPECT_EQ(PLUS, second.LA(1));
    EXPECT_EQ(2, first.getInputState()->guessing);
    EXPECT_EQ(first.getInputState().get(), second.getInputState().get());
}

TEST(Parser, SetInputStateReleasesThePreviousStateAndItsBuffer)
{
    ListTokenStream one = sum();
    ListTokenStream two({token(STAR, "*")});
    int deaths = 0;
    BufferParser parser(new CountedTokenBuffer(one, &deaths));
    parser.setInputState(RefCount<ParserInputState>(new ParserInputState(new TokenBuffer(two))));
    EXPECT_EQ(1, deaths);
    EXPECT_EQ(STAR, parser.LA(1));
}

TEST(Parser, StoresTheFactoryWithoutOwningIt)
{
    ListTokenStream stream;
    TokenBuffer buffer(stream);
    ASTFactory factory;
    BufferParser parser(buffer);
    EXPECT_EQ(nullptr, parser.getASTFactory());
    parser.setASTFactory(&factory);
    EXPECT_EQ(&factory, parser.getASTFactory());
    parser.setASTNodeFactory(nullptr);
    EXPECT_EQ(nullptr, parser.getASTFactory());
}

TEST(Parser, StreamFailuresPassThroughMatching)
{
    test::FailingTokenStream stream({token(ID, "a")}, [] { throw TokenStreamException(); });
    TokenBuffer buffer(stream);
    BufferParser parser(buffer);
    parser.match(ID);
    EXPECT_THROW(parser.match(PLUS), TokenStreamException);
    EXPECT_THROW(parser.consumeUntil(SEMI), TokenStreamException);
}

}
}
