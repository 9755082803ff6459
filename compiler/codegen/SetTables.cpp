#include "codegen/SetTables.hpp"

#include <sstream>

namespace orvelc {

std::string SetTables::words(const std::vector<int>& members, int size)
{
    return entry(members, size).name + "words";
}

void SetTables::define(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        entries_[byName_.at(name)].usesWords = true;
}

std::string SetTables::bitSet(const std::vector<int>& members, int size)
{
    Entry& e = entry(members, size);
    e.usesWords = true;
    e.usesBitSet = true;
    return e.name;
}

std::string SetTables::byteTable(const std::vector<int>& members)
{
    Entry& e = entry(members, 256);
    e.usesBytes = true;
    return e.name + "bytes";
}

std::string SetTables::definitions() const
{
    std::ostringstream out;
    for (const Entry& e : entries_) {
        if (e.usesBytes) {
            out << "const bool " << e.name << "bytes[256] = {";
            for (unsigned int b = 0; b < 256; ++b)
                out << (b ? ", " : "") << ((e.words[b / 32] >> (b % 32) & 1UL) ? "true" : "false");
            out << "};\n";
        }
        if (!e.usesWords)
            continue;
        out << "const unsigned long " << e.name << "words[] = {";
        for (std::size_t i = 0; i < e.words.size(); ++i)
            out << (i ? ", " : "") << "0x" << std::hex << e.words[i] << std::dec << "UL";
        out << "};\n";
        if (e.usesBitSet)
            out << "const orvel::BitSet " << e.name << "(" << e.name << "words, " << e.words.size()
                << ");\n";
    }
    return out.str();
}

SetTables::Entry& SetTables::entry(const std::vector<int>& members, int size)
{
    std::vector<unsigned long> words(static_cast<std::size_t>(size + 31) / 32, 0);
    for (int m : members)
        words[static_cast<std::size_t>(m) / 32] |= 1UL << (m % 32);
    const auto [it, added] = index_.emplace(words, entries_.size());
    if (added) {
        entries_.push_back({"set" + std::to_string(it->second) + "_", words});
        byName_.emplace(entries_.back().name + "words", it->second);
    }
    return entries_[it->second];
}

}
