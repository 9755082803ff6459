#ifndef ORVEL_SRC_TREELINKS_HPP
#define ORVEL_SRC_TREELINKS_HPP

#include <orvel/AST.hpp>

namespace orvel::detail {

// The links every walk follows. A link from a node to itself counts as none:
// the null-tree node answers itself as its first child and next sibling, and
// a walk that met it would otherwise never end.

// Returns the first child of `node`, or an empty handle.
inline ASTRefCount<AST> firstChildOf(const AST& node)
{
    ASTRefCount<AST> child = node.getFirstChild();
    return child.get() == &node ? ASTRefCount<AST>() : child;
}

// Returns the next sibling of `node`, or an empty handle.
inline ASTRefCount<AST> nextSiblingOf(const AST& node)
{
    ASTRefCount<AST> next = node.getNextSibling();
    return next.get() == &node ? ASTRefCount<AST>() : next;
}

}

#endif
