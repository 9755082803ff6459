#ifndef ORVEL_TESTS_SUPPORT_TREENODES_HPP
#define ORVEL_TESTS_SUPPORT_TREENODES_HPP

#include <orvel/CommonAST.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace orvel::test {

using Texts = std::vector<std::string>;

// A CommonAST that logs its text when it is destroyed.
class CountedNode : public CommonAST {
public:
    ~CountedNode() override { destroyed.push_back(text); }
    ASTRefCount<AST> clone() const override { return new CountedNode(*this); }
    static ASTRefCount<AST> factory() { return new CountedNode; }

    // Empties the log and returns it: the texts of the CountedNodes destroyed from now on, in order.
    static const Texts& freshLog()
    {
        destroyed.clear();
        return destroyed;
    }

private:
    static inline Texts destroyed;
};

// A node with nothing but the structure of BaseAST: its clone() is BaseAST's.
class BareNode : public BaseAST {
public:
    void initialize(int, const std::string&) override {}
    void initialize(ASTRefCount<AST>) override {}
    void initialize(TokenRefCount<Token>) override {}
};

// Returns a new node of class Node with `text` and `type`.
template <typename Node = CommonAST>
ASTRefCount<AST> node(const std::string& text, int type = Token::MIN_USER_TYPE)
{
    ASTRefCount<AST> n(new Node);
    n->initialize(type, text);
    return n;
}

// Builds the list whose rendering is `text`, e.g. " ( + a b ) c", from nodes of class Node.
template <typename Node = CommonAST>
ASTRefCount<AST> fromText(const std::string& text)
{
    std::istringstream in(text);
    const auto readList = [&in](const auto& self) -> ASTRefCount<AST> {
        ASTRefCount<AST> holder = node("");
        for (std::string w; in >> w && w != ")";) {
            const bool parent = w == "(" && in >> w;
            ASTRefCount<AST> n = node<Node>(w);
            if (parent)
                n->setFirstChild(self(self));
            holder->addChild(n);
        }
        return holder->getFirstChild();
    };
    return readList(readList);
}

}

#endif
