#include <orvel/InputWindow.hpp>

#include <orvel/InputBuffer.hpp>
#include <orvel/ORVELException.hpp>

#include <algorithm>
#include <cstring>
#include <streambuf>
#include <utility>

namespace orvel {

InputWindow::InputWindow(std::istream& input_, std::size_t blockSize_)
    : input(&input_), blockSize(std::max<std::size_t>(blockSize_, 1))
{
}

InputWindow::InputWindow(InputBuffer& buffer_) : buffer(&buffer_), blockSize(1) {}

InputWindow::InputWindow(std::string_view bytes)
{
    over(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

InputWindow::InputWindow(std::string&& bytes) : taken(std::make_unique<std::string>(std::move(bytes)))
{
    over(reinterpret_cast<const unsigned char*>(taken->data()), taken->size());
}

InputWindow::InputWindow(InputWindow&& other) noexcept
    : buf(other.buf),
      cur(other.cur),
      lim(other.lim),
      tokenStart(other.tokenStart),
      base(other.base),
      oldestMark(other.oldestMark),
      markCount(other.markCount),
      ended(other.ended),
      input(other.input),
      buffer(other.buffer),
      blockSize(other.blockSize),
      storage(std::move(other.storage)),
      capacity(other.capacity),
      taken(std::move(other.taken))
{
    other.input = nullptr;
    other.buffer = nullptr;
    other.capacity = 0;
    other.base = 0;
    other.markCount = 0;
    other.over(nullptr, 0);
}

InputWindow::~InputWindow() = default;

void InputWindow::over(const unsigned char* p, std::size_t n)
{
    buf = cur = tokenStart = p;
    lim = p + n;
    ended = true;
}

bool InputWindow::more()
{
    if (ended)
        return false;
    makeRoom();
    const std::size_t n = readBlock();
    if (n == 0) {
        ended = true;
        if (input)
            input->setstate(std::ios_base::eofbit);
        return false;
    }
    lim += n;
    return true;
}

// Keeps the bytes from the oldest of token start, cursor and oldest mark,
// moved to the front; grows the storage when a block does not fit behind them.
void InputWindow::makeRoom()
{
    const unsigned char* keep = std::min(tokenStart, cur);
    if (markCount > 0)
        keep = std::min(keep, buf + (oldestMark - base));
    const std::size_t kept = static_cast<std::size_t>(lim - keep);
    const std::size_t dropped = static_cast<std::size_t>(keep - buf);
    unsigned char* front = storage.get();
    if (capacity - kept < blockSize) {
        const std::size_t grown = std::max(2 * capacity, kept + blockSize);
        auto bigger = std::make_unique<unsigned char[]>(grown);
        storage.swap(bigger);
        capacity = grown;
        front = storage.get();
        if (kept > 0)
            std::memcpy(front, keep, kept);
    } else if (dropped > 0 && kept > 0) {
        std::memmove(front, keep, kept);
    }
    // Every held pointer moves by the same distance, to the new front.
    const auto moved = [&](const unsigned char* p) { return front + (p - keep); };
    cur = moved(cur);
    tokenStart = moved(tokenStart);
    lim = front + kept;
    buf = front;
    base += dropped;
}

std::size_t InputWindow::readBlock()
{
    if (buffer)
        return readBufferByte();
    std::streambuf* source = input->rdbuf();
    if (!source)
        return 0;
    using Traits = std::istream::traits_type;
    // Waits for one byte, then takes no more than the buffer already holds.
    if (Traits::eq_int_type(source->sgetc(), Traits::eof()))
        return 0;
    const std::streamsize held = std::max<std::streamsize>(source->in_avail(), 1);
    const std::size_t room = capacity - static_cast<std::size_t>(lim - buf);
    const std::size_t want = std::min({blockSize, room, static_cast<std::size_t>(held)});
    unsigned char* const end = storage.get() + (lim - buf);
    return static_cast<std::size_t>(source->sgetn(reinterpret_cast<char*>(end), static_cast<std::streamsize>(want)));
}

std::size_t InputWindow::readBufferByte()
{
    const int c = buffer->LA(1);
    if (c < 0)
        return 0;
    buffer->consume();
    storage[static_cast<std::size_t>(lim - buf)] = static_cast<unsigned char>(c);
    return 1;
}

int InputWindow::readLA(std::size_t i)
{
    while (static_cast<std::size_t>(lim - cur) < i)
        if (!more())
            return -1;
    return cur[i - 1];
}

std::uint64_t InputWindow::mark()
{
    const std::uint64_t position = offset();
    if (markCount == 0)
        oldestMark = position;
    ++markCount;
    return position;
}

void InputWindow::rewind(std::uint64_t position)
{
    requireMark("rewind()");
    if (position < oldestMark || position > base + static_cast<std::uint64_t>(lim - buf))
        throw ORVELException("InputWindow: rewind() to a position outside the kept input");
    cur = buf + (position - base);
    tokenStart = std::min(tokenStart, cur);
    --markCount;
}

void InputWindow::commit()
{
    requireMark("commit()");
    --markCount;
}

void InputWindow::requireMark(const char* operation) const
{
    if (markCount == 0)
        throw ORVELException(std::string("InputWindow: ") + operation + " with no mark open");
}

}
