#include <orvel/NoViableAltException.hpp>

#include <utility>

namespace orvel {

NoViableAltException::NoViableAltException(ASTRefCount<AST> t)
    : RecognitionException("NoViableAlt", "<AST>", -1, -1), node(std::move(t))
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
            return "unexpected token: " + token->getText();
        }
    }
    if (node.get())
        return "unexpected AST node: " + node->toString();
    return "unexpected end of subtree";
}

}
