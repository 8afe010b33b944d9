#include "platform/files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

namespace quil {
namespace {

// The simulator's paths are UTF-8; Windows takes them as UTF-16.
std::wstring widePath(const char* path) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), length);
    wide.pop_back();
    return wide;
}

bool regularAttributes(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}  // namespace

// Checked before the open, which alone could already connect to a pipe or
// act on a device, and again on what was opened: only a file on a disk,
// not a console, a printer port, NUL or a pipe, whatever its name said.
RegularFile OpenRegularFile(const char* path, std::uint64_t maxBytes) {
    if (path == nullptr) return {};
    const std::wstring wide = widePath(path);
    WIN32_FILE_ATTRIBUTE_DATA status{};
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &status) ||
        !regularAttributes(status.dwFileAttributes)) {
        return {};
    }
    const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION information{};
    const bool regular = GetFileType(handle) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(handle, &information) &&
                         regularAttributes(information.dwFileAttributes);
    RegularFile opened;
    opened.bytes = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    const int descriptor = regular && opened.bytes <= maxBytes
                               ? _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY)
                               : -1;
    if (descriptor < 0) {
        CloseHandle(handle);
        return {};
    }
    opened.file = _fdopen(descriptor, "rb");
    if (opened.file == nullptr) _close(descriptor);  // closes the handle too
    return opened;
}

}  // namespace quil
