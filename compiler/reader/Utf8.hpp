#ifndef ORVELC_READER_UTF8_HPP
#define ORVELC_READER_UTF8_HPP

#include <string>

namespace orvelc {

// The highest code point, and the surrogates, which are no characters.
constexpr int maxCodePoint = 0x10FFFF;
constexpr int firstSurrogate = 0xD800;
constexpr int lastSurrogate = 0xDFFF;

// The UTF-8 bytes of `cp`, a code point that is no surrogate.
std::string encodeUtf8(int cp);

// The code point that `text` encodes as exactly one UTF-8 sequence in its
// shortest form, or -1 when it does not.
int decodeUtf8(const std::string& text);

}

#endif
