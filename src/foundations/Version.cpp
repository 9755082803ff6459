#include <orvel/Version.hpp>

namespace orvel {

const char* version() noexcept { return ORVEL_VERSION_STRING; }

}
