#include <orvel/AST.hpp>

namespace orvel {

const ASTRefCount<AST> nullAST;

}
