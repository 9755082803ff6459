#ifndef ORVEL_TOKENWITHINDEX_HPP
#define ORVEL_TOKENWITHINDEX_HPP

#include <orvel/CommonToken.hpp>

#include <string>

namespace orvel {

// A token that knows its position in the stream: the rewrite engine numbers
// every token it reads, so a lexer feeding it makes tokens of this class.
class ORVEL_API TokenWithIndex : public CommonToken {
public:
    // As the CommonToken constructors; index 0.
    TokenWithIndex() = default;
    TokenWithIndex(int t, const std::string& txt) : CommonToken(t, txt) {}
    explicit TokenWithIndex(const std::string& s) : CommonToken(s) {}

    // Returns the token's position in the stream (0 until set).
    unsigned long getIndex() const { return index; }
    // Sets the token's position in the stream.
    void setIndex(unsigned long i) { index = i; }

    // Returns a handle to a new default TokenWithIndex.
    static TokenRefCount<Token> factory();

protected:
    unsigned long index = 0;
};

}

#endif
