#include <orvel/ASTPair.hpp>

namespace orvel {

void ASTPair::advanceChildToEnd()
{
    if (!child)
        return;
    for (ASTRefCount<AST> next = child->getNextSibling(); next; next = child->getNextSibling())
        child = next;
}

}
