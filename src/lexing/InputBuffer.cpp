#include <orvel/InputBuffer.hpp>

#include <orvel/LookaheadSync.hpp>
#include <orvel/ORVELException.hpp>

namespace orvel {

// Defined first and inline: it is on the path of every character read.
inline void InputBuffer::syncConsume()
{
    detail::applyConsumes(queue, markerCount, lookaheadBase, pendingConsumes,
                          [this] { queue.append(getChar()); });
}

void InputBuffer::reset()
{
    markerCount = 0;
    lookaheadBase = 0;
    pendingConsumes = 0;
    queue.clear();
}

void InputBuffer::fill(unsigned int amount)
{
    syncConsume();
    for (unsigned int queued = queue.entries(); queued < lookaheadBase + amount; ++queued)
        queue.append(getChar());
}

int InputBuffer::readLA(unsigned int i)
{
    if (i == 0)
        throw ORVELException("InputBuffer: LA(0); lookahead starts at 1");
    if (ownLookahead)
        InputBuffer::fill(i);
    else
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

}
