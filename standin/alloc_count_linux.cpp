// Counts the heap allocations that plug-in code makes. Only the thread that
// runs the host counts, only while a plug-in's code is running (see
// PluginCall and SdkCall), and only allocations asked for by the code of a
// loaded plug-in or of the image library it decodes with: the OpenGL
// driver's own allocations inside a plug-in's GL calls, its worker threads
// and the host's bookkeeping stay out of the figures.
//
// A normal build stands in front of the C library's allocator for the whole
// process. Under AddressSanitizer its allocator takes every request first,
// so the sanitizer's allocation hooks count instead, with the caller taken
// from the stack it records for each block.
//
// The heap in use is the sum of the blocks handed out and not yet freed,
// kept as they come and go. The C library's own figure (mallinfo2) counts
// the freed blocks it holds in its per-thread cache for reuse as still in
// use; which sizes sit there depends on the lengths of the strings a load
// makes (the plug-in's path among them), so that figure crept up by a few
// hundred bytes a load and unload cycle with nothing leaked.
#include <dlfcn.h>
#include <link.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "standin/internal.h"
#include "standin/standin.h"

#if defined(__SANITIZE_ADDRESS__)
#define STANDIN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STANDIN_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef STANDIN_ADDRESS_SANITIZER
// The sanitizer runtime's own interface (GCC ships no header for the
// allocator part).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_current_allocated_bytes();
size_t __asan_get_alloc_stack(void* addr, void** trace, size_t size, int* thread_id);
}
#else
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}
#endif

namespace {

// Initial-exec TLS never allocates on access, which matters inside malloc.
__thread bool countingOn __attribute__((tls_model("initial-exec"))) = false;
long allocations = 0;  // only ever changed by the counting thread
size_t largest = 0;    // bytes of the largest request counted

// The executable code of the objects whose allocations count.
struct CodeRange {
    uintptr_t begin, end;
};
constexpr int kMaxCodeRanges = 64;
CodeRange countedCode[kMaxCodeRanges];
int countedCodeRanges = 0;

bool fromCountedCode(const void* caller) {
    const auto address = reinterpret_cast<uintptr_t>(caller);
    for (int i = 0; i < countedCodeRanges; ++i) {
        if (address >= countedCode[i].begin && address < countedCode[i].end) return true;
    }
    return false;
}

inline void noteAllocation(const void* caller, size_t size) {
    if (!countingOn || !fromCountedCode(caller)) return;
    ++allocations;
    largest = std::max(largest, size);
}

struct Sources {
    const uintptr_t* pluginBases;
    int plugins;
};

bool isImageLibrary(const char* path) {
    const char* name = std::strrchr(path, '/');
    name = name != nullptr ? name + 1 : path;
    return std::strncmp(name, "libpng", 6) == 0 || std::strncmp(name, "libz.", 5) == 0;
}

int addExecutableSegments(dl_phdr_info* info, size_t, void* data) {
    const Sources& sources = *static_cast<const Sources*>(data);
    bool counted = info->dlpi_name != nullptr && isImageLibrary(info->dlpi_name);
    for (int i = 0; i < sources.plugins && !counted; ++i) {
        counted = sources.pluginBases[i] == info->dlpi_addr;
    }
    if (!counted) return 0;
    for (int i = 0; i < info->dlpi_phnum && countedCodeRanges < kMaxCodeRanges; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_X) == 0) continue;
        const uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
        countedCode[countedCodeRanges++] = {begin, begin + segment.p_memsz};
    }
    return 0;
}

}  // namespace

namespace standin::detail {

bool allocationCountingOn() { return countingOn; }
void setAllocationCounting(bool on) { countingOn = on; }
long allocationsCounted() { return allocations; }
void forgetLargestAllocation() { largest = 0; }

void countAllocationsOf(const std::vector<void*>& pluginLibraries) {
    std::vector<uintptr_t> bases;
    for (void* library : pluginLibraries) {
        link_map* map = nullptr;
        if (dlinfo(library, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr) bases.push_back(map->l_addr);
    }
    countedCodeRanges = 0;
    Sources sources{bases.data(), static_cast<int>(bases.size())};
    dl_iterate_phdr(addExecutableSegments, &sources);
}

}  // namespace standin::detail

namespace standin {

size_t largestAllocation() { return largest; }

}  // namespace standin

#ifdef STANDIN_ADDRESS_SANITIZER
namespace {

// The first recorded frame lies in the sanitizer's allocator entry, the
// second in the code that asked.
void onAllocation(const volatile void* block, size_t size) {
    if (!countingOn) return;
    void* frames[2] = {};
    int thread = 0;
    const size_t depth = __asan_get_alloc_stack(const_cast<void*>(block), frames, 2, &thread);
    for (size_t i = 0; i < depth; ++i) {
        if (fromCountedCode(frames[i])) {
            noteAllocation(frames[i], size);
            return;
        }
    }
}

void onRelease(const volatile void*) {}

__attribute__((constructor)) void installAllocationHooks() {
    __sanitizer_install_malloc_and_free_hooks(onAllocation, onRelease);
}

}  // namespace

size_t standin::heapBytesInUse() { return __sanitizer_get_current_allocated_bytes(); }
#else
namespace {

// Every thread allocates, the graphics driver's workers too.
std::atomic<size_t> bytesInUse{0};

void* handedOut(void* block) {
    if (block == nullptr) return nullptr;
    bytesInUse.fetch_add(malloc_usable_size(block), std::memory_order_relaxed);
    return block;
}

void givenBack(void* block) {
    if (block == nullptr) return;
    bytesInUse.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
}

}  // namespace

size_t standin::heapBytesInUse() { return bytesInUse.load(std::memory_order_relaxed); }

extern "C" {

__attribute__((visibility("default"))) void* malloc(size_t size) {
    noteAllocation(__builtin_return_address(0), size);
    return handedOut(__libc_malloc(size));
}

__attribute__((visibility("default"))) void* calloc(size_t count, size_t size) {
    noteAllocation(__builtin_return_address(0), count * size);
    return handedOut(__libc_calloc(count, size));
}

// A failed resize leaves the old block in place; a resize to nothing frees
// it and hands out nothing.
__attribute__((visibility("default"))) void* realloc(void* pointer, size_t size) {
    noteAllocation(__builtin_return_address(0), size);
    const size_t before = pointer != nullptr ? malloc_usable_size(pointer) : 0;
    void* resized = __libc_realloc(pointer, size);
    if (resized == nullptr && size != 0) return nullptr;
    bytesInUse.fetch_sub(before, std::memory_order_relaxed);
    return handedOut(resized);
}

__attribute__((visibility("default"))) void free(void* pointer) {
    givenBack(pointer);
    __libc_free(pointer);
}

__attribute__((visibility("default"))) void* memalign(size_t alignment, size_t size) {
    noteAllocation(__builtin_return_address(0), size);
    return handedOut(__libc_memalign(alignment, size));
}

__attribute__((visibility("default"))) void* aligned_alloc(size_t alignment, size_t size) {
    noteAllocation(__builtin_return_address(0), size);
    return handedOut(__libc_memalign(alignment, size));
}

__attribute__((visibility("default"))) int posix_memalign(void** out, size_t alignment,
                                                          size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    noteAllocation(__builtin_return_address(0), size);
    void* pointer = handedOut(__libc_memalign(alignment, size));
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
}

}  // extern "C"
#endif
