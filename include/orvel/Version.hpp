#ifndef ORVEL_VERSION_HPP
#define ORVEL_VERSION_HPP

#include <orvel/Export.hpp>
#include <orvel/VersionNumbers.hpp>

namespace orvel {

// Returns the version of the library that is linked, as "major.minor.patch".
// It differs from ORVEL_VERSION_STRING, the version of the headers compiled
// against, only when a program runs with another build of the library than
// it was compiled with. The text has static storage; nothing is allocated.
ORVEL_API const char* version() noexcept;

}

#endif
