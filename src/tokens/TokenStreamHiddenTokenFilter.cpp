#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TextUtils.hpp>
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

TokenStreamHiddenTokenFilter::TokenStreamHiddenTokenFilter(TokenStreamHiddenTokenFilter& input)
    : TokenStreamHiddenTokenFilter(static_cast<TokenStream&>(input))
{
}

TokenStreamHiddenTokenFilter::~TokenStreamHiddenTokenFilter() = default;

void TokenStreamHiddenTokenFilter::hide(int ttype)
{
    if (ttype < 0)
        throw TokenStreamException(std::string("TokenStreamHiddenTokenFilter: cannot hide the negative token type ")
                                   + ttype);
    hideMask.add(static_cast<unsigned int>(ttype));
}

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

void TokenStreamHiddenTokenFilter::consume() { lookahead = read(); }

void TokenStreamHiddenTokenFilter::consumeFirst()
{
    TokenRefCount<Token> first;
    TokenRefCount<Token> last;
    TokenRefCount<Token> visible = readVisible(first, last);
    initialHidden = first;
    hiddenTail = last;
    lookahead = visible;
}

TokenRefCount<Token> TokenStreamHiddenTokenFilter::nextToken()
{
    if (!lookahead)
        consumeFirst();
    TokenRefCount<Token> first;
    TokenRefCount<Token> last;
    TokenRefCount<Token> visible = readVisible(first, last);
    TokenRefCount<Token> result = lookahead;
    linked(result)->setHiddenBefore(hiddenTail);
    if (first)
        linked(result)->setHiddenAfter(first);
    hiddenTail = last;
    lookahead = visible;
    return result;
}

TokenRefCount<Token> TokenStreamHiddenTokenFilter::read()
{
    TokenRefCount<Token> next = input.nextToken();
    hiddenStreamToken(next, "the input yielded");
    return next;
}

// Only the tokens read here are linked until the visible one is in hand, so
// an exception from the input leaves the filter as it was.
TokenRefCount<Token> TokenStreamHiddenTokenFilter::readVisible(TokenRefCount<Token>& first,
                                                               TokenRefCount<Token>& last)
{
    for (;;) {
        TokenRefCount<Token> next = read();
        const int type = next->getType();
        if (isVisible(type))
            return next;
        if (!isHidden(type))
            continue;
        if (last) {
            linked(last)->setHiddenAfter(next);
            linked(next)->setHiddenBefore(last);
        } else {
            first = next;
        }
        last = next;
    }
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
