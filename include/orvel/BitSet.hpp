#ifndef ORVEL_BITSET_HPP
#define ORVEL_BITSET_HPP

#include <orvel/Export.hpp>

#include <vector>

namespace orvel {

// A set of small non-negative integers (characters or token types), one bit
// per possible member. Its size only grows, through add(); values at or
// beyond the size are simply not members.
class ORVEL_API BitSet {
public:
    // A set of size `nbits` with no members.
    explicit BitSet(unsigned int nbits = 64);
    // A set of size 32 * `nwords`: i is a member when bit i % 32 of word
    // i / 32 is set, bit 0 being the least significant. Each word contributes
    // exactly its 32 low-order bits, whatever the width of unsigned long, so a
    // table written for 32-bit words means the same set everywhere. `bits`
    // must hold `nwords` words (it may be null when `nwords` is 0); the set
    // copies them and keeps no pointer.
    BitSet(const unsigned long* bits, unsigned int nwords);

    // Makes `el` a member, growing the set to exactly el + 1 when `el` is not
    // below the size; the new values are not members.
    void add(unsigned int el);
    // Returns whether `el` is a member: false at or beyond the size, which this
    // never changes.
    bool member(unsigned int el) const;
    // Returns every member once, in ascending order (empty for an empty set).
    std::vector<unsigned int> toArray() const;

protected:
    std::vector<bool> storage;
};

}

#endif
