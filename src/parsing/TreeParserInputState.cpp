#include <orvel/TreeParserInputState.hpp>

namespace orvel {

TreeParserInputState::~TreeParserInputState() = default;

}
