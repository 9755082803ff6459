#ifndef ORVEL_TOKENSTREAMSELECTOR_HPP
#define ORVEL_TOKENSTREAMSELECTOR_HPP

#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

#include <map>
#include <stack>
#include <string>

namespace orvel {

// A token stream that hands out the tokens of one of several streams, the
// current one. Streams are registered under names (case matters); the current
// stream is switched directly (select) or with a stack (push, pop), at any
// time, also from inside the current stream's nextToken(). Code running there
// may then call retry() to abandon the request: the selector asks whatever
// stream is current at that moment, from the same nextToken() call.
//
// The selector owns none of the streams: they must outlive their use
// through it.
class ORVEL_API TokenStreamSelector : public TokenStream {
public:
    // No streams registered, no current stream, an empty stack.
    TokenStreamSelector();
    TokenStreamSelector(const TokenStreamSelector&) = delete;
    TokenStreamSelector& operator=(const TokenStreamSelector&) = delete;

    // Registers `stream` (not owned) under `key`, replacing any stream
    // registered under the same key.
    void addInputStream(TokenStream* stream, const std::string& key);
    // Returns the stream registered under `name`. Throws a std::string
    // "TokenStream <name> not found" when there is none.
    TokenStream* getStream(const std::string& name) const;
    // Returns the current stream, or null when none was set.
    TokenStream* getCurrentStream() const;

    // Makes `stream` (registered or not, not owned) current.
    void select(TokenStream* stream);
    // Makes the stream registered under `name` current. Throws as getStream(),
    // leaving the current stream unchanged.
    void select(const std::string& name);
    // Saves the current stream on the stack, then makes `stream` current.
    void push(TokenStream* stream);
    // Saves the current stream on the stack, then selects `name`. When the
    // lookup throws (as getStream()), the current stream stays current and the
    // stack keeps the saved entry.
    void push(const std::string& name);
    // Takes the most recently saved stream off the stack, makes it current and
    // returns it. Throws TokenStreamException when the stack is empty.
    TokenStream* pop();
    // Never returns: throws TokenStreamRetryException, which nextToken()
    // catches when it comes out of the current stream.
    [[noreturn]] void retry();

    // Returns the next token of the current stream, asking again (the stream
    // current by then) each time the stream throws TokenStreamRetryException.
    // Throws TokenStreamException when there is no current stream; other
    // exceptions of the stream pass through.
    TokenRefCount<Token> nextToken() override;
    ~TokenStreamSelector() override;

protected:
    std::map<std::string, TokenStream*> streamsByName;
    TokenStream* currentStream = nullptr;
    std::stack<TokenStream*> streamStack;
};

}

#endif
