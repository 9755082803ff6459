#include <orvel/NoViableAltException.hpp>

#include <orvel/TextUtils.hpp>

#include <utility>

namespace orvel {

NoViableAltException::NoViableAltException(ASTRefCount<AST> t, const std::string& fileName_)
    : RecognitionException("NoViableAlt", fileName_.empty() ? "<AST>" : fileName_,
                           t.get() ? t->getLine() : -1, t.get() ? t->getColumn() : -1),
      node(std::move(t))
{
}

NoViableAltException::NoViableAltException(TokenRefCount<Token> t,
                                           const std::string& fileName_)
    : RecognitionException("NoViableAlt", fileName_, t->getLine(), t->getColumn()),
      token(std::move(t))
{
}

std::string NoViableAltException::getMessage() const
{
    if (token.get()) {
        switch (token->getType()) {
        case Token::EOF_TYPE:
            return "unexpected end of file";
        case Token::NULL_TREE_LOOKAHEAD:
            return "unexpected end of tree";
        default:
            return "unexpected token: " + displayText(token->getText());
        }
    }
    if (node.get()) {
        if (node->getType() == Token::EOF_TYPE)
            return "unexpected end of file";
        return "unexpected AST node: " + displayText(node->toString());
    }
    return "unexpected end of subtree";
}

}
