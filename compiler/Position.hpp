#ifndef ORVELC_POSITION_HPP
#define ORVELC_POSITION_HPP

namespace orvelc {

// A place in a file that orvelc reads, for its messages.
struct Position {
    int line = 0;
    int column = 0;
    int file = 0;  // which file, as Diagnostics numbers them: 0 is the grammar
};

}

#endif
