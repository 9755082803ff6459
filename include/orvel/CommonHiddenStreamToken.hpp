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
// the next (hidden-after) and back (hidden-before), so the tokens of a run
// hold each other alive. Counting alone would never free such a run; instead,
// whenever a share of one of its tokens is dropped, the run is checked: once
// no share of any of its tokens comes from outside the run (a visible token's
// link, a node, a handle), the run is freed. Until then every link holds.
// Only tokens that already had a handle when they were linked are watched
// this way, as every token passed through the filter has.
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
    void setHiddenBefore(TokenRefCount<Token> t);
    // Links `t` (empty to unlink) as the hidden token after this one; the
    // token keeps it alive. Linking the token already linked changes nothing.
    void setHiddenAfter(TokenRefCount<Token> t);

    // Returns a handle to a new default CommonHiddenStreamToken.
    static TokenRefCount<Token> factory();

private:
    friend struct TokenRef;

    // The neighbours in a run: the token a link leads to, when its link in
    // the other direction leads back here.
    CommonHiddenStreamToken* runBefore() const;
    CommonHiddenStreamToken* runAfter() const;
    // Marks this token and its run neighbours as members of a run.
    void watchRun();
    // Whether a share of this token comes from outside its run.
    bool heldFromOutsideRun() const;
    // Frees the run of `start` if nothing outside it holds any of its tokens.
    static void releaseRunIfUnreachable(CommonHiddenStreamToken& start);

protected:
    // Declared in this order so that destruction releases hiddenAfter first.
    TokenRefCount<Token> hiddenBefore;
    TokenRefCount<Token> hiddenAfter;
};

}

#endif
