#include <orvel/MismatchedCharException.hpp>

#include <orvel/CharScanner.hpp>
#include <orvel/TextUtils.hpp>

#include "lexing/ScannerPosition.hpp"

#include <utility>

namespace orvel {

namespace {

const char* const mismatchedChar = "Mismatched char";

// A character as the messages quote it: charName() inside quotes of its own.
std::string quoted(int c) { return "'" + charName(c) + "'"; }

}

MismatchedCharException::MismatchedCharException() : RecognitionException(mismatchedChar) {}

MismatchedCharException::MismatchedCharException(int c, int expected, bool matchNot,
                                                 CharScanner* theScanner)
    : RecognitionException(detail::positionedAt(theScanner, mismatchedChar)),
      mismatchType(matchNot ? NOT_CHAR : CHAR),
      foundChar(c),
      expecting(expected),
      scanner(theScanner)
{
}

MismatchedCharException::MismatchedCharException(int c, int lower, int upperBound,
                                                 bool matchNot, CharScanner* theScanner)
    : RecognitionException(detail::positionedAt(theScanner, mismatchedChar)),
      mismatchType(matchNot ? NOT_RANGE : RANGE),
      foundChar(c),
      expecting(lower),
      upper(upperBound),
      scanner(theScanner)
{
}

MismatchedCharException::MismatchedCharException(int c, BitSet expectedSet, bool matchNot,
                                                 CharScanner* theScanner)
    : RecognitionException(detail::positionedAt(theScanner, mismatchedChar)),
      mismatchType(matchNot ? NOT_SET : SET),
      foundChar(c),
      set(std::move(expectedSet)),
      scanner(theScanner)
{
}

MismatchedCharException::MismatchedCharException(int c, int expected, bool matchNot,
                                                 const std::string& fileName, int line, int column)
    : RecognitionException(mismatchedChar, fileName, line, column),
      mismatchType(matchNot ? NOT_CHAR : CHAR),
      foundChar(c),
      expecting(expected)
{
}

MismatchedCharException::MismatchedCharException(int c, int lower, int upperBound, bool matchNot,
                                                 const std::string& fileName, int line, int column)
    : RecognitionException(mismatchedChar, fileName, line, column),
      mismatchType(matchNot ? NOT_RANGE : RANGE),
      foundChar(c),
      expecting(lower),
      upper(upperBound)
{
}

MismatchedCharException::MismatchedCharException(int c, BitSet expectedSet, bool matchNot,
                                                 const std::string& fileName, int line, int column)
    : RecognitionException(mismatchedChar, fileName, line, column),
      mismatchType(matchNot ? NOT_SET : SET),
      foundChar(c),
      set(std::move(expectedSet))
{
}

std::string MismatchedCharException::getMessage() const
{
    switch (mismatchType) {
    case CHAR:
        return "expecting " + quoted(expecting) + ", found " + quoted(foundChar);
    case NOT_CHAR:
        return "expecting anything but " + quoted(expecting) + "; got it anyway";
    case RANGE:
        return "expecting token in range: " + quoted(expecting) + ".." + quoted(upper)
               + ", found " + quoted(foundChar);
    case NOT_RANGE:
        // No opening quote before the lower bound: the established wording.
        return "expecting token NOT in range: " + charName(expecting) + "'.." + quoted(upper)
               + ", found " + quoted(foundChar);
    case SET:
    case NOT_SET: {
        std::string message = mismatchType == NOT_SET ? "expecting NOT one of (" : "expecting one of (";
        for (unsigned int member : set.toArray())
            message += " " + quoted(static_cast<int>(member));
        return message + "), found " + quoted(foundChar);
    }
    default:
        return RecognitionException::getMessage();
    }
}

}
