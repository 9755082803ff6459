#ifndef ORVEL_TOKENREF_HPP
#define ORVEL_TOKENREF_HPP

#include <orvel/Export.hpp>

#include <cstddef>

namespace orvel {

class Token;

// The count record shared by every TokenRefCount handle to one token. The
// token points back at its record (Token::ref), so handles made at any time
// from the same raw pointer, of any element type, share one count.
// The record owns the token: deleting the record deletes the token.
struct ORVEL_API TokenRef {
    Token* const ptr;
    unsigned int count;
    // Whether the token is linked both ways with a neighbour in a run of hidden
    // tokens (see CommonHiddenStreamToken): such a run holds itself alive, so
    // dropping a share of one of its tokens checks whether anything outside
    // still reaches the run.
    bool inHiddenRun = false;
    // Whether the record and its token share one block (CommonToken::make()):
    // then neither is deleted on its own; the block is handed back whole.
    bool inBlock = false;

    // A record for `p` with count 1. If `p` has no record yet, this becomes it.
    explicit TokenRef(Token* p);
    // Deletes the token, through its virtual destructor.
    ~TokenRef();
    TokenRef(const TokenRef&) = delete;
    TokenRef& operator=(const TokenRef&) = delete;

    // Records are recycled: a freed record goes to a list kept per thread,
    // which the next record made on that thread reuses, so that a lexer's
    // tokens seldom allocate a record. The list is freed when its thread ends.
    // operator new throws std::bad_alloc when no record is free and memory
    // runs out.
    static void* operator new(std::size_t size);
    static void operator delete(void* record) noexcept;

    // Returns the record to use for `p`: null for null, the token's own record
    // with one more share, or a new record with count 1. If the new record
    // cannot be made, deletes `p` and throws std::bad_alloc: a token handed to
    // its first handle is owned from then on.
    static TokenRef* getRef(const Token* p);

    // Adds one share; returns this record.
    TokenRef* increment()
    {
        ++count;
        return this;
    }
    // Removes one share; returns whether none is left.
    bool decrement() { return --count == 0; }

    // Removes one share, as a handle does when it lets go: frees the token when
    // none is left, and frees the token's run of hidden tokens when only the
    // run's own links are left.
    void drop()
    {
        if (decrement())
            release(this);
        else if (inHiddenRun && count <= 2)
            releaseUnreachableRun(this);
    }

    // Deletes a record whose count reached zero, and with it the token. Tokens
    // freed while another is being freed on the same thread are queued and freed
    // one after another, so dropping a chain of any length uses constant stack.
    static void release(TokenRef* record);

private:
    // Frees the run of hidden tokens that `record`'s token belongs to, if no
    // share of any of its tokens comes from outside the run.
    static void releaseUnreachableRun(TokenRef* record);
};

}

#endif
