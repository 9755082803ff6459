#ifndef ORVEL_MISMATCHEDTOKENEXCEPTION_HPP
#define ORVEL_MISMATCHEDTOKENEXCEPTION_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/Export.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

// The lookahead token (or tree node) was not of the expected type, range or
// set. Token parsers build it from the offending token, which gives the line
// and column, and the input's file name; tree parsers build it from the
// offending node, which gives the line and column it keeps (AST::getLine,
// none for most nodes), and the tree's file name, "<AST>" when none is given.
//
// Token types are shown through the recognizer's token-name table, which is
// neither copied nor owned: it must outlive the exception. The offending token
// or node is shared, and its text is captured when the exception is built, as
// displayText() shows it (so a message is safe to print and short); the end
// of input, a token or node of type Token::EOF_TYPE, shows as EOF.
class ORVEL_API MismatchedTokenException : public RecognitionException {
public:
    // The kinds of test that can fail, the value of `mismatchType`.
    static constexpr int TOKEN = 1;
    static constexpr int NOT_TOKEN = 2;
    static constexpr int RANGE = 3;
    static constexpr int NOT_RANGE = 4;
    static constexpr int SET = 5;
    static constexpr int NOT_SET = 6;

    // "Mismatched Token: expecting any AST node" in "<AST>", with no names
    // table; kind, expected type and upper bound 0, so the message is that text.
    MismatchedTokenException();
    // Node `node` (may be empty) of the tree from `fileName` (empty:
    // "<AST>") was (`matchNot`: was not) outside `lower`..`upperBound`.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             ASTRefCount<AST> node, int lower, int upperBound,
                             bool matchNot, const std::string& fileName = std::string());
    // Node `node` (may be empty) of the tree from `fileName` (empty:
    // "<AST>") was not (`matchNot`: was) of type `expected`. Pass the file
    // name as a std::string: a character pointer would also fit the range form.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             ASTRefCount<AST> node, int expected, bool matchNot,
                             const std::string& fileName = std::string());
    // Node `node` (may be empty) of the tree from `fileName` (empty:
    // "<AST>") was not (`matchNot`: was) of a type in `expectedSet`.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             ASTRefCount<AST> node, BitSet expectedSet, bool matchNot,
                             const std::string& fileName = std::string());
    // Token `tok` of file `fileName` was (`matchNot`: was not) outside
    // `lower`..`upperBound`. `tok` must not be empty.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             TokenRefCount<Token> tok, int lower, int upperBound,
                             bool matchNot, const std::string& fileName);
    // Token `tok` of file `fileName` was not (`matchNot`: was) of type
    // `expected`. `tok` must not be empty.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             TokenRefCount<Token> tok, int expected, bool matchNot,
                             const std::string& fileName);
    // Token `tok` of file `fileName` was not (`matchNot`: was) of a type in
    // `expectedSet`. `tok` must not be empty.
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             TokenRefCount<Token> tok, BitSet expectedSet, bool matchNot,
                             const std::string& fileName);

    // Returns the message for the kind of mismatch, e.g.
    // "expecting ID, found 'x'"; for an unknown kind, the text given at
    // construction.
    std::string getMessage() const override;

    // Returns the display name of token type `type`: "<Set of tokens>" for 0,
    // the table entry for 0 < type < numTokens, otherwise "<type>".
    std::string tokenName(int type) const;

protected:
    TokenRefCount<Token> token;
    ASTRefCount<AST> node;
    std::string tokenText;
    int mismatchType = 0;
    int expecting = 0;
    int upper = 0;
    BitSet set;
    const char* const* tokenNames = nullptr;
    int numTokens = 0;

private:
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             ASTRefCount<AST> node, int kind, const std::string& fileName);
    MismatchedTokenException(const char* const* tokenNames, int numTokens,
                             TokenRefCount<Token> tok, int kind,
                             const std::string& fileName);

    std::string expectedSetText() const;
};

}

#endif
