#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStreamException.hpp>

#include "support/Fixtures.hpp"

#include <memory>

namespace {

using namespace orvel;
using test::FunctionStream;

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
    EXPECT_EQ(11, buffer.LA(2));
    EXPECT_EQ(10, buffer.LT(1)->getType());
    EXPECT_EQ(2, stream.calls);
    buffer.LA(3);
    buffer.consume();
    EXPECT_EQ(3u, buffer.entries()) << "a consume waits for the next lookahead";
    expectConsumed(buffer, {11, 12, 13});
    buffer.consume();
    EXPECT_EQ(Token::EOF_TYPE, buffer.LA(1)) << "tokens consumed but never looked at are skipped";
    expectConsumed(buffer, {Token::EOF_TYPE, Token::EOF_TYPE});
    EXPECT_EQ(7, stream.calls);
}

TEST(TokenBuffer, NestedMarksRewindToTheirOwnPositionsAndEmptyHandlesAreRejected)
{
    FunctionStream stream(fiveThenEnd);
    TokenBuffer buffer(stream);
    const TokenRefCount<Token> first = buffer.LT(1);
    const unsigned int outer = buffer.mark();
    expectConsumed(buffer, {10});
    const unsigned int inner = buffer.mark();
    expectConsumed(buffer, {11, 12});
    buffer.rewind(inner);
    expectConsumed(buffer, {11, 12});
    buffer.rewind(outer);
    EXPECT_TRUE(buffer.LT(1) == first);
    EXPECT_EQ(3, stream.calls);
    expectConsumed(buffer, {10, 11});
    EXPECT_EQ(0u, buffer.mark());
    stream.next = [](int call) { return call == 4 ? nullToken : TokenRefCount<Token>(new CommonToken(call, "")); };
    EXPECT_THROW_TEXT(buffer.LA(2), TokenStreamException, "token stream returned an empty token handle");
    EXPECT_EQ(5, buffer.LA(2)) << "the tokens pulled before stay";
}

// Consumed tokens are released as the queue compacts, and the rest with the buffer.
TEST(TokenBuffer, ReleasesConsumedTokensAsItGoesAndTheRestWhenItGoes)
{
    std::vector<int> deaths;
    FunctionStream stream([&](int call) { return new test::ProbeToken(call - 1, deaths); });
    auto buffer = std::make_unique<TokenBuffer>(stream);
    for (int type = 0; type < 20000; ++type) {
        ASSERT_EQ(type, buffer->LA(1));
        buffer->consume();
    }
    EXPECT_GE(deaths.size(), 10000u);
    buffer.reset();
    EXPECT_EQ(20000u, deaths.size());
}

}
