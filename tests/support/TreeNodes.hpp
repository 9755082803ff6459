#ifndef ORVEL_TESTS_SUPPORT_TREENODES_HPP
#define ORVEL_TESTS_SUPPORT_TREENODES_HPP

#include <orvel/CommonAST.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace orvel::test {

// A CommonAST that logs its text when it is destroyed.
class CountedNode : public CommonAST {
public:
    CountedNode() = default;
    ~CountedNode() override { destroyed().push_back(text); }
    ASTRefCount<AST> clone() const override { return new CountedNode(*this); }
    static ASTRefCount<AST> factory() { return new CountedNode; }

    // The texts of the CountedNodes destroyed so far, in order.
    static std::vector<std::string>& destroyed()
    {
        static std::vector<std::string> log;
        return log;
    }

protected:
    CountedNode(const CountedNode&) = default;
};

// A node with nothing but the structure of BaseAST: its clone() is BaseAST's.
class BareNode : public BaseAST {
public:
    void initialize(int, const std::string&) override {}
    void initialize(ASTRefCount<AST>) override {}
    void initialize(TokenRefCount<Token>) override {}
};

// Returns a new node of class Node with type 4 and `text`.
template <typename Node = CommonAST>
ASTRefCount<AST> node(const std::string& text)
{
    ASTRefCount<AST> n(new Node);
    n->initialize(4, text);
    return n;
}

// Reads a list of words up to ")" or the end; "(" opens a node whose
// children follow.
template <typename Node>
ASTRefCount<AST> readList(std::istringstream& in)
{
    ASTRefCount<AST> first;
    ASTRefCount<AST> last;
    for (std::string w; in >> w && w != ")";) {
        const bool parent = w == "(";
        if (parent)
            in >> w;
        ASTRefCount<AST> n = node<Node>(w);
        if (parent)
            n->setFirstChild(readList<Node>(in));
        if (last)
            last->setNextSibling(n);
        else
            first = n;
        last = n;
    }
    return first;
}

// Builds the list whose rendering is `text`, e.g. " ( + a b ) c".
template <typename Node = CommonAST>
ASTRefCount<AST> fromText(const std::string& text)
{
    std::istringstream in(text);
    return readList<Node>(in);
}

}

#endif
