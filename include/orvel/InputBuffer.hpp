#ifndef ORVEL_INPUTBUFFER_HPP
#define ORVEL_INPUTBUFFER_HPP

#include <orvel/CircularQueue.hpp>
#include <orvel/Export.hpp>
#include <orvel/LookaheadSync.hpp>

#include <string>

namespace orvel {

// Character lookahead of any depth over a character source.
//
// Characters are read only when LA() asks for them (fill), consumes are only
// counted until the next fill, mark or rewind applies them, and while a mark
// is open consumed characters stay in the queue so that rewind() can return
// to them. Characters are ints: a byte 0..255, or -1 for end of input, which
// is stored like any character (reading past the end keeps yielding -1).
//
// Queue positions below `lookaheadBase` hold consumed characters kept for a
// rewind (or left in front after a commit); LA(1) is at `lookaheadBase`.
//
// LA() and consume() are inline: a lookahead already buffered is answered
// from the queue without a fill, applying pending consumes on the way, and
// only a lookahead that needs reading goes through fill().
class ORVEL_API InputBuffer {
public:
    InputBuffer() = default;
    InputBuffer(const InputBuffer&) = delete;
    InputBuffer& operator=(const InputBuffer&) = delete;
    virtual ~InputBuffer() = default;

    // Forgets marks, pending consumes and buffered characters. The source is
    // not touched: characters already read from it are lost.
    virtual void reset();
    // Counts one consume; nothing is read or dropped until the next lookahead,
    // fill, mark or rewind. A character consumed without being looked at is
    // read then and skipped.
    virtual void consume() { ++pendingConsumes; }
    // Applies pending consumes, then reads until `amount` characters of
    // lookahead are buffered. Exceptions of the source pass through.
    virtual void fill(unsigned int amount);
    // Returns the next character of the source, or -1 at its end.
    virtual int getChar() = 0;
    // Returns the i-th lookahead character, a byte 0..255 or -1 past the end;
    // i counts from 1: LA(0) throws ORVELException. Reads only as deep as i requires;
    // exceptions of the source pass through.
    virtual int LA(unsigned int i) { return lookahead(i); }
    // Opens a mark; returns the position to give to rewind(). Every mark must
    // be closed by exactly one rewind() or commit(), innermost first.
    virtual unsigned int mark();
    // Returns whether any mark is open.
    virtual bool isMarked() const;
    // Closes the newest mark and makes the characters consumed since `mark`
    // (a value mark() returned) visible to LA() again. Throws ORVELException,
    // changing nothing, when no mark is open.
    virtual void rewind(unsigned int mark);
    // Returns the number of buffered lookahead characters (pending consumes
    // still count).
    virtual unsigned int entries() const;

    // Closes the newest mark without rewinding; the characters consumed since
    // it stay consumed. Throws ORVELException, changing nothing, when no mark
    // is open.
    void commit();

    // What a scanner calls for LA(i): the same answer, taken straight from the
    // queue when the character is buffered and this buffer's lookahead is the
    // library's own (a CharBuffer, not a class derived from it), otherwise
    // through the virtual LA(i).
    int scannerLA(unsigned int i) { return ownLookahead ? lookahead(i) : LA(i); }
    // What a scanner calls for consume(): counts the consume directly when this
    // buffer's lookahead is the library's own, otherwise calls consume().
    void scannerConsume()
    {
        if (ownLookahead)
            ++pendingConsumes;
        else
            consume();
    }

    // Returns the buffered lookahead characters, each narrowed to a char (end
    // of input becomes '\xFF'). Pending consumes are not applied first.
    std::string getLAChars() const;
    // Returns the consumed characters still buffered in front of the
    // lookahead, each narrowed to a char. Pending consumes are not applied
    // first.
    std::string getMarkedChars() const;

protected:
    unsigned int markerCount = 0;
    unsigned int lookaheadBase = 0;
    unsigned int pendingConsumes = 0;
    CircularQueue<int> queue;
    // Whether LA(), consume() and fill() are known to be this class's own, so
    // that a scanner may take buffered characters without calling them; a
    // buffer class sets it once it knows its dynamic type.
    bool ownLookahead = false;

private:
    void syncConsume();
    // This class's LA(): from the queue when the character is buffered,
    // otherwise through readLA().
    int lookahead(unsigned int i)
    {
        if (detail::lookaheadBuffered(queue, lookaheadBase, pendingConsumes, i)) {
            detail::applyConsumes(queue, markerCount, lookaheadBase, pendingConsumes, [] {});
            return queue.itemAt(lookaheadBase + i - 1);
        }
        return readLA(i);
    }
    // LA() when the character must be read first: fill(i), then the queue.
    // fill() is called directly when it is known to be this class's own.
    int readLA(unsigned int i);
    // Throws ORVELException naming `operation` when no mark is open.
    void requireMark(const char* operation) const;
};

}

#endif
