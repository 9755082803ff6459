#ifndef ORVEL_LOOKAHEADSYNC_HPP
#define ORVEL_LOOKAHEADSYNC_HPP

#include <orvel/CircularQueue.hpp>

// The steps that the character and token buffers share. Internal to orvel:
// they are in a public header only so that the buffers' lookahead can be
// inline.
namespace orvel::detail {

// Returns whether the i-th lookahead element is already queued once the
// pending consumes are applied, so that lookahead needs no reading; i counts
// from 1, and 0 is never buffered.
template <typename T>
bool lookaheadBuffered(const CircularQueue<T>& queue, unsigned int lookaheadBase,
                       unsigned int pendingConsumes, unsigned int i)
{
    const unsigned int queued = queue.entries();
    const unsigned int consumed = lookaheadBase + pendingConsumes;
    return consumed < queued && i - 1 < queued - consumed;
}

// The sync step: applies the consumes counted since the last fill, mark or
// rewind. While a mark is open the consumed elements stay queued for a rewind
// (only `lookaheadBase` moves); otherwise the oldest queued elements are
// dropped (after a commit these are the retained ones in front of the
// lookahead, so the lookahead still lines up). Elements consumed without ever
// being looked at are read first with `pull`, which appends one element to the
// queue, so that they are skipped rather than removing more than the queue
// holds. Always inlined: it runs on every lookahead.
template <typename T, typename Pull>
inline __attribute__((always_inline)) void applyConsumes(CircularQueue<T>& queue, unsigned int markerCount,
                                                         unsigned int& lookaheadBase,
                                                         unsigned int& pendingConsumes, Pull pull)
{
    if (pendingConsumes == 0)
        return;
    if (markerCount > 0) {
        lookaheadBase += pendingConsumes;
    } else {
        while (queue.entries() < pendingConsumes)
            pull();
        queue.removeFront(pendingConsumes);
    }
    pendingConsumes = 0;
}

}

#endif
