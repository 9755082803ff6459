#ifndef ORVEL_SRC_NEWRECORD_HPP
#define ORVEL_SRC_NEWRECORD_HPP

namespace orvel::detail {

// Returns a new count record for `object`, which has none yet. Should the
// record's allocation fail, deletes `object` and rethrows: whoever handed the
// object to a handle (`return new X;`) no longer holds it.
template <typename Record, typename Object>
Record* newRecordOwning(Object* object)
{
    try {
        return new Record(object);
    } catch (...) {
        delete object;
        throw;
    }
}

}

#endif
