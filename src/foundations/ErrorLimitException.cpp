#include <orvel/ErrorLimitException.hpp>

#include <string>

namespace orvel {

ErrorLimitException::ErrorLimitException(int count)
    : ORVELException("stopped after " + std::to_string(count) + (count == 1 ? " error" : " errors")),
      count(count)
{
}

}
