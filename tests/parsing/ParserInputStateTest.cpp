#include <orvel/ParserInputState.hpp>
#include <orvel/TokenBuffer.hpp>

#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(ParserInputState, StartsNotGuessingWithoutFileNameAndDeletesOnlyAnAdoptedBuffer)
{
    test::ListTokenStream stream;
    int deaths = 0;
    test::Counted<TokenBuffer> borrowed(&deaths, stream);
    {
        const ParserInputState onBorrowed(borrowed);
        const ParserInputState onAdopted(new test::Counted<TokenBuffer>(&deaths, stream));
        EXPECT_EQ(0, onBorrowed.guessing);
        EXPECT_EQ("", onBorrowed.filename);
        EXPECT_EQ(&borrowed, onBorrowed.input);
        EXPECT_FALSE(onBorrowed.ownsInput);
        EXPECT_TRUE(onAdopted.ownsInput);
    }
    EXPECT_EQ(1, deaths);
}

}
}
