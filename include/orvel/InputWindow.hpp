#ifndef ORVEL_INPUTWINDOW_HPP
#define ORVEL_INPUTWINDOW_HPP

#include <orvel/Export.hpp>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace orvel {

class InputBuffer;

// The input of a lexer built for speed (WindowScanner): one contiguous range
// of bytes with a cursor that the lexer moves itself.
//
// Over a stream, the window reads blocks of up to `blockSize` bytes through
// the stream's buffer whenever the lexer reaches the end of what it holds, and
// keeps only the bytes from the oldest of the current token's start, the
// oldest open mark and the cursor: memory follows the longest token or marked
// stretch, not the input (a reader that never calls startToken() keeps all it
// read). A read takes at least one byte and otherwise only
// what the stream buffer says it holds, so it waits for no more input than a
// byte-by-byte reader would. The stream's read position therefore runs ahead
// of the lexer by up to a block: a caller that reads the stream after the
// lexer has stopped misses those bytes.
//
// Over memory the caller holds (or a whole input moved in), there is nothing
// to read: the range is the whole input.
//
// Positions (offset(), marks) count bytes from the start of the input in 64
// bits. Bytes are handed out as unsigned char; LA() returns -1 past the end.
// A window belongs to one thread.
class ORVEL_API InputWindow {
public:
    static constexpr std::size_t DEFAULT_BLOCK_SIZE = 64 * 1024;

    // A window reading `input`, which it does not own and which must outlive
    // it, `blockSize` bytes at most per read (0 counts as 1). Reads nothing yet.
    explicit InputWindow(std::istream& input, std::size_t blockSize = DEFAULT_BLOCK_SIZE);
    // A window taking its bytes from `buffer`, which it does not own and which
    // must outlive it: one byte at a time, only as far as lookahead asks, each
    // consumed from the buffer as the window takes it.
    explicit InputWindow(InputBuffer& buffer);
    // A window over `bytes`, which the caller keeps unchanged while the
    // window lives.
    explicit InputWindow(std::string_view bytes);
    // A window over `bytes` (a whole file read, say), which it takes over.
    explicit InputWindow(std::string&& bytes);
    // Takes `other`'s input, cursor and marks; `other` is left an empty
    // window over no bytes.
    InputWindow(InputWindow&& other) noexcept;
    InputWindow& operator=(InputWindow&&) = delete;
    InputWindow(const InputWindow&) = delete;
    InputWindow& operator=(const InputWindow&) = delete;
    // Frees the bytes it holds; the stream is left alone.
    ~InputWindow();

    // Returns the cursor: the next byte to take, when it is below limit().
    const unsigned char* cursor() const { return cur; }
    // Returns the end of the bytes held now; the cursor may reach it.
    const unsigned char* limit() const { return lim; }
    // Moves the cursor to `p`, which must lie between cursor() and limit().
    void setCursor(const unsigned char* p) { cur = p; }
    // Reads the next block behind limit(), keeping the bytes from the oldest
    // of token start, open mark and cursor. Every pointer this window handed
    // out before is invalid afterwards (use cursor() and limit() again).
    // Returns false, reading nothing, at end of input. Exceptions of the
    // stream buffer pass through with nothing changed.
    bool more();

    // Returns the i-th byte from the cursor (i counts from 1), 0..255, or -1
    // past the end of input; reads as far as needed. LA(0) is the byte before
    // the cursor: outside the contract.
    int LA(std::size_t i)
    {
        if (static_cast<std::size_t>(lim - cur) >= i)
            return cur[i - 1];
        return readLA(i);
    }
    // Moves the cursor one byte on, reading first when it stands at limit();
    // at end of input nothing moves.
    void consume()
    {
        if (cur != lim || more())
            ++cur;
    }

    // Returns the position of the cursor: bytes before it in the input.
    std::uint64_t offset() const { return base + static_cast<std::uint64_t>(cur - buf); }
    // Starts a token at the cursor: the bytes from here on are kept until the
    // next startToken().
    void startToken() { tokenStart = cur; }
    // Returns where the current token started.
    const unsigned char* tokenBegin() const { return tokenStart; }
    // Returns the bytes from the token start to the cursor. The view lasts
    // until the next more(), LA() or consume() that reads.
    std::string_view tokenText() const
    {
        return {reinterpret_cast<const char*>(tokenStart), static_cast<std::size_t>(cur - tokenStart)};
    }

    // Opens a mark at the cursor and returns its position for rewind(). Marks
    // nest; the bytes from the oldest open mark on are kept.
    std::uint64_t mark();
    // Closes the newest mark and puts the cursor back at `position`, a value
    // mark() returned for an open mark. Throws ORVELException, changing
    // nothing, when no mark is open or `position` lies outside the kept bytes.
    void rewind(std::uint64_t position);
    // Closes the newest mark, leaving the cursor where it is. Throws
    // ORVELException, changing nothing, when no mark is open.
    void commit();
    // Returns the number of open marks.
    unsigned int openMarks() const { return markCount; }

private:
    int readLA(std::size_t i);
    // Drops the bytes in front of what must be kept, then makes room for a block.
    void makeRoom();
    std::size_t readBlock();
    std::size_t readBufferByte();
    void requireMark(const char* operation) const;
    // Points the window at `n` bytes at `p`, all of the input.
    void over(const unsigned char* p, std::size_t n);

    // Start of the held bytes, cursor, end of the held bytes.
    const unsigned char* buf = nullptr;
    const unsigned char* cur = nullptr;
    const unsigned char* lim = nullptr;
    const unsigned char* tokenStart = nullptr;
    // Position of buf[0] in the input.
    std::uint64_t base = 0;
    std::uint64_t oldestMark = 0;
    unsigned int markCount = 0;
    bool ended = false;

    std::istream* input = nullptr;
    InputBuffer* buffer = nullptr;
    std::size_t blockSize = 0;
    // The bytes read from the stream (capacity `capacity`), or an input taken over.
    std::unique_ptr<unsigned char[]> storage;
    std::size_t capacity = 0;
    std::unique_ptr<std::string> taken;
};

}

#endif
