#ifndef ORVEL_BASEAST_HPP
#define ORVEL_BASEAST_HPP

#include <orvel/AST.hpp>
#include <orvel/Export.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace orvel {

// The structural half of every concrete node: the first-child and
// next-sibling links, and everything built on them alone (appending and
// counting children, full and partial comparison, the pre-order search and
// the three renderings). The payload (type, text) and the three initialize
// operations belong to the derived classes; here the type is 0 and the text
// empty.
//
// Design: links are counted handles, so linking shares nodes and a node lives
// while any handle or link leads to it. Walks never recurse: they keep the
// lists still to visit on a stack of their own, so a tree of any depth and a
// list of any length cost constant call stack. A link from a node to itself
// counts as none, as the null-tree node (ASTNULLType) answers for both: walks
// stop there, and nothing can be linked after it.
// Every node reachable through the links of a BaseAST must be a BaseAST too.
// Nodes are always held through handles: an operation that hands out a handle
// to this very node (findAll) relies on it. No walk detects cycles; a node
// linked below or after itself makes walks run forever.
class ORVEL_API BaseAST : public AST {
public:
    static constexpr const char* TYPE_NAME = "BaseAST";

    // A node with no children and no next sibling.
    BaseAST() = default;
    // Releases the next sibling, then the first child; each goes with its
    // last handle, so dropping a root frees its tree and the siblings after it.
    ~BaseAST() override = default;

    // Returns "BaseAST".
    const char* typeName() const override;
    // Writes "BaseAST::clone()" and an end of line to std::cerr and returns
    // nullAST; concrete classes override it.
    ASTRefCount<AST> clone() const override;
    // Returns whether `t` holds a node of the same type and text (false for
    // empty). Texts are fetched only when the types agree.
    bool equals(ASTRefCount<AST> t) const override;
    // Returns whether the list from here and the list from `t` have equal
    // nodes and equal subtrees and end together (false for empty `t`).
    bool equalsList(ASTRefCount<AST> t) const override;
    // Returns whether `sub` matches the list from here: equal nodes as far as
    // `sub` goes (this list may be longer), and `sub`'s children matching
    // partially where this list's nodes have children. True for empty `sub`.
    bool equalsListPartial(ASTRefCount<AST> sub) const override;
    // Returns whether this node and its subtree equal `t` and its subtree;
    // siblings are not compared (false for empty `t`).
    bool equalsTree(ASTRefCount<AST> t) const override;
    // Returns whether `sub` matches this node and its subtree partially: true
    // for empty `sub`; `sub`'s children are ignored when this node has none.
    bool equalsTreePartial(ASTRefCount<AST> sub) const override;
    // Returns handles to every node of the list from here, and of all their
    // subtrees, whose tree equals `t`, in pre-order (empty for empty `t`).
    std::vector<ASTRefCount<AST>> findAll(ASTRefCount<AST> t) override;
    // As findAll, with partial matching (equalsTreePartial).
    std::vector<ASTRefCount<AST>> findAllPartial(ASTRefCount<AST> t) override;
    // Appends `c` after the last child, bringing along the siblings `c`
    // already has; does nothing for empty `c`. The node is shared, not copied.
    void addChild(ASTRefCount<AST> c) override;
    // Returns the number of nodes in the child list.
    std::size_t getNumberOfChildren() const override;
    // Returns a handle to the first child (empty if none).
    ASTRefCount<AST> getFirstChild() const override;
    // Returns a handle to the next sibling (empty if none).
    ASTRefCount<AST> getNextSibling() const override;
    // Returns the empty string.
    std::string getText() const override;
    // Returns 0.
    int getType() const override;
    // Makes `c` the first child, releasing the old child list (`c` may be empty).
    void setFirstChild(ASTRefCount<AST> c) override;
    // Makes `n` the next sibling, releasing the old one (`n` may be empty).
    void setNextSibling(ASTRefCount<AST> n) override;
    // Does nothing.
    void setText(const std::string& txt) override;
    // Does nothing.
    void setType(int type) override;
    // Returns getText().
    std::string toString() const override;
    // Returns the rendering of every node of the list from here: " ( ",
    // toString(), the child list, " )" for a node with children, and a blank
    // and toString() for a leaf, e.g. " ( + a b ) c".
    std::string toStringList() const override;
    // Returns the rendering of this node and its subtree alone, e.g. " ( + a b )".
    std::string toStringTree() const override;
    // Releases the child list; the node has no children afterwards.
    virtual void removeChildren();

protected:
    // A node with empty links: copying a node never copies its links.
    BaseAST(const BaseAST& other);

    // Appends to `result` every node of the list from here, and of their
    // subtrees, that `target` matches (fully, or partially when `partialMatch`).
    void doWorkForFindAll(std::vector<ASTRefCount<AST>>& result, const ASTRefCount<AST>& target,
                          bool partialMatch);

    ASTRefCount<AST> firstChild;
    ASTRefCount<AST> nextSibling;

private:
    // Appends to `out` the rendering of `first` and its subtree, and with
    // `siblings` of every node after it too.
    static void render(std::string& out, const AST& first, bool siblings);
    // Returns whether the list from `t` matches the list from `s`: fully
    // (equalsList), or partially (equalsListPartial).
    static bool listsMatch(const AST* s, ASTRefCount<AST> t, bool partial);
};

}

#endif
