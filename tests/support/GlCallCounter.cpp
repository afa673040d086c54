// The wrapped OpenGL functions of the headless test program: each counts, then does the real call.
// The list must match GEARWARD_COUNTED_GL_CALLS in tests/CMakeLists.txt.

#include "GlCallCounter.h"

#include <GL/gl.h>

namespace {
long calls = 0;
}

long GlCallCounter::count() {
    return calls;
}

#define GEARWARD_COUNT_GL(name, params, args) \
    extern "C" void __real_##name params;     \
    extern "C" void __wrap_##name params {    \
        ++calls;                              \
        __real_##name args;                   \
    }

GEARWARD_COUNT_GL(glBegin, (GLenum mode), (mode))
GEARWARD_COUNT_GL(glBindTexture, (GLenum target, GLuint texture), (target, texture))
GEARWARD_COUNT_GL(glGenTextures, (GLsizei n, GLuint* textures), (n, textures))
GEARWARD_COUNT_GL(glDeleteTextures, (GLsizei n, const GLuint* textures), (n, textures))
GEARWARD_COUNT_GL(glTexImage2D,
                  (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                   GLint border, GLenum format, GLenum type, const GLvoid* pixels),
                  (target, level, internalFormat, width, height, border, format, type, pixels))
GEARWARD_COUNT_GL(glPushAttrib, (GLbitfield mask), (mask))
GEARWARD_COUNT_GL(glPushMatrix, (void), ())
GEARWARD_COUNT_GL(glMatrixMode, (GLenum mode), (mode))
GEARWARD_COUNT_GL(glLoadIdentity, (void), ())
GEARWARD_COUNT_GL(glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))
GEARWARD_COUNT_GL(glClear, (GLbitfield mask), (mask))
GEARWARD_COUNT_GL(glEnable, (GLenum cap), (cap))
