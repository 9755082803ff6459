#include "analysis/SymbolSet.hpp"

namespace orvelc {

bool SymbolSet::unite(const SymbolSet& other)
{
    bool grew = false;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        const std::uint64_t merged = words_[i] | other.words_[i];
        grew = grew || merged != words_[i];
        words_[i] = merged;
    }
    return grew;
}

bool SymbolSet::intersects(const SymbolSet& other) const
{
    for (std::size_t i = 0; i < words_.size(); ++i)
        if (words_[i] & other.words_[i])
            return true;
    return false;
}

SymbolSet SymbolSet::intersection(const SymbolSet& other) const
{
    SymbolSet out(size_);
    for (std::size_t i = 0; i < words_.size(); ++i)
        out.words_[i] = words_[i] & other.words_[i];
    return out;
}

SymbolSet SymbolSet::minus(const SymbolSet& other) const
{
    SymbolSet out(size_);
    for (std::size_t i = 0; i < words_.size(); ++i)
        out.words_[i] = words_[i] & ~other.words_[i];
    return out;
}

bool SymbolSet::empty() const
{
    for (std::uint64_t w : words_)
        if (w)
            return false;
    return true;
}

std::vector<int> SymbolSet::members() const
{
    std::vector<int> out;
    for (int s = 0; s < size_; ++s)
        if (has(s))
            out.push_back(s);
    return out;
}

}
