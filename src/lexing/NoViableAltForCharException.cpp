#include <orvel/NoViableAltForCharException.hpp>

#include <orvel/CharScanner.hpp>
#include <orvel/TextUtils.hpp>

#include "lexing/ScannerPosition.hpp"

namespace orvel {

namespace {

const char* const noViableAlt = "NoViableAlt";

}

NoViableAltForCharException::NoViableAltForCharException(int c, CharScanner* scanner)
    : RecognitionException(detail::positionedAt(scanner, noViableAlt)), foundChar(c)
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
