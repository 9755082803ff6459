#ifndef ORVEL_NOVIABLEALTEXCEPTION_HPP
#define ORVEL_NOVIABLEALTEXCEPTION_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/Export.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

// No alternative of a decision fits the lookahead. Generated recognizers
// throw it; the library never does. The lookahead token or node is shared
// and read only when the message is built.
class ORVEL_API NoViableAltException : public RecognitionException {
public:
    // Lookahead node `t` of a tree parser (may be empty); file "<AST>",
    // no line, no column.
    explicit NoViableAltException(ASTRefCount<AST> t);
    // Lookahead token `t` of file `fileName`, whose line and column it takes.
    // `t` must not be empty.
    NoViableAltException(TokenRefCount<Token> t, const std::string& fileName);

    // Returns "unexpected end of file" or "unexpected end of tree" for those
    // token types, "unexpected token: " and the text for other tokens,
    // "unexpected AST node: " and the rendering for a node, and
    // "unexpected end of subtree" when there is neither.
    std::string getMessage() const override;

protected:
    TokenRefCount<Token> token;
    ASTRefCount<AST> node;
};

}

#endif
