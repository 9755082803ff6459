#include <orvel/ParserInputState.hpp>

#include <orvel/TokenBuffer.hpp>

namespace orvel {

ParserInputState::ParserInputState(TokenBuffer& buffer) : input(&buffer), ownsInput(false) {}

ParserInputState::ParserInputState(TokenBuffer* buffer) : input(buffer), ownsInput(true) {}

ParserInputState::~ParserInputState()
{
    if (ownsInput)
        delete input;
}

}
