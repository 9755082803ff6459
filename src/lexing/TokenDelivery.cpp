#include <orvel/TokenDelivery.hpp>

#include <orvel/ORVELException.hpp>

namespace orvel {

void TokenDelivery::emit(const TokenRefCount<Token>& t)
{
    if (!t)
        throw ORVELException("emit of an empty token");
    emitted.push_back(t);
}

TokenRefCount<Token> TokenDelivery::takeEmitted()
{
    TokenRefCount<Token> t = std::move(emitted.front());
    emitted.pop_front();
    return t;
}

}
