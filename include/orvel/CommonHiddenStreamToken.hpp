#ifndef ORVEL_COMMONHIDDENSTREAMTOKEN_HPP
#define ORVEL_COMMONHIDDENSTREAMTOKEN_HPP

#include <orvel/CommonToken.hpp>

#include <string>

namespace orvel {

// A token that also links to the hidden tokens (comments, white space) next
// to it, as the hiding token filter sets them. The links are counted handles:
// a token keeps its hidden neighbours alive for as long as it lives.
//
// Within a run of two or more hidden tokens the filter links each token to
// the next (hidden-after) and back (hidden-before), so the run holds itself
// alive: it is a reference cycle, never freed on its own. To free a run, clear
// its back links, for instance with setHiddenBefore(nullToken) on each hidden
// token of the run (walk it from the last one, keeping a handle to the token
// before while clearing).
class ORVEL_API CommonHiddenStreamToken : public CommonToken {
public:
    // As the CommonToken constructors; both links empty.
    CommonHiddenStreamToken() = default;
    CommonHiddenStreamToken(int t, const std::string& txt);
    explicit CommonHiddenStreamToken(const std::string& s);

    // Returns the hidden token immediately before this one (empty if none).
    TokenRefCount<Token> getHiddenBefore() const { return hiddenBefore; }
    // Returns the hidden token immediately after this one (empty if none).
    TokenRefCount<Token> getHiddenAfter() const { return hiddenAfter; }
    // Links `t` (empty to unlink) as the hidden token before this one; the
    // token keeps it alive. Linking the token already linked changes nothing.
    void setHiddenBefore(TokenRefCount<Token> t) { hiddenBefore = t; }
    // Links `t` (empty to unlink) as the hidden token after this one; the
    // token keeps it alive. Linking the token already linked changes nothing.
    void setHiddenAfter(TokenRefCount<Token> t) { hiddenAfter = t; }

    // Returns a handle to a new default CommonHiddenStreamToken.
    static TokenRefCount<Token> factory();

protected:
    // Declared in this order so that destruction releases hiddenAfter first.
    TokenRefCount<Token> hiddenBefore;
    TokenRefCount<Token> hiddenAfter;
};

}

#endif
