#ifndef ORVEL_SRC_ITERATIVEDELETE_HPP
#define ORVEL_SRC_ITERATIVEDELETE_HPP

#include "foundations/Recycler.hpp"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace orvel::detail {

// Deletes a count record (and so its object) without recursing when that
// object's destructor frees further records: a token's hidden-token chain, or
// a node's child and sibling links, can be a million long.
//
// The outermost release on a thread owns a work list on its stack; a release
// that happens while it runs only appends to that list. After each deletion
// the records it appended are reversed, so the list pops them in the order the
// destructor released them, and their own releases come before those of any
// earlier record: objects start dying in the order a recursive release would
// start them, but each destructor finishes before the next begins.
//
// `destroy` deletes one record (and its object); plain `delete` by default.
template <typename Record>
void deleteIteratively(Record* record, void (*destroy)(Record*) = [](Record* r) { delete r; })
{
    static thread_local std::vector<Record*>* pending ORVEL_FAST_TLS = nullptr;
    if (pending) {
        pending->push_back(record);
        return;
    }
    std::vector<Record*> work;
    pending = &work;
    for (Record* next = record; next;) {
        const std::size_t before = work.size();
        destroy(next);
        std::reverse(work.begin() + static_cast<std::ptrdiff_t>(before), work.end());
        next = nullptr;
        if (!work.empty()) {
            next = work.back();
            work.pop_back();
        }
    }
    pending = nullptr;
}

}

#endif
