#ifndef ORVEL_AST_HPP
#define ORVEL_AST_HPP

#include <orvel/ASTRef.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace orvel {

// The interface of every tree node. Trees are first-child/next-sibling:
// a node links to its first child and to its next sibling, both through
// counted handles, so the children of a node form a singly linked list and a
// "list" below is a node followed by all its siblings. Linking shares nodes;
// nothing here copies one. BaseAST implements the structure; CommonAST and
// friends add the payload (type and text).
class ORVEL_API AST {
public:
    AST() = default;
    AST(const AST&) = delete;
    AST& operator=(const AST&) = delete;
    virtual ~AST() = default;

    // Returns the name of the node's class.
    virtual const char* typeName() const = 0;
    // Returns a new node of the same class with the same payload and no links.
    virtual ASTRefCount<AST> clone() const = 0;
    // Returns whether `t` is a node with the same type and text.
    virtual bool equals(ASTRefCount<AST> t) const = 0;
    // Returns whether the list starting here equals the list starting at `t`,
    // node by node and subtree by subtree.
    virtual bool equalsList(ASTRefCount<AST> t) const = 0;
    // Returns whether `sub` matches the list starting here partially (an
    // empty `sub`, or empty children in `sub`, match anything).
    virtual bool equalsListPartial(ASTRefCount<AST> sub) const = 0;
    // Returns whether this node and its subtree equal `t` and its subtree.
    virtual bool equalsTree(ASTRefCount<AST> t) const = 0;
    // Returns whether `sub` matches this node and its subtree partially.
    virtual bool equalsTreePartial(ASTRefCount<AST> sub) const = 0;
    // Returns, in pre-order, every subtree of the list starting here that
    // equals `t`.
    virtual std::vector<ASTRefCount<AST>> findAll(ASTRefCount<AST> t) = 0;
    // Returns, in pre-order, every subtree of the list starting here that
    // `t` matches partially.
    virtual std::vector<ASTRefCount<AST>> findAllPartial(ASTRefCount<AST> t) = 0;
    // Appends `c` (with any siblings it has) to the children; ignores empty.
    virtual void addChild(ASTRefCount<AST> c) = 0;
    // Returns the number of children.
    virtual std::size_t getNumberOfChildren() const = 0;
    virtual ASTRefCount<AST> getFirstChild() const = 0;
    virtual ASTRefCount<AST> getNextSibling() const = 0;
    virtual std::string getText() const = 0;
    virtual int getType() const = 0;
    // Sets type and text.
    virtual void initialize(int t, const std::string& txt) = 0;
    // Takes type and text (and what else the class keeps) from node `t`.
    virtual void initialize(ASTRefCount<AST> t) = 0;
    // Takes type and text (and what else the class keeps) from token `t`.
    virtual void initialize(TokenRefCount<Token> t) = 0;
    virtual void setFirstChild(ASTRefCount<AST> c) = 0;
    virtual void setNextSibling(ASTRefCount<AST> n) = 0;
    virtual void setText(const std::string& txt) = 0;
    virtual void setType(int type) = 0;
    // Returns the rendering of this node alone.
    virtual std::string toString() const = 0;
    // Returns the rendering of the list starting here, e.g. " ( + a b ) c".
    virtual std::string toStringList() const = 0;
    // Returns the rendering of this node and its subtree, e.g. " ( + a b )".
    virtual std::string toStringTree() const = 0;
    // Returns the line of the input the node was made from, or -1 when the
    // node keeps none (the default; CommonASTWithPosition keeps one).
    virtual int getLine() const;
    // Returns the column of the input the node was made from, or -1 when the
    // node keeps none (the default).
    virtual int getColumn() const;

protected:
    friend struct ASTRef;

    // The node's count record; set by the first handle, kept for life.
    ASTRef* ref = nullptr;
};

// The empty node handle, returned wherever there is no node to give.
extern ORVEL_API const ASTRefCount<AST> nullAST;

// A null node pointer.
inline constexpr AST* nullASTptr = nullptr;

}

#endif
