#ifndef ORVEL_PARSER_HPP
#define ORVEL_PARSER_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/ErrorCounter.hpp>
#include <orvel/Export.hpp>
#include <orvel/ParserInputState.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

class ASTFactory;
class BitSet;
class RecognitionException;
class TokenBuffer;

// When true, Parser::match writes a line to std::cout for every match and a
// second one for every mismatch. Initially false.
extern ORVEL_API bool DEBUG_PARSER;

// Base of every token parser.
//
// A parser reads tokens through the TokenBuffer of a ParserInputState that it
// shares, through a counted handle, with any parser taking over the same
// input: they see one position, one guessing depth and one file name. The
// state lives as long as its last handle and deletes the buffer only when it
// owns it.
//
// This class matches the current token against a type or a set (throwing
// MismatchedTokenException and consuming nothing on a mismatch), skips tokens
// for recovery, writes error and warning reports to std::cerr and rule traces
// to std::cout. Lookahead and consume come from the derived class (LLkParser);
// the token-name table and the tree of the last rule come from the generated
// parser. The ASTFactory is only stored for generated code, never owned.
class ORVEL_API Parser {
public:
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    // Releases the input state (deleting it when this was its last handle).
    virtual ~Parser();

    // Returns the type of the i-th lookahead token (i counts from 1).
    virtual int LA(unsigned int i) = 0;
    // Returns the i-th lookahead token (i counts from 1).
    virtual TokenRefCount<Token> LT(unsigned int i) = 0;
    // Returns whether a line end came before the i-th lookahead token (i
    // counts from 1), as the lexer noted on it; white space it skipped counts.
    bool newlineBefore(unsigned int i) { return LT(i)->getNewlineBefore(); }
    // Stores `factory` (not owned) for tree building; same as setASTFactory.
    virtual void setASTNodeFactory(ASTFactory* factory);
    // Stores `factory` (not owned) for tree building.
    virtual void setASTFactory(ASTFactory* factory);
    // Returns the stored factory, or null.
    virtual ASTFactory* getASTFactory();
    // Returns the tree built by the last rule.
    virtual ASTRefCount<AST> getAST() = 0;
    // Returns the shared input's file name.
    virtual std::string getFilename() const;
    // Sets the shared input's file name, for every parser sharing the state.
    virtual void setFilename(const std::string& f);
    // Shares `state`, releasing the previous state (which may delete it).
    virtual void setInputState(RefCount<ParserInputState> state);
    // Returns a new handle to the shared state.
    virtual RefCount<ParserInputState> getInputState() const;
    // Consumes the current token.
    virtual void consume() = 0;
    // Consumes tokens until the current one is of `tokenType` or end of file;
    // neither is consumed.
    virtual void consumeUntil(int tokenType);
    // Consumes tokens until the current one is in `set` or end of file;
    // neither is consumed.
    virtual void consumeUntil(const BitSet& set);
    // Consumes the current token if it is of type `t`; otherwise throws
    // MismatchedTokenException and consumes nothing. Writes debug lines when
    // DEBUG_PARSER is set.
    virtual void match(int t);
    // Consumes the current token if its text is `text`, whatever its type (a
    // contextual keyword `t` that the lexer makes as a name); otherwise
    // throws MismatchedTokenException expecting `t`, consuming nothing. End of
    // file never matches.
    void matchSoft(int t, const std::string& text);
    // Consumes the current token if it is not of type `t`; otherwise throws
    // MismatchedTokenException (excluded kind) and consumes nothing.
    virtual void matchNot(int t);
    // Consumes the current token if its type is in `b`; otherwise throws
    // MismatchedTokenException and consumes nothing. Writes debug lines when
    // DEBUG_PARSER is set.
    virtual void match(const BitSet& b);
    // Opens a mark in the shared buffer; returns the position for rewind().
    virtual unsigned int mark();
    // Closes the newest mark and returns to position `pos`.
    virtual void rewind(unsigned int pos);
    // Consumes one token, then consumes until one of `tokenSet`.
    virtual void recover(const RecognitionException& ex, const BitSet& tokenSet);
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
    // Writes "file: error: s" (or "error: s" without a file name) to std::cerr.
    virtual void reportError(const std::string& s);
    // Writes "file: warning: s" (or "warning: s" without a file name) to
    // std::cerr.
    virtual void reportWarning(const std::string& s);
    // Returns the name of token type `num`.
    virtual const char* getTokenName(int num) const = 0;
    // Returns the token-name table, indexed by token type.
    virtual const char* const* getTokenNames() const = 0;
    // Returns the number of entries in the token-name table.
    virtual int getNumTokens() const = 0;
    // Writes one blank per level of traceDepth to std::cout.
    virtual void traceIndent();
    // Enters a traced rule: one level deeper, then
    // "> rule; LA(1)==text" (and " [guessing]") on std::cout.
    virtual void traceIn(const char* ruleName);
    // Leaves a traced rule: "< rule; LA(1)==text" (and " [guessing]") on
    // std::cout, then one level up.
    virtual void traceOut(const char* ruleName);

protected:
    // A parser reading `buffer`, which the caller keeps and frees.
    explicit Parser(TokenBuffer& buffer);
    // A parser that takes `buffer` over; the new input state deletes it.
    explicit Parser(TokenBuffer* buffer);
    // A parser sharing `state` with other parsers.
    explicit Parser(const RefCount<ParserInputState>& state);

    RefCount<ParserInputState> inputState;
    ASTFactory* astFactory = nullptr;
    int traceDepth = 0;

private:
    void traceLine(const char* prefix, const char* ruleName);

    ErrorCounter errorCounter;
};

}

#endif
