#include "Diagnostics.hpp"

#include <utility>

namespace orvelc {

namespace {

constexpr Warning allWarnings[] = {Warning::Ambiguity, Warning::UnusedRule};

// The warning called `name`; false when there is none.
bool warningNamed(const std::string& name, Warning& out)
{
    for (Warning w : allWarnings)
        if (name == warningName(w)) {
            out = w;
            return true;
        }
    return false;
}

}

const char* warningName(Warning w)
{
    switch (w) {
    case Warning::Ambiguity: return "ambiguity";
    case Warning::UnusedRule: return "unused-rule";
    }
    return "";
}

Diagnostics::Diagnostics(std::string file, std::ostream& out) : out_(out)
{
    files_.push_back(std::move(file));
}

int Diagnostics::addFile(const std::string& file)
{
    files_.push_back(file);
    return static_cast<int>(files_.size()) - 1;
}

bool Diagnostics::setWarningOption(const std::string& option)
{
    Warning w = Warning::Ambiguity;
    if (option == "-Werror") {
        allErrors_ = true;
    } else if (option.compare(0, 8, "-Werror=") == 0 && warningNamed(option.substr(8), w)) {
        errorsOn_.insert(w);
        off_.erase(w);
    } else if (option.compare(0, 5, "-Wno-") == 0 && warningNamed(option.substr(5), w)) {
        off_.insert(w);
    } else if (option.compare(0, 2, "-W") == 0 && warningNamed(option.substr(2), w)) {
        off_.erase(w);
    } else {
        return false;
    }
    return true;
}

bool Diagnostics::enabled(Warning w) const
{
    return !allOff_ && off_.count(w) == 0 && (warnings_ < maxWarnings || allErrors_ || errorsOn_.count(w));
}

void Diagnostics::error(Position pos, const std::string& message)
{
    lastShown_ = !saturated();
    if (!lastShown_)
        return;
    line(pos, "error: ", message);
    if (++errors_ == maxErrors)
        line(pos, "error: ", "too many errors; stopping");
}

void Diagnostics::warning(Position pos, Warning w, const std::string& message,
                          const std::vector<std::string>& notes)
{
    const std::string name = warningName(w);
    if (allErrors_ || errorsOn_.count(w) != 0) {
        error(pos, message + " [-Werror=" + name + "]");
        for (const std::string& n : notes)
            note(pos, n);
        return;
    }
    lastShown_ = enabled(w);
    if (!lastShown_)
        return;
    line(pos, "warning: ", message + " [-W" + name + "]");
    for (const std::string& n : notes)
        line(pos, "note: ", n);
    if (++warnings_ == maxWarnings)
        line(pos, "note: ", "too many warnings; the others are not shown");
}

void Diagnostics::note(Position pos, const std::string& message)
{
    if (lastShown_)
        line(pos, "note: ", message);
}

void Diagnostics::line(Position pos, const char* kind, const std::string& message)
{
    const std::size_t file = pos.file >= 0 && static_cast<std::size_t>(pos.file) < files_.size()
                                 ? static_cast<std::size_t>(pos.file)
                                 : 0;
    out_ << files_[file] << ':' << pos.line << ':' << pos.column << ": " << kind << message << std::endl;
}

}
