#ifndef ORVEL_NESTINGGUARD_HPP
#define ORVEL_NESTINGGUARD_HPP

namespace orvel {

// Counts one rule of a generated recognizer as entered for as long as the
// guard lives: construction calls the recognizer's `enterRule()`, which
// throws a RecognitionException (and counts nothing) once the recognizer's
// nesting limit is reached; destruction calls its `leaveRule()`. The
// recognizer must outlive the guard.
template <class Recognizer>
class NestingGuard {
public:
    explicit NestingGuard(Recognizer& r) : r_(r) { r_.enterRule(); }
    ~NestingGuard() { r_.leaveRule(); }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    Recognizer& r_;
};

}

#endif
