#ifndef ORVEL_COMMONASTWITHHIDDENTOKENS_HPP
#define ORVEL_COMMONASTWITHHIDDENTOKENS_HPP

#include <orvel/CommonAST.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

// A CommonAST that also remembers the hidden tokens (comments, white space)
// that stood before and after the token it was made from. The two handles are
// the heads of the hidden chains: walk further with the
// CommonHiddenStreamToken links. The node shares the hidden tokens and keeps
// them alive for as long as it lives.
class ORVEL_API CommonASTWithHiddenTokens : public CommonAST {
public:
    static constexpr const char* TYPE_NAME = "CommonASTWithHiddenTokens";

    // Type 0, empty text, no links, no hidden tokens.
    CommonASTWithHiddenTokens() = default;
    // Releases hiddenAfter, then hiddenBefore, then the CommonAST part.
    ~CommonASTWithHiddenTokens() override;

    // Returns "CommonASTWithHiddenTokens".
    const char* typeName() const override;
    // Returns a new CommonASTWithHiddenTokens with this node's type, text and
    // hidden tokens (shared, not copied) and no links.
    ASTRefCount<AST> clone() const override;
    // Sets the type, then the text; the hidden tokens stay as they were.
    void initialize(int t, const std::string& txt) override;
    // Takes the type and text of node `t` (which must hold a node), then its
    // hidden tokens when it is a CommonASTWithHiddenTokens; otherwise this
    // node is left without hidden tokens.
    void initialize(ASTRefCount<AST> t) override;
    // Takes the type and text of token `t` (which must hold a token), then its
    // hidden neighbours when it is a CommonHiddenStreamToken; otherwise this
    // node is left without hidden tokens.
    void initialize(TokenRefCount<Token> t) override;
    // Returns the hidden token that followed the node's token (empty if none).
    virtual TokenRefCount<Token> getHiddenAfter() const;
    // Returns the hidden token that preceded the node's token (empty if none).
    virtual TokenRefCount<Token> getHiddenBefore() const;

    // Returns a handle to a new default CommonASTWithHiddenTokens.
    static ASTRefCount<AST> factory();

protected:
    // Copies type, text and the hidden-token handles; the copy has no links.
    CommonASTWithHiddenTokens(const CommonASTWithHiddenTokens& other) = default;

    TokenRefCount<Token> hiddenBefore;
    TokenRefCount<Token> hiddenAfter;
};

}

#endif
