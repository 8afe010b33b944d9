// Windows: plug-ins loaded as DLLs. There is no offscreen OpenGL context:
// WGL makes one only for a window on a display, which neither a build
// machine nor Wine without one has, so the host runs without graphics.
#include "standin/platform.h"

#include <windows.h>

#include <algorithm>
#include <csignal>

namespace standin::detail {

// ---- Plug-in binaries ---------------------------------------------------------

namespace {

// The simulator's paths are UTF-8; Windows takes them as UTF-16.
std::wstring widePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    wide.pop_back();
    return wide;
}

std::string lastError() {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "cannot be loaded";
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message;
}

}  // namespace

// The DLLs a plug-in needs are looked for beside the runner (the SDK's),
// in the plug-in's own folder and in Windows' own.
void* openLibrary(const std::string& path, std::string& why) {
    HMODULE library =
        LoadLibraryExW(widePath(path).c_str(), nullptr,
                       LOAD_LIBRARY_SEARCH_DEFAULT_DIRS | LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR);
    if (library == nullptr) why = path + ": " + lastError();
    return reinterpret_cast<void*>(library);
}

void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

// ---- The offscreen OpenGL context -----------------------------------------------

bool createOffscreenContext(int, int, bool&, std::string& why) {
    why = "no offscreen OpenGL context on Windows (run with --no-graphics)";
    return false;
}

bool makeOffscreenCurrent() { return false; }

bool resizeOffscreenSurface(int, int) { return false; }

void releaseOffscreenContext() {}

void destroyOffscreenContext() {}

void* offscreenEntryPoint(const char* name) {
    return reinterpret_cast<void*>(wglGetProcAddress(name));
}

// ---- The end of a run a plug-in broke ------------------------------------------

namespace {

void (*crashed)(const char*) = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
void (*previousAbort)(int) = SIG_DFL;

const char* exceptionName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION: return "an access violation (invalid memory access)";
        case EXCEPTION_STACK_OVERFLOW: return "a stack overflow";
        case EXCEPTION_ILLEGAL_INSTRUCTION: return "an illegal instruction";
        default: return "an unhandled exception";
    }
}

LONG WINAPI onException(EXCEPTION_POINTERS* exception) {
    crashed(exceptionName(exception->ExceptionRecord->ExceptionCode));
    return EXCEPTION_CONTINUE_SEARCH;
}

void onAbort(int) { crashed("an abort (the program aborted)"); }

void writeAll(HANDLE file, const char* text, size_t length) {
    while (length > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
        if (!WriteFile(file, text, chunk, &written, nullptr) || written == 0) return;
        text += written;
        length -= written;
    }
}

}  // namespace

void installCrashHandler(void (*onCrash)(const char* fault)) {
    crashed = onCrash;
    previousFilter = SetUnhandledExceptionFilter(onException);
    previousAbort = std::signal(SIGABRT, onAbort);
}

void removeCrashHandler() {
    SetUnhandledExceptionFilter(previousFilter);
    std::signal(SIGABRT, previousAbort);
}

void writeFileInCrash(const char* path, const char* text, size_t length) {
    const HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    writeAll(file, text, length);
    CloseHandle(file);
}

void writeErrorInCrash(const char* text, size_t length) {
    writeAll(GetStdHandle(STD_ERROR_HANDLE), text, length);
}

void waitForever() {
    while (true) Sleep(INFINITE);
}

}  // namespace standin::detail
