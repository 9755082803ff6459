#ifndef ORVEL_TOKENDELIVERY_HPP
#define ORVEL_TOKENDELIVERY_HPP

#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <deque>
#include <utility>

namespace orvel {

// What a lexer hands out besides the token it scans: the tokens its actions
// emitted, in order, and what it noted of the last token handed out (its
// type, and the line it ended on, for newline-before).
class ORVEL_API TokenDelivery {
public:
    // Queues `t` behind the tokens queued before. Throws ORVELException,
    // queueing nothing, when `t` is empty.
    void emit(const TokenRefCount<Token>& t);
    // Returns whether a token is queued.
    bool hasEmitted() const { return !emitted.empty(); }
    // Takes the first queued token; one must be queued.
    TokenRefCount<Token> takeEmitted();
    // Returns `t` after noting it as the token handed out, the lexer being on
    // `line`: its type for previousType(), and on `t` whether a line end came
    // since the previous token (or the start of input) ended.
    const TokenRefCount<Token>& deliver(const TokenRefCount<Token>& t, int line)
    {
        return deliver(t, t->getLine(), line);
    }
    // As deliver(t, line), for a token known to start on `tokenLine`.
    const TokenRefCount<Token>& deliver(const TokenRefCount<Token>& t, int tokenLine, int line)
    {
        t->setNewlineBefore(tokenLine > lineAfterPrevious);
        lineAfterPrevious = line;
        previous = t->getType();
        return t;
    }
    // Returns the type of the last token delivered, Token::INVALID_TYPE before
    // the first.
    int previousType() const { return previous; }
    // Returns true the first time it is called, false after.
    bool firstEndOfInput() { return !std::exchange(endReached, true); }

private:
    std::deque<TokenRefCount<Token>> emitted;
    int previous = Token::INVALID_TYPE;
    int lineAfterPrevious = 1;
    bool endReached = false;
};

}

#endif
