#include <orvel/TokenWithIndex.hpp>

namespace orvel {

TokenRefCount<Token> TokenWithIndex::factory() { return new TokenWithIndex; }

}
