#ifndef ORVEL_FUZZ_CHECK_HPP
#define ORVEL_FUZZ_CHECK_HPP

#include <cstdlib>

// Stops the run, which the fuzzer reports with the input, when a harness's
// expectation fails.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

#endif
