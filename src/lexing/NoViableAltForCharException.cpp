#include <orvel/NoViableAltForCharException.hpp>

#include <orvel/CharScanner.hpp>
#include <orvel/TextUtils.hpp>

namespace orvel {

namespace {

const char* const noViableAlt = "NoViableAlt";

// The error at the scanner's current position, or at none without a scanner.
RecognitionException positionedAt(const CharScanner* scanner)
{
    if (!scanner)
        return RecognitionException(noViableAlt);
    return RecognitionException(noViableAlt, scanner->getFilename(), scanner->getLine(),
                                scanner->getColumn());
}

}

NoViableAltForCharException::NoViableAltForCharException(int c, CharScanner* scanner)
    : RecognitionException(positionedAt(scanner)), foundChar(c)
{
}

NoViableAltForCharException::NoViableAltForCharException(int c, const std::string& fileName,
                                                         int line, int column)
    : RecognitionException(noViableAlt, fileName, line, column), foundChar(c)
{
}

std::string NoViableAltForCharException::getMessage() const
{
    return "unexpected char: " + charName(foundChar);
}

}
