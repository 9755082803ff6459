#include <orvel/RefCount.hpp>
#include <orvel/TreeParserInputState.hpp>

#include "support/ParserFixtures.hpp"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(TreeParserInputState, StartsNotGuessingAndADerivedStateIsDestroyedWholeByTheLastHandle)
{
    EXPECT_EQ(0, TreeParserInputState().guessing);
    int deaths = 0;
    RefCount<TreeParserInputState> first(new test::Counted<TreeParserInputState>(&deaths));
    RefCount<TreeParserInputState> second = first;
    first = RefCount<TreeParserInputState>();
    EXPECT_EQ(0, deaths);
    second = RefCount<TreeParserInputState>();
    EXPECT_EQ(1, deaths);
}

}
}
