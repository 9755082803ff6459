#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamException.hpp>

namespace orvel {

namespace {

// Returns `t` as the hidden-stream token it must be. Otherwise throws a
// TokenStreamException whose message starts with `source`, which says where
// `t` came from.
CommonHiddenStreamToken* hiddenStreamToken(const TokenRefCount<Token>& t, const std::string& source)
{
    const std::string prefix = "TokenStreamHiddenTokenFilter: " + source;
    if (!t)
        throw TokenStreamException(prefix + " an empty token handle");
    auto* token = dynamic_cast<CommonHiddenStreamToken*>(t.get());
    if (!token)
        throw TokenStreamException(prefix + " a token that is not a CommonHiddenStreamToken: " + t->toString());
    return token;
}

// Returns `t`, which the filter checked on reading it, as a hidden-stream token.
CommonHiddenStreamToken* linked(const TokenRefCount<Token>& t)
{
    return static_cast<CommonHiddenStreamToken*>(t.get());
}

}

TokenStreamHiddenTokenFilter::TokenStreamHiddenTokenFilter(TokenStream& input)
    : TokenStreamBasicFilter(input)
{
}

TokenStreamHiddenTokenFilter::~TokenStreamHiddenTokenFilter() = default;

void TokenStreamHiddenTokenFilter::hide(int ttype) { hideMask.add(static_cast<unsigned int>(ttype)); }

void TokenStreamHiddenTokenFilter::hide(const BitSet& mask) { hideMask = mask; }

BitSet TokenStreamHiddenTokenFilter::getHideMask() const { return hideMask; }

BitSet TokenStreamHiddenTokenFilter::getDiscardMask() const { return discardMask; }

TokenRefCount<Token> TokenStreamHiddenTokenFilter::getHiddenAfter(TokenRefCount<Token> t) const
{
    return hiddenStreamToken(t, "getHiddenAfter() was given")->getHiddenAfter();
}

TokenRefCount<Token> TokenStreamHiddenTokenFilter::getHiddenBefore(TokenRefCount<Token> t) const
{
    return hiddenStreamToken(t, "getHiddenBefore() was given")->getHiddenBefore();
}

TokenRefCount<Token> TokenStreamHiddenTokenFilter::getInitialHiddenToken() const { return initialHidden; }

TokenRefCount<Token> TokenStreamHiddenTokenFilter::LA(int) const { return lookahead; }

void TokenStreamHiddenTokenFilter::consume()
{
    TokenRefCount<Token> next = input.nextToken();
    hiddenStreamToken(next, "the input yielded");
    lookahead = next;
}

void TokenStreamHiddenTokenFilter::consumeFirst()
{
    consume();
    TokenRefCount<Token> chainEnd;
    while (!isVisible(lookahead->getType())) {
        if (isHidden(lookahead->getType())) {
            if (chainEnd) {
                linked(chainEnd)->setHiddenAfter(lookahead);
                linked(lookahead)->setHiddenBefore(chainEnd);
            }
            chainEnd = lookahead;
            hiddenTail = chainEnd;
            if (!initialHidden)
                initialHidden = chainEnd;
        }
        consume();
    }
}

TokenRefCount<Token> TokenStreamHiddenTokenFilter::nextToken()
{
    if (!lookahead)
        consumeFirst();
    TokenRefCount<Token> result = lookahead;
    linked(result)->setHiddenBefore(hiddenTail);
    hiddenTail = nullToken;
    consume();
    TokenRefCount<Token> chainEnd = result;
    while (!isVisible(lookahead->getType())) {
        if (isHidden(lookahead->getType())) {
            linked(chainEnd)->setHiddenAfter(lookahead);
            if (chainEnd != result)
                linked(lookahead)->setHiddenBefore(chainEnd);
            chainEnd = lookahead;
            hiddenTail = lookahead;
        }
        consume();
    }
    return result;
}

bool TokenStreamHiddenTokenFilter::isHidden(int ttype) const
{
    return ttype != Token::EOF_TYPE && hideMask.member(static_cast<unsigned int>(ttype));
}

bool TokenStreamHiddenTokenFilter::isVisible(int ttype) const
{
    return !isHidden(ttype) && !isDiscarded(ttype);
}

}
