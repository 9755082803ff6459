#include <orvel/RefCount.hpp>

#include <gtest/gtest.h>

using orvel::RefCount;

namespace {

struct State {
    virtual ~State() = default;
    int value = 0;
};

// A state that counts its own destruction and may hold the only handle to another.
struct ProbeState : State {
    explicit ProbeState(int& destroyed) : destroyed(destroyed) {}
    ~ProbeState() override { ++destroyed; }
    int& destroyed;
    RefCount<State> inner;
};

static_assert(sizeof(RefCount<State>) == sizeof(void*));

TEST(RefCount, EmptyHandleYieldsNullAndCopiesAsEmpty)
{
    RefCount<State> empty;
    RefCount<State> copy(empty);
    copy = empty;
    EXPECT_EQ(nullptr, copy.get());
    EXPECT_FALSE(static_cast<bool>(empty));
}

// The last handle deletes the object through State's virtual destructor.
TEST(RefCount, CopiesAndSelfAssignmentKeepOneObjectThatTheLastHandleDeletes)
{
    int destroyed = 0;
    RefCount<State> first(new ProbeState(destroyed));
    const RefCount<State>& alias = first;
    first = alias;
    EXPECT_EQ(0, destroyed);
    RefCount<State> second(first);
    RefCount<State> third;
    third = second;
    third->value = 5;

    EXPECT_EQ(5, first->value);
    first = RefCount<State>();
    second = RefCount<State>();
    EXPECT_EQ(0, destroyed);
    third = RefCount<State>();
    EXPECT_EQ(1, destroyed);
}

TEST(RefCount, ReplacingHandleByObjectReachableOnlyThroughItKeepsThatObjectAlive)
{
    int outerDestroyed = 0;
    int innerDestroyed = 0;
    auto* outer = new ProbeState(outerDestroyed);
    outer->inner = RefCount<State>(new ProbeState(innerDestroyed));
    RefCount<State> handle(outer);

    handle = outer->inner;

    EXPECT_EQ(1, outerDestroyed);
    EXPECT_EQ(0, innerDestroyed);
    handle = RefCount<State>();
    EXPECT_EQ(1, innerDestroyed);
}

}
