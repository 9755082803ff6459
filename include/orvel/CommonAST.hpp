#ifndef ORVEL_COMMONAST_HPP
#define ORVEL_COMMONAST_HPP

#include <orvel/BaseAST.hpp>
#include <orvel/Export.hpp>

#include <string>

namespace orvel {

// The ordinary node a parser builds: a BaseAST carrying a token type and a text.
class ORVEL_API CommonAST : public BaseAST {
public:
    static constexpr const char* TYPE_NAME = "CommonAST";

    // Type 0 (Token::INVALID_TYPE), empty text, no links.
    CommonAST() = default;

    // Returns "CommonAST".
    const char* typeName() const override;
    // Returns a new CommonAST with this node's type and text and no links.
    ASTRefCount<AST> clone() const override;
    // Returns the text.
    std::string getText() const override;
    // Returns the type.
    int getType() const override;
    // Sets the type, then the text (virtual setType and setText).
    void initialize(int t, const std::string& txt) override;
    // Takes the type, then the text of node `t`, which must hold a node.
    void initialize(ASTRefCount<AST> t) override;
    // Takes the type, then the text of token `t`, which must hold a token.
    void initialize(TokenRefCount<Token> t) override;
    // Replaces the text with a copy of `txt`.
    void setText(const std::string& txt) override;
    // Replaces the type.
    void setType(int type) override;

    // Returns a handle to a new default CommonAST: the default node factory.
    // The node and its count record are one allocation, recycled per thread.
    // Throws std::bad_alloc when memory runs out.
    static ASTRefCount<AST> factory();
    // Returns a handle to a new CommonAST of type `type` holding `text`
    // (taken over), made as factory() makes its nodes. Throws std::bad_alloc
    // when memory runs out.
    static ASTRefCount<AST> make(int type, std::string&& text);

protected:
    // Copies type and text; the copy has no links.
    CommonAST(const CommonAST& other) = default;

    int type = 0;
    std::string text;
};

}

#endif
