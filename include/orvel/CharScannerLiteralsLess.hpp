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

    // Returns whether `x` comes before `y`.
    bool operator()(const std::string& x, const std::string& y) const;

private:
    const CharScanner* scanner;
};

}

#endif
