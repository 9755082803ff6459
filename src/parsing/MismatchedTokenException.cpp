#include <orvel/MismatchedTokenException.hpp>

#include <orvel/TextUtils.hpp>

#include <utility>

namespace orvel {

namespace {

const char* const treeFileName = "<AST>";

std::string treeFile(const std::string& fileName)
{
    return fileName.empty() ? treeFileName : fileName;
}

std::string tokenShown(const Token& token)
{
    return token.getType() == Token::EOF_TYPE ? "EOF" : displayText(token.getText());
}

std::string nodeShown(const ASTRefCount<AST>& node)
{
    if (!node.get())
        return "<empty tree>";
    return node->getType() == Token::EOF_TYPE ? "EOF" : displayText(node->toString());
}

int lineOf(const ASTRefCount<AST>& node) { return node.get() ? node->getLine() : -1; }

int columnOf(const ASTRefCount<AST>& node) { return node.get() ? node->getColumn() : -1; }

}

MismatchedTokenException::MismatchedTokenException()
    : RecognitionException("Mismatched Token: expecting any AST node", treeFileName, -1, -1)
{
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, ASTRefCount<AST> node_,
                                                   int kind, const std::string& fileName_)
    : RecognitionException("Mismatched Token", treeFile(fileName_), lineOf(node_),
                           columnOf(node_)),
      node(std::move(node_)),
      tokenText(nodeShown(node)),
      mismatchType(kind),
      tokenNames(tokenNames_),
      numTokens(numTokens_)
{
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, TokenRefCount<Token> tok,
                                                   int kind, const std::string& fileName_)
    : RecognitionException("Mismatched Token", fileName_, tok->getLine(), tok->getColumn()),
      token(std::move(tok)),
      tokenText(tokenShown(*token)),
      mismatchType(kind),
      tokenNames(tokenNames_),
      numTokens(numTokens_)
{
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, ASTRefCount<AST> node_,
                                                   int lower, int upperBound, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(node_),
                               matchNot ? NOT_RANGE : RANGE, fileName_)
{
    expecting = lower;
    upper = upperBound;
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, ASTRefCount<AST> node_,
                                                   int expected, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(node_),
                               matchNot ? NOT_TOKEN : TOKEN, fileName_)
{
    expecting = expected;
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, ASTRefCount<AST> node_,
                                                   BitSet expectedSet, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(node_),
                               matchNot ? NOT_SET : SET, fileName_)
{
    set = std::move(expectedSet);
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, TokenRefCount<Token> tok,
                                                   int lower, int upperBound, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(tok),
                               matchNot ? NOT_RANGE : RANGE, fileName_)
{
    expecting = lower;
    upper = upperBound;
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, TokenRefCount<Token> tok,
                                                   int expected, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(tok),
                               matchNot ? NOT_TOKEN : TOKEN, fileName_)
{
    expecting = expected;
}

MismatchedTokenException::MismatchedTokenException(const char* const* tokenNames_,
                                                   int numTokens_, TokenRefCount<Token> tok,
                                                   BitSet expectedSet, bool matchNot,
                                                   const std::string& fileName_)
    : MismatchedTokenException(tokenNames_, numTokens_, std::move(tok),
                               matchNot ? NOT_SET : SET, fileName_)
{
    set = std::move(expectedSet);
}

std::string MismatchedTokenException::getMessage() const
{
    const std::string found = ", found '" + tokenText + "'";
    switch (mismatchType) {
    case TOKEN:
        return "expecting " + tokenName(expecting) + found;
    case NOT_TOKEN:
        return "expecting anything but " + tokenName(expecting) + "; got it anyway";
    case RANGE:
        return "expecting token in range: " + tokenName(expecting) + ".." + tokenName(upper)
               + found;
    case NOT_RANGE:
        return "expecting token NOT in range: " + tokenName(expecting) + ".."
               + tokenName(upper) + found;
    case SET:
        return "expecting one of (" + expectedSetText() + ")" + found;
    case NOT_SET:
        return "expecting NOT one of (" + expectedSetText() + ")" + found;
    default:
        return RecognitionException::getMessage();
    }
}

std::string MismatchedTokenException::tokenName(int type) const
{
    if (type == Token::INVALID_TYPE)
        return "<Set of tokens>";
    if (type > 0 && type < numTokens)
        return tokenNames[type];
    return std::string("<") + type + ">";
}

std::string MismatchedTokenException::expectedSetText() const
{
    std::string names;
    for (unsigned int member : set.toArray())
        names += " " + tokenName(static_cast<int>(member));
    return names;
}

}
