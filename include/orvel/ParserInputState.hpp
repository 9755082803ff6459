#ifndef ORVEL_PARSERINPUTSTATE_HPP
#define ORVEL_PARSERINPUTSTATE_HPP

#include <orvel/Export.hpp>

#include <string>

namespace orvel {

class TokenBuffer;

// The state that parsers reading one token stream share through a
// RefCount<ParserInputState>: the token buffer, the guessing depth and the
// input's file name. Generated parsers read and write the fields directly.
class ORVEL_API ParserInputState {
public:
    // A state reading `buffer`, which the caller keeps and frees.
    explicit ParserInputState(TokenBuffer& buffer);
    // A state that takes `buffer` over and deletes it when destroyed.
    explicit ParserInputState(TokenBuffer* buffer);
    ParserInputState(const ParserInputState&) = delete;
    ParserInputState& operator=(const ParserInputState&) = delete;
    // Deletes `input` when the state owns it.
    virtual ~ParserInputState();

    // Depth of speculative parsing; above 0 while guessing.
    int guessing = 0;
    // Name of the input, for reports and exceptions.
    std::string filename;
    // The buffer every sharing parser reads.
    TokenBuffer* input;
    // Whether the destructor deletes `input`.
    bool ownsInput;
};

}

#endif
