#ifndef ORVEL_NOVIABLEALTFORCHAREXCEPTION_HPP
#define ORVEL_NOVIABLEALTFORCHAREXCEPTION_HPP

#include <orvel/Export.hpp>
#include <orvel/RecognitionException.hpp>

#include <string>

namespace orvel {

class CharScanner;

// Thrown by generated lexers when no alternative of a decision starts with
// the lookahead character:
//
//     t.txt:1:3: unexpected char: '@'
class ORVEL_API NoViableAltForCharException : public RecognitionException {
public:
    // `c` fits no alternative; the position is the scanner's current one (a
    // null scanner gives none). The scanner is not owned and not kept.
    NoViableAltForCharException(int c, CharScanner* scanner);
    // `c` fits no alternative at `fileName`, `line`, `column` (-1: none).
    NoViableAltForCharException(int c, const std::string& fileName, int line, int column);

    // Returns "unexpected char: " followed by charName() of the character.
    std::string getMessage() const override;

protected:
    // The character for which no alternative exists; -1 at end of input.
    int foundChar;
};

}

#endif
