#include "Support.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace calc {

double Arithmetic::literal(const Node& n) const
{
    const double v = std::strtod(n->getText().c_str(), nullptr);
    if (std::isinf(v))
        throw error(n, "number out of range");
    return v;
}

double Arithmetic::checked(double v, const Node& at) const
{
    if (std::isinf(v))
        throw error(at, "result out of range");
    if (std::isnan(v))
        throw error(at, "result undefined");
    return v;
}

double Arithmetic::divide(double a, double b, const Node& at) const
{
    if (b == 0)
        throw error(at, "division by zero");
    return a / b;
}

double Arithmetic::remainder(double a, double b, const Node& at) const
{
    if (b == 0)
        throw error(at, "division by zero");
    return std::fmod(a, b);
}

void Arithmetic::assign(const Node& name, double v) { variables[name->getText()] = v; }

double Arithmetic::lookup(const Node& name) const
{
    const auto found = variables.find(name->getText());
    if (found == variables.end())
        throw error(name, "unknown variable " + name->getText());
    return found->second;
}

void Arithmetic::print(std::ostream& out, double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", v == 0 ? 0.0 : v);
    out << text << '\n';
}

orvel::RecognitionException Arithmetic::error(const Node& at, const std::string& message) const
{
    return orvel::RecognitionException(message, fileName, at ? at->getLine() : -1,
                                       at ? at->getColumn() : -1);
}

}
