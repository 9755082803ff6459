#include <orvel/ORVELException.hpp>

namespace orvel {

std::string ORVELException::toString() const { return text; }

std::string ORVELException::getMessage() const { return text; }

}
