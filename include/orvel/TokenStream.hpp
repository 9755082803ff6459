#ifndef ORVEL_TOKENSTREAM_HPP
#define ORVEL_TOKENSTREAM_HPP

#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

namespace orvel {

// The one interface through which tokens flow: scanners, filters, the
// selector and the rewrite engine all offer it, and a parser's token buffer
// reads from it.
class ORVEL_API TokenStream {
public:
    // Returns the next token; never an empty handle. After the end of input,
    // every call returns a token of type Token::EOF_TYPE.
    virtual TokenRefCount<Token> nextToken() = 0;
    virtual ~TokenStream() = default;
};

}

#endif
