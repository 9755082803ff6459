#ifndef ORVEL_WINDOWSCANNER_HPP
#define ORVEL_WINDOWSCANNER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/ErrorCounter.hpp>
#include <orvel/Export.hpp>
#include <orvel/InputWindow.hpp>
#include <orvel/LexerInputState.hpp>
#include <orvel/LexerModes.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenDelivery.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

// The base of lexers built for speed: CharScanner's rule operations over an
// InputWindow, with the cursor, the token text and the position kept cheaply.
//
// Per token, nextToken() calls resetText(), which starts the token at the
// cursor; the rules look with LA(), take bytes with consume(), consumeRun()
// and the match operations, and call newline() after a line end;
// makeToken(type, getText()) then builds the token in one step. The token
// text is the slice of the window from the token's start to the cursor:
// nothing is copied while a token is scanned, unless an action edits the text (setText(), append(), or
// setSaveText(false)), from which point on the text is an owned copy that
// consumed bytes are appended to while saving is on.
//
// The column is not counted per byte: it is the distance from a base that
// only newline(), tabs and setColumn() move, so it is worked out when asked
// for (at the token's start, and for errors).
//
// Unlike CharScanner this class shares no input state (one made from a
// LexerInputState only starts from it), has no literal table
// (a generated lexer tells keywords apart itself) or virtual lookahead:
// everything a rule calls per byte is inline and not virtual, for final
// lexer classes. Messages, reports, traces and recovery are CharScanner's,
// byte for byte. A case-insensitive scanner folds LA() to lower case; the
// text keeps the input's own case. At end of input consume() does nothing
// (CharScanner appends the end-of-input value to the text).
//
// While guessing (getGuessing() above 0, between mark() and rewind()) an
// edited text is not appended to. rewind() restores the cursor, line and
// column of the mark.
class ORVEL_API WindowScanner : public TokenStream {
public:
    // Makes an empty token object for makeToken().
    using TokenObjectFactory = TokenRefCount<Token> (*)();

    // A position to come back to: what mark() returns.
    struct Mark {
        std::uint64_t offset;
        std::int64_t columnBase;
        int line;
    };

    static constexpr int EOF_CHAR = -1;

    // A scanner over `window` (taken over). `caseSensitive` false folds LA()
    // to lower case.
    explicit WindowScanner(InputWindow window, bool caseSensitive = true);
    // A scanner over the input of `state`, which it keeps alive, starting at
    // the state's line, column and file name. It takes bytes from the state's
    // buffer as lookahead reaches them, and keeps its own position from then
    // on: the state is not updated. Throws ORVELException when `state` is
    // empty or has no buffer.
    WindowScanner(const RefCount<LexerInputState>& state, bool caseSensitive);
    WindowScanner(const WindowScanner&) = delete;
    WindowScanner& operator=(const WindowScanner&) = delete;
    ~WindowScanner() override;

    // Returns the next token; supplied by the concrete lexer.
    TokenRefCount<Token> nextToken() override = 0;

    // Returns the i-th lookahead byte (i counts from 1), 0..255 or EOF_CHAR,
    // folded to lower case when the scanner is case-insensitive. Reads as far
    // as needed; exceptions of the stream pass through.
    int LA(std::size_t i)
    {
        const int c = input.LA(i);
        return caseSensitive ? c : toLower(c);
    }
    // Takes the lookahead byte: a tab moves the column to the next tab stop,
    // an edited text gets the byte (in the input's own case). A line end is
    // not special: the lexer calls newline(). At end of input nothing happens.
    void consume()
    {
        const unsigned char* p = input.cursor();
        if (p == input.limit()) {
            consumeAtLimit();
            return;
        }
        input.setCursor(p + 1);
        took(*p);
    }
    // Consumes the longest run of bytes that `member`, indexed by the input's
    // own byte, holds true for (a case-insensitive lexer's table holds both
    // cases). Returns the number of bytes consumed.
    std::size_t consumeRun(const bool (&member)[256])
    {
        std::size_t total = 0;
        const bool tabs = member[static_cast<unsigned char>('\t')];
        for (;;) {
            const unsigned char* const from = input.cursor();
            const unsigned char* const end = input.limit();
            const unsigned char* p = from;
            if (tabs) {
                for (; p != end && member[*p]; ++p)
                    if (*p == '\t')
                        tabAt(p);
            } else {
                while (p != end && member[*p])
                    ++p;
            }
            input.setCursor(p);
            total += static_cast<std::size_t>(p - from);
            if (appending)
                appendRun(from, p);
            if (p != end || !input.more())
                return total;
        }
    }

