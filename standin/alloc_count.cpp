// Counts the heap allocations that plug-in code makes, by standing in front
// of the C library's allocator for the whole process. Only the thread that
// runs the host counts, and only while a plug-in's code is running (see
// PluginCall and SdkCall), so the driver's worker threads and the host's own
// bookkeeping stay out of the figures.
#include <cerrno>
#include <cstddef>

#include "standin/internal.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {

// Initial-exec TLS never allocates on access, which matters inside malloc.
__thread bool countingOn __attribute__((tls_model("initial-exec"))) = false;
long allocations = 0;  // only ever changed by the counting thread

inline void noteAllocation() {
    if (countingOn) ++allocations;
}

}  // namespace

namespace standin::detail {

bool allocationCountingOn() { return countingOn; }
void setAllocationCounting(bool on) { countingOn = on; }
long allocationsCounted() { return allocations; }

}  // namespace standin::detail

extern "C" {

__attribute__((visibility("default"))) void* malloc(size_t size) {
    noteAllocation();
    return __libc_malloc(size);
}

__attribute__((visibility("default"))) void* calloc(size_t count, size_t size) {
    noteAllocation();
    return __libc_calloc(count, size);
}

__attribute__((visibility("default"))) void* realloc(void* pointer, size_t size) {
    noteAllocation();
    return __libc_realloc(pointer, size);
}

__attribute__((visibility("default"))) void free(void* pointer) { __libc_free(pointer); }

__attribute__((visibility("default"))) void* memalign(size_t alignment, size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) void* aligned_alloc(size_t alignment, size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) int posix_memalign(void** out, size_t alignment,
                                                          size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    noteAllocation();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
}

}  // extern "C"
