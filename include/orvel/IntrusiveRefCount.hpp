#ifndef ORVEL_INTRUSIVEREFCOUNT_HPP
#define ORVEL_INTRUSIVEREFCOUNT_HPP

namespace orvel {

// A counted handle to an object that remembers its own count record: the
// common form of TokenRefCount (Record = TokenRef) and ASTRefCount
// (Record = ASTRef). Use those names; this template only spells them once.
//
// A handle is one pointer wide: the record. Copying adds a share, destroying
// removes one, and the handle that removes the last share deletes the record
// and with it the object. Every assignment takes the new share before it
// releases the old one, so replacing a handle by one that leads to the same
// object (directly, or only through the old one) never frees it in between.
//
// T decides only the static type that access yields. A handle of another
// element type converts only explicitly and without a check, sharing the same
// record: the caller guarantees the object's dynamic type.
//
// Counts are plain integers: handles sharing a record belong to one thread.
template <typename Record, typename T>
class IntrusiveRefCount {
public:
    // An empty handle.
    IntrusiveRefCount() = default;
    // A handle to `p` (empty for null). Shares the record `p` already has.
    IntrusiveRefCount(T* p) : ref(Record::getRef(p)) {}
    // A handle sharing `other`'s record: one more share.
    IntrusiveRefCount(const IntrusiveRefCount& other) : ref(acquire(other.ref)) {}
    // Takes `other`'s share, leaving `other` empty.
    IntrusiveRefCount(IntrusiveRefCount&& other) noexcept : ref(other.ref) { other.ref = nullptr; }
    // A handle of element type T to the object `other` leads to, sharing its
    // record. Unchecked: the object must be a T.
    template <typename U>
    explicit IntrusiveRefCount(const IntrusiveRefCount<Record, U>& other)
        : IntrusiveRefCount(static_cast<T*>(other.get()))
    {
    }
    // Removes this handle's share; the last share deletes the object.
    ~IntrusiveRefCount() { release(ref); }

    // Shares `other`'s record. Nothing changes when both share one already.
    IntrusiveRefCount& operator=(const IntrusiveRefCount& other)
    {
        if (other.ref != ref)
            replace(acquire(other.ref));
        return *this;
    }
    // Takes `other`'s share, leaving `other` empty, and releases its own.
    IntrusiveRefCount& operator=(IntrusiveRefCount&& other) noexcept
    {
        Record* taken = other.ref;
        other.ref = nullptr;
        replace(taken);
        return *this;
    }
    // Makes this handle lead to `p` (empty for null), sharing the record `p`
    // already has; `p` may be the object this handle leads to.
    IntrusiveRefCount& operator=(T* p)
    {
        replace(Record::getRef(p));
        return *this;
    }

    // Returns the object, or null for an empty handle.
    T* get() const { return ref ? static_cast<T*>(ref->ptr) : nullptr; }
    // Returns the object; the handle must not be empty.
    T* operator->() const { return get(); }
    // Returns the object; the handle must not be empty.
    T& operator*() const { return *get(); }
    // Returns whether the handle leads to an object.
    explicit operator bool() const { return ref != nullptr; }

    // Handles are equal when they lead to the same object (or both to none).
    template <typename U>
    bool operator==(const IntrusiveRefCount<Record, U>& other) const
    {
        return object() == other.object();
    }
    template <typename U>
    bool operator!=(const IntrusiveRefCount<Record, U>& other) const
    {
        return !(*this == other);
    }

private:
    template <typename, typename>
    friend class IntrusiveRefCount;

    auto object() const -> decltype(Record::ptr) { return ref ? ref->ptr : nullptr; }

    // Takes `taken`, a share already acquired, and then lets the old share go:
    // whatever the release sets off (a destructor, a check of the object's
    // links) sees this handle leading to its new object.
    void replace(Record* taken)
    {
        Record* old = ref;
        ref = taken;
        release(old);
    }

    static Record* acquire(Record* r) { return r ? r->increment() : nullptr; }
    static void release(Record* r)
    {
        if (r)
            r->drop();
    }

    Record* ref = nullptr;
};

}

#endif
