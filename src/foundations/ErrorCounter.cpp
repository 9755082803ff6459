#include <orvel/ErrorCounter.hpp>

#include <orvel/ErrorLimitException.hpp>

#include <limits>
#include <string>

namespace orvel {

void ErrorCounter::count()
{
    if (errors < std::numeric_limits<int>::max())
        ++errors;
    if (limit > 0 && errors >= limit)
        throw ErrorLimitException(errors);
}

void ErrorCounter::setLimit(int n)
{
    if (n < 0)
        throw ORVELException("error limit must not be negative: " + std::to_string(n));
    limit = n;
}

}
