#ifndef ORVEL_CHARSCANNERLITERALSLESS_HPP
#define ORVEL_CHARSCANNERLITERALSLESS_HPP

#include <orvel/Export.hpp>

#include <string>

namespace orvel {

class CharScanner;

// The ordering of a scanner's literal table. It asks the scanner on every
// comparison whether literals are case-sensitive: if so, strings are ordered
// bytewise; if not, case-insensitively, so that any case variant of a stored
// keyword finds it. A scanner's answer must therefore not change while its
// table holds entries.
class ORVEL_API CharScannerLiteralsLess {
public:
    // An ordering that consults `theScanner`, which is not owned and must
    // outlive it.
    explicit CharScannerLiteralsLess(const CharScanner* theScanner) : scanner(theScanner) {}

    // Lets the table be searched with a Lookup, so that a lookup asks the
    // scanner once rather than on every comparison.
    using is_transparent = void;

    // A text to look up, with the scanner's answer to whether literals are
    // case-sensitive already taken.
    struct Lookup {
        const std::string& text;
        bool caseSensitive;
    };

    // Returns whether `x` comes before `y`.
    bool operator()(const std::string& x, const std::string& y) const;
    // Returns whether the looked-up text comes before `y`.
    bool operator()(const Lookup& x, const std::string& y) const
    {
        return x.caseSensitive ? x.text < y : caselessBefore(x.text, y);
    }
    // Returns whether `x` comes before the looked-up text.
    bool operator()(const std::string& x, const Lookup& y) const
    {
        return y.caseSensitive ? x < y.text : caselessBefore(x, y.text);
    }

private:
    static bool caselessBefore(const std::string& x, const std::string& y);

    const CharScanner* scanner;
};

}

#endif
