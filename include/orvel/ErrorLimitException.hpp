#ifndef ORVEL_ERRORLIMITEXCEPTION_HPP
#define ORVEL_ERRORLIMITEXCEPTION_HPP

#include <orvel/Export.hpp>
#include <orvel/ORVELException.hpp>

namespace orvel {

// Thrown by a recognizer that has reported as many errors as its limit
// allows. It is no RecognitionException, so the rules' handlers let it
// through to the caller of the start rule (or of nextToken).
class ORVEL_API ErrorLimitException : public ORVELException {
public:
    // An exception for a recognizer that stopped after `count` errors; its
    // message reads "stopped after <count> errors".
    explicit ErrorLimitException(int count);

    // Returns how many errors had been reported.
    int getCount() const { return count; }

private:
    int count;
};

}

#endif
