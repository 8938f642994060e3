// The replacements. This file includes no C library header that declares the
// functions it defines (their exception specifications would clash), and
// counts with compiler builtins: nothing here allocates, locks or calls the
// system on its own.
#include "tests/realtime_safety/interpose.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstddef>
#include <new>

#define EXPORTED extern "C" __attribute__((visibility("default")))

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {

thread_local bool inAudio = false;

struct Slot {
    const char* function;
    long count;
};
constexpr int kSlots = 64;
Slot slots[kSlots];

// Counts a call made on a thread inside a processing call. Each function
// names itself with its own literal, so a slot is found by pointer.
void note(const char* function) {
    if (!inAudio) return;
    for (Slot& slot : slots) {
        const char* held = __atomic_load_n(&slot.function, __ATOMIC_ACQUIRE);
        if (!held) {
            const char* expected = nullptr;
            if (__atomic_compare_exchange_n(&slot.function, &expected, function, false, __ATOMIC_ACQ_REL,
                                            __ATOMIC_ACQUIRE))
                held = function;
            else
                held = expected;
        }
        if (held == function) {
            __atomic_fetch_add(&slot.count, 1, __ATOMIC_RELAXED);
            return;
        }
    }
}

template <class F>
F next(F& cached, const char* name) {
    F f = __atomic_load_n(&cached, __ATOMIC_ACQUIRE);
    if (!f) {
        f = reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
        __atomic_store_n(&cached, f, __ATOMIC_RELEASE);
    }
    return f;
}

}  // namespace

namespace realtime {

void enterAudio() { inAudio = true; }
void leaveAudio() { inAudio = false; }

int forbiddenCalls(ForbiddenCall* out, int room) {
    int n = 0;
    for (Slot& slot : slots) {
        const char* f = __atomic_load_n(&slot.function, __ATOMIC_ACQUIRE);
        const long c = __atomic_load_n(&slot.count, __ATOMIC_RELAXED);
        if (f && c > 0) {
            if (n < room) out[n] = ForbiddenCall{f, c};
            ++n;
        }
    }
    return n;
}

void resetForbiddenCalls() {
    for (Slot& slot : slots) __atomic_store_n(&slot.count, 0, __ATOMIC_RELAXED);
}

}  // namespace realtime

// Allocation.
EXPORTED void* malloc(std::size_t size) {
    note("malloc");
    return __libc_malloc(size);
}
EXPORTED void free(void* p) {
    note("free");
    __libc_free(p);
}
EXPORTED void* calloc(std::size_t n, std::size_t size) {
    note("calloc");
    return __libc_calloc(n, size);
}
EXPORTED void* realloc(void* p, std::size_t size) {
    note("realloc");
    return __libc_realloc(p, size);
}
EXPORTED void* memalign(std::size_t alignment, std::size_t size) {
    note("memalign");
    return __libc_memalign(alignment, size);
}
EXPORTED void* aligned_alloc(std::size_t alignment, std::size_t size) {
    note("aligned_alloc");
    return __libc_memalign(alignment, size);
}
EXPORTED int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    note("posix_memalign");
    if (alignment < sizeof(void*) || (alignment & (alignment - 1))) return 22;  // EINVAL
    void* p = __libc_memalign(alignment, size);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}

namespace {
void* newBlock(std::size_t size, std::size_t alignment, const char* function) {
    note(function);
    if (size == 0) size = 1;
    return alignment > alignof(std::max_align_t) ? __libc_memalign(alignment, size) : __libc_malloc(size);
}
void deleteBlock(void* p, const char* function) {
    note(function);
    __libc_free(p);
}
}  // namespace

__attribute__((visibility("default"))) void* operator new(std::size_t size) {
    if (void* p = newBlock(size, 0, "operator new")) return p;
    throw std::bad_alloc();
}
__attribute__((visibility("default"))) void* operator new[](std::size_t size) {
    if (void* p = newBlock(size, 0, "operator new[]")) return p;
    throw std::bad_alloc();
}
__attribute__((visibility("default"))) void* operator new(std::size_t size, std::align_val_t a) {
    if (void* p = newBlock(size, static_cast<std::size_t>(a), "operator new")) return p;
    throw std::bad_alloc();
}
__attribute__((visibility("default"))) void* operator new[](std::size_t size, std::align_val_t a) {
    if (void* p = newBlock(size, static_cast<std::size_t>(a), "operator new[]")) return p;
    throw std::bad_alloc();
}
__attribute__((visibility("default"))) void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return newBlock(size, 0, "operator new");
}
__attribute__((visibility("default"))) void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return newBlock(size, 0, "operator new[]");
}
__attribute__((visibility("default"))) void* operator new(std::size_t size, std::align_val_t a,
                                                          const std::nothrow_t&) noexcept {
    return newBlock(size, static_cast<std::size_t>(a), "operator new");
}
__attribute__((visibility("default"))) void* operator new[](std::size_t size, std::align_val_t a,
                                                            const std::nothrow_t&) noexcept {
    return newBlock(size, static_cast<std::size_t>(a), "operator new[]");
}
__attribute__((visibility("default"))) void operator delete(void* p) noexcept { deleteBlock(p, "operator delete"); }
__attribute__((visibility("default"))) void operator delete[](void* p) noexcept { deleteBlock(p, "operator delete[]"); }
__attribute__((visibility("default"))) void operator delete(void* p, std::size_t) noexcept {
    deleteBlock(p, "operator delete");
}
__attribute__((visibility("default"))) void operator delete[](void* p, std::size_t) noexcept {
    deleteBlock(p, "operator delete[]");
}
__attribute__((visibility("default"))) void operator delete(void* p, std::align_val_t) noexcept {
    deleteBlock(p, "operator delete");
}
__attribute__((visibility("default"))) void operator delete[](void* p, std::align_val_t) noexcept {
    deleteBlock(p, "operator delete[]");
}
__attribute__((visibility("default"))) void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    deleteBlock(p, "operator delete");
}
__attribute__((visibility("default"))) void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    deleteBlock(p, "operator delete[]");
}
__attribute__((visibility("default"))) void operator delete(void* p, const std::nothrow_t&) noexcept {
    deleteBlock(p, "operator delete");
}
__attribute__((visibility("default"))) void operator delete[](void* p, const std::nothrow_t&) noexcept {
    deleteBlock(p, "operator delete[]");
}

