#include <orvel/orvel.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"
#include "support/TokenProbes.hpp"

#include <memory>

using namespace orvel;
using test::streams::FunctionStream;

namespace {

// Tokens of types 10 to 14, then end of file on every further call.
TokenRefCount<Token> fiveThenEnd(int call) { return new CommonToken(call <= 5 ? 9 + call : Token::EOF_TYPE, "t"); }

// Checks that `buffer` shows each of `types` in turn, consuming each.
void expectConsumed(TokenBuffer& buffer, std::initializer_list<int> types)
{
    for (int type : types) {
        EXPECT_EQ(type, buffer.LA(1));
        buffer.consume();
    }
}

TEST(TokenBuffer, PullsOnlyAsDeepAsLookaheadAsksAndAppliesConsumesLazily)
{
    FunctionStream stream(fiveThenEnd);
    TokenBuffer buffer(stream);
    EXPECT_EQ(0, stream.calls);
    EXPECT_EQ(11, buffer.LA(2));
    EXPECT_EQ(10, buffer.LA(1));
    EXPECT_EQ(10, buffer.LT(1)->getType());
    EXPECT_EQ(2, stream.calls);
    EXPECT_EQ(2u, buffer.entries());

    buffer.LA(3);
    buffer.consume();
    EXPECT_EQ(3u, buffer.entries()) << "a consume waits for the next lookahead";
    EXPECT_EQ(11, buffer.LA(1));
    EXPECT_EQ(2u, buffer.entries());
    EXPECT_EQ(3, stream.calls);

    buffer.consume();
    buffer.consume();
    buffer.consume();
    EXPECT_EQ(14, buffer.LA(1)) << "tokens consumed but never looked at are skipped";
    EXPECT_EQ(5, stream.calls);
}

TEST(TokenBuffer, NestedMarksRewindToTheirOwnPositionsWithoutPullingTokensTwice)
{
    FunctionStream stream(fiveThenEnd);
    TokenBuffer buffer(stream);
    const TokenRefCount<Token> first = buffer.LT(1);
    const unsigned int outer = buffer.mark();
    expectConsumed(buffer, {10});
    const unsigned int inner = buffer.mark();
    expectConsumed(buffer, {11, 12});
    EXPECT_EQ(0u, outer);
    EXPECT_EQ(1u, inner);
    buffer.rewind(inner);
    expectConsumed(buffer, {11, 12});
    buffer.rewind(outer);
    EXPECT_TRUE(buffer.LT(1) == first);
    EXPECT_EQ(3, stream.calls);
}

TEST(TokenBuffer, ClosingTheLastMarkLetsConsumesDropTokensAgain)
{
    FunctionStream stream(fiveThenEnd);
    TokenBuffer buffer(stream);
    buffer.LA(1);
    const unsigned int mark = buffer.mark();
    buffer.consume();
    buffer.LA(1);
    buffer.rewind(mark);
    expectConsumed(buffer, {10, 11});
    EXPECT_EQ(0u, buffer.mark());
    EXPECT_EQ(12, buffer.LA(1));
}

TEST(TokenBuffer, KeepsReturningEndOfFileAfterTheStreamEnds)
{
    FunctionStream stream([](int call) { return new CommonToken(call == 1 ? 10 : Token::EOF_TYPE, ""); });
    TokenBuffer buffer(stream);
    buffer.consume();
    expectConsumed(buffer, {Token::EOF_TYPE, Token::EOF_TYPE, Token::EOF_TYPE});
    EXPECT_EQ(Token::EOF_TYPE, buffer.LA(3));
    EXPECT_EQ(7, stream.calls);
}

TEST(TokenBuffer, StreamExceptionPassesThroughAndKeepsTokensPulledBefore)
{
    int type = 10;
    FunctionStream stream([&](int call) -> TokenRefCount<Token> {
        if (call == 3)
            throw TokenStreamRetryException();
        return new CommonToken(type++, "t");
    });
    TokenBuffer buffer(stream);
    EXPECT_THROW(buffer.LA(4), TokenStreamRetryException);
    EXPECT_EQ(2u, buffer.entries());
    EXPECT_EQ(12, buffer.LA(3));
    EXPECT_EQ(4, stream.calls);
}

TEST(TokenBuffer, EmptyHandleFromTheStreamIsRejectedNotStored)
{
    FunctionStream stream([](int call) {
        return call == 2 ? nullToken : TokenRefCount<Token>(new CommonToken(9 + call, ""));
    });
    TokenBuffer buffer(stream);
    EXPECT_THROW_TEXT(buffer.LA(2), TokenStreamException, "token stream returned an empty token handle");
    EXPECT_EQ(1u, buffer.entries());
    EXPECT_EQ(12, buffer.LA(2));
}

TEST(TokenBuffer, ReleasesConsumedTokensOnlyAtCompactionOrDestruction)
{
    std::vector<int> deaths;
    FunctionStream stream([&](int call) { return new test::ProbeToken(call - 1, deaths); });
    auto buffer = std::make_unique<TokenBuffer>(stream);
    for (int type = 0; type < 5001; ++type) {
        ASSERT_EQ(type, buffer->LA(1));
        buffer->consume();
    }
    EXPECT_TRUE(deaths.empty());
    EXPECT_EQ(5001, buffer->LA(1));
    EXPECT_EQ(5001u, deaths.size());
    buffer->consume();
    buffer.reset();
    EXPECT_EQ(5002u, deaths.size());
}

}
