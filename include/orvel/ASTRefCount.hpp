#ifndef ORVEL_ASTREFCOUNT_HPP
#define ORVEL_ASTREFCOUNT_HPP

#include <orvel/ASTRef.hpp>
#include <orvel/IntrusiveRefCount.hpp>

namespace orvel {

// Counted handle to a tree node (T is AST or a class derived from it). Every
// handle to one node, whatever T, shares the node's ASTRef. See
// IntrusiveRefCount for the sharing and conversion rules.
template <typename T>
using ASTRefCount = IntrusiveRefCount<ASTRef, T>;

}

#endif