// Locks, waits and system calls: counted, then passed to the runtime's own.
#define FORWARD(ret, name, params, args)                        \
    EXPORTED ret name params {                                  \
        note(#name);                                            \
        using F = ret(*) params;                                \
        static F real = nullptr;                                \
        return next(real, #name) args;                          \
    }

struct timespec;
struct pollfd;

FORWARD(int, pthread_mutex_lock, (void* m), (m))
FORWARD(int, pthread_mutex_trylock, (void* m), (m))
FORWARD(int, pthread_mutex_timedlock, (void* m, const timespec* t), (m, t))
FORWARD(int, pthread_mutex_unlock, (void* m), (m))
FORWARD(int, pthread_rwlock_rdlock, (void* l), (l))
FORWARD(int, pthread_rwlock_wrlock, (void* l), (l))
FORWARD(int, pthread_rwlock_tryrdlock, (void* l), (l))
FORWARD(int, pthread_rwlock_trywrlock, (void* l), (l))
FORWARD(int, pthread_rwlock_unlock, (void* l), (l))
FORWARD(int, pthread_spin_lock, (volatile int* l), (l))
FORWARD(int, pthread_spin_trylock, (volatile int* l), (l))
FORWARD(int, pthread_cond_wait, (void* c, void* m), (c, m))
FORWARD(int, pthread_cond_timedwait, (void* c, void* m, const timespec* t), (c, m, t))
FORWARD(int, pthread_cond_signal, (void* c), (c))
FORWARD(int, pthread_cond_broadcast, (void* c), (c))
FORWARD(int, sem_wait, (void* s), (s))
FORWARD(int, sem_timedwait, (void* s, const timespec* t), (s, t))
FORWARD(int, sem_trywait, (void* s), (s))
FORWARD(int, sem_post, (void* s), (s))
FORWARD(long, write, (int fd, const void* b, std::size_t n), (fd, b, n))
FORWARD(long, read, (int fd, void* b, std::size_t n), (fd, b, n))
FORWARD(int, close, (int fd), (fd))
FORWARD(int, nanosleep, (const timespec* t, timespec* r), (t, r))
FORWARD(int, clock_nanosleep, (int c, int f, const timespec* t, timespec* r), (c, f, t, r))
FORWARD(int, usleep, (unsigned u), (u))
FORWARD(unsigned, sleep, (unsigned s), (s))
FORWARD(int, sched_yield, (), ())
FORWARD(void*, mmap, (void* a, std::size_t n, int p, int f, int fd, long o), (a, n, p, f, fd, o))
FORWARD(int, munmap, (void* a, std::size_t n), (a, n))
FORWARD(int, mprotect, (void* a, std::size_t n, int p), (a, n, p))
FORWARD(int, madvise, (void* a, std::size_t n, int advice), (a, n, advice))
FORWARD(int, poll, (pollfd* f, unsigned long n, int t), (f, n, t))
FORWARD(int, select, (int n, void* r, void* w, void* e, void* t), (n, r, w, e, t))
FORWARD(int, fflush, (void* f), (f))
FORWARD(int, fputs, (const char* s, void* f), (s, f))
FORWARD(std::size_t, fwrite, (const void* p, std::size_t s, std::size_t n, void* f), (p, s, n, f))
FORWARD(int, puts, (const char* s), (s))

// The variadic ones: every argument they can take is passed on.
EXPORTED long syscall(long number, ...) {
    note("syscall");
    va_list args;
    va_start(args, number);
    long a[6];
    for (long& v : a) v = va_arg(args, long);
    va_end(args);
    using F = long (*)(long, ...);
    static F real = nullptr;
    return next(real, "syscall")(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}
EXPORTED int open(const char* path, int flags, ...) {
    note("open");
    va_list args;
    va_start(args, flags);
    const unsigned mode = va_arg(args, unsigned);
    va_end(args);
    using F = int (*)(const char*, int, ...);
    static F real = nullptr;
    return next(real, "open")(path, flags, mode);
}
EXPORTED int openat(int dir, const char* path, int flags, ...) {
    note("openat");
    va_list args;
    va_start(args, flags);
    const unsigned mode = va_arg(args, unsigned);
    va_end(args);
    using F = int (*)(int, const char*, int, ...);
    static F real = nullptr;
    return next(real, "openat")(dir, path, flags, mode);
}
EXPORTED int ioctl(int fd, unsigned long request, ...) {
    note("ioctl");
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    using F = int (*)(int, unsigned long, ...);
    static F real = nullptr;
    return next(real, "ioctl")(fd, request, arg);
}
