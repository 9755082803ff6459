#include <orvel/CommonToken.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStream.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRetryException.hpp>

#include <gtest/gtest.h>

#include "support/Expect.hpp"
#include "support/TokenProbes.hpp"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

using orvel::CommonToken;
using orvel::Token;
using orvel::TokenBuffer;
using orvel::TokenRefCount;

namespace {

// Hands out the given tokens in order, keeping no handle to them, then an
// end-of-file token on every call; counts its calls. An empty handle in the
// list is handed out as is. Throws TokenStreamRetryException on the call
// numbered `failingPull`, without moving on.
class CountingStream : public orvel::TokenStream {
public:
    explicit CountingStream(std::vector<TokenRefCount<Token>> tokens) : tokens(std::move(tokens)) {}

    TokenRefCount<Token> nextToken() override
    {
        ++pulls;
        if (pulls == failingPull)
            throw orvel::TokenStreamRetryException();
        if (next < tokens.size())
            return std::move(tokens[next++]);
        return new CommonToken(Token::EOF_TYPE, "");
    }

    unsigned int pulls = 0;
    unsigned int failingPull = 0;

private:
    std::vector<TokenRefCount<Token>> tokens;
    std::size_t next = 0;
};

// Tokens of types 10, 11, 12 and so on.
std::vector<TokenRefCount<Token>> tokensOfTypes(int count)
{
    std::vector<TokenRefCount<Token>> tokens;
    for (int i = 0; i < count; ++i)
        tokens.emplace_back(new CommonToken(10 + i, "t"));
    return tokens;
}

TEST(TokenBuffer, PullsOnlyAsDeepAsLookaheadAsks)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    EXPECT_EQ(0u, stream.pulls);
    EXPECT_EQ(11, buffer.LA(2));
    EXPECT_EQ(2u, stream.pulls);
    EXPECT_EQ(10, buffer.LA(1));
    EXPECT_EQ(10, buffer.LT(1)->getType());
    EXPECT_EQ(2u, stream.pulls);
    EXPECT_EQ(2u, buffer.entries());
}

TEST(TokenBuffer, ConsumeIsAppliedOnlyByTheNextLookahead)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    buffer.LA(3);
    buffer.consume();
    EXPECT_EQ(3u, buffer.entries());
    EXPECT_EQ(11, buffer.LA(1));
    EXPECT_EQ(2u, buffer.entries());
    EXPECT_EQ(3u, stream.pulls);
}

TEST(TokenBuffer, ConsumingTokensNeverLookedAtSkipsThem)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    buffer.LA(1);
    buffer.consume();
    buffer.consume();
    buffer.consume();
    EXPECT_EQ(13, buffer.LA(1));
    EXPECT_EQ(4u, stream.pulls);
}

TEST(TokenBuffer, RewindMakesConsumedTokensVisibleAgain)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    const TokenRefCount<Token> first = buffer.LT(1);
    const unsigned int mark = buffer.mark();
    for (int expected : {10, 11}) {
        EXPECT_EQ(expected, buffer.LA(1));
        buffer.consume();
    }
    EXPECT_EQ(12, buffer.LA(1));
    buffer.rewind(mark);
    EXPECT_TRUE(buffer.LT(1) == first);
    EXPECT_EQ(3u, stream.pulls);
}

TEST(TokenBuffer, NestedMarksRewindToTheirOwnPositions)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    buffer.LA(1);
    const unsigned int outer = buffer.mark();
    buffer.consume();
    buffer.LA(1);
    const unsigned int inner = buffer.mark();
    buffer.consume();
    EXPECT_EQ(12, buffer.LA(1));
    EXPECT_EQ(0u, outer);
    EXPECT_EQ(1u, inner);

    buffer.rewind(inner);
    EXPECT_EQ(11, buffer.LA(1));
    buffer.consume();
    EXPECT_EQ(12, buffer.LA(1));
    buffer.rewind(outer);
    EXPECT_EQ(10, buffer.LA(1));
}

TEST(TokenBuffer, ClosingTheLastMarkLetsConsumesDropTokensAgain)
{
    CountingStream stream(tokensOfTypes(5));
    TokenBuffer buffer(stream);
    buffer.LA(1);
    const unsigned int mark = buffer.mark();
    buffer.consume();
    buffer.LA(1);
    buffer.rewind(mark);
    for (int expected : {10, 11}) {
        EXPECT_EQ(expected, buffer.LA(1));
        buffer.consume();
    }
    EXPECT_EQ(0u, buffer.mark());
    EXPECT_EQ(12, buffer.LA(1));
}

TEST(TokenBuffer, KeepsReturningEndOfFileAfterTheStreamEnds)
{
    CountingStream stream(tokensOfTypes(1));
    TokenBuffer buffer(stream);
    buffer.consume();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Token::EOF_TYPE, buffer.LA(1));
        buffer.consume();
    }
    EXPECT_EQ(Token::EOF_TYPE, buffer.LA(3));
    EXPECT_EQ(7u, stream.pulls);
}

TEST(TokenBuffer, StreamExceptionPassesThroughAndKeepsTokensPulledBefore)
{
    CountingStream stream(tokensOfTypes(5));
    stream.failingPull = 3;
    TokenBuffer buffer(stream);
    EXPECT_THROW(buffer.LA(4), orvel::TokenStreamRetryException);
    EXPECT_EQ(2u, buffer.entries());
    EXPECT_EQ(12, buffer.LA(3));
    EXPECT_EQ(4u, stream.pulls);
}

TEST(TokenBuffer, EmptyHandleFromTheStreamIsRejectedNotStored)
{
    CountingStream stream({new CommonToken(10, "a"), orvel::nullToken, new CommonToken(12, "c")});
    TokenBuffer buffer(stream);
    EXPECT_THROW_TEXT(buffer.LA(2), orvel::TokenStreamException,
                      "token stream returned an empty token handle");
    EXPECT_EQ(1u, buffer.entries());
    EXPECT_EQ(12, buffer.LA(2));
}

TEST(TokenBuffer, ReleasesConsumedTokensOnlyAtCompactionOrDestruction)
{
    std::vector<int> deaths;
    std::vector<TokenRefCount<Token>> tokens;
    for (int type = 0; type < 5003; ++type)
        tokens.emplace_back(new orvel::test::ProbeToken(type, deaths));
    auto stream = std::make_unique<CountingStream>(std::move(tokens));
    auto buffer = std::make_unique<TokenBuffer>(*stream);

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
