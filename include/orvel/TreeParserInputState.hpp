#ifndef ORVEL_TREEPARSERINPUTSTATE_HPP
#define ORVEL_TREEPARSERINPUTSTATE_HPP

#include <orvel/Export.hpp>

#include <string>

namespace orvel {

// The state that cooperating tree parsers share through a
// RefCount<TreeParserInputState>: the guessing depth and the name of the
// input the trees came from. Generated tree parsers may derive from it to keep
// more; it is destroyed through its virtual destructor.
class ORVEL_API TreeParserInputState {
public:
    TreeParserInputState() = default;
    virtual ~TreeParserInputState();

    // Depth of speculative matching; above 0 while guessing.
    int guessing = 0;
    // Name of the input the trees were parsed from, for exceptions; empty
    // when unknown.
    std::string filename;
};

}

#endif
