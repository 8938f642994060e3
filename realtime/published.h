// Hands a value (a filter's coefficient set, sweep constants, ...) from the
// threads that change parameters to the audio thread, whole and never torn.
//
// A triple buffer: the audio thread reads its own slot and swaps in the newest
// one when a writer has published since; writers fill a slot the reader never
// holds. The reader never locks, waits or allocates. Writers (host and editor
// threads) are serialised among themselves by a short spin.
#pragma once

#include <atomic>
#include <thread>

template <class T>
class Published {
public:
    explicit Published(const T& initial = T()) : staging(initial) {
        for (T& slot : slots) slot = initial;
    }
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    // Audio thread: the newest complete value. Valid until the next call.
    const T& current() {
        if (middle.load(std::memory_order_relaxed) & kFresh) {
            front = middle.exchange(front, std::memory_order_acq_rel) & kIndex;
            ++taken;
        }
        return slots[front];
    }

    // Audio thread: how many new values current() has taken so far. Compare
    // this, not addresses, to tell whether the value changed: the slots are
    // reused, so a newer value can sit where an older one was.
    unsigned long generation() const { return taken; }

    // What a reader's own counter starts at: no value seen yet.
    static constexpr unsigned long kNothingSeen = ~0ul;

    // Audio thread: the newest value when it is newer than the one this reader
    // last took (seen, the reader's counter, is then moved on), else null.
    // The one way the audio side tells a new value: no serials kept by hand.
    const T* takeNewest(unsigned long& seen) {
        const T& value = current();
        if (seen == taken) return nullptr;
        seen = taken;
        return &value;
    }

    // Any writer thread: replaces the whole value.
    void publish(const T& value) {
        update([&](T& v) { v = value; });
    }

    // Any writer thread: changes the newest value in place (under the writer
    // lock, so writers never lose each other's changes) and publishes it.
    template <class Change>
    void update(Change&& change) {
        WriterLock lock(writing);
        change(staging);
        slots[back] = staging;
        back = middle.exchange(back | kFresh, std::memory_order_acq_rel) & kIndex;
    }

    // Any writer thread: a copy of the newest value published.
    T latest() {
        WriterLock lock(writing);
        return staging;
    }

private:
    static constexpr unsigned kIndex = 3;
    static constexpr unsigned kFresh = 4;

    struct WriterLock {
        explicit WriterLock(std::atomic_flag& flag) : flag(flag) {
            while (flag.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        }
        ~WriterLock() { flag.clear(std::memory_order_release); }
        std::atomic_flag& flag;
    };

    T slots[3];
    std::atomic<unsigned> middle{1};
    unsigned front = 0;  // audio thread only
    unsigned long taken = 0;  // audio thread only
    unsigned back = 2;   // writers only, under the lock
    T staging;           // writers only, under the lock
    std::atomic_flag writing = ATOMIC_FLAG_INIT;
};
