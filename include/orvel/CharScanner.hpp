#ifndef ORVEL_CHARSCANNER_HPP
#define ORVEL_CHARSCANNER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CharScannerLiteralsLess.hpp>
#include <orvel/ErrorCounter.hpp>
#include <orvel/Export.hpp>
#include <orvel/InputBuffer.hpp>
#include <orvel/LexerInputState.hpp>
#include <orvel/LexerModes.hpp>
#include <orvel/MismatchedCharException.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenDelivery.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

#include <map>
#include <string>
#include <vector>

namespace orvel {

// The base of every lexer.
//
// A concrete (usually generated) lexer supplies nextToken() and its rule
// methods; this class supplies what those rules call. Per token, nextToken()
// calls resetText(), which records where the token starts; the rules look at
// characters with LA(), take them with match(), matchRange(), matchNot() or
// consume(), which append them to the token text and advance the column, and
// call newline() after a line end; makeToken() then builds the token through
// the token object factory, stamped with the start position.
//
// The position, the character buffer and the file name live in a
// LexerInputState shared through a RefCount, so that several scanners can
// read one input in turn. While the state's `guessing` is above 0 (a
// syntactic predicate is being tried between mark() and rewind()), consume()
// advances the buffer only: text and column stay as they were.
//
// A case-insensitive scanner folds characters to lower case in LA(), so its
// rules match lower-case characters, while the token text keeps the input's
// own case. The literal table maps token texts to keyword types; whether its
// lookups ignore case is the concrete lexer's getLiteralsCaseSensitive().
//
// LA(), consume() and append() are inline, so that a lexer class marked final
// calls them without a virtual dispatch.
//
// Errors are thrown, never reported on their own: the match operations throw
// MismatchedCharException, and the lexer's rules catch RecognitionException,
// call reportError() (one line on std::cerr) and recover(). Rule traces go to
// std::cout.
class ORVEL_API CharScanner : public TokenStream {
public:
    // Makes an empty token object for makeToken().
    using TokenObjectFactory = TokenRefCount<Token> (*)();

    // The character LA() returns at end of input.
    static constexpr int EOF_CHAR = -1;
    static constexpr int NO_CHAR = 0;

    // A scanner over `cb`, which it does not own: the buffer must outlive every
    // scanner that shares the input state. `case_sensitive` false folds LA()
    // to lower case.
    CharScanner(InputBuffer& cb, bool case_sensitive);
    // A scanner that owns `cb` through a new input state: the buffer is
    // deleted with the state, when its last sharer goes.
    CharScanner(InputBuffer* cb, bool case_sensitive);
    // A scanner that continues on `state`, shared with whoever else holds it.
    CharScanner(const RefCount<LexerInputState>& state, bool case_sensitive);
    CharScanner(const CharScanner&) = delete;
    CharScanner& operator=(const CharScanner&) = delete;

    // Returns the next token; supplied by the concrete lexer.
    TokenRefCount<Token> nextToken() override = 0;
    // Releases the input state (deleting it, and an owned buffer, when this was
    // its last sharer), the token object, the literal table and the text.
    ~CharScanner() override;

