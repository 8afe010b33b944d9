#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

// Checked before the open, which alone could already act on a device, and
// again on what was opened, in case the path was swapped between the two.
// statx, from glibc 2.28, where stat and fstat would ask for 2.33.
RegularFile OpenRegularFile(const char* path, std::uint64_t maxBytes) {
    const auto regular = [maxBytes](int folder, const char* name, int flags, std::uint64_t& bytes) {
        struct statx status {};
        if (statx(folder, name, flags, STATX_TYPE | STATX_SIZE, &status) != 0) return false;
        bytes = status.stx_size;
        return S_ISREG(status.stx_mode) && bytes <= maxBytes;
    };
    RegularFile opened;
    if (path == nullptr || !regular(AT_FDCWD, path, 0, opened.bytes)) return {};
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return {};
    if (regular(descriptor, "", AT_EMPTY_PATH, opened.bytes)) opened.file = fdopen(descriptor, "rb");
    if (opened.file == nullptr) close(descriptor);
    return opened;
}

}  // namespace quil
