// Every generated model drawn for real, the way the game draws it (its own loader, vertex program
// and textures from the game directory): textures load, terrain covers exactly its tile seen from
// above, and an assembled robot stays on its tile with its feet on the ground.
#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/Model.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const int size = 256;
const std::string modelsDir = "models";  // relative to the game directory the suite runs in

std::vector<std::string> modelNames(const std::string& prefix) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(modelsDir.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string f = e->d_name;
            if (f.size() > 5 && f.compare(f.size() - 5, 5, ".ms3d") == 0 &&
                f.compare(0, prefix.size(), prefix) == 0)
                names.push_back(f);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Drawn pixels (anything but the magenta background) and their extent in view units.
struct Picture {
    std::vector<unsigned char> rgb;
    int drawn = 0;
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    bool at(int x, int y) const {
        const unsigned char* p = &rgb[3 * (y * size + x)];
        return !(p[0] == 255 && p[1] == 0 && p[2] == 255);
    }
};

class ContentModelsDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        ASSERT_NE(SDL_SetVideoMode(size, size, 0, SDL_OPENGL), nullptr) << SDL_GetError();
        // A fresh context: the extension set-up of an earlier suite's window is gone with it.
        GlExtensions::reset();
        GlContext::setAvailable(true);
    }
    // SDL stays up for the other display suites in this program: shutting it down unloads the
    // GL driver, and the X display cannot always be opened again afterwards.
    static void TearDownTestSuite() { GlContext::setAvailable(false); }

    // An orthographic view `half` units each way, from above (+y towards the viewer) or from
    // the front (+z towards the viewer).
    static void beginView(double half, bool fromAbove) {
        glViewport(0, 0, size, size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-half, half, -half, half, -200, 200);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (fromAbove) glRotated(90, 1, 0, 0);
        glClearColor(1, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    static Picture endView(double half) {
        Picture p;
        p.rgb.resize(3 * size * size);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (!p.at(x, y)) continue;
                ++p.drawn;
                double vx = -half + 2 * half * x / size, vy = -half + 2 * half * y / size;
                p.left = std::min(p.left, vx);
                p.right = std::max(p.right, vx + 2 * half / size);
                p.bottom = std::min(p.bottom, vy);
                p.top = std::max(p.top, vy + 2 * half / size);
            }
        return p;
    }

    static std::unique_ptr<Model> load(const std::string& file, std::string* console) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        auto model = std::make_unique<Model>(modelsDir + "/" + file);
        *console = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
        return model;
    }
};

}  // namespace

TEST_F(ContentModelsDisplayTest, EveryModelDrawsWithItsTextures) {
    std::vector<std::string> names = modelNames("");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string console;
        auto model = load(name, &console);
        EXPECT_EQ(console.find("not loaded"), std::string::npos) << console;
        EXPECT_EQ(console.find("FAIL"), std::string::npos) << console;
        for (const Material& m : model->materials) {
            if (m.textureFile.empty()) continue;
            EXPECT_NE(m.texture, 0u) << m.textureFile;
        }
        double half = name.compare(0, 8, "terrain-") == 0 ? 8 : 40;
        beginView(half, false);
        model->draw();
        EXPECT_GT(endView(half).drawn, 100);
    }
}

TEST_F(ContentModelsDisplayTest, TerrainCoversExactlyItsTileFromAbove) {
    const double half = 3.0, pixel = 2 * half / size;
    for (const std::string& name : modelNames("terrain-")) {
        SCOPED_TRACE(name);
        std::string console;
        auto model = load(name, &console);
        beginView(half, true);
        model->draw();
        Picture p = endView(half);
        EXPECT_NEAR(p.left, -2.0, 1.5 * pixel);
        EXPECT_NEAR(p.right, 2.0, 1.5 * pixel);
        EXPECT_NEAR(p.bottom, -2.0, 1.5 * pixel);
        EXPECT_NEAR(p.top, 2.0, 1.5 * pixel);
        // No holes: the whole square is covered.
        int holes = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                double vx = -half + pixel * (x + 0.5), vy = -half + pixel * (y + 0.5);
                if (std::abs(vx) < 1.98 && std::abs(vy) < 1.98 && !p.at(x, y)) ++holes;
            }
        EXPECT_EQ(holes, 0);
    }
}

// A robot built from the first part of each kind, drawn as the game draws it on its tile.
TEST_F(ContentModelsDisplayTest, AssembledRobotStandsOnItsTile) {
    struct Slot {
        const char* prefix;
        double x, y, scale;
    };
    const Slot slots[] = {
        {"head-", 0, 14, 0.5}, {"torso-", 0, 0, 1}, {"arm-", -9, 8, 0.9}, {"legs-", 0, -9, 1}};
    std::vector<std::unique_ptr<Model>> parts;
    std::string console;
    for (const Slot& s : slots) {
        std::vector<std::string> names = modelNames(s.prefix);
        ASSERT_FALSE(names.empty()) << s.prefix;
        parts.push_back(load(names.front(), &console));
    }
    auto left = load(modelNames("arm-").front(), &console);  // both arms alike is enough here

    auto drawRobot = [&](int facing) {
        glPushMatrix();
        glTranslated(0, 3.75, 0);
        glScaled(0.1, 0.1, 0.1);
        glRotated(facing * 90, 0, 1, 0);
        for (size_t i = 0; i < parts.size(); ++i) {
            glPushMatrix();
            glTranslated(slots[i].x, slots[i].y, 0);
            glScaled(slots[i].scale, slots[i].scale, slots[i].scale);
            parts[i]->draw();
            glPopMatrix();
        }
        glPushMatrix();
        glTranslated(9, 8, 0);
        glScaled(0.9, 0.9, 0.9);
        left->draw();
        glPopMatrix();
        glPopMatrix();
    };

    for (int facing = 0; facing < 4; ++facing) {
        SCOPED_TRACE(facing);
        beginView(3, true);
        drawRobot(facing);
        Picture above = endView(3);
        EXPECT_GT(above.drawn, 500);
        EXPECT_GT(above.left, -2.0);
        EXPECT_LT(above.right, 2.0);
        EXPECT_GT(above.bottom, -2.0);
        EXPECT_LT(above.top, 2.0);
    }
    beginView(7, false);
    drawRobot(0);
    Picture front = endView(7);
    EXPECT_NEAR(front.bottom, 0.0, 0.1) << "the feet stand on the ground";
    EXPECT_GT(front.top, 5.0) << "a robot stands taller than a low building";
    EXPECT_LT(front.top, 7.0);
}
