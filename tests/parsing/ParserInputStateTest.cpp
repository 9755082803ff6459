#include <orvel/ParserInputState.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/TokenBuffer.hpp>

#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

namespace orvel {
namespace {

using test::CountedTokenBuffer;
using test::ListTokenStream;

TEST(ParserInputState, StartsNotGuessingWithoutFileName)
{
    ListTokenStream stream;
    TokenBuffer buffer(stream);
    const ParserInputState state(buffer);
    EXPECT_EQ(0, state.guessing);
    EXPECT_EQ("", state.filename);
    EXPECT_EQ(&buffer, state.input);
    EXPECT_FALSE(state.ownsInput);
}

TEST(ParserInputState, DeletesAnAdoptedBufferWithItself)
{
    ListTokenStream stream;
    int deaths = 0;
    {
        const ParserInputState state(new CountedTokenBuffer(stream, &deaths));
        EXPECT_TRUE(state.ownsInput);
        EXPECT_EQ(0, deaths);
    }
    EXPECT_EQ(1, deaths);
}

TEST(ParserInputState, LeavesABorrowedBufferAlone)
{
    ListTokenStream stream;
    int deaths = 0;
    CountedTokenBuffer buffer(stream, &deaths);
    { const ParserInputState state(buffer); }
    EXPECT_EQ(0, deaths);
}

}
}
