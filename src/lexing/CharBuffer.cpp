#include <orvel/CharBuffer.hpp>

namespace orvel {

CharBuffer::CharBuffer(std::istream& input_) : input(input_) {}

// istream::get() already yields a byte as 0..255 and end of input (or a
// failed stream) as -1, the buffer's own encoding.
int CharBuffer::getChar() { return input.get(); }

}
