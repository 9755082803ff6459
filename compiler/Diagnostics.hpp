#ifndef ORVELC_DIAGNOSTICS_HPP
#define ORVELC_DIAGNOSTICS_HPP

#include "reader/Grammar.hpp"

#include <ostream>
#include <utility>
#include <string>

namespace orvelc {

// Writes errors as `file:line:column: message` and warnings with "warning: "
// after the position, and counts the errors.
class Diagnostics {
public:
    Diagnostics(std::string file, std::ostream& out) : file_(std::move(file)), out_(out) {}

    // Reports an error; after maxErrors of them, says so once and reports no more.
    void error(Position pos, const std::string& message);
    // Reports a warning; after maxWarnings of them, says so once and reports no more.
    void warning(Position pos, const std::string& message);
    // Adds a related place to the error or warning just reported; nothing
    // when that one was not shown.
    void note(Position pos, const std::string& message);
    // True once no more warnings are shown (so there is no point in composing them).
    bool warningsSaturated() const { return warnings_ >= maxWarnings; }
    int errorCount() const { return errors_; }
    // True once so many errors were reported that reading further is pointless.
    bool saturated() const { return errors_ >= maxErrors; }

    static constexpr int maxErrors = 100;
    static constexpr int maxWarnings = 100;

private:
    void line(Position pos, const char* kind, const std::string& message);

    std::string file_;
    std::ostream& out_;
    int errors_ = 0;
    int warnings_ = 0;
    bool lastShown_ = false;
};

}

#endif
