#include <orvel/orvel.hpp>

#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

namespace {

using namespace orvel;
using test::streams::ScriptedTokenStream;

constexpr int EOF_T = Token::EOF_TYPE;

// A stream of tokens of the given types, with the texts t0, t1, ...
ScriptedTokenStream streamOf(const std::vector<int>& types)
{
    std::vector<TokenRefCount<Token>> tokens;
    for (std::size_t i = 0; i < types.size(); ++i)
        tokens.emplace_back(new CommonToken(types[i], "t" + std::to_string(i)));
    return ScriptedTokenStream(tokens);
}

// Returns the texts of the next `count` tokens `filter` hands out.
std::vector<std::string> filtered(TokenStreamBasicFilter& filter, std::size_t count)
{
    std::vector<std::string> texts;
    while (texts.size() < count)
        texts.push_back(filter.nextToken()->getText());
    return texts;
}

TEST(TokenStreamBasicFilter, HandsOutExactlyTheTokensWhoseTypeIsNotDiscarded)
{
    struct Case {
        std::vector<int> discarded, input;
        std::vector<std::string> output;
    };
    const Case cases[] = {
        {{}, {4, 5, 4, EOF_T}, {"t0", "t1", "t2", "t3"}},
        {{5}, {5, 4, 5, 5, 4, EOF_T}, {"t1", "t4", "t5"}},
        {{5}, {4, 5, 5, 5, EOF_T}, {"t0", "t4"}},
        {{5, 6}, {6, 4, 5, EOF_T}, {"t1", "t3"}},
        {{100}, {100, 4, 100, EOF_T}, {"t1", "t3"}},
        {{EOF_T, 5}, {5, EOF_T}, {"t1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output.front());
        ScriptedTokenStream input = streamOf(c.input);
        TokenStreamBasicFilter filter(input);
        for (int type : c.discarded)
            filter.discard(type);
        EXPECT_EQ(c.output, filtered(filter, c.output.size()));
        EXPECT_EQ(c.input.size(), input.callCount());
    }
}

TEST(TokenStreamBasicFilter, DiscardingASetReplacesTheEarlierSetWithACopy)
{
    BitSet mask;
    mask.add(5);
    ScriptedTokenStream input = streamOf({5, 6, 7, EOF_T});
    TokenStreamBasicFilter filter(input);
    filter.discard(7);
    filter.discard(mask);
    filter.discard(6);
    EXPECT_EQ((std::vector<std::string>{"t2", "t3"}), filtered(filter, 2));
    EXPECT_FALSE(mask.member(6));
}

TEST(TokenStreamBasicFilter, ReturnsAnEmptyHandleFromTheInputUnchanged)
{
    ScriptedTokenStream input({});
    EXPECT_FALSE(TokenStreamBasicFilter(input).nextToken());
}

}
