#ifndef ORVEL_TREEPARSER_HPP
#define ORVEL_TREEPARSER_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/ErrorCounter.hpp>
#include <orvel/Export.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/TreeParserInputState.hpp>

#include <string>

namespace orvel {

class ASTFactory;
class BitSet;
class RecognitionException;

// Base of every tree parser.
//
// The derived (normally generated) tree parser walks the tree itself; this
// class only checks the node at hand: match() and matchNot() return without
// effect when it fits and throw MismatchedTokenException when it does not, at
// the node's line and column (AST::getLine; none for most nodes) in the file
// set by setFilename() ("<AST>" when none is set). An empty handle and the
// shared null node ASTNULL never fit. Reports go to std::cerr, rule traces to
// std::cout.
//
// Tree parsers that cooperate share one TreeParserInputState through a
// counted handle. The ASTFactory is only stored for tree-building tree
// parsers, never owned.
class ORVEL_API TreeParser {
public:
    // The one null-tree node (an ASTNULLType, type 3, text "<ASTNULL>"),
    // created when the library is loaded and never freed. Its count record
    // is immortal: copies of this handle change nothing, so any number of
    // threads may use it at once. It stands for a missing tree; compare
    // handles with it by identity.
    static const ASTRefCount<AST> ASTNULL;

    // A tree parser with a new input state (guessing 0), no factory and
    // trace depth 0.
    TreeParser();
    // A tree parser sharing `state` with other tree parsers.
    explicit TreeParser(const RefCount<TreeParserInputState>& state);
    TreeParser(const TreeParser&) = delete;
    TreeParser& operator=(const TreeParser&) = delete;
    // Releases the input state (deleting it when this was its last handle).
    virtual ~TreeParser();

    // Returns the tree built by the last rule.
    virtual ASTRefCount<AST> getAST() = 0;
    // Returns if `t` is a node whose type is in `b`; otherwise throws
    // MismatchedTokenException (set kind).
    virtual void match(ASTRefCount<AST> t, const BitSet& b);
    // Stores `factory` (not owned).
    virtual void setASTFactory(ASTFactory* factory);
    // Returns the stored factory, or null.
    virtual ASTFactory* getASTFactory() const;
    // Returns the name of token type `num`.
    virtual const char* getTokenName(int num) const = 0;
    // Returns the number of entries in the token-name table.
    virtual int getNumTokens() const = 0;
    // Returns the token-name table, indexed by token type.
    virtual const char* const* getTokenNames() const = 0;
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
    // Writes "error: s" to std::cerr; never a file name.
    virtual void reportError(const std::string& s);
    // Writes "warning: s" to std::cerr; never a file name.
    virtual void reportWarning(const std::string& s);
    // Writes one blank per level of traceDepth to std::cout.
    virtual void traceIndent();
    // Enters a traced rule: one level deeper, then "> rule(node)" (and
    // " [guessing]") on std::cout; an empty `t` shows as "null".
    virtual void traceIn(const char* ruleName, ASTRefCount<AST> t);
    // Leaves a traced rule: "< rule(node)" (and " [guessing]") on std::cout,
    // then one level up.
    virtual void traceOut(const char* ruleName, ASTRefCount<AST> t);
    // Returns if `t` is a node of type `expectedType`; otherwise throws
    // MismatchedTokenException.
    virtual void match(ASTRefCount<AST> t, int expectedType);
    // Returns if `t` is a node of a type other than `expectedType`; otherwise
    // throws MismatchedTokenException (excluded kind).
    virtual void matchNot(ASTRefCount<AST> t, int expectedType);
    // Returns the name of the input the trees were parsed from, empty when
    // none was set; shared with the tree parsers that share the input state.
    std::string getFilename() const;
    // Names the input the trees were parsed from, for the errors match() and
    // matchNot() throw.
    void setFilename(const std::string& f);

protected:
    ASTFactory* astFactory = nullptr;
    RefCount<TreeParserInputState> inputState;
    int traceDepth = 0;

private:
    void trace(const char* prefix, const char* ruleName, const ASTRefCount<AST>& t);

    ErrorCounter errorCounter;
};

}

#endif
