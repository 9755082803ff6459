#ifndef ORVEL_ASTARRAY_HPP
#define ORVEL_ASTARRAY_HPP

#include <orvel/AST.hpp>
#include <orvel/Export.hpp>

#include <vector>

namespace orvel {

// The nodes handed to ASTFactory::make in one expression:
//   factory.make((new ASTArray(3))->add(a)->add(b)->add(c))
// make takes ownership of the array and deletes it.
class ORVEL_API ASTArray {
public:
    // An empty array expecting `capacity` nodes (room is reserved for them).
    explicit ASTArray(int capacity);

    // Appends `node` (which may be empty); returns this array.
    ASTArray* add(ASTRefCount<AST> node);
    // Returns the nodes in the order they were added.
    const std::vector<ASTRefCount<AST>>& getNodes() const { return array; }

protected:
    // The number of nodes the array was made for.
    int size;
    std::vector<ASTRefCount<AST>> array;
};

}

#endif
