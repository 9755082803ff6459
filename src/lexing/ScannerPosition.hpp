#ifndef ORVEL_SRC_SCANNERPOSITION_HPP
#define ORVEL_SRC_SCANNERPOSITION_HPP

#include <orvel/CharScanner.hpp>
#include <orvel/RecognitionException.hpp>

namespace orvel::detail {

// A recognition error carrying `message` at the scanner's current position
// (file name, line and column of the lookahead character), or at no position
// without a scanner. The lexer errors start from it.
inline RecognitionException positionedAt(const CharScanner* scanner, const char* message)
{
    if (!scanner)
        return RecognitionException(message);
    return RecognitionException(message, scanner->getFilename(), scanner->getLine(),
                                scanner->getColumn());
}

}

#endif
