// The few C library symbols that the statically linked C++ runtime and
// unwinder ask for under glibc versions newer than the oldest Linux the
// simulator runs on (glibc 2.31). Each is defined here instead, inside the
// plug-in and hidden by its export list, so the loader never looks for the
// new versions. Everything else the runtime calls exists since glibc 2.2.5.
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#if __GLIBC_PREREQ(2, 32)
// The runtime skips atomic reference counting while this says the process
// has one thread. The simulator's process never has, and 0 is always safe.
extern "C" {
char __libc_single_threaded = 0;
}
#endif

#if __GLIBC_PREREQ(2, 34)
// glibc 2.34 moved the thread functions into the C library under new
// versions; the ones from 2.2.5 are the same functions, found in libpthread
// on older systems. Weak: a process without threads may not have them.
extern "C" {
int quil_pthread_once_2_2_5(pthread_once_t* once, void (*init)()) __attribute__((weak));
int quil_pthread_key_create_2_2_5(pthread_key_t* key, void (*destroy)(void*)) __attribute__((weak));
}
__asm__(".symver quil_pthread_once_2_2_5, pthread_once@GLIBC_2.2.5");
__asm__(".symver quil_pthread_key_create_2_2_5, __pthread_key_create@GLIBC_2.2.5");

// The unwinder tells threads from no threads by this symbol's presence, and
// runs its one-time set-up through pthread_once.
extern "C" int __pthread_key_create(pthread_key_t* key, void (*destroy)(void*)) noexcept {
    return quil_pthread_key_create_2_2_5 != nullptr ? quil_pthread_key_create_2_2_5(key, destroy)
                                                    : ENOSYS;
}

extern "C" int pthread_once(pthread_once_t* once, void (*init)()) {
    if (quil_pthread_once_2_2_5 != nullptr) return quil_pthread_once_2_2_5(once, init);
    // No thread library loaded: one thread, so a flag is enough.
    if (*once == PTHREAD_ONCE_INIT) {
        *once = PTHREAD_ONCE_INIT + 1;
        init();
    }
    return 0;
}
#endif

#if __GLIBC_PREREQ(2, 35)
namespace {

struct ObjectSearch {
    uintptr_t address;
    dl_find_object* result;
};

// Fills the result from the loaded object whose segments hold the address.
int findInObject(dl_phdr_info* info, size_t, void* data) {
    ObjectSearch& search = *static_cast<ObjectSearch*>(data);
    uintptr_t start = UINTPTR_MAX, end = 0;
    bool holdsAddress = false;
    void* frameTable = nullptr;
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        const uintptr_t from = info->dlpi_addr + segment.p_vaddr;
        if (segment.p_type == PT_GNU_EH_FRAME) frameTable = reinterpret_cast<void*>(from);
        if (segment.p_type != PT_LOAD) continue;
        const uintptr_t to = from + segment.p_memsz;
        if (from < start) start = from;
        if (to > end) end = to;
        if (search.address >= from && search.address < to) holdsAddress = true;
    }
    if (!holdsAddress) return 0;
    *search.result = dl_find_object{};
    search.result->dlfo_map_start = reinterpret_cast<void*>(start);
    search.result->dlfo_map_end = reinterpret_cast<void*>(end);
    search.result->dlfo_eh_frame = frameTable;
    return 1;
}

}  // namespace

// The unwinder finds the frame table of the code it passes through with
// this glibc 2.35 call; walking the loaded objects answers the same, as the
// unwinder itself did before. It reads only the frame table, so the link
// map is left empty.
extern "C" int _dl_find_object(void* address, dl_find_object* result) noexcept {
    ObjectSearch search{reinterpret_cast<uintptr_t>(address), result};
    return dl_iterate_phdr(findInObject, &search) == 1 ? 0 : -1;
}
#endif

#if __GLIBC_PREREQ(2, 36)
// Only std::random_device can reach this, and the plug-in never makes one;
// the kernel's entropy serves it as glibc 2.36 would.
extern "C" uint32_t arc4random() noexcept {
    uint32_t value;
    if (getentropy(&value, sizeof value) == 0) return value;
    // A kernel too old to have it: the clock, mixed, is the best left.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t mixed = static_cast<uint64_t>(now.tv_sec) * 1000000007u + now.tv_nsec;
    mixed = (mixed ^ (mixed >> 30)) * 0xbf58476d1ce4e5b9u;
    mixed = (mixed ^ (mixed >> 27)) * 0x94d049bb133111ebu;
    return static_cast<uint32_t>(mixed ^ (mixed >> 31));
}
#endif
