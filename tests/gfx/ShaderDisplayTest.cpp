// The cel-shading vertex program (shader.vsh in the game directory) run for real by Mesa: it
// must compile, place vertices by the model-view-projection matrix, pass the colour and the
// material coordinates through, and light faces into the flat bands of the shading ramp.

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gfx/GlExtensions.h"

namespace {
const int W = 256, H = 128;

PFNGLACTIVETEXTUREARBPROC activeTexture;
PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2f;
PFNGLGENPROGRAMSARBPROC genPrograms;
PFNGLBINDPROGRAMARBPROC bindProgram;
PFNGLPROGRAMSTRINGARBPROC programString;
PFNGLPROGRAMENVPARAMETER4FARBPROC programEnvParameter;
PFNGLGETPROGRAMIVARBPROC getProgramiv;
PFNGLDELETEPROGRAMSARBPROC deletePrograms;

struct Vec {
    float x, y, z;
};

Vec unit(Vec v) {
    float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return Vec{v.x / n, v.y / n, v.z / n};
}

class ShaderDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        ASSERT_NE(SDL_SetVideoMode(W, H, 0, SDL_OPENGL), nullptr) << SDL_GetError();
    }
    // SDL is left up until the process ends: SDL_Quit closes the display, which unloads Mesa's
    // driver, and its one-time allocations would then be reported by LeakSanitizer as leaks of
    // an unknown module that no suppression can name. Any later suite simply sets its own mode.
    static void TearDownTestSuite() {}

    void SetUp() override {
        std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        ASSERT_NE(extensions.find("GL_ARB_vertex_program"), std::string::npos);
        ASSERT_NE(extensions.find("GL_ARB_multitexture"), std::string::npos);
        auto get = [](const char* name) { return SDL_GL_GetProcAddress(name); };
        activeTexture = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(get("glActiveTextureARB"));
        multiTexCoord2f = reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(get("glMultiTexCoord2fARB"));
        genPrograms = reinterpret_cast<PFNGLGENPROGRAMSARBPROC>(get("glGenProgramsARB"));
        bindProgram = reinterpret_cast<PFNGLBINDPROGRAMARBPROC>(get("glBindProgramARB"));
        programString = reinterpret_cast<PFNGLPROGRAMSTRINGARBPROC>(get("glProgramStringARB"));
        programEnvParameter =
            reinterpret_cast<PFNGLPROGRAMENVPARAMETER4FARBPROC>(get("glProgramEnvParameter4fARB"));
        getProgramiv = reinterpret_cast<PFNGLGETPROGRAMIVARBPROC>(get("glGetProgramivARB"));
        deletePrograms = reinterpret_cast<PFNGLDELETEPROGRAMSARBPROC>(get("glDeleteProgramsARB"));
        ASSERT_TRUE(activeTexture && multiTexCoord2f && genPrograms && bindProgram && programString &&
                    programEnvParameter && getProgramiv && deletePrograms);

        // Loaded the way the game loads it: the whole text, from the game directory.
        std::unique_ptr<char[]> loaded = readShaderFile(GEARWARD_GAME_DIR "/shader.vsh");
        ASSERT_NE(loaded, nullptr) << GEARWARD_GAME_DIR "/shader.vsh cannot be read";
        std::string text = loaded.get();
        ASSERT_FALSE(text.empty());
        genPrograms(1, &program);
        bindProgram(GL_VERTEX_PROGRAM_ARB, program);
        programString(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB, GLsizei(text.size()), text.c_str());
        glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &errorPosition);
        const GLubyte* message = glGetString(GL_PROGRAM_ERROR_STRING_ARB);
        errorText = message ? reinterpret_cast<const char*>(message) : "";

        glGenTextures(1, &ramp);
        glBindTexture(GL_TEXTURE_1D, ramp);
        glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, 16, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                     GlExtensions::rampValues);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);

        glViewport(0, 0, W, H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, W, 0, H, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
    }

    void TearDown() override {
        glDisable(GL_VERTEX_PROGRAM_ARB);
        activeTexture(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        activeTexture(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_1D);
        glDeleteTextures(1, &ramp);
        deletePrograms(1, &program);
    }

    // Draws with the program as a model is drawn: light in parameter 0, ramp on unit 0.
    void useProgram(Vec light) {
        programEnvParameter(GL_VERTEX_PROGRAM_ARB, 0, light.x, light.y, light.z, 0);
        bindProgram(GL_VERTEX_PROGRAM_ARB, program);
        glEnable(GL_VERTEX_PROGRAM_ARB);
        activeTexture(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_1D, ramp);
        glEnable(GL_TEXTURE_1D);
    }

    // A rectangle whose left corners carry one normal and right corners another; unit 1's
    // coordinate s runs from 0 on the left to 1 on the right.
    void quad(float x0, float y0, float x1, float y1, Vec left, Vec right) {
        glBegin(GL_QUADS);
        glNormal3f(left.x, left.y, left.z);
        multiTexCoord2f(GL_TEXTURE1_ARB, 0, 0);
        glVertex3f(x0, y0, 0);
        glNormal3f(right.x, right.y, right.z);
        multiTexCoord2f(GL_TEXTURE1_ARB, 1, 0);
        glVertex3f(x1, y0, 0);
        multiTexCoord2f(GL_TEXTURE1_ARB, 1, 1);
        glVertex3f(x1, y1, 0);
        glNormal3f(left.x, left.y, left.z);
        multiTexCoord2f(GL_TEXTURE1_ARB, 0, 1);
        glVertex3f(x0, y1, 0);
        glEnd();
    }

    std::vector<unsigned char> row(int y) {
        glFinish();
        std::vector<unsigned char> pixels(W * 4);
        glReadPixels(0, y, W, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    std::vector<unsigned char> pixel(int x, int y) {
        std::vector<unsigned char> p(4);
        glFinish();
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        return p;
    }

    GLuint program = 0;
    GLuint ramp = 0;
    GLint errorPosition = 0;
    std::string errorText;
};

// The light turned up the way the program turns it, to aim a normal straight at it.
Vec tiltedLight(Vec horizontal) {
    Vec l = unit(horizontal);
    return unit(Vec{l.x, l.y + 0.8f, l.z});
}
}  // namespace

TEST_F(ShaderDisplayTest, ProgramCompilesWithinTheDriversLimits) {
    EXPECT_EQ(errorPosition, -1) << errorText;
    GLint native = 0;
    getProgramiv(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_UNDER_NATIVE_LIMITS_ARB, &native);
    EXPECT_EQ(native, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ShaderDisplayTest, AFaceTurningTowardsTheLightCrossesAllFourBands) {
    ASSERT_EQ(errorPosition, -1) << errorText;
    Vec light{1, 0, 0};
    useProgram(light);
    glColor3f(1, 1, 1);
    quad(0, 0, W, H, Vec{-1, 0, 0}, tiltedLight(light));
    std::vector<unsigned char> line = row(H / 2);

    // Runs of equal brightness from left to right.
    std::vector<int> levels, starts;
    for (int x = 0; x < W; ++x) {
        int v = line[x * 4];
        EXPECT_EQ(v, line[x * 4 + 1]);
        if (levels.empty() || std::abs(levels.back() - v) > 2) {
            levels.push_back(v);
            starts.push_back(x);
        }
    }
    ASSERT_EQ(levels.size(), 4u) << "flat bands, not a gradient";
    const int expected[4] = {140, 160, 200, 255};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(levels[i], expected[i], 2);
    // The ramp coordinate runs linearly from 0.2 (turned away) to 1 (clamped, facing the light)
    // across the face; the steps of the ramp are at 4/16, 8/16 and 13/16.
    const double steps[3] = {4 / 16.0, 8 / 16.0, 13 / 16.0};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(starts[i + 1], (steps[i] - 0.2) / 0.8 * W, 3.0);
}

TEST_F(ShaderDisplayTest, HorizontalMapLightStillLightsTopsAndNeverGoesBlack) {
    ASSERT_EQ(errorPosition, -1) << errorText;
    // The map hands each tile a long horizontal vector; only its direction may matter.
    for (Vec light : {Vec{-19, 0, -23}, Vec{1, 0, 1}, Vec{0.001f, 0, 0}}) {
        SCOPED_TRACE(light.x);
        glClear(GL_COLOR_BUFFER_BIT);
        useProgram(light);
        glColor3f(1, 1, 1);
        Vec facing = unit(light), away{-facing.x, 0, -facing.z}, up{0, 1, 0};
        quad(0, 0, 60, 60, up, up);
        quad(80, 0, 140, 60, facing, facing);
        quad(160, 0, 220, 60, away, away);
        quad(0, 70, 60, 120, Vec{0, -1, 0}, Vec{0, -1, 0});
        EXPECT_NEAR(pixel(30, 30)[0], 200, 2) << "top of a tile";
        EXPECT_NEAR(pixel(110, 30)[0], 255, 2) << "side facing the light";
        EXPECT_NEAR(pixel(190, 30)[0], 140, 2) << "side facing away";
        EXPECT_NEAR(pixel(30, 95)[0], 140, 2) << "underside";
    }
}

TEST_F(ShaderDisplayTest, ColourAndMaterialCoordinatesPassThrough) {
    ASSERT_EQ(errorPosition, -1) << errorText;
    // Unit 1: a two-texel material, blue on the left, white on the right.
    const unsigned char texels[8] = {0, 0, 255, 255, 255, 255, 255, 255};
    GLuint material = 0;
    activeTexture(GL_TEXTURE1_ARB);
    glGenTextures(1, &material);
    glBindTexture(GL_TEXTURE_2D, material);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    activeTexture(GL_TEXTURE0_ARB);

    Vec light{0, 0, 1}, lit = tiltedLight(light);
    useProgram(light);
    glColor3f(1.0f, 0.5f, 1.0f);
    quad(0, 0, W, H, lit, lit);
    std::vector<unsigned char> left = pixel(W / 4, H / 2), right = pixel(3 * W / 4, H / 2);
    EXPECT_NEAR(left[0], 0, 2);
    EXPECT_NEAR(left[1], 0, 2);
    EXPECT_NEAR(left[2], 255, 2);
    EXPECT_NEAR(right[0], 255, 2);
    EXPECT_NEAR(right[1], 128, 2) << "the vertex colour reaches the pixels";
    EXPECT_NEAR(right[2], 255, 2);
    glDeleteTextures(1, &material);
}

TEST_F(ShaderDisplayTest, VerticesArePlacedByTheModelViewProjection) {
    ASSERT_EQ(errorPosition, -1) << errorText;
    Vec light{1, 0, 0}, lit = tiltedLight(light);
    glTranslatef(100, 20, 0);
    glScalef(2, 2, 1);
    useProgram(light);
    glColor3f(1, 1, 1);
    quad(0, 0, 20, 20, lit, lit);
    EXPECT_NEAR(pixel(110, 30)[0], 255, 2);
    EXPECT_NEAR(pixel(139, 59)[0], 255, 2);
    EXPECT_EQ(pixel(95, 30)[0], 0);
    EXPECT_EQ(pixel(145, 30)[0], 0);
    EXPECT_EQ(pixel(110, 65)[0], 0);
}
