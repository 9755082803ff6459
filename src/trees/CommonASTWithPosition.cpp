#include <orvel/CommonASTWithPosition.hpp>

namespace orvel {

const char* CommonASTWithPosition::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> CommonASTWithPosition::clone() const { return new CommonASTWithPosition(*this); }

void CommonASTWithPosition::initialize(ASTRefCount<AST> t)
{
    CommonAST::initialize(t);
    line = t->getLine();
    column = t->getColumn();
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
