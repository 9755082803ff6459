#ifndef ORVELC_ANALYSIS_VOCABULARY_HPP
#define ORVELC_ANALYSIS_VOCABULARY_HPP

#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace orvelc {

// A token type: its name in code, and the literal it stands for if any.
struct TokenEntry {
    int type = 0;
    std::string name;
    std::string literal;
    bool isLiteral = false;
    bool soft = false;  // a contextual keyword: not in the lexer's literal table
    bool imported = false;
    int line = 0;  // of an imported entry: its line in the vocabulary file
};

// The token types that the grammars of one file share, numbered from 4.
class Vocabulary {
public:
    static constexpr int firstType = 4;

    // The type of a name or literal, or -1 when it has none.
    int byName(const std::string& name) const;
    int byLiteral(const std::string& literal) const;

    // Gives `name` a type unless it has one; returns the type.
    int addName(const std::string& name);
    // Gives `literal` a type unless it has one, named `alias` when not empty;
    // returns the type, or -1 when `alias` already names another type or the
    // literal already has another name.
    int addLiteral(const std::string& literal, const std::string& alias);
    // Makes the literal of `type` a contextual keyword; it must have an entry.
    void makeSoft(int type) { byType_.at(type).soft = true; }

    // Reads entries written by `write`; false on a malformed line, whose
    // number is then stored in `badLine`.
    bool read(std::istream& in, int& badLine);
    void write(std::ostream& out) const;

    // The entry of `type`, or null when the type has none.
    const TokenEntry* byType(int type) const
    {
        const auto it = byType_.find(type);
        return it == byType_.end() ? nullptr : &it->second;
    }
    // Entries in type order (types without an entry are skipped).
    std::vector<const TokenEntry*> entries() const;
    int maxType() const { return next_ - 1; }
    // The name that messages use: the quoted literal for a literal.
    std::string displayName(int type) const;

private:
    TokenEntry& add(int type);

    std::map<int, TokenEntry> byType_;
    std::map<std::string, int> names_;
    std::map<std::string, int> literals_;
    int next_ = firstType;
};

// `text` with backslash, double quote and every byte outside printable ASCII
// escaped (as \xHH); for C++ source, each \xHH is closed by "" so that a
// following hexadecimal digit cannot extend it, and a `?` after a `?` is
// written \? so that no trigraph forms.
std::string escape(const std::string& text, bool forCpp);

}

#endif
