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

TEST(BitSet, AddGrowsToExactlyOnePastTheElementOnlyWhenNeeded)
{
    SizedBitSet set;
    EXPECT_EQ(64u, set.size());
    EXPECT_FALSE(set.member(63));
    EXPECT_FALSE(set.member(64));
    set.add(100);
    EXPECT_EQ(101u, set.size());
    EXPECT_EQ(Members{100}, set.toArray());
    EXPECT_FALSE(set.member(101));
    set.add(101);
    EXPECT_EQ(102u, set.size());
    set.add(0);
    EXPECT_EQ(102u, set.size());

    SizedBitSet empty(0);
    EXPECT_FALSE(empty.member(0));
    empty.add(0);
    EXPECT_EQ(1u, empty.size());
    EXPECT_EQ(Members{0}, empty.toArray());
}

TEST(BitSet, ToArrayListsEachMemberOnceInAscendingOrder)
{
    BitSet set(16);
    EXPECT_TRUE(set.toArray().empty());
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

// On a 64-bit unsigned long, bits 32 and up of a word must not leak into the
// next word's members: a table written for 32-bit words means the same set.
TEST(BitSet, WordTableGivesExactly32LowBitsOfEachWordLeastSignificantFirst)
{
    Members allLow32;
    for (unsigned int bit = 0; bit < 32; ++bit)
        allLow32.push_back(bit);
    const struct {
        const char* name;
        std::vector<unsigned long> words;
        std::size_t size;
        Members members;
    } tables[] = {
        {"no words", {}, 0, {}},
        {"low and top bits", {1UL, 2147483648UL}, 64, {0, 63}},
        {"all ones", {0xFFFFFFFFUL}, 32, allLow32},
        {"high bits ignored",
         {static_cast<unsigned long>(0xFFFFFFFF00000005ULL), static_cast<unsigned long>(0x0000000180000000ULL)},
         64,
         {0, 2, 63}},
        {"second word only", {0UL, 0x10UL, 0UL}, 96, {36}},
    };
    for (const auto& table : tables) {
        SCOPED_TRACE(table.name);
        SizedBitSet set(table.words.data(), static_cast<unsigned int>(table.words.size()));
        EXPECT_EQ(table.size, set.size());
        EXPECT_EQ(table.members, set.toArray());
        EXPECT_FALSE(set.member(static_cast<unsigned int>(table.size)));
    }
}

}
