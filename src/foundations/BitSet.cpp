#include <orvel/BitSet.hpp>

#include <cstddef>

namespace orvel {

namespace {

// Bits each table word contributes, whatever the width of unsigned long.
constexpr std::size_t wordBits = 32;

}

BitSet::BitSet(unsigned int nbits) : storage(nbits, false) {}

BitSet::BitSet(const unsigned long* bits, unsigned int nwords) : storage(wordBits * nwords, false)
{
    for (std::size_t i = 0; i < storage.size(); ++i)
        storage[i] = ((bits[i / wordBits] >> (i % wordBits)) & 1UL) != 0;
}

void BitSet::add(unsigned int el)
{
    if (el >= storage.size())
        storage.resize(std::size_t{el} + 1, false);
    storage[el] = true;
}

bool BitSet::member(unsigned int el) const { return el < storage.size() && storage[el]; }

std::vector<unsigned int> BitSet::toArray() const
{
    std::vector<unsigned int> members;
    for (std::size_t i = 0; i < storage.size(); ++i) {
        if (storage[i])
            members.push_back(static_cast<unsigned int>(i));
    }
    return members;
}

}
