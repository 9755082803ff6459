#ifndef ORVEL_REFCOUNT_HPP
#define ORVEL_REFCOUNT_HPP

namespace orvel {

// A counted handle with a private count record, used to share input states.
// Not intrusive: wrap a raw object once, when it is created, and share it
// afterwards only by copying the handle (two handles made separately from one
// raw pointer would each delete it). The last handle deletes the object
// through its virtual destructor. Counts are plain integers: one thread.
template <typename T>
class RefCount {
public:
    // A handle owning `a` (empty for null). If the count record cannot be
    // made, deletes `a` and throws std::bad_alloc.
    explicit RefCount(T* a = nullptr) : ref(a ? owning(a) : nullptr) {}
    // A handle sharing `other`'s object: one more share.
    RefCount(const RefCount& other) : ref(acquire(other.ref)) {}
    // Removes this handle's share; the last share deletes the object.
    ~RefCount() { release(ref); }

    // Shares `other`'s object; nothing changes when both share one already.
    // Takes the new share and leads to its object before it releases its own,
    // so whatever that release deletes sees this handle's new object.
    RefCount& operator=(const RefCount& other)
    {
        if (other.ref != ref) {
            Ref* old = ref;
            ref = acquire(other.ref);
            release(old);
        }
        return *this;
    }

    // Returns the object, or null for an empty handle.
    T* get() const { return ref ? ref->ptr : nullptr; }
    // Returns the object; the handle must not be empty.
    T* operator->() const { return get(); }
    // Returns the object; the handle must not be empty.
    T& operator*() const { return *get(); }
    // Returns whether the handle leads to an object.
    explicit operator bool() const { return ref != nullptr; }

private:
    struct Ref {
        T* const ptr;
        unsigned int count = 1;
        explicit Ref(T* p) : ptr(p) {}
        ~Ref() { delete ptr; }
        Ref(const Ref&) = delete;
        Ref& operator=(const Ref&) = delete;
    };

    static Ref* owning(T* a)
    {
        try {
            return new Ref(a);
        } catch (...) {
            delete a;
            throw;
        }
    }
    static Ref* acquire(Ref* r)
    {
        if (r)
            ++r->count;
        return r;
    }
    static void release(Ref* r)
    {
        if (r && --r->count == 0)
            delete r;
    }

    Ref* ref;
};

}

#endif
