#include <orvel/CircularQueue.hpp>

#include <gtest/gtest.h>

namespace {

// An element that counts how many of its kind are alive, so a test can see
// how many elements the queue's storage still holds, and how often one was
// copied or moved into another.
struct Counted {
    static int alive;
    static long copies;

    explicit Counted(int value) : value(value) { ++alive; }
    Counted(const Counted& other) : value(other.value) { ++alive; }
    Counted& operator=(const Counted& other)
    {
        ++copies;
        value = other.value;
        return *this;
    }
    ~Counted() { --alive; }

    int value;
};

int Counted::alive = 0;
long Counted::copies = 0;

class CircularQueueTest : public ::testing::Test {
protected:
    void SetUp() override { Counted::alive = 0; }

    // Appends `n` elements numbered from 0, then removes `removed` one by one.
    void fill(int n, int removed)
    {
        for (int i = 0; i < n; ++i)
            queue.append(Counted(i));
        for (int i = 0; i < removed; ++i)
            queue.removeFront(1);
    }

    orvel::CircularQueue<Counted> queue;
};

TEST_F(CircularQueueTest, ItemAtZeroAfterRemovingKIsTheElementAppendedKPlusFirst)
{
    queue.removeFront(0);
    EXPECT_EQ(0u, queue.entries());
    fill(10, 0);
    EXPECT_EQ(0, queue.itemAt(0).value);
    queue.removeFront(4);
    EXPECT_EQ(6u, queue.entries());
    EXPECT_EQ(4, queue.itemAt(0).value);
    EXPECT_EQ(9, queue.itemAt(5).value);
}

// The 5000th single removal starts from offset 4999, so nothing is erased
// yet; the next removal starts from 5000, erases the prefix and restarts the
// offset from 0.
TEST_F(CircularQueueTest, RemovedElementsStayStoredUntilARemovalStartsFromOffset5000)
{
    fill(6000, 5000);
    EXPECT_EQ(6000, Counted::alive);
    EXPECT_EQ(1000u, queue.entries());
    EXPECT_EQ(5000, queue.itemAt(0).value);

    queue.removeFront(2);
    EXPECT_EQ(998, Counted::alive);
    EXPECT_EQ(998u, queue.entries());
    EXPECT_EQ(5002, queue.itemAt(0).value);
    EXPECT_EQ(5999, queue.itemAt(997).value);

    fill(0, 3);
    EXPECT_EQ(998, Counted::alive);
    EXPECT_EQ(5005, queue.itemAt(0).value);
}

// A long backlog (as a rewind after a long guess leaves) removed one by one:
// each compaction moves no more elements than it erases.
TEST_F(CircularQueueTest, RemovingALongBacklogOneByOneCopiesElementsLinearlyOften)
{
    const int n = 200000;
    fill(n, 0);
    Counted::copies = 0;
    fill(0, n - 1);
    EXPECT_LE(Counted::copies, n);
    EXPECT_EQ(n - 1, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, RemovingNothingFromOffset5000StillCompacts)
{
    fill(5000, 5000);
    queue.removeFront(0);
    EXPECT_EQ(0, Counted::alive);
    queue.append(Counted(7));
    EXPECT_EQ(7, queue.itemAt(0).value);
}

TEST_F(CircularQueueTest, ClearAndDestructionDestroyLiveAndRemovedElements)
{
    fill(5, 2);
    queue.clear();
    EXPECT_EQ(0u, queue.entries());
    EXPECT_EQ(0, Counted::alive);
    queue.append(Counted(9));
    EXPECT_EQ(9, queue.itemAt(0).value);
    {
        orvel::CircularQueue<Counted> local;
        local.append(Counted(1));
        local.append(Counted(2));
        local.removeFront(1);
        EXPECT_EQ(3, Counted::alive);
    }
    EXPECT_EQ(1, Counted::alive);
}

// The check is active in every build type and prints the standard assertion
// line naming the header before aborting; removed elements do not count as live.
TEST(CircularQueueDeathTest, RemovingMoreThanTheLiveElementsAborts)
{
    const char* const failedRemoval = "CircularQueue\\.hpp:[0-9]+: failed assertion `nb <= entries\\(\\)'\n";
    orvel::CircularQueue<int> queue;
    queue.append(1);
    EXPECT_DEATH(queue.removeFront(2), failedRemoval);
    queue.append(2);
    queue.removeFront(2);
    EXPECT_DEATH(queue.removeFront(1), failedRemoval);
}

}
