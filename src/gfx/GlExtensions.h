#pragma once
// The two OpenGL extensions model drawing needs (multitexture for the shading ramp beside the
// material texture, vertex programs for the cel shading), the vertex program from "shader.vsh"
// and the 16-texel shading ramp. Set up once, by the first model loaded with a context.
#include <memory>
#include <string>

#include <GL/gl.h>
#include <GL/glext.h>

class GlExtensions {
public:
    static bool initialised;
    static PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
    static PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
    // For texture coordinates from an array on unit 1; null where the driver lacks it, and models
    // are then sent vertex by vertex (Model::drawingPath).
    static PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB;
    static PFNGLGENPROGRAMSARBPROC glGenProgramsARB;
    static PFNGLDELETEPROGRAMSARBPROC glDeleteProgramsARB;
    static PFNGLPROGRAMSTRINGARBPROC glProgramStringARB;
    static PFNGLBINDPROGRAMARBPROC glBindProgramARB;
    static PFNGLPROGRAMENVPARAMETER4FARBPROC glProgramEnvParameter4fARB;
    static GLuint vertexProgram;
    static GLuint shadingRamp;
    // The luminance of the shading ramp's 16 texels, which the vertex program indexes by light.
    static const GLubyte rampValues[16];

    // Runs the checks once, printing an "OK: " line for each; a missing extension, entry point or
    // shader file prints its "Error: " line and ends the program with status 1.
    static void setup();
    // Forgets the set-up so that the next model runs it again: for a program that throws its
    // OpenGL context away and makes a new one, whose names and entry points differ.
    static void reset();

    // Plain substring search of the driver's extension string, as the driver lists them.
    static bool hasExtension(const char* extensions, const char* name);
};

// The whole text of a file, NUL-terminated, or null when it cannot be read (missing, not a
// regular file, or larger than LARGEST_VERTEX_PROGRAM: refused before a byte is read), with the
// reason in `reason` when given. Lines of any length are fine; the text ends at its first NUL
// character.
std::unique_ptr<char[]> readShaderFile(const char* path, std::string* reason = nullptr);
