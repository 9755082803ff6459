#ifndef ORVEL_TOKENBUFFER_HPP
#define ORVEL_TOKENBUFFER_HPP

#include <orvel/CircularQueue.hpp>
#include <orvel/Export.hpp>
#include <orvel/LookaheadSync.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

namespace orvel {

// Lookahead of any depth over a token stream, with lazy consumes and nested
// mark/rewind for a parser's syntactic predicates.
//
// Design: `queue` holds the tokens pulled from `input`; queue position
// `lookaheadBase` is LT(1). Tokens are pulled only inside fill(), only as deep
// as lookahead asks. consume() only counts; the count is applied by the sync
// step at the start of fill(), mark() and rewind(): while a mark is open the
// consumed tokens stay queued and `lookaheadBase` moves past them, otherwise
// they are removed from the front. Queue positions therefore stay stable while
// any mark is open, so a mark is simply a queue position. `lookaheadBase` is
// not reset when the last mark closes: the tokens in front of it then form a
// retained window whose oldest token each later consume drops.
//
// The queue's handles keep buffered tokens alive, consumed ones included until
// the queue compacts them away; destroying the buffer releases them all.
class ORVEL_API TokenBuffer {
public:
    // A buffer reading from `input`, which it does not own: `input` must
    // outlive the buffer. Pulls nothing yet.
    explicit TokenBuffer(TokenStream& input);
    TokenBuffer(const TokenBuffer&) = delete;
    TokenBuffer& operator=(const TokenBuffer&) = delete;

    // Releases every token handle still queued; leaves the stream alone.
    virtual ~TokenBuffer();
    // Returns the number of tokens pulled and not yet consumed as of the last
    // sync step; consumes pending since then still count.
    virtual unsigned int entries() const;

    // Applies pending consumes, then pulls tokens until `amount` tokens of
    // lookahead are buffered. Throws whatever input.nextToken() throws (the
    // tokens pulled before stay buffered), and TokenStreamException when the
    // stream hands out an empty handle, which is not stored.
    void fill(unsigned int amount);
    // Returns the i-th token of lookahead (i counts from 1), pulling as needed.
    // Throws as fill(), and TokenStreamException for LT(0).
    TokenRefCount<Token> LT(unsigned int i) { return buffered(i); }
    // Returns the type of the i-th token of lookahead (i counts from 1),
    // pulling as needed. Throws as LT().
    int LA(unsigned int i) { return buffered(i)->getType(); }
    // Consumes LT(1). Only counts: nothing is pulled or dropped until the next
    // fill(), mark() or rewind().
    void consume() { ++pendingConsumes; }
    // Opens a mark and returns the position to give to rewind(). Each mark is
    // closed by exactly one rewind(). Throws as fill() when consumes pending
    // while no mark is open reach past the buffered tokens (they are pulled).
    unsigned int mark();
    // Closes the innermost mark and returns to position `mark`, a value that
    // mark() returned while that mark was open: the tokens consumed since then
    // are seen again. Throws as mark(), and TokenStreamException, changing
    // nothing, when no mark is open.
    void rewind(unsigned int mark);

protected:
    TokenStream& input;
    unsigned int markerCount = 0;
    unsigned int lookaheadBase = 0;
    unsigned int pendingConsumes = 0;
    CircularQueue<TokenRefCount<Token>> queue;

private:
    // The i-th token of lookahead, from the queue when it is already there,
    // otherwise after fill(i).
    const TokenRefCount<Token>& buffered(unsigned int i)
    {
        if (detail::lookaheadBuffered(queue, lookaheadBase, pendingConsumes, i))
            detail::applyConsumes(queue, markerCount, lookaheadBase, pendingConsumes, [] {});
        else {
            requireLookahead(i);
            fill(i);
        }
        return queue.itemAt(lookaheadBase + i - 1);
    }
    // Throws TokenStreamException for i = 0.
    static void requireLookahead(unsigned int i);
    void syncConsume();
    void pull();
};

}

#endif
