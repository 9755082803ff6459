#ifndef ORVEL_TREEPARSERINPUTSTATE_HPP
#define ORVEL_TREEPARSERINPUTSTATE_HPP

#include <orvel/Export.hpp>

namespace orvel {

// The state that cooperating tree parsers share through a
// RefCount<TreeParserInputState>. Generated tree parsers may derive from it
// to keep more; it is destroyed through its virtual destructor.
class ORVEL_API TreeParserInputState {
public:
    TreeParserInputState() = default;
    virtual ~TreeParserInputState();

    // Depth of speculative matching; above 0 while guessing.
    int guessing = 0;
};

}

#endif
