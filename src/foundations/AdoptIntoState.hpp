#ifndef ORVEL_SRC_ADOPTINTOSTATE_HPP
#define ORVEL_SRC_ADOPTINTOSTATE_HPP

#include <orvel/RefCount.hpp>

#include <memory>

namespace orvel::detail {

// Returns a shared input state that owns `input` (a buffer a recognizer was
// given to adopt), without leaking it should an allocation fail: until the
// state exists the buffer is held here, after that the state owns it and the
// handle deletes the state on failure.
template <typename State, typename Input>
RefCount<State> adoptIntoState(Input* input)
{
    std::unique_ptr<Input> owned(input);
    auto* state = new State(owned.get());
    owned.release();
    return RefCount<State>(state);
}

}

#endif
