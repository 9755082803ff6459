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
// and read only when the message is built; its text is shown as
// displayText() renders it.
class ORVEL_API NoViableAltException : public RecognitionException {
public:
    // Lookahead node `t` of a tree parser (may be empty) in the tree from
    // `fileName` (empty: "<AST>"), at the line and column the node keeps
    // (AST::getLine; none for most nodes).
    explicit NoViableAltException(ASTRefCount<AST> t, const std::string& fileName = std::string());
    // Lookahead token `t` of file `fileName`, whose line and column it takes.
    // `t` must not be empty.
    NoViableAltException(TokenRefCount<Token> t, const std::string& fileName);

    // Returns "unexpected end of file" or "unexpected end of tree" for those
    // token types, "unexpected token: " and the text for other tokens,
    // "unexpected end of file" for a node of the end-of-file type,
    // "unexpected AST node: " and the rendering for other nodes, and
    // "unexpected end of subtree" when there is neither.
    std::string getMessage() const override;

protected:
    TokenRefCount<Token> token;
    ASTRefCount<AST> node;
};

}

#endif
