#include <orvel/InputBuffer.hpp>

#include <orvel/ORVELException.hpp>

#include "foundations/ApplyConsumes.hpp"

namespace orvel {

void InputBuffer::reset()
{
    markerCount = 0;
    lookaheadBase = 0;
    pendingConsumes = 0;
    queue.clear();
}

void InputBuffer::consume() { ++pendingConsumes; }

void InputBuffer::fill(unsigned int amount)
{
    syncConsume();
    while (queue.entries() < lookaheadBase + amount)
        queue.append(getChar());
}

int InputBuffer::LA(unsigned int i)
{
    if (i == 0)
        throw ORVELException("InputBuffer: LA(0); lookahead starts at 1");
    fill(i);
    return queue.itemAt(lookaheadBase + i - 1);
}

unsigned int InputBuffer::mark()
{
    syncConsume();
    ++markerCount;
    return lookaheadBase;
}

bool InputBuffer::isMarked() const { return markerCount != 0; }

void InputBuffer::rewind(unsigned int mark)
{
    requireMark("rewind()");
    syncConsume();
    lookaheadBase = mark;
    --markerCount;
}

void InputBuffer::commit()
{
    requireMark("commit()");
    --markerCount;
}

void InputBuffer::requireMark(const char* operation) const
{
    if (markerCount == 0)
        throw ORVELException(std::string("InputBuffer: ") + operation + " with no mark open");
}

// While a mark is open, consumes made without a lookahead in between can move
// `lookaheadBase` past the queued characters; nothing is buffered then.
unsigned int InputBuffer::entries() const
{
    const unsigned int queued = queue.entries();
    return queued > lookaheadBase ? queued - lookaheadBase : 0;
}

std::string InputBuffer::getLAChars() const
{
    std::string chars;
    for (unsigned int i = lookaheadBase; i < queue.entries(); ++i)
        chars += static_cast<char>(queue.itemAt(i));
    return chars;
}

std::string InputBuffer::getMarkedChars() const
{
    std::string chars;
    for (unsigned int i = 0; i < lookaheadBase && i < queue.entries(); ++i)
        chars += static_cast<char>(queue.itemAt(i));
    return chars;
}

void InputBuffer::syncConsume()
{
    detail::applyConsumes(queue, markerCount, lookaheadBase, pendingConsumes,
                          [this] { queue.append(getChar()); });
}

}
