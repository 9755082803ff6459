#ifndef ORVELC_DIAGNOSTICS_HPP
#define ORVELC_DIAGNOSTICS_HPP

#include "Position.hpp"

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace orvelc {

// The warnings orvelc gives, each with a name that selects it on the command
// line (-Wno-NAME, -Werror=NAME) and that its messages end with.
enum class Warning { Ambiguity, UnusedRule };

// Writes errors as `file:line:column: error: message`, warnings as
// `... warning: message [-WNAME]` and notes, which add a related place to the
// error or warning before them, as `... note: message`; counts the errors.
class Diagnostics {
public:
    // Reports into `out`; positions with file 0 are in `file`.
    Diagnostics(std::string file, std::ostream& out);

    // The file number that positions in `file` carry.
    int addFile(const std::string& file);
    // Applies a warning option: -WNAME, -Wno-NAME, -Werror or -Werror=NAME;
    // returns false, changing nothing, for any other text.
    bool setWarningOption(const std::string& option);
    // Turns every warning off.
    void disableWarnings() { allOff_ = true; }
    // Whether warning `w` would be shown (so that it is worth composing).
    bool enabled(Warning w) const;

    // Reports an error; after maxErrors of them, says so once and reports no more.
    void error(Position pos, const std::string& message);
    // Reports warning `w` unless it is off, as an error when -Werror asks for
    // it, followed by `notes` at the same place; after maxWarnings warnings,
    // says so once and reports no more.
    void warning(Position pos, Warning w, const std::string& message,
                 const std::vector<std::string>& notes = {});
    // Adds a related place to the error or warning just reported; nothing
    // when that one was not shown.
    void note(Position pos, const std::string& message);
    int errorCount() const { return errors_; }
    // True once so many errors were reported that reading further is pointless.
    bool saturated() const { return errors_ >= maxErrors; }

    static constexpr int maxErrors = 100;
    static constexpr int maxWarnings = 100;

private:
    void line(Position pos, const char* kind, const std::string& message);

    std::vector<std::string> files_;
    std::ostream& out_;
    int errors_ = 0;
    int warnings_ = 0;
    bool lastShown_ = false;
    bool allOff_ = false;
    bool allErrors_ = false;
    std::set<Warning> off_;
    std::set<Warning> errorsOn_;
};

// The name of warning `w`, as -W options and messages give it.
const char* warningName(Warning w);

}

#endif
