// Counts the heap allocations that plug-in code makes, by standing in front
// of the C library's allocator for the whole process. Only the thread that
// runs the host counts, only while a plug-in's code is running (see
// PluginCall and SdkCall), and only allocations asked for by the code of a
// loaded plug-in or of the image library it decodes with: the OpenGL
// driver's own allocations inside a plug-in's GL calls, its worker threads
// and the host's bookkeeping stay out of the figures.
#include <link.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

inline void noteAllocation(const void* caller) {
    if (countingOn && fromCountedCode(caller)) ++allocations;
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

void countAllocationsOf(const std::vector<uintptr_t>& pluginBases) {
    countedCodeRanges = 0;
    Sources sources{pluginBases.data(), static_cast<int>(pluginBases.size())};
    dl_iterate_phdr(addExecutableSegments, &sources);
}

}  // namespace standin::detail

extern "C" {

__attribute__((visibility("default"))) void* malloc(size_t size) {
    noteAllocation(__builtin_return_address(0));
    return __libc_malloc(size);
}

__attribute__((visibility("default"))) void* calloc(size_t count, size_t size) {
    noteAllocation(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

__attribute__((visibility("default"))) void* realloc(void* pointer, size_t size) {
    noteAllocation(__builtin_return_address(0));
    return __libc_realloc(pointer, size);
}

__attribute__((visibility("default"))) void free(void* pointer) { __libc_free(pointer); }

__attribute__((visibility("default"))) void* memalign(size_t alignment, size_t size) {
    noteAllocation(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) void* aligned_alloc(size_t alignment, size_t size) {
    noteAllocation(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) int posix_memalign(void** out, size_t alignment,
                                                          size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    noteAllocation(__builtin_return_address(0));
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
}

}  // extern "C"
