#include <orvel/CircularQueue.hpp>
#include <orvel/RefCount.hpp>

#include "support/Fixtures.hpp"

namespace {

using namespace orvel;
using test::ProbeToken;
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
    for (unsigned int el : {100u, 3u, 63u, 3u, 0u})
        set.add(el);
    SizedBitSet copy(set);
    copy.add(101);
    EXPECT_EQ(101u, set.size());
    EXPECT_EQ((Members{0, 3, 63, 100}), set.toArray());
    EXPECT_EQ(101u, copy.toArray().back());
}

// Only the low 32 bits of each word count, least significant first.
TEST(BitSet, WordTableGivesExactly32BitsPerWord)
{
    const std::pair<std::vector<unsigned long>, Members> tables[] = {
        {{}, {}},
        {{static_cast<unsigned long>(0xFFFFFFFF80000005ULL), static_cast<unsigned long>(0x100000000ULL)}, {0, 2, 31}},
        {{0UL, 0x10UL, 0UL}, {36}},
    };
    for (const auto& [words, members] : tables) {
        SizedBitSet set(words.data(), static_cast<unsigned int>(words.size()));
        EXPECT_EQ(32 * words.size(), set.size());
        EXPECT_EQ(members, set.toArray());
    }
}

// Removed elements stay stored until a removal starts from offset 5000, which
// erases them all and starts the offset again from 0.
TEST(CircularQueue, KeepsRemovedElementsUntilARemovalStartsFromOffset5000)
{
    std::vector<int> deaths;
    orvel::CircularQueue<orvel::TokenRefCount<orvel::Token>> queue;
    for (int i = 0; i < 6000; ++i)
        queue.append(new orvel::test::ProbeToken(i, deaths));
    for (int i = 0; i < 5000; ++i)
        queue.removeFront(1);
    EXPECT_TRUE(deaths.empty());
    EXPECT_EQ(5000, queue.itemAt(0)->getType());
    queue.removeFront(2);
    EXPECT_EQ(5002u, deaths.size());
    EXPECT_EQ(5999, queue.itemAt(997)->getType());
    queue.clear();
    EXPECT_EQ(6000u, deaths.size());
}

// A long backlog (as a rewind after a long guess leaves) removed one by one:
// compacting never copies more elements than it erases.
TEST(CircularQueue, RemovingALongBacklogOneByOneCopiesLinearlyOften)
{
    static long copies = 0;
    struct Copied {
        explicit Copied(int value) : value(value) {}
        Copied(const Copied& other) : value(other.value) { ++copies; }
        Copied& operator=(const Copied& other) { value = other.value; ++copies; return *this; }
        int value;
    };
    const int n = 200000;
    orvel::CircularQueue<Copied> queue;
    for (int i = 0; i < n; ++i)
        queue.append(Copied(i));
    copies = 0;
    for (int i = 1; i < n; ++i)
        queue.removeFront(1);
    EXPECT_LE(copies, n);
    EXPECT_EQ(n - 1, queue.itemAt(0).value);
}

// The check holds in every build type; removed elements do not count as live.
TEST(CircularQueueDeathTest, RemovingMoreThanTheLiveElementsAborts)
{
    orvel::CircularQueue<int> queue;
    queue.append(1);
    queue.append(2);
    queue.removeFront(1);
    EXPECT_DEATH(queue.removeFront(2), "CircularQueue\\.hpp:[0-9]+: failed assertion `nb <= entries\\(\\)'\n");
}

// A state that counts its destruction and may hold the only handle to another.
struct State {
    explicit State(int& destroyed) : destroyed(destroyed) {}
    virtual ~State() { ++destroyed; }
    int& destroyed;
    RefCount<State> inner;
};

static_assert(sizeof(RefCount<State>) == sizeof(void*) && sizeof(TokenRefCount<ProbeToken>) == sizeof(void*));

TEST(RefCount, TheLastCopyDeletesAndReplacingByAnObjectHeldOnlyThroughTheOldOneKeepsIt)
{
    int outer = 0;
    int inner = 0;
    RefCount<State> first(new State(outer));
    first->inner = RefCount<State>(new State(inner));
    const RefCount<State>& alias = first;
    first = alias;
    RefCount<State> second(first);
    first = RefCount<State>();
    EXPECT_EQ(0, outer);
    second = second->inner;
    EXPECT_EQ(1, outer);
    EXPECT_EQ(0, inner);
    second = RefCount<State>();
    EXPECT_EQ(1, inner);
}

// Handles made separately from one raw pointer, and handles of other element
// types, all count in the object's one record; the last one deletes the object.
// A handle replaced by an object reachable only through its old one keeps it.
TEST(IntrusiveRefCount, EveryHandleToOneObjectSharesOneRecordUntilTheLastGoes)
{
    std::vector<int> deaths;
    auto* raw = new ProbeToken(7, deaths);
    auto* inner = new ProbeToken(2, deaths);
    raw->setHiddenAfter(inner);
    TokenRefCount<Token> base(raw);
    TokenRefCount<CommonHiddenStreamToken> middle(base);
    TokenRefCount<ProbeToken> derived(middle);
    base = raw;
    derived = TokenRefCount<ProbeToken>(raw);
    TokenRefCount<ProbeToken> moved(std::move(derived));
    EXPECT_EQ(3u, raw->shares());
    derived = std::move(moved);
    EXPECT_EQ(3u, raw->shares());
    EXPECT_FALSE(moved || TokenRefCount<CommonHiddenStreamToken>(TokenRefCount<Token>(nullptr)));
    middle = nullptr;
    derived = nullptr;
    EXPECT_TRUE(deaths.empty());
    base = raw->afterLink();
    EXPECT_EQ(std::vector<int>{7}, deaths);
    EXPECT_EQ(1u, inner->shares());
}

}
