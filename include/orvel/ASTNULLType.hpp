#ifndef ORVEL_ASTNULLTYPE_HPP
#define ORVEL_ASTNULLTYPE_HPP

#include <orvel/AST.hpp>
#include <orvel/Export.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace orvel {

// The null-tree node: an inert node that stands where a tree parser needs a
// node and there is none. Its type is Token::NULL_TREE_LOOKAHEAD, it renders
// as "<ASTNULL>", equals nothing (itself included), ignores every change, and
// answers itself as its clone, first child and next sibling, so a walk that
// keeps descending or advancing stays on it. It has no links of its own.
// Those self-handles share the node's count record: hold the node through a
// handle before calling them.
class ORVEL_API ASTNULLType : public AST {
public:
    static constexpr const char* TYPE_NAME = "ASTNULLType";

    ASTNULLType() = default;

    // Returns "ASTNULLType".
    const char* typeName() const override;
    // Returns a handle to this node.
    ASTRefCount<AST> clone() const override;
    // Return false.
    bool equals(ASTRefCount<AST> t) const override;
    bool equalsList(ASTRefCount<AST> t) const override;
    bool equalsListPartial(ASTRefCount<AST> sub) const override;
    bool equalsTree(ASTRefCount<AST> t) const override;
    bool equalsTreePartial(ASTRefCount<AST> sub) const override;
    // Return an empty vector.
    std::vector<ASTRefCount<AST>> findAll(ASTRefCount<AST> t) override;
    std::vector<ASTRefCount<AST>> findAllPartial(ASTRefCount<AST> t) override;
    // Does nothing.
    void addChild(ASTRefCount<AST> c) override;
    // Returns 0.
    std::size_t getNumberOfChildren() const override;
    // Return a handle to this node.
    ASTRefCount<AST> getFirstChild() const override;
    ASTRefCount<AST> getNextSibling() const override;
    // Returns "<ASTNULL>".
    std::string getText() const override;
    // Returns Token::NULL_TREE_LOOKAHEAD (3).
    int getType() const override;
    // Do nothing.
    void initialize(int t, const std::string& txt) override;
    void initialize(ASTRefCount<AST> t) override;
    void initialize(TokenRefCount<Token> t) override;
    void setFirstChild(ASTRefCount<AST> c) override;
    void setNextSibling(ASTRefCount<AST> n) override;
    void setText(const std::string& txt) override;
    void setType(int type) override;
    // Return getText(), "<ASTNULL>".
    std::string toString() const override;
    std::string toStringList() const override;
    std::string toStringTree() const override;

    // Returns a handle to a new null-tree node.
    static ASTRefCount<AST> factory();

private:
    // Returns a handle to this node, sharing its count record.
    ASTRefCount<AST> self() const;
};

}

#endif
