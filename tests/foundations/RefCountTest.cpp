#include <orvel/RefCount.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using orvel::RefCount;

namespace {

struct State {
    virtual ~State() = default;
    int value = 0;
};

// A state that counts its own destruction.
struct ProbeState : State {
    explicit ProbeState(int& destroyed) : destroyed(destroyed) {}
    ~ProbeState() override { ++destroyed; }
    int& destroyed;
};

// A state that holds the only handle to another.
struct Holder : ProbeState {
    using ProbeState::ProbeState;
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

TEST(RefCount, CopiesShareOneObjectDeletedWithTheLastThroughItsVirtualDestructor)
{
    int destroyed = 0;
    auto first = std::make_unique<RefCount<State>>(new ProbeState(destroyed));
    RefCount<State> second(*first);
    RefCount<State> third;
    third = second;
    third->value = 5;

    EXPECT_EQ(5, (*first)->value);
    first.reset();
    second = RefCount<State>();
    EXPECT_EQ(0, destroyed);
    third = RefCount<State>();
    EXPECT_EQ(1, destroyed);
}

TEST(RefCount, SelfAssignmentKeepsTheObjectAlive)
{
    int destroyed = 0;
    RefCount<State> only(new ProbeState(destroyed));
    const RefCount<State>& alias = only;
    only = alias;
    EXPECT_EQ(0, destroyed);
    EXPECT_NE(nullptr, only.get());
}

TEST(RefCount, ReplacingHandleByObjectReachableOnlyThroughItKeepsThatObjectAlive)
{
    int outerDestroyed = 0;
    int innerDestroyed = 0;
    auto* outer = new Holder(outerDestroyed);
    outer->inner = RefCount<State>(new ProbeState(innerDestroyed));
    RefCount<State> handle(outer);

    handle = outer->inner;

    EXPECT_EQ(1, outerDestroyed);
    EXPECT_EQ(0, innerDestroyed);
    handle = RefCount<State>();
    EXPECT_EQ(1, innerDestroyed);
}

}
