#include <orvel/ORVELException.hpp>

namespace orvel {

std::string ORVELException::toString() const { return text; }

std::string ORVELException::getMessage() const { return text; }

const char* ORVELException::what() const noexcept
{
    try {
        rendered = toString();
        return rendered.c_str();
    } catch (...) {
        return text.c_str();
    }
}

}
