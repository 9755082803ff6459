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

    // Returns the stream's next byte (0..255), or -1 at end of input, leaving
    // the stream's state bits as istream::get() would. Exceptions of the
    // stream buffer pass through when badbit is among the stream's exceptions.
    int getChar() override;

protected:
    std::istream& input;

private:
    void readFailed();

    // Whether ownLookahead has been set from this object's dynamic type.
    bool typeKnown = false;
};

}

#endif
