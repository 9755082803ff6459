#ifndef ORVEL_ORVELEXCEPTION_HPP
#define ORVEL_ORVELEXCEPTION_HPP

#include <orvel/Export.hpp>

#include <string>

namespace orvel {

// Root of every exception the library throws (the one exception is the token
// stream selector's name lookup, which throws a plain std::string).
// It deliberately does not derive from std::exception: code that catches only
// standard exceptions does not see recognizer failures.
class ORVEL_API ORVELException {
public:
    // An exception with an empty message.
    ORVELException() = default;
    // An exception carrying `message`.
    explicit ORVELException(const std::string& message) : text(message) {}
    virtual ~ORVELException() = default;

    // Returns the message. Subclasses may add a position in front of it.
    virtual std::string toString() const;
    // Returns the message given at construction.
    virtual std::string getMessage() const;

protected:
    std::string text;
};

}

#endif
