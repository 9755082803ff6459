#include "Diagnostics.hpp"

namespace orvelc {

void Diagnostics::error(Position pos, const std::string& message)
{
    lastShown_ = !saturated();
    if (!lastShown_)
        return;
    line(pos, "", message);
    if (++errors_ == maxErrors)
        line(pos, "", "too many errors; stopping");
}

void Diagnostics::warning(Position pos, const std::string& message)
{
    lastShown_ = !warningsSaturated();
    if (!lastShown_)
        return;
    line(pos, "warning: ", message);
    if (++warnings_ == maxWarnings)
        line(pos, "warning: ", "too many warnings; the others are not shown");
}

void Diagnostics::note(Position pos, const std::string& message)
{
    if (lastShown_)
        line(pos, "note: ", message);
}

void Diagnostics::line(Position pos, const char* kind, const std::string& message)
{
    out_ << file_ << ':' << pos.line << ':' << pos.column << ": " << kind << message << std::endl;
}

const Option* findOption(const std::vector<Option>& options, const std::string& name)
{
    for (const Option& o : options)
        if (o.name == name)
            return &o;
    return nullptr;
}

}
