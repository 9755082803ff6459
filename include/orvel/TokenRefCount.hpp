#ifndef ORVEL_TOKENREFCOUNT_HPP
#define ORVEL_TOKENREFCOUNT_HPP

#include <orvel/IntrusiveRefCount.hpp>
#include <orvel/TokenRef.hpp>

namespace orvel {

// Counted handle to a token (T is Token or a class derived from it). Every
// handle to one token, whatever T, shares the token's TokenRef. See
// IntrusiveRefCount for the sharing and conversion rules.
template <typename T>
using TokenRefCount = IntrusiveRefCount<TokenRef, T>;

}

#endif
