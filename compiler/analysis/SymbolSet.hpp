#ifndef ORVELC_ANALYSIS_SYMBOLSET_HPP
#define ORVELC_ANALYSIS_SYMBOLSET_HPP

#include <cstdint>
#include <vector>

namespace orvelc {

// A set of lookahead symbols (characters or token types) of fixed size.
class SymbolSet {
public:
    explicit SymbolSet(int size = 0) : words_((static_cast<std::size_t>(size) + 63) / 64), size_(size) {}

    int size() const { return size_; }
    void add(int s) { words_[static_cast<std::size_t>(s) / 64] |= std::uint64_t{1} << (s % 64); }
    void addRange(int first, int last)
    {
        for (int s = first; s <= last; ++s)
            add(s);
    }
    bool has(int s) const
    {
        return s >= 0 && s < size_ && (words_[static_cast<std::size_t>(s) / 64] >> (s % 64)) & 1;
    }
    // Adds the members of `other`; returns whether this set grew.
    bool unite(const SymbolSet& other);
    bool intersects(const SymbolSet& other) const;
    SymbolSet intersection(const SymbolSet& other) const;
    SymbolSet minus(const SymbolSet& other) const;
    bool empty() const;
    std::vector<int> members() const;
    bool operator==(const SymbolSet& other) const { return words_ == other.words_; }

private:
    std::vector<std::uint64_t> words_;
    int size_;
};

}

#endif
