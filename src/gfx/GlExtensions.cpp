#include "gfx/GlExtensions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <SDL.h>

#include "gfx/Log.h"
#include "storage/ReadFile.h"

bool GlExtensions::initialised = false;
PFNGLACTIVETEXTUREARBPROC GlExtensions::glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC GlExtensions::glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC GlExtensions::glClientActiveTextureARB = nullptr;
PFNGLGENPROGRAMSARBPROC GlExtensions::glGenProgramsARB = nullptr;
PFNGLDELETEPROGRAMSARBPROC GlExtensions::glDeleteProgramsARB = nullptr;
PFNGLPROGRAMSTRINGARBPROC GlExtensions::glProgramStringARB = nullptr;
PFNGLBINDPROGRAMARBPROC GlExtensions::glBindProgramARB = nullptr;
PFNGLPROGRAMENVPARAMETER4FARBPROC GlExtensions::glProgramEnvParameter4fARB = nullptr;
GLuint GlExtensions::vertexProgram = 0;
GLuint GlExtensions::shadingRamp = 0;

// Four flat steps of brightness, dark to light.
const GLubyte GlExtensions::rampValues[16] = {140, 140, 140, 140, 160, 160, 160, 160,
                                              200, 200, 200, 200, 200, 255, 255, 255};

namespace {

[[noreturn]] void fail(const char* message) {
    logToStdout(std::string("Error: ") + message);
    std::exit(1);
}

void ok(const char* message) {
    logToStdout(std::string("OK: ") + message);
}

template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

}  // namespace

bool GlExtensions::hasExtension(const char* extensions, const char* name) {
    return extensions && std::strstr(extensions, name) != nullptr;
}

void GlExtensions::setup() {
    if (initialised) return;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));

    if (!hasExtension(extensions, "GL_ARB_multitexture")) fail("GL_ARB_multitexture extension unavailable");
    ok("GL_ARB_multitexture available");
    glActiveTextureARB = entryPoint<PFNGLACTIVETEXTUREARBPROC>("glActiveTextureARB");
    glMultiTexCoord2fARB = entryPoint<PFNGLMULTITEXCOORD2FARBPROC>("glMultiTexCoord2fARB");
    if (!glActiveTextureARB || !glMultiTexCoord2fARB) fail("GL_ARB_multitexture functions undefined");
    glClientActiveTextureARB = entryPoint<PFNGLCLIENTACTIVETEXTUREARBPROC>("glClientActiveTextureARB");
    ok("GL_ARB_multitexture functions defined");

    if (!hasExtension(extensions, "GL_ARB_vertex_program"))
        fail("GL_ARB_vertex_program extension unavailable");
    ok("GL_ARB_vertex_program available");
    glGenProgramsARB = entryPoint<PFNGLGENPROGRAMSARBPROC>("glGenProgramsARB");
    glDeleteProgramsARB = entryPoint<PFNGLDELETEPROGRAMSARBPROC>("glDeleteProgramsARB");
    glProgramStringARB = entryPoint<PFNGLPROGRAMSTRINGARBPROC>("glProgramStringARB");
    glBindProgramARB = entryPoint<PFNGLBINDPROGRAMARBPROC>("glBindProgramARB");
    glProgramEnvParameter4fARB = entryPoint<PFNGLPROGRAMENVPARAMETER4FARBPROC>("glProgramEnvParameter4fARB");
    if (!glGenProgramsARB || !glDeleteProgramsARB || !glProgramStringARB || !glBindProgramARB ||
        !glProgramEnvParameter4fARB)
        fail("GL_ARB_vertex_program functions undefined");
    ok("All GL_ARB_vertex_program functions defined");

    glGenProgramsARB(1, &vertexProgram);
    glBindProgramARB(GL_VERTEX_PROGRAM_ARB, vertexProgram);
    std::string reason;
    std::unique_ptr<char[]> text = readShaderFile("shader.vsh", &reason);
    if (!text) {
        // Why, on its own line before the fatal one, for whoever mends the game folder.
        logToStdout("shader.vsh: " + reason);
        fail("Shader file not read");
    }
    ok("Shader file read successfully");
    // The driver's verdict on the program is not read back: a bad program just draws oddly.
    glProgramStringARB(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB,
                       static_cast<GLsizei>(std::strlen(text.get())), text.get());
    text.reset();

    glGenTextures(1, &shadingRamp);
    glBindTexture(GL_TEXTURE_1D, shadingRamp);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, 16, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, rampValues);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    initialised = true;
}

void GlExtensions::reset() {
    initialised = false;
    glActiveTextureARB = nullptr;
    glMultiTexCoord2fARB = nullptr;
    glClientActiveTextureARB = nullptr;
    glGenProgramsARB = nullptr;
    glDeleteProgramsARB = nullptr;
    glProgramStringARB = nullptr;
    glBindProgramARB = nullptr;
    glProgramEnvParameter4fARB = nullptr;
    vertexProgram = 0;
    shadingRamp = 0;
}

std::unique_ptr<char[]> readShaderFile(const char* path, std::string* reason) {
    std::string text;
    if (!path) return nullptr;
    const ReadFileResult read = readWholeFile(path, text, LARGEST_VERTEX_PROGRAM, "the vertex program");
    if (!read.ok()) {
        if (reason) *reason = read.reason;
        return nullptr;
    }
    std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
    std::memcpy(buffer.get(), text.data(), text.size());
    buffer[text.size()] = '\0';
    return buffer;
}
