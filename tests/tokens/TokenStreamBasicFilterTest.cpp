#include <orvel/BitSet.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>

#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orvel::BitSet;
using orvel::CommonToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::TokenStreamBasicFilter;
using orvel::test::streams::ScriptedTokenStream;

namespace {

constexpr int EOF_T = Token::EOF_TYPE;

// A stream of tokens of the given types, with the texts t0, t1, ...
ScriptedTokenStream streamOf(const std::vector<int>& types)
{
    std::vector<TokenRefCount<Token>> tokens;
    for (std::size_t i = 0; i < types.size(); ++i)
        tokens.emplace_back(new CommonToken(types[i], "t" + std::to_string(i)));
    return ScriptedTokenStream(tokens);
}

// The texts of the next `count` tokens of `filter`.
std::vector<std::string> take(TokenStreamBasicFilter& filter, std::size_t count)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i)
        texts.push_back(filter.nextToken()->getText());
    return texts;
}

struct FilterCase {
    const char* name;
    std::vector<int> discarded;
    std::vector<int> input;
    std::vector<std::string> output;
};

TEST(TokenStreamBasicFilter, HandsOutExactlyTheTokensWhoseTypeIsNotDiscarded)
{
    const std::vector<FilterCase> cases = {
        {"nothing discarded", {}, {4, 5, 4, EOF_T}, {"t0", "t1", "t2", "t3"}},
        {"white space discarded", {5}, {5, 4, 5, 5, 4, EOF_T}, {"t1", "t4", "t5"}},
        {"discarded run before end of file", {5}, {4, 5, 5, 5, EOF_T}, {"t0", "t4"}},
        {"several types", {5, 6}, {6, 4, 5, EOF_T}, {"t1", "t3"}},
        {"type beyond the initial room", {100}, {100, 4, 100, EOF_T}, {"t1", "t3"}},
        {"end of file never dropped", {EOF_T, 5}, {5, EOF_T}, {"t1"}},
    };
    for (const FilterCase& c : cases) {
        ScriptedTokenStream input = streamOf(c.input);
        TokenStreamBasicFilter filter(input);
        for (int type : c.discarded)
            filter.discard(type);
        EXPECT_EQ(c.output, take(filter, c.output.size())) << c.name;
        EXPECT_EQ(c.input.size(), input.callCount()) << c.name;
    }
}

TEST(TokenStreamBasicFilter, HandsOutTheInputTokenObjectsThemselves)
{
    ScriptedTokenStream input = streamOf({4, EOF_T});
    TokenStreamBasicFilter filter(input);
    EXPECT_EQ(input.at(0), filter.nextToken());
    EXPECT_EQ(input.at(1), filter.nextToken());
    EXPECT_EQ(input.at(1), filter.nextToken());
}

TEST(TokenStreamBasicFilter, ReturnsAnEmptyHandleFromTheInputUnchanged)
{
    ScriptedTokenStream input({});
    TokenStreamBasicFilter filter(input);
    filter.discard(5);
    EXPECT_FALSE(filter.nextToken());
    EXPECT_EQ(1u, input.callCount());
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

    EXPECT_EQ((std::vector<std::string>{"t2", "t3"}), take(filter, 2));
    EXPECT_FALSE(mask.member(6));
}

}
