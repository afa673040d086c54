// Model drawing for real: an OpenGL window under the virtual X server, Mesa's software renderer,
// a small cel-shading vertex program, and pixels read back.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <SDL.h>

#include "../support/TempDir.h"
#include "ModelTestSupport.h"
#include "Ms3dBuilder.h"
#include "gfx/GeometryCache.h"
#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"

namespace {

const int windowSize = 128;

// Mesa unloads its driver when SDL quits; the driver's own small leaks would then be reported
// against an "unknown module" that the leak suppressions cannot name. Keeping the driver loaded
// lets them be attributed, and suppressed, by library.
int keepDriverLoaded(dl_phdr_info* info, size_t, void*) {
    std::string name = info->dlpi_name ? info->dlpi_name : "";
    if (name.find("_dri.so") != std::string::npos)
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

// Transforms by the model-view-projection matrix, passes colour and material coordinates on and
// puts the lighting term on the shading ramp's coordinate.
const char* const shaderText =
    "!!ARBvp1.0\n"
    "PARAM mvp[4] = { state.matrix.mvp };\n"
    "PARAM light = program.env[0];\n"
    "TEMP lit;\n"
    "DP4 result.position.x, mvp[0], vertex.position;\n"
    "DP4 result.position.y, mvp[1], vertex.position;\n"
    "DP4 result.position.z, mvp[2], vertex.position;\n"
    "DP4 result.position.w, mvp[3], vertex.position;\n"
    "MOV result.color, vertex.color;\n"
    "MOV result.texcoord[1], vertex.texcoord[1];\n"
    "DP3 lit.x, vertex.normal, light;\n"
    "MAX result.texcoord[0].x, lit.x, 0.0;\n"
    "END\n";

class ModelDisplayTest : public testing::Test {
protected:
    static std::string previousDirectory;
    static std::string workDirectory;
    static std::unique_ptr<TempDir> scratch;

    static void SetUpTestSuite() {
        char cwd[4096];
        previousDirectory = getcwd(cwd, sizeof cwd) ? cwd : ".";
        scratch = std::make_unique<TempDir>("model-display");
        workDirectory = scratch->path().string();
        ASSERT_FALSE(workDirectory.empty());
        std::ofstream(workDirectory + "/shader.vsh") << shaderText;
        ASSERT_EQ(chdir(workDirectory.c_str()), 0);

        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        ASSERT_NE(SDL_SetVideoMode(windowSize, windowSize, 0, SDL_OPENGL), nullptr) << SDL_GetError();
        dl_iterate_phdr(keepDriverLoaded, nullptr);
        GlContext::setAvailable(true);
        GeometryCache::forget();
        GlExtensions::reset();
    }

    static void TearDownTestSuite() {
        GeometryCache::clear();
        GlContext::setAvailable(false);
        GlExtensions::reset();
        SDL_Quit();
        if (chdir(previousDirectory.c_str()) != 0) std::abort();
        scratch.reset();
    }

    void SetUp() override {
        glViewport(0, 0, windowSize, windowSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // Red channel at window pixel (x, y), counted from the bottom left.
    static int red(int x, int y) {
        unsigned char pixel[4] = {0, 0, 0, 0};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return pixel[0];
    }

    // A red square from (-1, -1) to (1, 1), its corners hanging from one joint.
    static Ms3dBuilder square(float jointX, const std::vector<Ms3dBuilder::Key>& moves) {
        Ms3dBuilder b;
        b.vertices = {{-1, -1, 0, 0}, {1, -1, 0, 0}, {1, 1, 0, 0}, {-1, 1, 0, 0}};
        b.triangles = {Ms3dBuilder::triangle(0, 1, 2), Ms3dBuilder::triangle(0, 2, 3)};
        b.groups = {{"square", {0, 1}, 0}};
        b.materials = {{"paint", {1, 0, 0, 1}, "", ""}};
        b.framesPerSecond = 1;
        b.totalFrames = 1000;  // long enough not to loop during the test
        b.joints = {{"root", "", {0, 0, 0}, {jointX, 0, 0}, {}, moves}};
        return b;
    }
};

std::string ModelDisplayTest::previousDirectory;
std::string ModelDisplayTest::workDirectory;
std::unique_ptr<TempDir> ModelDisplayTest::scratch;

TEST_F(ModelDisplayTest, FirstModelSetsUpTheExtensionsOnceAndTexturesLoad) {
    testing::internal::CaptureStdout();
    Model gun(fixturePath("gun.ms3d"));
    std::string first = testing::internal::GetCapturedStdout();
    EXPECT_EQ(first, "Loading: " + fixturePath("gun.ms3d") +
                         "\n"
                         "OK: GL_ARB_multitexture available\n"
                         "OK: GL_ARB_multitexture functions defined\n"
                         "OK: GL_ARB_vertex_program available\n"
                         "OK: All GL_ARB_vertex_program functions defined\n"
                         "OK: Shader file read successfully\n");
    EXPECT_TRUE(GlExtensions::initialised);
    EXPECT_NE(GlExtensions::vertexProgram, 0u);
    EXPECT_EQ(glIsTexture(GlExtensions::shadingRamp), GL_TRUE);
    // gun.png sits beside the model and is found there.
    ASSERT_EQ(gun.materials.size(), 1u);
    EXPECT_NE(gun.materials[0].texture, 0u);
    EXPECT_EQ(glIsTexture(gun.materials[0].texture), GL_TRUE);

    testing::internal::CaptureStdout();
    Model again(fixturePath("Box.ms3d"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading: " + fixturePath("Box.ms3d") + "\n");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelDisplayTest, MissingMaterialImageIsReportedAndLeftUntextured) {
    Ms3dBuilder b = square(0, {});
    b.materials[0].texture = "..\\textures\\nowhere.png";
    Model model("");
    model.modelFileName = "models/square.ms3d";
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "img not loaded: ../textures/nowhere.png\n");
    EXPECT_EQ(model.materials[0].texture, 0u);
}

TEST_F(ModelDisplayTest, DrawsTheSkinnedModelWhereItsJointIs) {
    Model setupFirst("");  // makes sure the extensions are set up whatever ran before
    Model model("");
    // The joint stands at x = 0.5 and its one key moves it a further 0.5: the square covers x 0..2.
    ASSERT_TRUE(loadExact(model, square(0.5f, {{0.0f, 0.5f, 0, 0}}).bytes()));
    model.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const int centre = windowSize / 2;
    // Right of centre is lit by the model, red times the ramp's brightness.
    EXPECT_GE(red(centre + windowSize / 4, centre), 130);
    // Its old place on the left stays the clear colour, as does the far corner.
    EXPECT_EQ(red(centre - windowSize / 4, centre), 0);
    EXPECT_EQ(red(2, 2), 0);

    // A model whose load failed draws nothing at all.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Model broken("");
    std::vector<unsigned char> bytes = square(0, {}).bytes();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadExact(broken, bytes, bytes.size() - 1));
    testing::internal::GetCapturedStderr();
    broken.draw();
    EXPECT_EQ(red(centre, centre), 0);
}

}  // namespace
