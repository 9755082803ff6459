#ifndef ORVEL_ATTRIBUTEREADER_HPP
#define ORVEL_ATTRIBUTEREADER_HPP

#include <orvel/Export.hpp>

#include <istream>
#include <string>

namespace orvel {

// Reads pairs of the form  name="value"  from a standard input stream:
//
//     width="80"   title = "say \"hi\""
//
// A name is letters, digits and '_'; the '=' must follow it directly; blanks
// may separate '=' from the quoted value. In the value \0 stands for a NUL
// byte, \\ for a backslash and \" for a double quote; any other escape stays
// as written (\n is a backslash and an n). Malformed input throws IOException;
// characters already read stay consumed. Stateless; safe on any thread for
// distinct streams.

// Skips white space (by isspace); stops before the first other character or
// at end of input (which leaves the stream failed). Returns `in`.
ORVEL_API std::istream& eatwhite(std::istream& in);

// Skips white space, then returns the longest run of letters, digits and '_'
// (possibly empty); the character after it is left unread.
ORVEL_API std::string read_identifier(std::istream& in);

// Skips white space, then reads a double-quoted string and returns its text
// with escapes resolved; nothing after the closing quote is read.
// Throws IOException "string must start with '\"'" when another character
// comes first, and "badly formatted string: " followed by the text read so
// far when the input ends before the closing quote.
ORVEL_API std::string read_string(std::istream& in);

// Reads  name="value"  into `attribute` and `value`.
// Throws IOException "invalid attribute=value thing " followed by the name
// when '=' does not directly follow the name (`attribute` is assigned
// already, `value` is unchanged); IOExceptions of read_string pass through.
ORVEL_API void read_AttributeNValue(std::istream& in, std::string& attribute,
                                    std::string& value);

}

#endif
