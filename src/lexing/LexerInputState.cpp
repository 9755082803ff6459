#include <orvel/LexerInputState.hpp>

#include <orvel/CharBuffer.hpp>

namespace orvel {

void LexerInputState::initialize(std::istream& in, const char* file)
{
    startLine = 1;
    guessing = 0;
    column = 1;
    line = 1;
    startColumn = 1;
    filename = file ? file : "";
    // The new buffer is made before the old one goes, so that a failed
    // allocation leaves the state as it was.
    InputBuffer* fresh = new CharBuffer(in);
    if (input && ownsInput)
        delete input;
    input = fresh;
    ownsInput = true;
}

void LexerInputState::reset()
{
    startLine = 1;
    guessing = 0;
    column = 1;
    line = 1;
    startColumn = 1;
    if (input)
        input->reset();
}

LexerInputState::~LexerInputState()
{
    if (ownsInput)
        delete input;
}

}
