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

using GLenum = unsigned int;
using GLfloat = float;
using GLint = int;

}  // namespace

namespace bench {

void CountGlCalls(bool on) { counting = on; }
long GlCallsCounted() { return counted; }

}  // namespace bench

#define QUIL_COUNTED_GL(name, params, args)                                                  \
    extern "C" __attribute__((visibility("hidden"))) void name params {                   \
        static const auto next = reinterpret_cast<void(*) params>(dlsym(RTLD_NEXT, #name)); \
        if (counting) ++counted;                                                          \
        next args;                                                                        \
    }

QUIL_COUNTED_GL(glBegin, (GLenum mode), (mode))
QUIL_COUNTED_GL(glEnd, (), ())
QUIL_COUNTED_GL(glVertex2f, (GLfloat x, GLfloat y), (x, y))
QUIL_COUNTED_GL(glVertex2i, (GLint x, GLint y), (x, y))
QUIL_COUNTED_GL(glTexCoord2f, (GLfloat s, GLfloat t), (s, t))
QUIL_COUNTED_GL(glColor3fv, (const GLfloat* rgb), (rgb))
QUIL_COUNTED_GL(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))
QUIL_COUNTED_GL(glColor4fv, (const GLfloat* rgba), (rgba))
QUIL_COUNTED_GL(glLineWidth, (GLfloat width), (width))
QUIL_COUNTED_GL(glPushMatrix, (), ())
QUIL_COUNTED_GL(glPopMatrix, (), ())
QUIL_COUNTED_GL(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
QUIL_COUNTED_GL(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), (angle, x, y, z))
