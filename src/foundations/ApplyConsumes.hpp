#ifndef ORVEL_SRC_APPLYCONSUMES_HPP
#define ORVEL_SRC_APPLYCONSUMES_HPP

#include <orvel/CircularQueue.hpp>

namespace orvel::detail {

// The sync step that the character and token buffers share: applies the
// consumes counted since the last fill, mark or rewind. While a mark is open
// the consumed elements stay queued for a rewind (only `lookaheadBase` moves);
// otherwise the oldest queued elements are dropped (after a commit these are
// the retained ones in front of the lookahead, so the lookahead still lines
// up). Elements consumed without ever being looked at are read first with
// `pull`, which appends one element to the queue, so that they are skipped
// rather than removing more than the queue holds.
template <typename T, typename Pull>
void applyConsumes(CircularQueue<T>& queue, unsigned int markerCount, unsigned int& lookaheadBase,
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
