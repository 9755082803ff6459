#include <orvel/BitSet.hpp>
#include <orvel/CircularQueue.hpp>

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

using orvel::BitSet;
using Members = std::vector<unsigned int>;

// Exposes the size, which only the storage shows.
struct SizedBitSet : BitSet {
    using BitSet::BitSet;
    std::size_t size() const { return storage.size(); }
};

TEST(BitSet, GrowsToOnePastTheLargestMemberAndListsMembersOnceInOrder)
{
    SizedBitSet set;
    EXPECT_EQ(64u, set.size());
    EXPECT_TRUE(set.toArray().empty());
    for (unsigned int el : {100u, 3u, 63u, 3u, 0u})
        set.add(el);
    EXPECT_EQ(101u, set.size());
    EXPECT_EQ((Members{0, 3, 63, 100}), set.toArray());
    EXPECT_FALSE(set.member(101));
    SizedBitSet copy(set);
    copy.add(101);
    EXPECT_EQ(102u, copy.size());
    EXPECT_EQ((Members{0, 3, 63, 100, 101}), copy.toArray());
    EXPECT_EQ(101u, set.size());

    SizedBitSet empty(0);
    empty.add(0);
    EXPECT_EQ(Members{0}, empty.toArray());
}

// Only the low 32 bits of each word count, least significant first.
TEST(BitSet, WordTableGivesExactly32BitsPerWord)
{
    const struct {
        std::vector<unsigned long> words;
        Members members;
    } tables[] = {
        {{}, {}},
        {{1UL, 2147483648UL}, {0, 63}},
        {{static_cast<unsigned long>(0xFFFFFFFF00000005ULL), static_cast<unsigned long>(0x0000000180000000ULL)},
         {0, 2, 63}},
        {{0UL, 0x10UL, 0UL}, {36}},
    };
    for (const auto& table : tables) {
        SizedBitSet set(table.words.data(), static_cast<unsigned int>(table.words.size()));
        EXPECT_EQ(32 * table.words.size(), set.size());
        EXPECT_EQ(table.members, set.toArray());
    }
}

// An element that counts how many of its kind are alive.
struct Live {
    static inline int alive = 0;
    explicit Live(int value) : value(value) { ++alive; }
    Live(const Live& other) : value(other.value) { ++alive; }
    Live& operator=(const Live&) = default;
    ~Live() { --alive; }
    int value;
};

// Removed elements stay stored until a removal starts from offset 5000, which
// erases them all and starts the offset again from 0.
TEST(CircularQueue, KeepsRemovedElementsUntilARemovalStartsFromOffset5000)
{
    Live::alive = 0;
    {
        orvel::CircularQueue<Live> queue;
        for (int i = 0; i < 6000; ++i)
            queue.append(Live(i));
        for (int i = 0; i < 5000; ++i)
            queue.removeFront(1);
        EXPECT_EQ(6000, Live::alive);
        EXPECT_EQ(1000u, queue.entries());
        EXPECT_EQ(5000, queue.itemAt(0).value);
        queue.removeFront(2);
        EXPECT_EQ(998, Live::alive);
        EXPECT_EQ(5002, queue.itemAt(0).value);
        EXPECT_EQ(5999, queue.itemAt(997).value);
        queue.removeFront(1);
        EXPECT_EQ(5003, queue.itemAt(0).value);
        queue.clear();
        EXPECT_EQ(0, Live::alive);
        queue.append(Live(9));
        EXPECT_EQ(9, queue.itemAt(0).value);
    }
    EXPECT_EQ(0, Live::alive);
}

// The check holds in every build type; removed elements do not count as live.
TEST(CircularQueueDeathTest, RemovingMoreThanTheLiveElementsAborts)
{
    const char* const failedRemoval = "CircularQueue\\.hpp:[0-9]+: failed assertion `nb <= entries\\(\\)'\n";
    orvel::CircularQueue<int> queue;
    queue.append(1);
    queue.append(2);
    queue.removeFront(1);
    EXPECT_DEATH(queue.removeFront(2), failedRemoval);
}

}
