#ifndef ORVEL_ASTPAIR_HPP
#define ORVEL_ASTPAIR_HPP

#include <orvel/AST.hpp>
#include <orvel/Export.hpp>

namespace orvel {

// The cursor of the tree a rule is building: its root and the last node of
// the current child list. ASTFactory::addASTChild and makeASTRoot move it;
// generated code reads and resets the two handles directly.
class ORVEL_API ASTPair {
public:
    // Moves `child` to the last node of its sibling list; does nothing when
    // `child` is empty.
    void advanceChildToEnd();

    // Root of the tree built so far (empty at first).
    ASTRefCount<AST> root;
    // Last node of the current child list (empty at first).
    ASTRefCount<AST> child;
};

}

#endif
