#include <orvel/ASTPair.hpp>

#include "trees/TreeLinks.hpp"

namespace orvel {

void ASTPair::advanceChildToEnd()
{
    if (!child)
        return;
    for (ASTRefCount<AST> next = detail::nextSiblingOf(*child); next; next = detail::nextSiblingOf(*child))
        child = next;
}

}
