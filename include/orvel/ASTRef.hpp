#ifndef ORVEL_ASTREF_HPP
#define ORVEL_ASTREF_HPP

#include <orvel/Export.hpp>

namespace orvel {

class AST;

// The count record shared by every ASTRefCount handle to one node. The node
// points back at its record (AST::ref), so handles made at any time from the
// same raw pointer, of any element type, share one count.
// The record owns the node: deleting the record deletes the node.
// An immortal record never counts and never frees its node: handles to a node
// shared by every thread (TreeParser::ASTNULL) then never write to it.
struct ORVEL_API ASTRef {
    AST* const ptr;
    unsigned int count;
    const bool immortal;
    // Whether the record and its node share one block (CommonAST::factory()):
    // then neither is deleted on its own; the node is destroyed and the block
    // handed back whole.
    bool inBlock = false;

    // A record for `p` with count 1. If `p` has no record yet, this becomes it.
    explicit ASTRef(AST* p, bool immortal = false);
    // Deletes the node, through its virtual destructor.
    ~ASTRef();
    ASTRef(const ASTRef&) = delete;
    ASTRef& operator=(const ASTRef&) = delete;

    // Returns the record to use for `p`: null for null, the node's own record
    // with one more share, or a new record with count 1. If the new record
    // cannot be made, deletes `p` and throws std::bad_alloc: a node handed to
    // its first handle is owned from then on.
    static ASTRef* getRef(const AST* p);

    // Adds one share (none for an immortal record); returns this record.
    ASTRef* increment()
    {
        if (!immortal)
            ++count;
        return this;
    }
    // Removes one share; returns whether none is left.
    bool decrement() { return --count == 0; }

    // Removes one share, as a handle does when it lets go: frees the node when
    // none is left. Does nothing for an immortal record.
    void drop()
    {
        if (!immortal && decrement())
            release(this);
    }

    // Deletes a record whose count reached zero, and with it the node. Nodes
    // freed while another is being freed on the same thread are queued and freed
    // one after another in the order a recursive release would start them, so
    // dropping a long sibling list or a deep tree uses constant stack.
    static void release(ASTRef* record);
};

}

#endif
