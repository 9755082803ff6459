#ifndef ORVEL_TOKENSTREAMREWRITEENGINE_HPP
#define ORVEL_TOKENSTREAMREWRITEENGINE_HPP

#include <orvel/BitSet.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace orvel {

// A token stream that numbers and keeps every token it reads, and renders the
// token text as changed by named programs of edits.
//
// Design: the token buffer is never edited. An edit is a RewriteOperation
// anchored at a token index; each program keeps its operations sorted by
// index, those at one index in the order they were added. Rendering walks the
// buffer and, at each operation's index, lets the operation write its text and
// say where unchanged tokens continue: at its own index when it only adds text
// in front of its token, later when it stands for tokens not to be written.
// Operations anchored beyond the rendered range are written after it.
//
// Every token read must be a TokenWithIndex (set the lexer's token object
// factory accordingly): the engine stores each token's index in it. Tokens of
// a discarded type are numbered, kept and rendered, but not handed out.
// End-of-file tokens take an index but are not kept.
//
// The engine reads its input without owning it: the input must outlive it.
// It owns every operation of its programs.
class ORVEL_API TokenStreamRewriteEngine : public TokenStream {
public:
    // An edit anchored at a token index.
    class ORVEL_API RewriteOperation {
    public:
        virtual ~RewriteOperation();
        // Writes the operation's text, if any, to `out`; returns the index of
        // the next token to write unchanged.
        virtual unsigned long render(std::ostream& out) = 0;
        // Returns the index of the token the operation is anchored at.
        virtual unsigned long getIndex() const = 0;
    };

    // Index given to the first token read.
    static constexpr unsigned long MIN_TOKEN_INDEX = 0;
    // A size hint callers may pass to the constructor.
    static constexpr unsigned long PROGRAM_INIT_SIZE = 100;
    // Name of the program the editing operations use when none is named.
    static constexpr const char* DEFAULT_PROGRAM_NAME = "default";

    // An engine reading `input` (not owned), with no tokens, no programs and
    // an empty discard set.
    explicit TokenStreamRewriteEngine(TokenStream& input);
    // The same, reserving room for `initialSize` tokens.
    TokenStreamRewriteEngine(TokenStream& input, unsigned long initialSize);
    TokenStreamRewriteEngine(const TokenStreamRewriteEngine&) = delete;
    TokenStreamRewriteEngine& operator=(const TokenStreamRewriteEngine&) = delete;

    // Reads the next token of the input, numbers and keeps it, and returns it
    // unless its type is discarded (then reads on). An empty handle from the
    // input is returned as it is. Throws TokenStreamException when the input
    // yields a token that is not a TokenWithIndex; exceptions of the input
    // pass through.
    TokenRefCount<Token> nextToken() override;
    // Frees every operation of every program; the input is left alone.
    ~TokenStreamRewriteEngine() override;

    // Adds `ttype` to the discard set: such tokens are kept but not handed
    // out. The end-of-file type is always handed out.
    // Throws TokenStreamException, changing nothing, when `ttype` is negative.
    void discard(int ttype);
    // Returns the number of tokens kept so far.
    unsigned long size() const;
    // Returns the kept token at position `i`. Throws TokenStreamException
    // when `i` is not below size().
    TokenRefCount<TokenWithIndex> getToken(unsigned long i) const;

    // Edits: each records one operation in the named program (creating the
    // program) or in DEFAULT_PROGRAM_NAME. `from` and `to` are token indexes,
    // both included; replace() and remove() throw TokenStreamException when
    // `from` is after `to`. An index past the last token means the end of the
    // stream, up to the largest index: insertAfter() of it inserts at the end.

    // Writes `text` in front of the token at `index`.
    void insertBefore(const std::string& programName, unsigned long index, const std::string& text);
    void insertBefore(unsigned long index, const std::string& text);
    // Writes `text` after the token at `index` (in front of the next one).
    void insertAfter(const std::string& programName, unsigned long index, const std::string& text);
    void insertAfter(unsigned long index, const std::string& text);
    // Writes `text` instead of the tokens from `from` to `to`.
    void replace(const std::string& programName, unsigned long from, unsigned long to,
                 const std::string& text);
    void replace(unsigned long from, unsigned long to, const std::string& text);
    // Writes `text` instead of the token at `index`.
    void replace(const std::string& programName, unsigned long index, const std::string& text);
    void replace(unsigned long index, const std::string& text);
    // Writes nothing for the tokens from `from` to `to`.
    void remove(const std::string& programName, unsigned long from, unsigned long to);
    void remove(unsigned long from, unsigned long to);
    // Writes nothing for the token at `index`.
    void remove(const std::string& programName, unsigned long index);
    void remove(unsigned long index);

    // Adds `op` to the named program (creating it), after every operation
    // whose index is not greater. The engine takes ownership of `op` (which
    // must come from new) and frees it on rollback or destruction.
    // A null `op` adds nothing.
    void addToSortedRewriteList(const std::string& programName, RewriteOperation* op);
    // Keeps the first `instructionIndex` operations of the named program, in
    // index order, and frees the rest; the program stays, even when emptied.
    // A missing program, or an index at or beyond its length, changes nothing.
    void rollback(const std::string& programName, unsigned long instructionIndex);
    void rollback(unsigned long instructionIndex);

    // Writes the text of the kept tokens from position `first` to `last`
    // (clamped to the last kept token) as the named program changes it, then
    // runs every operation not reached within that range, in order. Writes
    // nothing when no token is kept or the program does not exist.
    void toStream(std::ostream& out, const std::string& programName, unsigned long first,
                  unsigned long last) const;
    // Writes the unchanged text of the kept tokens at positions `start` to
    // `end` - 1; `end` is clamped to size().
    void originalToStream(std::ostream& out, unsigned long start, unsigned long end) const;
    // Writes one line "[txt='<text>' tp=<type> idx=<index>]" per kept token at
    // positions `start` to `end` - 1; `end` is clamped to size().
    void toDebugStream(std::ostream& out, unsigned long start, unsigned long end) const;
    // Returns every kept token's text as the named program changes it.
    std::string toString(const std::string& programName) const;
    std::string toString() const;
    // Returns every kept token's text unchanged.
    std::string toOriginalString() const;

protected:
    using Program = std::vector<std::unique_ptr<RewriteOperation>>;

    TokenStream& input;
    unsigned long nextIndex = MIN_TOKEN_INDEX;
    std::vector<TokenRefCount<TokenWithIndex>> tokens;
    std::map<std::string, Program> programs;
    BitSet discardMask;
};

}

#endif
