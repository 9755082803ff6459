#include <orvel/AST.hpp>

namespace orvel {

const ASTRefCount<AST> nullAST;

int AST::getLine() const { return -1; }

int AST::getColumn() const { return -1; }

}
