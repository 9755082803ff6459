#include <orvel/RefCount.hpp>
#include <orvel/TreeParserInputState.hpp>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(TreeParserInputState, StartsNotGuessing)
{
    const TreeParserInputState state;
    EXPECT_EQ(0, state.guessing);
}

TEST(TreeParserInputState, DerivedStateIsDestroyedWholeByTheLastHandle)
{
    struct CountedState : TreeParserInputState {
        explicit CountedState(int* deaths_) : deaths(deaths_) {}
        ~CountedState() override { ++*deaths; }
        int* deaths;
    };
    int deaths = 0;
    RefCount<TreeParserInputState> first(new CountedState(&deaths));
    RefCount<TreeParserInputState> second = first;
    first = RefCount<TreeParserInputState>();
    EXPECT_EQ(0, deaths);
    second = RefCount<TreeParserInputState>();
    EXPECT_EQ(1, deaths);
}

}
}
