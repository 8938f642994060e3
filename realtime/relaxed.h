// A value that one thread may write while others read it, with no ordering
// beyond the value itself: reads and writes are whole, never torn, and
// ThreadSanitizer sees no race. Reads like a plain T.
#pragma once

#include <atomic>

template <class T>
class Relaxed {
public:
    Relaxed(T v = T()) : value(v) {}  // NOLINT: reads and writes like a plain T
    Relaxed& operator=(T v) {
        value.store(v, std::memory_order_relaxed);
        return *this;
    }
    operator T() const { return value.load(std::memory_order_relaxed); }  // NOLINT
    T load() const { return value.load(std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