    // Returns the i-th lookahead character (i counts from 1), a byte 0..255 or
    // EOF_CHAR, folded by toLower() when the scanner is case-insensitive.
    // Reads from the input as far as needed; stream exceptions pass through.
    virtual int LA(unsigned int i)
    {
        const int c = inputState->input->scannerLA(i);
        return caseSensitive ? c : toLower(c);
    }
    // Appends `c` to the token text, unless saveText is false. The text grows
    // in steps of 256 characters.
    virtual void append(char c)
    {
        if (!saveText)
            return;
        // The capacity test keeps reserve() from being taken as a request to
        // shrink a text that grew long earlier.
        const std::string::size_type n = text.length();
        if (n % 256 == 0 && text.capacity() < n + 256)
            text.reserve(n + 256);
        text += c;
    }
    // Appends `s` to the token text, unless saveText is false.
    virtual void append(const std::string& s);
    // Closes the newest mark without rewinding: what was consumed since
    // stays consumed. A mark must be open.
    virtual void commit();
    // Skips past an error: consumes one character, then consumes up to (not
    // including) the first character in `tokenSet` or end of input. `ex` is
    // not used.
    virtual void recover(const RecognitionException& ex, const BitSet& tokenSet);
    // Takes the lookahead character. Unless guessing, appends it to the text
    // (in the input's own case) and advances the column, to the next tab stop
    // for a tab. A line end is not special: the lexer calls newline().
    virtual void consume()
    {
        LexerInputState& state = *inputState;
        if (state.guessing == 0) {
            const int c = LA(1);
            append(static_cast<char>(caseSensitive ? c : state.input->scannerLA(1)));
            if (c == '\t')
                tab();
            else
                ++state.column;
        }
        state.input->scannerConsume();
    }
    // Consumes characters up to (not including) `c` or end of input.
    virtual void consumeUntil(int c);
    // Consumes characters up to (not including) a member of `set` or end of input.
    virtual void consumeUntil(const BitSet& set);
    // Opens a mark on the buffer; returns the position to give to rewind().
    virtual unsigned int mark();
    // Closes the newest mark and goes back to `pos`, a value mark() returned.
    // Line, column and text are not restored: a predicate tried with
    // `guessing` above 0 never changed them.
    virtual void rewind(unsigned int pos);
    // Consumes the lookahead character if it is `c`; otherwise throws
    // MismatchedCharException (CHAR) and consumes nothing.
    virtual void match(int c);
    // Consumes the lookahead character if it is a member of `b`; otherwise
    // throws MismatchedCharException (SET, with a copy of `b`).
    virtual void match(const BitSet& b);
    // Matches each character of the zero-terminated `s` in turn, as match(int)
    // does with its byte value. At the first mismatch it throws
    // MismatchedCharException (CHAR); the characters before it stay consumed.
    virtual void match(const char* s);
    // As match(const char*), for every character of `s` (zero bytes included).
    virtual void match(const std::string& s);
    // Consumes the lookahead character unless it is `c`; otherwise throws
    // MismatchedCharException (NOT_CHAR). End of input matches no inverted
    // character: there it throws NOT_SET with `c` as the only member (NOT_CHAR
    // when `c` is negative) and consumes nothing.
    virtual void matchNot(int c);
    // Consumes the lookahead character if it lies in `c1`..`c2` (both
    // included); otherwise throws MismatchedCharException (RANGE).
    virtual void matchRange(int c1, int c2);
    // Returns whether LA() leaves characters as they are.
    virtual bool getCaseSensitive() const;
    // Sets whether LA() leaves characters as they are (true) or folds them to
    // lower case (false).
    virtual void setCaseSensitive(bool t);
    // Returns whether the literal table tells case variants apart; supplied by
    // the concrete lexer, and fixed for the scanner's life.
    virtual bool getLiteralsCaseSensitive() const = 0;
    // Returns the current line of the input state.
    virtual int getLine() const;
    // Sets the current line of the input state.
    virtual void setLine(int l);
    // Returns the current column of the input state.
    virtual int getColumn() const;
    // Sets the current column of the input state.
    virtual void setColumn(int c);
    // Returns the input's name (empty when unknown), as the input state holds it.
    virtual const std::string& getFilename() const;
    // Names the input, for messages.
    virtual void setFilename(const std::string& f);
    // Returns the flag kept for the concrete lexer.
    virtual bool getCommitToPath() const;
    // Sets the flag kept for the concrete lexer.
    virtual void setCommitToPath(bool v);
    // Returns the text of the token being scanned.
    virtual const std::string& getText() const;
    // Replaces the text of the token being scanned.
    virtual void setText(const std::string& s);
    // Starts a new token: empties the text and records the current line and
    // column as the token's start, which makeToken() stamps on it.
    virtual void resetText();
    // Returns the token object the lexer last stored (may be empty).
    virtual TokenRefCount<Token> getTokenObject() const;
    // Moves to the start of the next line: line + 1, column 1.
    virtual void newline();
    // Moves the column to the next tab stop (every tabSize columns, from 1).
    virtual void tab();
    // Sets the width of a tab stop. Throws ORVELException, changing nothing,
    // when `n` is below 1.
    void setTabSize(int n);
    // Returns the width of a tab stop (8 unless set).
    int getTabSize() const { return tabSize; }
    // Writes ex.toString() and an end of line to std::cerr.
    virtual void reportError(const RecognitionException& ex);
    // Reports `ex` through reportError() (which an override may change),
    // then counts it; throws ErrorLimitException when the count reaches the
    // limit. The generated rules report their errors this way.
    void reportSyntaxError(const RecognitionException& ex);
    // Returns how many errors reportSyntaxError() reported.
    int getNumberOfSyntaxErrors() const { return errorCounter.getCount(); }
    // Makes reportSyntaxError throw ErrorLimitException once it has reported `n`
    // errors; 0 for no limit (the default). Throws ORVELException, changing
    // nothing, when `n` is negative.
    void setErrorLimit(int n) { errorCounter.setLimit(n); }
    // Returns the error limit, 0 for none.
    int getErrorLimit() const { return errorCounter.getLimit(); }
    // Writes "error: " and `s` (after the file name and ": " when the input has
    // a name) and an end of line to std::cerr.
    virtual void reportError(const std::string& s);
    // As reportError(const std::string&), with "warning: ".
    virtual void reportWarning(const std::string& s);
    // Returns the character buffer of the input state.
    virtual InputBuffer& getInputBuffer();
    // Returns a share of the input state, to hand the input to another scanner.
    virtual RefCount<LexerInputState> getInputState();
    // Continues on `state` (shared), releasing this scanner's share of its
    // previous state.
    virtual void setInputState(RefCount<LexerInputState> state);
    // Makes makeToken() build its tokens with `factory`. Throws ORVELException,
    // changing nothing, when `factory` is null.
    virtual void setTokenObjectFactory(TokenObjectFactory factory);
    // Returns the type the literal table gives the current text, or `ttype`
    // when the text is no literal.
    virtual int testLiteralsTable(int ttype) const;
    // Returns the type the literal table gives `txt`, or `ttype` when it is no
    // literal.
    virtual int testLiteralsTable(const std::string& txt, int ttype) const;
    // Returns `c` in lower case; EOF_CHAR, and any value that is no byte,
    // unchanged.
    virtual int toLower(int c) const;
    // Called by generated lexers the first time they reach end of input,
    // before they make the EOF token (which comes after any token emit()
    // queued here); does nothing here.
    virtual void uponEOF();
    // Queues `t` to be returned by nextToken after the token being scanned
    // (if any) and any queued before it. `t` must not be empty; throws
    // ORVELException, queueing nothing, when it is.
    void emit(const TokenRefCount<Token>& t);
    // Returns the lexer mode in force (0, the default mode, unless changed).
    int getMode() const { return modes.get(); }
    // Switches to `m`, forgetting the mode in force. Throws ORVELException,
    // changing nothing, when `m` is no mode of this lexer.
    void setMode(int m);
    // Switches to `m`, keeping the mode in force for popMode(). Throws as
    // setMode does.
    void pushMode(int m);
    // Returns to the mode the last pushMode() left and returns it. With no
    // mode pushed, throws a RecognitionException at the current position,
    // changing nothing.
    int popMode();
    // Returns the type of the last token nextToken returned,
    // Token::INVALID_TYPE before the first.
    int prevType() const { return delivery.previousType(); }
    // Writes one blank per level of rule nesting to std::cout.
    virtual void traceIndent();
    // Enters rule `rname`: one level deeper, then writes the indented line
    // "> lexer <rname>; c==<LA(1) in decimal>" to std::cout.
    virtual void traceIn(const char* rname);
    // Leaves rule `rname`: writes the indented line "< lexer <rname>; c==<LA(1)
    // in decimal>" to std::cout, then one level shallower.
    virtual void traceOut(const char* rname);
    // Returns a new token from the token object factory with type `t` and the
    // current token's start line and column; its text is left to the caller.
    // Throws ORVELException when the factory returns an empty handle.
    virtual TokenRefCount<Token> makeToken(int t);

protected:
    // Declares how many modes the lexer has (1 unless called); the generated
    // constructors call it. Throws ORVELException when `n` is below 1.
    void setModeCount(int n);
    // Returns whether emit() queued a token that nextToken has not returned.
    bool hasEmitted() const { return delivery.hasEmitted(); }
    // Takes the first token emit() queued; one must be queued.
    TokenRefCount<Token> takeEmitted();
    // Returns `t` after noting it as the token nextToken returns: its type
    // for prevType(), and on the token whether a line end came since the
    // previous token (or the start of input) ended.
    TokenRefCount<Token> deliver(const TokenRefCount<Token>& t);
    // Calls uponEOF() the first time it is called; for the generated
    // nextToken at end of input.
    void endOfInput();

    std::string text;
    // Whether consumed and appended characters go into `text`.
    bool saveText = true;
    TokenObjectFactory tokenObjectFactory;
    bool caseSensitive;
    // Token texts to keyword types; filled by the concrete lexer.
    std::map<std::string, int, CharScannerLiteralsLess> literals;
    // The token a rule produced, for getTokenObject(); set by the concrete lexer.
    TokenRefCount<Token> tokenObject;
    RefCount<LexerInputState> inputState;
    bool commitToPath = false;
    // Width of a tab stop, for tab().
    int tabSize = 8;
    // Current rule nesting depth of traceIn()/traceOut().
    int traceDepth = 0;

private:
    void matchChars(const char* s, std::string::size_type n);

    ErrorCounter errorCounter;
    LexerModes modes;
    TokenDelivery delivery;
};

}

#endif