    // Consumes the lookahead byte if it is `c`; otherwise throws
    // MismatchedCharException (CHAR) and consumes nothing.
    void match(int c)
    {
        if (LA(1) != c)
            mismatch(c);
        consume();
    }
    // Consumes the lookahead byte if it lies in `c1`..`c2`; otherwise throws
    // MismatchedCharException (RANGE).
    void matchRange(int c1, int c2);
    // Consumes the lookahead byte if it is in `b`; otherwise throws
    // MismatchedCharException (SET, with a copy of `b`).
    void match(const BitSet& b);
    // Matches each byte of `s` in turn as match(int) does; at the first
    // mismatch throws MismatchedCharException (CHAR), the bytes before it
    // staying consumed.
    void match(std::string_view s);
    // As match(std::string_view), up to the terminating zero.
    void match(const char* s) { match(std::string_view(s)); }
    // Consumes the lookahead byte unless it is `c`; otherwise throws
    // MismatchedCharException (NOT_CHAR). At end of input throws NOT_SET with
    // `c` as the only member (NOT_CHAR when `c` is negative).
    void matchNot(int c);

    // Consumes bytes up to (not including) `c` or end of input.
    void consumeUntil(int c);
    // Consumes bytes up to (not including) a member of `set` or end of input.
    void consumeUntil(const BitSet& set);
    // Consumes one byte, then up to a member of `tokenSet`; `ex` is not used.
    void recover(const RecognitionException& ex, const BitSet& tokenSet);

    // Opens a mark at the cursor; returns it for rewind(). Marks nest.
    Mark mark() { return {input.mark(), columnBase, line}; }
    // Closes the newest mark and returns to `m`: cursor, line and column.
    // Throws ORVELException, changing nothing, when no mark is open or `m`
    // is no open mark's.
    void rewind(const Mark& m);
    // Closes the newest mark, staying where the scanner is. Throws
    // ORVELException when no mark is open.
    void commit() { input.commit(); }
    // Returns the nesting depth of syntactic predicates being tried.
    int getGuessing() const { return guessing; }
    // Sets that depth; the lexer raises it around a predicate.
    void setGuessing(int depth);

    // Starts a new token at the cursor: the text becomes the empty slice there
    // and the current line and column are recorded for makeToken().
    void resetText()
    {
        input.startToken();
        startLine = line;
        startColumn = getColumn();
        if (editing || !saveText)
            restartText();
        nestingExceeded = false;
    }
    // Returns the token text: the bytes from the token's start to the cursor,
    // or the edited copy. The view lasts until the next consume, lookahead,
    // edit or resetText().
    std::string_view getText() const
    {
        return editing ? std::string_view(edited) : input.tokenText();
    }
    // Replaces the token text.
    void setText(std::string_view s);
    // Appends `c` to the token text, unless saving is off.
    void append(char c);
    // Appends `s` to the token text, unless saving is off.
    void append(std::string_view s);
    // Sets whether consumed bytes go into the text from now on, across
    // tokens (on unless changed).
    void setSaveText(bool save);

