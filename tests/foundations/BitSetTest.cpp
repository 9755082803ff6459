#include <orvel/BitSet.hpp>

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

using orvel::BitSet;
using Members = std::vector<unsigned int>;

namespace {

// Exposes the size, which only the storage shows.
class SizedBitSet : public BitSet {
public:
    using BitSet::BitSet;
    std::size_t size() const { return storage.size(); }
};

TEST(BitSet, DefaultSetHasSize64AndNoMembers)
{
    SizedBitSet set;
    EXPECT_FALSE(set.member(0));
    EXPECT_FALSE(set.member(63));
    EXPECT_FALSE(set.member(64));
    EXPECT_EQ(64u, set.size());
    EXPECT_TRUE(set.toArray().empty());
}

TEST(BitSet, AddGrowsToExactlyOnePastTheElementOnlyWhenNeeded)
{
    SizedBitSet set;
    set.add(100);
    EXPECT_EQ(101u, set.size());
    EXPECT_TRUE(set.member(100));
    EXPECT_FALSE(set.member(99));
    EXPECT_FALSE(set.member(101));
    set.add(101);
    EXPECT_EQ(102u, set.size());
    set.add(0);
    EXPECT_EQ(102u, set.size());
}

TEST(BitSet, AddToAnEmptySizedSetGrowsIt)
{
    SizedBitSet set(0);
    EXPECT_FALSE(set.member(0));
    set.add(0);
    EXPECT_EQ(1u, set.size());
    EXPECT_EQ(Members{0}, set.toArray());
}

TEST(BitSet, ToArrayListsEachMemberOnceInAscendingOrder)
{
    BitSet set(16);
    for (unsigned int el : {70u, 3u, 15u, 3u, 16u, 0u})
        set.add(el);
    EXPECT_EQ((Members{0, 3, 15, 16, 70}), set.toArray());
}

TEST(BitSet, CopyIsIndependentOfItsSource)
{
    BitSet source;
    source.add(5);
    BitSet copy(source);
    copy.add(6);
    copy.add(200);
    EXPECT_EQ(Members{5}, source.toArray());
    EXPECT_EQ((Members{5, 6, 200}), copy.toArray());
}

struct WordTable {
    const char* name;
    std::vector<unsigned long> words;
    std::size_t size;
    Members members;
};

// On a 64-bit unsigned long, bits 32 and up of a word must not leak into the
// next word's members: a table written for 32-bit words means the same set.
TEST(BitSet, WordTableGivesExactly32LowBitsOfEachWordLeastSignificantFirst)
{
    const WordTable tables[] = {
        {"no words", {}, 0, {}},
        {"low and top bits", {1UL, 2147483648UL}, 64, {0, 63}},
        {"all ones", {0xFFFFFFFFUL}, 32, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                          11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                          22, 23, 24, 25, 26, 27, 28, 29, 30, 31}},
        {"high bits ignored",
         {static_cast<unsigned long>(0xFFFFFFFF00000005ULL),
          static_cast<unsigned long>(0x0000000180000000ULL)},
         64, {0, 2, 63}},
        {"second word only", {0UL, 0x10UL, 0UL}, 96, {36}},
    };
    for (const WordTable& table : tables) {
        SCOPED_TRACE(table.name);
        SizedBitSet set(table.words.data(), static_cast<unsigned int>(table.words.size()));
        EXPECT_EQ(table.size, set.size());
        EXPECT_EQ(table.members, set.toArray());
        EXPECT_FALSE(set.member(static_cast<unsigned int>(table.size)));
    }
}

}
