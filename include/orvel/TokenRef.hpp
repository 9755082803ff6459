#ifndef ORVEL_TOKENREF_HPP
#define ORVEL_TOKENREF_HPP

#include <orvel/Export.hpp>

namespace orvel {

class Token;

// The count record shared by every TokenRefCount handle to one token. The
// token points back at its record (Token::ref), so handles made at any time
// from the same raw pointer, of any element type, share one count.
// The record owns the token: deleting the record deletes the token.
struct ORVEL_API TokenRef {
    Token* const ptr;
    unsigned int count;

    // A record for `p` with count 1. If `p` has no record yet, this becomes it.
    explicit TokenRef(Token* p);
    // Deletes the token, through its virtual destructor.
    ~TokenRef();
    TokenRef(const TokenRef&) = delete;
    TokenRef& operator=(const TokenRef&) = delete;

    // Returns the record to use for `p`: null for null, the token's own record
    // with one more share, or a new record with count 1.
    static TokenRef* getRef(const Token* p);

    // Adds one share; returns this record.
    TokenRef* increment()
    {
        ++count;
        return this;
    }
    // Removes one share; returns whether none is left.
    bool decrement() { return --count == 0; }

    // Deletes a record whose count reached zero, and with it the token. Tokens
    // freed while another is being freed on the same thread are queued and freed
    // one after another, so dropping a chain of any length uses constant stack.
    static void release(TokenRef* record);
};

}

#endif
