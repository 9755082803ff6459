#ifndef ORVEL_COMMONASTWITHPOSITION_HPP
#define ORVEL_COMMONASTWITHPOSITION_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

// A CommonAST that also keeps the line and column of the token it was made
// from, so that a tree parser or a program walking the tree can say where a
// node came from: the tree parser's errors show it. It renders and compares exactly like a CommonAST. Let a
// factory make it for every type with
//
//     factory.setASTNodeFactory(CommonASTWithPosition::TYPE_NAME,
//                               CommonASTWithPosition::factory);
//
// A node that was not made from a token (or from another positioned node) has
// line and column -1, the value RecognitionException takes for "none".
class ORVEL_API CommonASTWithPosition : public CommonAST {
public:
    static constexpr const char* TYPE_NAME = "CommonASTWithPosition";

    // Type 0, empty text, no links, line and column -1.
    CommonASTWithPosition() = default;

    // Returns "CommonASTWithPosition".
    const char* typeName() const override;
    // Returns a new CommonASTWithPosition with this node's type, text, line
    // and column and no links.
    ASTRefCount<AST> clone() const override;
    // initialize(int, string) is CommonAST's: it sets the type, then the
    // text, and leaves the position as it was.
    using CommonAST::initialize;
    // Takes the type, text, line and column of node `t`, which must hold a
    // node (a node that keeps no position gives line and column -1).
    void initialize(ASTRefCount<AST> t) override;
    // Takes the type, text, line and column of token `t`, which must hold a
    // token.
    void initialize(TokenRefCount<Token> t) override;
    // Returns the line of the token the node was made from, or -1.
    int getLine() const override;
    // Returns the column of the token the node was made from, or -1.
    int getColumn() const override;

    // Returns a handle to a new default CommonASTWithPosition.
    static ASTRefCount<AST> factory();

protected:
    // Copies type, text, line and column; the copy has no links.
    CommonASTWithPosition(const CommonASTWithPosition& other) = default;

    int line = -1;
    int column = -1;
};

}

#endif
