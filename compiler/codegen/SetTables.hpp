#ifndef ORVELC_CODEGEN_SETTABLES_HPP
#define ORVELC_CODEGEN_SETTABLES_HPP

#include <map>
#include <string>
#include <vector>

namespace orvelc {

// The static set tables of one source file, shared by equal sets: bit words
// for inline membership tests, and a BitSet over them where a call needs
// one. Only the tables asked for are defined.
class SetTables {
public:
    // The name of the words holding `members` (all below `size`), 32 bits to
    // an element; they are defined once `define` is given the name.
    std::string words(const std::vector<int>& members, int size);
    // Asks for the definitions of the words named `names`.
    void define(const std::vector<std::string>& names);
    // The name of a BitSet holding `members` (all below `size`).
    std::string bitSet(const std::vector<int>& members, int size);
    // The name of a table of 256 bools, true at each of `members` (bytes).
    std::string byteTable(const std::vector<int>& members);
    // The definitions of the words and BitSets asked for, in the order the
    // sets were first asked for.
    std::string definitions() const;

private:
    struct Entry {
        std::string name;
        std::vector<unsigned long> words;
        bool usesWords = false;
        bool usesBitSet = false;
        bool usesBytes = false;
    };
    Entry& entry(const std::vector<int>& members, int size);

    std::map<std::vector<unsigned long>, std::size_t> index_;
    std::map<std::string, std::size_t> byName_;  // of the words
    std::vector<Entry> entries_;
};

}

#endif
