#include <orvel/CommonHiddenStreamToken.hpp>

namespace orvel {

CommonHiddenStreamToken::CommonHiddenStreamToken(int t, const std::string& txt)
    : CommonToken(t, txt)
{
}

CommonHiddenStreamToken::CommonHiddenStreamToken(const std::string& s) : CommonToken(s) {}

TokenRefCount<Token> CommonHiddenStreamToken::factory() { return new CommonHiddenStreamToken; }

}
