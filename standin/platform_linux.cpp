// Linux: plug-ins loaded with the dynamic loader, and the offscreen context
// made with EGL on Mesa's surfaceless platform.
#include "standin/platform.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iterator>

namespace standin::detail {

// ---- Plug-in binaries ---------------------------------------------------------

void* openLibrary(const std::string& path, std::string& why) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        // The loader's own message already names the file.
        const char* message = dlerror();
        why = message != nullptr ? message : path + ": cannot be opened";
    }
    return library;
}

void* librarySymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

// ---- The offscreen OpenGL context -----------------------------------------------

namespace {

struct EglContext {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface pbuffer = EGL_NO_SURFACE;  // none when drawing into a framebuffer object
};
EglContext egl;

std::string eglFailure(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

bool hasExtension(const char* extensions, const char* name) {
    if (!extensions) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

EGLConfig chooseConfig(EGLDisplay display, EGLint surfaceType) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE, surfaceType, EGL_RED_SIZE, 8,
                                 EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                 EGL_DEPTH_SIZE, 24, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count < 1) return nullptr;
    return config;
}

EGLContext createCompatibilityContext(EGLDisplay display, EGLConfig config) {
    const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                    EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, compatibility);
    if (context != EGL_NO_CONTEXT) return context;
    // Without profile attributes EGL makes a legacy context, which has
    // immediate mode too.
    return eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
}

EGLSurface createPbuffer(int width, int height) {
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    return eglCreatePbufferSurface(egl.display, egl.config, size);
}

// The reason, after releasing what was made.
bool fail(std::string& why, const std::string& reason) {
    destroyOffscreenContext();
    why = reason;
    return false;
}

}  // namespace

bool createOffscreenContext(int width, int height, bool& hasSurface, std::string& why) {
    if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS),
                      "EGL_MESA_platform_surfaceless")) {
        return fail(why, "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return fail(why, "EGL has no eglGetPlatformDisplayEXT");
    egl.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (egl.display == EGL_NO_DISPLAY || !eglInitialize(egl.display, nullptr, nullptr)) {
        const std::string reason = eglFailure("eglInitialize on the surfaceless platform");
        egl.display = EGL_NO_DISPLAY;
        return fail(why, reason);
    }
    if (!eglBindAPI(EGL_OPENGL_API)) return fail(why, eglFailure("eglBindAPI(EGL_OPENGL_API)"));

    egl.config = chooseConfig(egl.display, EGL_PBUFFER_BIT);
    hasSurface = egl.config != nullptr;
    if (!hasSurface) egl.config = chooseConfig(egl.display, 0);
    if (!egl.config) return fail(why, "EGL offers no RGBA8 OpenGL configuration");
    egl.context = createCompatibilityContext(egl.display, egl.config);
    if (egl.context == EGL_NO_CONTEXT) {
        return fail(why, eglFailure("eglCreateContext (OpenGL compatibility profile)"));
    }
    if (hasSurface) {
        egl.pbuffer = createPbuffer(width, height);
        hasSurface = egl.pbuffer != EGL_NO_SURFACE;
    }
    if (!eglMakeCurrent(egl.display, egl.pbuffer, egl.pbuffer, egl.context)) {
        return fail(why, eglFailure(hasSurface ? "eglMakeCurrent" : "eglMakeCurrent without a surface"));
    }
    return true;
}

bool makeOffscreenCurrent() {
    if (egl.context == EGL_NO_CONTEXT) return false;
    if (eglGetCurrentContext() == egl.context) return true;
    return eglMakeCurrent(egl.display, egl.pbuffer, egl.pbuffer, egl.context);
}

bool resizeOffscreenSurface(int width, int height) {
    EGLSurface resized = createPbuffer(width, height);
    if (resized == EGL_NO_SURFACE) return false;
    if (!eglMakeCurrent(egl.display, resized, resized, egl.context)) {
        eglDestroySurface(egl.display, resized);
        return false;
    }
    eglDestroySurface(egl.display, egl.pbuffer);
    egl.pbuffer = resized;
    return true;
}

void releaseOffscreenContext() {
    if (egl.context != EGL_NO_CONTEXT)
        eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void destroyOffscreenContext() {
    if (egl.display != EGL_NO_DISPLAY) {
        eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (egl.pbuffer != EGL_NO_SURFACE) eglDestroySurface(egl.display, egl.pbuffer);
        if (egl.context != EGL_NO_CONTEXT) eglDestroyContext(egl.display, egl.context);
        eglTerminate(egl.display);
    }
    egl = EglContext();
}

void* offscreenEntryPoint(const char* name) {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

// ---- The end of a run a plug-in broke ------------------------------------------

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGABRT};
constexpr size_t kAltStackBytes = 256 * 1024;

void (*crashed)(const char*) = nullptr;
struct sigaction previous[sizeof kFatalSignals / sizeof kFatalSignals[0]];
alignas(16) char altStack[kAltStackBytes];

const char* signalName(int signal) {
    switch (signal) {
        case SIGSEGV: return "SIGSEGV (invalid memory access)";
        case SIGBUS: return "SIGBUS (invalid memory access)";
        case SIGILL: return "SIGILL (illegal instruction)";
        case SIGABRT: return "SIGABRT (the program aborted)";
        default: return "a fatal signal";
    }
}

void onFatalSignal(int signal) { crashed(signalName(signal)); }

void writeAll(int fd, const char* text, size_t length) {
    while (length > 0) {
        const ssize_t n = write(fd, text, length);
        if (n <= 0) return;
        text += n;
        length -= static_cast<size_t>(n);
    }
}

}  // namespace

void installCrashHandler(void (*onCrash)(const char* fault)) {
    crashed = onCrash;
    // A stack overflow leaves no stack for the handler but its own.
    stack_t stack{};
    stack.ss_sp = altStack;
    stack.ss_size = sizeof altStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &action, &previous[i]);
}

void removeCrashHandler() {
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &previous[i], nullptr);
}

void writeFileInCrash(const char* path, const char* text, size_t length) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    writeAll(fd, text, length);
    close(fd);
}

void writeErrorInCrash(const char* text, size_t length) { writeAll(STDERR_FILENO, text, length); }

void waitForever() {
    while (true) pause();
}

}  // namespace standin::detail
