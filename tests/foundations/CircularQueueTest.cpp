#include <orvel/CircularQueue.hpp>

#include <gtest/gtest.h>

namespace {

// An element that keeps count of how many of its kind are alive, so a test can
// see how many elements the queue's storage still holds.
class Counted {
public:
    static int alive;

    explicit Counted(int value) : value(value) { ++alive; }
    Counted(const Counted& other) : value(other.value) { ++alive; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --alive; }

    int value;
};

int Counted::alive = 0;

class CircularQueueTest : public ::testing::Test {
protected:
    void SetUp() override { Counted::alive = 0; }

    // Appends elements with the values 0 .. n-1.
    void appendNumbered(int n)
    {
        for (int i = 0; i < n; ++i)
            queue.append(Counted(i));
    }

    void removeOneByOne(int n)
    {
        for (int i = 0; i < n; ++i)
            queue.removeFront(1);
    }

    orvel::CircularQueue<Counted> queue;
};

TEST_F(CircularQueueTest, ItemAtZeroAfterRemovingKIsTheElementAppendedKPlusFirst)
{
    appendNumbered(10);
    EXPECT_EQ(0, queue.itemAt(0).value);
    queue.removeFront(4);
    EXPECT_EQ(6u, queue.entries());
    EXPECT_EQ(4, queue.itemAt(0).value);
    EXPECT_EQ(9, queue.itemAt(5).value);
}

TEST_F(CircularQueueTest, RemovedElementsStayStoredUntilOffsetReaches5000)
{
    appendNumbered(6000);
    removeOneByOne(5000);
    // The 5000th removal started from offset 4999: nothing was erased yet.
    EXPECT_EQ(6000, Counted::alive);
    EXPECT_EQ(1000u, queue.entries());
    EXPECT_EQ(5000, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, RemovalFromOffset5000ErasesTheRemovedPrefix)
{
    appendNumbered(6000);
    removeOneByOne(5000);
    queue.removeFront(2);
    EXPECT_EQ(998, Counted::alive);
    EXPECT_EQ(998u, queue.entries());
    EXPECT_EQ(5002, queue.itemAt(0).value);
    EXPECT_EQ(5999, queue.itemAt(997).value);
    // The offset restarted from 0: the next removals only advance it again.
    removeOneByOne(3);
    EXPECT_EQ(998, Counted::alive);
    EXPECT_EQ(5005, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, RemovingNothingFromOffset5000StillCompacts)
{
    appendNumbered(5000);
    removeOneByOne(5000);
    ASSERT_EQ(0u, queue.entries());
    queue.removeFront(0);
    EXPECT_EQ(0, Counted::alive);
    queue.append(Counted(7));
    EXPECT_EQ(7, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, RemovingNothingFromAnEmptyQueueChangesNothing)
{
    queue.removeFront(0);
    EXPECT_EQ(0u, queue.entries());
}

TEST_F(CircularQueueTest, ClearDestroysLiveAndRemovedElements)
{
    appendNumbered(5);
    queue.removeFront(2);
    queue.clear();
    EXPECT_EQ(0u, queue.entries());
    EXPECT_EQ(0, Counted::alive);
    // The offset was reset too: a new element is at position 0.
    queue.append(Counted(9));
    EXPECT_EQ(9, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, DestroyingTheQueueDestroysRemovedElementsToo)
{
    {
        orvel::CircularQueue<Counted> local;
        local.append(Counted(1));
        local.append(Counted(2));
        local.removeFront(1);
        EXPECT_EQ(2, Counted::alive);
    }
    EXPECT_EQ(0, Counted::alive);
}

// The check is active in every build type and prints the standard assertion
// line naming the header before aborting.
const char* const failedRemoval =
    "CircularQueue\\.hpp:[0-9]+: failed assertion `nb <= entries\\(\\)'\n";

TEST(CircularQueueDeathTest, RemovingMoreThanTheLiveElementsAborts)
{
    orvel::CircularQueue<int> queue;
    queue.append(1);
    EXPECT_DEATH(queue.removeFront(2), failedRemoval);
}

TEST(CircularQueueDeathTest, RemovedElementsDoNotCountAsLiveForTheCheck)
{
    orvel::CircularQueue<int> queue;
    queue.append(1);
    queue.append(2);
    queue.removeFront(2);
    EXPECT_DEATH(queue.removeFront(1), failedRemoval);
}

}
