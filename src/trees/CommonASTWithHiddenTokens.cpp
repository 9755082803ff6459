#include <orvel/CommonASTWithHiddenTokens.hpp>

#include <orvel/CommonHiddenStreamToken.hpp>

namespace orvel {

// Members are released in reverse order of declaration: hiddenAfter first.
CommonASTWithHiddenTokens::~CommonASTWithHiddenTokens() = default;

const char* CommonASTWithHiddenTokens::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> CommonASTWithHiddenTokens::clone() const
{
    return new CommonASTWithHiddenTokens(*this);
}

void CommonASTWithHiddenTokens::initialize(int t, const std::string& txt)
{
    CommonAST::initialize(t, txt);
}

void CommonASTWithHiddenTokens::initialize(ASTRefCount<AST> t)
{
    CommonAST::initialize(t);
    const auto* node = dynamic_cast<const CommonASTWithHiddenTokens*>(t.get());
    hiddenBefore = node ? node->getHiddenBefore() : TokenRefCount<Token>();
    hiddenAfter = node ? node->getHiddenAfter() : TokenRefCount<Token>();
}

void CommonASTWithHiddenTokens::initialize(TokenRefCount<Token> t)
{
    CommonAST::initialize(t);
    const auto* token = dynamic_cast<const CommonHiddenStreamToken*>(t.get());
    hiddenBefore = token ? token->getHiddenBefore() : TokenRefCount<Token>();
    hiddenAfter = token ? token->getHiddenAfter() : TokenRefCount<Token>();
}

TokenRefCount<Token> CommonASTWithHiddenTokens::getHiddenAfter() const { return hiddenAfter; }

TokenRefCount<Token> CommonASTWithHiddenTokens::getHiddenBefore() const { return hiddenBefore; }

ASTRefCount<AST> CommonASTWithHiddenTokens::factory() { return new CommonASTWithHiddenTokens; }

}
