#include <orvel/CommonASTWithPosition.hpp>

namespace orvel {

const char* CommonASTWithPosition::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> CommonASTWithPosition::clone() const { return new CommonASTWithPosition(*this); }

void CommonASTWithPosition::initialize(ASTRefCount<AST> t)
{
    CommonAST::initialize(t);
    const auto* node = dynamic_cast<const CommonASTWithPosition*>(t.get());
    line = node ? node->getLine() : -1;
    column = node ? node->getColumn() : -1;
}

void CommonASTWithPosition::initialize(TokenRefCount<Token> t)
{
    CommonAST::initialize(t);
    line = t->getLine();
    column = t->getColumn();
}

int CommonASTWithPosition::getLine() const { return line; }

int CommonASTWithPosition::getColumn() const { return column; }

ASTRefCount<AST> CommonASTWithPosition::factory() { return new CommonASTWithPosition; }

}
