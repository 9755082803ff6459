#ifndef ORVEL_MISMATCHEDCHAREXCEPTION_HPP
#define ORVEL_MISMATCHEDCHAREXCEPTION_HPP

#include <orvel/BitSet.hpp>
#include <orvel/Export.hpp>
#include <orvel/RecognitionException.hpp>

#include <string>

namespace orvel {

class CharScanner;

// Thrown by the scanner's match operations when the lookahead character is
// not the expected character, range or set. The position is the scanner's at
// the moment of the error (the lookahead character's). Characters in the
// message are rendered by charName(), inside the message's own quotes:
//
//     t.txt:2:5: expecting ''a'', found ''b''
class ORVEL_API MismatchedCharException : public RecognitionException {
public:
    // Kinds of mismatch: which test failed.
    static constexpr int CHAR = 1;
    static constexpr int NOT_CHAR = 2;
    static constexpr int RANGE = 3;
    static constexpr int NOT_RANGE = 4;
    static constexpr int SET = 5;
    static constexpr int NOT_SET = 6;

    // No kind, no position, all characters 0, no scanner: the message is just
    // "Mismatched char".
    MismatchedCharException();
    // `c` was seen where `expected` was wanted (CHAR), or where `expected` was
    // excluded (NOT_CHAR, when `matchNot`). The scanner gives the position (a
    // null scanner gives none); it is not owned and never read afterwards.
    MismatchedCharException(int c, int expected, bool matchNot, CharScanner* theScanner);
    // `c` was outside `lower`..`upperBound` (RANGE), or inside it although the
    // range was excluded (NOT_RANGE, when `matchNot`).
    MismatchedCharException(int c, int lower, int upperBound, bool matchNot,
                            CharScanner* theScanner);
    // `c` was not in `expectedSet` (SET), or was in it although the set was
    // excluded (NOT_SET, when `matchNot`). The set is copied.
    MismatchedCharException(int c, BitSet expectedSet, bool matchNot, CharScanner* theScanner);
    // The same three kinds at `fileName`, `line`, `column`, for scanners that
    // are no CharScanner (WindowScanner); no scanner is kept.
    MismatchedCharException(int c, int expected, bool matchNot, const std::string& fileName, int line,
                            int column);
    MismatchedCharException(int c, int lower, int upperBound, bool matchNot, const std::string& fileName,
                            int line, int column);
    MismatchedCharException(int c, BitSet expectedSet, bool matchNot, const std::string& fileName, int line,
                            int column);

    // Returns the message for the kind, for example
    // "expecting token in range: ''a''..''z'', found ''0''"; for an unknown kind,
    // the text given at construction ("Mismatched char").
    std::string getMessage() const override;

protected:
    int mismatchType = 0;
    // The lookahead character seen; -1 at end of input.
    int foundChar = 0;
    // The expected character, or the lower bound of the range.
    int expecting = 0;
    // The upper bound of the range.
    int upper = 0;
    BitSet set;
    // The scanner that raised the error; not owned.
    CharScanner* scanner = nullptr;
};

}

#endif
