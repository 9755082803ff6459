#ifndef ORVEL_TOKENSTREAMRETRYEXCEPTION_HPP
#define ORVEL_TOKENSTREAMRETRYEXCEPTION_HPP

#include <orvel/TokenStreamException.hpp>

namespace orvel {

// Thrown from inside a token stream's nextToken() to abandon the request; the
// token stream selector catches it and asks its current stream again.
// Its message is always empty.
class ORVEL_API TokenStreamRetryException : public TokenStreamException {
public:
    TokenStreamRetryException() = default;
};

}

#endif
