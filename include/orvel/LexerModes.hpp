#ifndef ORVEL_LEXERMODES_HPP
#define ORVEL_LEXERMODES_HPP

#include <orvel/Export.hpp>

#include <vector>

namespace orvel {

// The modes of a lexer: how many it has, the one in force, and the modes that
// push() left, to return to. Mode 0 is the default mode.
class ORVEL_API LexerModes {
public:
    // Returns the mode in force.
    int get() const { return mode; }
    // Declares `n` modes. Throws ORVELException, changing nothing, below 1.
    void setCount(int n);
    // Switches to `m`, forgetting the mode in force. Throws ORVELException,
    // changing nothing, when `m` is no mode.
    void set(int m);
    // Switches to `m`, keeping the mode in force for pop(). Throws as set().
    void push(int m);
    // Returns to the mode the last push() left and returns true; returns
    // false, changing nothing, when no mode was pushed.
    bool pop();

private:
    int mode = 0;
    int count = 1;
    std::vector<int> pushed;
};

}

#endif
