#ifndef ORVEL_TEXTUTILS_HPP
#define ORVEL_TEXTUTILS_HPP

#include <orvel/Export.hpp>

#include <cstddef>
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

// How many bytes of a text displayText() shows before it cuts the rest.
inline constexpr std::size_t DISPLAY_TEXT_LIMIT = 40;

// Returns `text` as messages show a token's or a node's text: safe to write
// to a terminal and short. Every printable byte stands as it is (nothing is
// escaped), every other byte as charName() names it ("0x1B" for an escape);
// a text longer than DISPLAY_TEXT_LIMIT bytes keeps its first
// DISPLAY_TEXT_LIMIT bytes, followed by "...".
ORVEL_API std::string displayText(const std::string& text);

}

#endif
