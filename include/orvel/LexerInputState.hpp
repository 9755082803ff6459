#ifndef ORVEL_LEXERINPUTSTATE_HPP
#define ORVEL_LEXERINPUTSTATE_HPP

#include <orvel/Export.hpp>
#include <orvel/InputBuffer.hpp>

#include <istream>
#include <string>

namespace orvel {

// Where a scanner stands in its input: the character buffer, the current line
// and column, where the current token began, how deeply syntactic predicates
// are being tried, and the name of the input.
//
// A state is held through RefCount<LexerInputState>; scanners that share one
// share one position, so a lexer can hand its input over to another one in
// the middle of a stream. Generated lexers read and write the fields directly.
class ORVEL_API LexerInputState {
public:
    // A state over `inbuf`, which it does not own: the buffer must outlive it.
    explicit LexerInputState(InputBuffer& inbuf) : input(&inbuf), ownsInput(false) {}
    // A state that owns `inbuf` and deletes it when the buffer is replaced by
    // initialize() or the state is destroyed.
    explicit LexerInputState(InputBuffer* inbuf) : input(inbuf), ownsInput(true) {}
    LexerInputState(const LexerInputState&) = delete;
    LexerInputState& operator=(const LexerInputState&) = delete;

    // Starts over on a new input: positions back to line 1, column 1, not
    // guessing, the name `file` (a null pointer gives an empty name), and a new
    // CharBuffer over `in`, which the state owns; `in` is not owned and must
    // outlive it. The previous buffer is deleted if the state owned it.
    virtual void initialize(std::istream& in, const char* file);
    // Positions back to line 1, column 1, not guessing, and the buffer reset
    // (its buffered characters are dropped; the source reads on). The name and
    // the buffer's ownership stay.
    virtual void reset();
    // Deletes the buffer if the state owns it.
    virtual ~LexerInputState();

    int column = 1;
    int line = 1;
    // Where the current token began; set by CharScanner::resetText().
    int startColumn = 1;
    int startLine = 1;
    // Nesting depth of syntactic predicates being tried; 0 when not guessing.
    int guessing = 0;
    std::string filename;
    InputBuffer* input;
    bool ownsInput;
};

}

#endif