    // Returns the current line (from 1).
    int getLine() const { return line; }
    // Sets the current line.
    void setLine(int l) { line = l; }
    // Returns the current column (from 1).
    int getColumn() const { return static_cast<int>(static_cast<std::int64_t>(input.offset()) - columnBase); }
    // Sets the current column.
    void setColumn(int c) { columnBase = static_cast<std::int64_t>(input.offset()) - c; }
    // Moves to the start of the next line: line + 1, column 1.
    void newline()
    {
        ++line;
        columnBase = static_cast<std::int64_t>(input.offset()) - 1;
    }
    // Returns the tab stop width, 8 unless changed: consume() moves the
    // column of a tab to the next stop.
    int getTabSize() const { return tabSize; }
    // Sets the tab stop width. Throws ORVELException, changing nothing, below 1.
    void setTabSize(int size);
    // Returns the input's name (empty when unknown).
    const std::string& getFilename() const { return filename; }
    // Names the input, for messages.
    void setFilename(const std::string& f) { filename = f; }
    // Returns whether LA() leaves bytes as they are.
    bool getCaseSensitive() const { return caseSensitive; }

    // Returns a token of type `t` with text `text` and the token's start line
    // and column. Without a token object factory the token is a CommonToken
    // made in one step (CommonToken::make); with one, the factory's token
    // given type, column, line and text in that order. Throws ORVELException
    // when the factory returns an empty handle.
    TokenRefCount<Token> makeToken(int t, std::string_view text)
    {
        if (!tokenObjectFactory)
            return CommonToken::make(t, text, startLine, startColumn);
        return makeFactoryToken(t, text);
    }
    // As makeToken(t, text) with an empty text, for a token an action makes
    // and emits.
    TokenRefCount<Token> makeToken(int t) { return makeToken(t, std::string_view()); }
    // Makes makeToken() build its tokens with `factory`; null returns to
    // CommonTokens made in one step.
    void setTokenObjectFactory(TokenObjectFactory factory) { tokenObjectFactory = factory; }

    // Enters a rule: one level deeper. Past the nesting limit it throws
    // RecognitionException "nesting deeper than N" at the current position
    // instead, and nestingWasExceeded() turns true until the next token.
    void enterRule()
    {
        if (nesting >= nestingLimit)
            nestingTooDeep();
        ++nesting;
    }
    // Leaves a rule entered with enterRule().
    void leaveRule() { --nesting; }
    // Returns whether a rule went past the nesting limit since resetText().
    bool nestingWasExceeded() const { return nestingExceeded; }
    // Rules nest at most `limit` deep (1000 unless changed).
    void setNestingLimit(int limit) { nestingLimit = limit; }
    int getNestingLimit() const { return nestingLimit; }

