#ifndef ORVEL_TOKENSTREAMEXCEPTION_HPP
#define ORVEL_TOKENSTREAMEXCEPTION_HPP

#include <orvel/ORVELException.hpp>

#include <string>

namespace orvel {

// A failure of a token stream: a source that breaks the stream contract, or a
// stream tool used out of order.
class ORVEL_API TokenStreamException : public ORVELException {
public:
    // An exception with an empty message.
    TokenStreamException() = default;
    // An exception carrying `message`.
    explicit TokenStreamException(const std::string& message) : ORVELException(message) {}
};

}

#endif
