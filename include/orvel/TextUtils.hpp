#ifndef ORVEL_TEXTUTILS_HPP
#define ORVEL_TEXTUTILS_HPP

#include <orvel/Export.hpp>

#include <string>

namespace orvel {

// The renderings of numbers and characters used by every message the library
// builds. Stateless; safe on any thread.

// Returns `s` followed by `n` in decimal, with a minus sign when negative.
ORVEL_API std::string operator+(const std::string& s, int n);
// Returns `s` followed by `n` in unsigned decimal.
ORVEL_API std::string operator+(const std::string& s, unsigned long n);

// Returns the name of a character as lexer messages show it: "EOF" for -1; the
// character between single quotes when its low byte is printable (nothing is
// escaped); otherwise "0x" and two upper-case hex digits of the low byte.
ORVEL_API std::string charName(int ch);

}

#endif
