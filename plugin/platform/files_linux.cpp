#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

// Checked before the open, which alone could already act on a device, and
// again on what was opened, in case the path was swapped between the two.
// statx, from glibc 2.28, where stat and fstat would ask for 2.33.
FILE* OpenRegularFile(const char* path) {
    const auto regular = [](int folder, const char* name, int flags) {
        struct statx status {};
        return statx(folder, name, flags, STATX_TYPE, &status) == 0 && S_ISREG(status.stx_mode);
    };
    if (path == nullptr || !regular(AT_FDCWD, path, 0)) return nullptr;
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    FILE* file = regular(descriptor, "", AT_EMPTY_PATH) ? fdopen(descriptor, "rb") : nullptr;
    if (file == nullptr) close(descriptor);
    return file;
}

}  // namespace quil
