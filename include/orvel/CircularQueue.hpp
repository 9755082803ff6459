#ifndef ORVEL_CIRCULARQUEUE_HPP
#define ORVEL_CIRCULARQUEUE_HPP

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace orvel {

// First-in, first-out store behind the character and token lookahead buffers.
//
// Not a ring: a growable array with a moving start. Removing from the front
// only advances `offset`; the removed prefix is erased in one move once
// `offset` has reached 5000 and the prefix is at least half of `storage`, so
// the elements moved are never more than those erased: removal is amortised
// constant time however many elements are live, and indexing stays a single
// array access. Removed elements therefore live on in `storage` until that
// compaction, clear() or destruction.
template <typename T>
class CircularQueue {
public:
    CircularQueue() = default;

    // Returns the number of live (not yet removed) elements.
    unsigned int entries() const { return static_cast<unsigned int>(storage.size()) - offset; }

    // Returns the live element at `idx` (0 = oldest). The index is not checked:
    // it must be below entries().
    T& itemAt(unsigned int idx) { return storage[offset + idx]; }
    const T& itemAt(unsigned int idx) const { return storage[offset + idx]; }

    // Adds `x` after the newest element.
    void append(const T& x) { storage.push_back(x); }
    // As append(const T&), taking `x` over.
    void append(T&& x) { storage.push_back(std::move(x)); }

    // Removes the `nb` oldest live elements. `nb` must not exceed entries():
    // a violation is reported on stderr and aborts the process, in every build.
    void removeFront(unsigned int nb)
    {
        if (nb > entries())
            removalFailed(__LINE__);
        const std::size_t dropped = static_cast<std::size_t>(offset) + nb;
        if (offset >= compactionThreshold && 2 * dropped >= storage.size())
            compact(dropped);
        else
            offset += nb;
    }

    // Erases every element, live or removed.
    void clear()
    {
        storage.clear();
        offset = 0;
    }

private:
    static constexpr unsigned int compactionThreshold = 5000;

    // Kept out of line, so that removeFront() stays small enough to inline.
    [[noreturn]] __attribute__((noinline, cold)) static void removalFailed(unsigned int line)
    {
        std::fprintf(stderr, "%s:%u: failed assertion `%s'\n", __FILE__, line, "nb <= entries()");
        std::abort();
    }
    __attribute__((noinline)) void compact(std::size_t dropped)
    {
        storage.erase(storage.begin(), storage.begin() + static_cast<std::ptrdiff_t>(dropped));
        offset = 0;
    }

    std::vector<T> storage;
    unsigned int offset = 0;
};

}

#endif
