// The GL entry points the plug-in draws with, defined here with hidden
// visibility: the plug-in's objects linked into the bench call these, which
// count the call and pass it on to the GL library, while the stand-in host,
// a shared library, still reaches the GL library directly. No GL header:
// its declarations would export the functions.
#include "bench/gl_calls.h"

#include <dlfcn.h>

namespace {

bool counting = false;
long counted = 0;
long drawCalls = 0;

using GLenum = unsigned int;
using GLfloat = float;
using GLint = int;
using GLsizei = int;

}  // namespace

namespace bench {

void CountGlCalls(bool on) { counting = on; }
long GlCallsCounted() { return counted; }
long DrawCallsCounted() { return drawCalls; }

}  // namespace bench

#define QUIL_COUNTED_GL(name, params, args)                                                  \
    extern "C" __attribute__((visibility("hidden"))) void name params {                   \
        static const auto next = reinterpret_cast<void(*) params>(dlsym(RTLD_NEXT, #name)); \
        if (counting) ++counted;                                                          \
        next args;                                                                        \
    }

QUIL_COUNTED_GL(glEnableClientState, (GLenum array), (array))
QUIL_COUNTED_GL(glDisableClientState, (GLenum array), (array))
QUIL_COUNTED_GL(glVertexPointer, (GLint size, GLenum type, GLsizei stride, const void* data),
                (size, type, stride, data))
QUIL_COUNTED_GL(glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const void* data),
                (size, type, stride, data))
QUIL_COUNTED_GL(glColorPointer, (GLint size, GLenum type, GLsizei stride, const void* data),
                (size, type, stride, data))

extern "C" __attribute__((visibility("hidden"))) void glDrawArrays(GLenum mode, GLint first,
                                                                  GLsizei count) {
    static const auto next =
        reinterpret_cast<void (*)(GLenum, GLint, GLsizei)>(dlsym(RTLD_NEXT, "glDrawArrays"));
    if (counting) {
        ++counted;
        ++drawCalls;
    }
    next(mode, first, count);
}

QUIL_COUNTED_GL(glLineWidth, (GLfloat width), (width))
