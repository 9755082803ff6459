#ifndef ORVEL_SRC_RECYCLER_HPP
#define ORVEL_SRC_RECYCLER_HPP

#include <cstddef>
#include <new>

// Thread-local variables of the library reached on every token use the
// initial-exec model: one load from the thread pointer instead of a call that
// looks the variable up. Safe for a shared library linked at start-up; one
// opened with dlopen() takes the few bytes from the space the C library
// keeps for such libraries.
#if defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define ORVEL_FAST_TLS __attribute__((tls_model("initial-exec")))
#else
#define ORVEL_FAST_TLS
#endif

namespace orvel::detail {

// Whether freed objects are kept for reuse: not under AddressSanitizer, so
// that a use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool recyclesFreedObjects = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool recyclesFreedObjects = false;
#else
inline constexpr bool recyclesFreedObjects = true;
#endif
#else
inline constexpr bool recyclesFreedObjects = true;
#endif

// A thread keeps at most this many free blocks of one kind: more than a token
// buffer drops at once (it compacts by 5,000 tokens), while most of a large
// tree freed at once goes back to the heap instead of staying with the thread.
inline constexpr unsigned int keptFreeBlocks = 8192;

// Storage for objects of one size, recycled per thread: a freed block goes to
// the thread's list and the next object made on that thread reuses it, so
// that objects made and freed at a high rate (tokens and their count records)
// seldom reach the heap. A thread keeps at most keptFreeBlocks; its list is
// freed when the thread ends, and blocks freed after that, or beyond that
// number, go straight back to the heap. Under AddressSanitizer every
// block goes to the heap, so that a use after free is still caught.
template <std::size_t Size>
class Recycler {
public:
    // Returns a block of Size bytes. Throws std::bad_alloc when none is free
    // and memory runs out.
    static void* allocate()
    {
        if (Block* block = list.head) {
            list.head = block->next;
            --list.count;
            return block;
        }
        return ::operator new(Size);
    }

    // Takes back a block that allocate() returned.
    static void release(void* block) noexcept
    {
        if (!recycles || list.closed || list.count == keptFreeBlocks) {
            ::operator delete(block);
            return;
        }
        if (!list.armed) {
            closer.touch();
            list.armed = true;
        }
        list.head = new (block) Block{list.head};
        ++list.count;
    }

private:
    static_assert(Size >= sizeof(void*), "a block holds the link to the next free one");

    struct Block {
        Block* next;
    };
    // Plain data, so that it can still be used while the thread's other
    // objects are destroyed.
    struct List {
        Block* head;
        unsigned int count;
        // Whether the closer below has been made on this thread.
        bool armed;
        bool closed;
    };
    // Frees the thread's list when the thread ends; made when the first block
    // is released on the thread.
    struct Closer {
        void touch() {}
        ~Closer()
        {
            list.closed = true;
            while (Block* block = list.head) {
                list.head = block->next;
                ::operator delete(block);
            }
        }
    };

    static constexpr bool recycles = recyclesFreedObjects;

    static thread_local List list ORVEL_FAST_TLS;
    static thread_local Closer closer;
};

template <std::size_t Size>
thread_local typename Recycler<Size>::List Recycler<Size>::list ORVEL_FAST_TLS{nullptr, 0, false, false};

template <std::size_t Size>
thread_local typename Recycler<Size>::Closer Recycler<Size>::closer;

}

#endif
