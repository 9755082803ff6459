#ifndef ORVEL_CHARBUFFER_HPP
#define ORVEL_CHARBUFFER_HPP

#include <orvel/Export.hpp>
#include <orvel/InputBuffer.hpp>

#include <istream>

namespace orvel {

// An InputBuffer that reads bytes from a standard input stream. The stream is
// not owned and must outlive the buffer; exceptions it throws pass through.
class ORVEL_API CharBuffer : public InputBuffer {
public:
    explicit CharBuffer(std::istream& input);

    // Returns the stream's next byte (0..255), or -1 at end of input.
    int getChar() override;

protected:
    std::istream& input;
};

}

#endif
