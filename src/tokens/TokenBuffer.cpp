#include <orvel/TokenBuffer.hpp>

#include <orvel/TokenStreamException.hpp>

#include <orvel/LookaheadSync.hpp>

#include <utility>

namespace orvel {

TokenBuffer::TokenBuffer(TokenStream& input) : input(input) {}

TokenBuffer::~TokenBuffer() = default;

unsigned int TokenBuffer::entries() const
{
    const unsigned int queued = queue.entries();
    return queued > lookaheadBase ? queued - lookaheadBase : 0;
}

void TokenBuffer::fill(unsigned int amount)
{
    syncConsume();
    while (queue.entries() < lookaheadBase + amount)
        pull();
}

unsigned int TokenBuffer::mark()
{
    syncConsume();
    ++markerCount;
    return lookaheadBase;
}

void TokenBuffer::rewind(unsigned int mark)
{
    if (markerCount == 0)
        throw TokenStreamException("TokenBuffer: rewind() with no mark open");
    syncConsume();
    lookaheadBase = mark;
    --markerCount;
}

void TokenBuffer::requireLookahead(unsigned int i)
{
    if (i == 0)
        throw TokenStreamException("TokenBuffer: LA(0) or LT(0); lookahead starts at 1");
}

void TokenBuffer::syncConsume()
{
    detail::applyConsumes(queue, markerCount, lookaheadBase, pendingConsumes, [this] { pull(); });
}

void TokenBuffer::pull()
{
    TokenRefCount<Token> token = input.nextToken();
    if (!token)
        throw TokenStreamException("token stream returned an empty token handle");
    queue.append(std::move(token));
}

}
