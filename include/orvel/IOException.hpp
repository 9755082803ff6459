#ifndef ORVEL_IOEXCEPTION_HPP
#define ORVEL_IOEXCEPTION_HPP

#include <orvel/ORVELException.hpp>

#include <exception>
#include <string>

namespace orvel {

// Malformed text input, thrown by the attribute=value reader.
class ORVEL_API IOException : public ORVELException {
public:
    // An exception carrying `message`; `wrapped` is default-constructed.
    explicit IOException(const std::string& message) : ORVELException(message) {}

protected:
    // A standard exception that caused this one, for callers that wrap one.
    std::exception wrapped;
};

}

#endif
