#ifndef ORVEL_TOKENSTREAMHIDDENTOKENFILTER_HPP
#define ORVEL_TOKENSTREAMHIDDENTOKENFILTER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>

namespace orvel {

class CommonHiddenStreamToken;

// A token stream that takes hidden tokens (comments, white space: the types
// in its hide set) out of the stream without losing them, and drops the
// discarded ones as TokenStreamBasicFilter does. A type in both sets is
// hidden. A token of type Token::EOF_TYPE is always visible.
//
// Design: the filter reads one visible token ahead. Handing out visible token
// V, it links every hidden token between V and the next visible token W into
// a chain, then hands out W next time:
//   V.hiddenAfter -> H1, H1.hiddenAfter -> H2, ... (forward)
//   W.hiddenBefore -> Hn, Hn.hiddenBefore -> Hn-1, ... (back)
// A hidden token never links to a visible one. Discarded tokens between hidden
// ones do not break the chain. Hidden tokens before the first visible token
// are chained the same way; the first of them is getInitialHiddenToken().
//
// Every token that passes through must be a CommonHiddenStreamToken (set the
// lexer's token object factory accordingly); anything else, and an empty
// handle, is rejected with a TokenStreamException.
//
// Ownership: the links are counted handles, so within a run of two or more
// hidden tokens each token holds its neighbours alive in both directions. The
// run stays whole while anything outside it (the visible tokens around it, a
// node, any handle) reaches one of its tokens, and is freed as soon as nothing
// does (see CommonHiddenStreamToken).
// The filter reads its input without owning it: the input must outlive it.
class ORVEL_API TokenStreamHiddenTokenFilter : public TokenStreamBasicFilter {
public:
    // A filter reading `input` (not owned), with empty hide and discard sets.
    // Nothing is read until the first nextToken().
    explicit TokenStreamHiddenTokenFilter(TokenStream& input);
    // A filter reading the filter `input` (not owned): stacking wraps, it
    // never copies. Filters cannot be copied.
    explicit TokenStreamHiddenTokenFilter(TokenStreamHiddenTokenFilter& input);
    TokenStreamHiddenTokenFilter(const TokenStreamHiddenTokenFilter&) = delete;
    TokenStreamHiddenTokenFilter& operator=(const TokenStreamHiddenTokenFilter&) = delete;

    // Adds `ttype` to the hide set. Throws TokenStreamException, changing
    // nothing, when `ttype` is negative.
    void hide(int ttype);
    // Replaces the hide set by a copy of `mask`; later calls of hide(int)
    // extend the copy, not `mask`.
    void hide(const BitSet& mask);
    // Returns a copy of the hide set.
    BitSet getHideMask() const;
    // Returns a copy of the discard set.
    BitSet getDiscardMask() const;

    // Returns the first hidden token that followed `t`, or an empty handle.
    // Throws TokenStreamException when `t` is empty or not a
    // CommonHiddenStreamToken.
    TokenRefCount<Token> getHiddenAfter(TokenRefCount<Token> t) const;
    // Returns the last hidden token that preceded `t`, or an empty handle.
    // Throws as getHiddenAfter().
    TokenRefCount<Token> getHiddenBefore(TokenRefCount<Token> t) const;
    // Returns the first hidden token of the stream when hidden tokens come
    // before the first visible one; otherwise an empty handle.
    TokenRefCount<Token> getInitialHiddenToken() const;

    // Returns the token read ahead (empty before the first nextToken()); the
    // argument is ignored, the filter looks one token ahead only.
    TokenRefCount<Token> LA(int i) const;
    // Reads the next token of the input into the lookahead. Throws
    // TokenStreamException, keeping the lookahead unchanged, when the input
    // yields an empty handle or a token that is not a
    // CommonHiddenStreamToken; exceptions of the input pass through.
    void consume();
    // The start-up scan that the first nextToken() runs: reads up to the first
    // visible token, chaining the hidden tokens before it. Throws as consume(),
    // changing nothing.
    void consumeFirst();

    // Returns the next visible token, its hidden-before link set to the last
    // hidden token since the previous visible one (or empty), after reading
    // on up to the following visible token and chaining the hidden tokens in
    // between after it. Throws as consume(); the filter is then as it was,
    // and the tokens read before the exception are gone (a later call goes on
    // with what the input yields next).
    TokenRefCount<Token> nextToken() override;
    ~TokenStreamHiddenTokenFilter() override;

protected:
    BitSet hideMask;
    TokenRefCount<Token> lookahead;
    TokenRefCount<Token> hiddenTail;
    TokenRefCount<Token> initialHidden;

private:
    // Returns the next token of the input, checked as consume() says.
    TokenRefCount<Token> read();
    // Reads up to the next visible token and returns it. The hidden tokens
    // read on the way are chained to each other; `first` and `last` are set
    // to the first and last of them (left as they are if there is none).
    // Throws as consume(), changing nothing of the filter.
    TokenRefCount<Token> readVisible(TokenRefCount<Token>& first, TokenRefCount<Token>& last);
    bool isHidden(int ttype) const;
    bool isVisible(int ttype) const;
};

}

#endif
