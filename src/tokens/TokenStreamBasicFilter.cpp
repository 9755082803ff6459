#include <orvel/TokenStreamBasicFilter.hpp>

#include <orvel/TextUtils.hpp>
#include <orvel/TokenStreamException.hpp>

namespace orvel {

TokenStreamBasicFilter::TokenStreamBasicFilter(TokenStream& input) : input(input) {}

TokenStreamBasicFilter::TokenStreamBasicFilter(TokenStreamBasicFilter& input)
    : TokenStreamBasicFilter(static_cast<TokenStream&>(input))
{
}

TokenStreamBasicFilter::~TokenStreamBasicFilter() = default;

void TokenStreamBasicFilter::discard(int ttype)
{
    if (ttype < 0)
        throw TokenStreamException(std::string("TokenStreamBasicFilter: cannot discard the negative token type ")
                                   + ttype);
    discardMask.add(static_cast<unsigned int>(ttype));
}

void TokenStreamBasicFilter::discard(const BitSet& mask) { discardMask = mask; }

TokenRefCount<Token> TokenStreamBasicFilter::nextToken()
{
    TokenRefCount<Token> token = input.nextToken();
    while (token && isDiscarded(token->getType()))
        token = input.nextToken();
    return token;
}

bool TokenStreamBasicFilter::isDiscarded(int ttype) const
{
    return ttype != Token::EOF_TYPE && discardMask.member(static_cast<unsigned int>(ttype));
}

}