    // Writes ex.toString() and an end of line to std::cerr.
    virtual void reportError(const RecognitionException& ex);
    // Reports `ex` with reportError() and counts it; throws
    // ErrorLimitException once the error limit is reached.
    void reportSyntaxError(const RecognitionException& ex);
    // Returns how many errors reportSyntaxError() reported.
    int getNumberOfSyntaxErrors() const { return errorCounter.getCount(); }
    // Makes reportSyntaxError throw ErrorLimitException once it has reported
    // `n` errors; 0 (the default) for no limit. Throws ORVELException,
    // changing nothing, when `n` is negative.
    void setErrorLimit(int n) { errorCounter.setLimit(n); }
    // Returns the error limit, 0 when there is none.
    int getErrorLimit() const { return errorCounter.getLimit(); }
    // Writes "error: " and `s` (after the file name and ": " when the input
    // has a name) and an end of line to std::cerr.
    virtual void reportError(const std::string& s);
    // As reportError(const std::string&), with "warning: ".
    virtual void reportWarning(const std::string& s);
    // Called by generated lexers the first time they reach end of input,
    // before they make the EOF token (which comes after any token emit()
    // queued here); does nothing here.
    virtual void uponEOF();
    // Queues `t` to be returned by nextToken after the token being scanned
    // (if any) and any queued before it. Throws ORVELException, queueing
    // nothing, when `t` is empty.
    void emit(const TokenRefCount<Token>& t) { delivery.emit(t); }
    // Returns the lexer mode in force (0, the default mode, unless changed).
    int getMode() const { return modes.get(); }
    // Switches to `m`, forgetting the mode in force. Throws ORVELException,
    // changing nothing, when `m` is no mode of this lexer.
    void setMode(int m) { modes.set(m); }
    // Switches to `m`, keeping the mode in force for popMode(). Throws as
    // setMode does.
    void pushMode(int m) { modes.push(m); }
    // Returns to the mode the last pushMode() left and returns it. With no
    // mode pushed, throws a RecognitionException at the current position,
    // changing nothing.
    int popMode();
    // Returns the type of the last token nextToken returned,
    // Token::INVALID_TYPE before the first.
    int prevType() const { return delivery.previousType(); }
    // Enters rule `rname`: one level deeper, then writes the indented line
    // "> lexer <rname>; c==<LA(1) in decimal>" to std::cout.
    void traceIn(const char* rname);
    // Writes "< lexer <rname>; c==<LA(1)>" indented to std::cout, then one
    // level shallower.
    void traceOut(const char* rname);

protected:
    // Declares how many modes the lexer has (1 unless called); the generated
    // constructors call it. Throws ORVELException when `n` is below 1.
    void setModeCount(int n) { modes.setCount(n); }
    // Returns whether emit() queued a token that nextToken has not returned.
    bool hasEmitted() const { return delivery.hasEmitted(); }
    // Takes the first token emit() queued; one must be queued.
    TokenRefCount<Token> takeEmitted() { return delivery.takeEmitted(); }
    // Returns `t` after noting it as the token nextToken returns: its type
    // for prevType(), and on the token whether a line end came since the
    // previous token (or the start of input) ended.
    const TokenRefCount<Token>& deliver(const TokenRefCount<Token>& t) { return delivery.deliver(t, line); }
    // As deliver(), for the token the rules just made with makeToken(): it
    // starts where resetText() found the cursor.
    const TokenRefCount<Token>& deliverScanned(const TokenRefCount<Token>& t)
    {
        return delivery.deliver(t, startLine, line);
    }
    // Calls uponEOF() the first time it is called; for the generated
    // nextToken at end of input.
    void endOfInput()
    {
        if (delivery.firstEndOfInput())
            uponEOF();
    }
    // Returns `c` in lower case; EOF_CHAR unchanged.
    static int toLower(int c);
    // Returns whether `text` in lower case is `lower`.
    static bool equalsFolded(std::string_view text, std::string_view lower);

    InputWindow input;

private:
    // What consume() does after moving past byte `c`.
    void took(unsigned char c)
    {
        if (c == '\t')
            tabAt(input.cursor() - 1);
        if (appending)
            appendByte(c);
    }
    // The column correction for a tab at `p`, which the cursor has passed.
    void tabAt(const unsigned char* p)
    {
        const std::int64_t at = static_cast<std::int64_t>(input.offset()) - (input.cursor() - p);
        const int column = static_cast<int>(at - columnBase);
        columnBase -= nextTabStop(column) - column - 1;
    }
    int nextTabStop(int column) const { return ((column - 1) / tabSize + 1) * tabSize + 1; }
    void consumeAtLimit();
    void appendByte(unsigned char c);
    void appendRun(const unsigned char* from, const unsigned char* to);
    void startEditing();
    // Empties the edited text; a scanner not saving edits from the start.
    void restartText();
    void updateAppending() { appending = editing && saveText && guessing == 0; }
    [[noreturn]] void mismatch(int expected);
    [[noreturn]] void nestingTooDeep();
    TokenRefCount<Token> makeFactoryToken(int t, std::string_view text);
    void traceLine(const char* prefix, const char* rname);

    bool caseSensitive;
    // Whether consumed bytes go into `edited`: editing, saving and not guessing.
    bool appending = false;
    bool editing = false;
    bool saveText = true;
    int guessing = 0;
    int line = 1;
    // The column is the cursor's offset minus this.
    std::int64_t columnBase = -1;
    int startLine = 1;
    int startColumn = 1;
    int tabSize = 8;
    std::string edited;
    std::string filename;
    TokenObjectFactory tokenObjectFactory = nullptr;
    LexerModes modes;
    TokenDelivery delivery;
    ErrorCounter errorCounter;
    RefCount<LexerInputState> inputState;
    int nesting = 0;
    int nestingLimit = 1000;
    bool nestingExceeded = false;
    int traceDepth = 0;
};

}

#endif
