// The geometry cache drawn for real: a map of still tiles and a moving robot part give the same
// picture with and without kept display lists, a still scene compiles nothing after its first
// frame, and lists go with their model and their context.

#include <gtest/gtest.h>

#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../support/DisplayWindow.h"
#include "../support/InGameFolder.h"
#include "gfx/Camera.h"
#include "gfx/GeometryCache.h"
#include "gfx/Model.h"

namespace {

class GeometryCacheDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::unique_ptr<InGameFolder> gameFolder;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        gameFolder = std::make_unique<InGameFolder>();
        ASSERT_TRUE(gameFolder->ok());
        GeometryCache::enabled = true;
    }
    void TearDown() override {
        GeometryCache::enabled = true;
        gameFolder.reset();
    }
};

// A small map: a 6 x 6 field of tiles, every other one outlined, with a robot part on it. Still
// tiles, trees that sway over still ground, water that moves all over, and a walking part.
struct Scene {
    std::vector<std::unique_ptr<Model>> tiles;
    std::unique_ptr<Model> part;

    Scene() {
        for (const char* name :
             {"models/terrain-grass.ms3d", "models/terrain-road.ms3d", "models/terrain-trees.ms3d",
              "models/terrain-rocks.ms3d", "models/terrain-water.ms3d"}) {
            tiles.push_back(std::make_unique<Model>(name));
            holdFirstPose(*tiles.back());
        }
        part = std::make_unique<Model>("models/legs-strider.ms3d");
        holdFirstPose(*part);
        part->outline = true;
    }

    // Both pictures must show the same frame of every animation.
    static void holdFirstPose(Model& model) {
        model.looping = false;
        model.totalTime = 0;
    }

    std::vector<unsigned char> draw() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, double(4.0f / 3.0f), 0.1, 1024);
        Camera camera(Vector3(0, 0, 0), 14, 30, 55, true);
        camera.apply();
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 6; ++column) {
                Model& tile = *tiles[(row * 6 + column) % tiles.size()];
                tile.outline = (row + column) % 2 == 0;
                tile.lightDirection = Vector3(0.3 * column, 1, 0.2 * row).normalized();
                glPushMatrix();
                glTranslated(2.0 * (column - 3), 0, 2.0 * (row - 3));
                tile.draw();
                glPopMatrix();
            }
        }
        part->draw();
        glFinish();
        return backBuffer();
    }
};

TEST_F(GeometryCacheDisplayTest, KeptListsDrawTheSamePictureAndAStillSceneCompilesNothing) {
    Scene scene;
    ASSERT_TRUE(scene.tiles[0]->poseIsFixed());
    std::vector<bool> trees = scene.tiles[2]->stillMeshes();
    ASSERT_FALSE(scene.tiles[2]->poseIsFixed());
    ASSERT_EQ(std::count(trees.begin(), trees.end(), true), 1);  // the ground; the trees sway
    std::vector<bool> water = scene.tiles[4]->stillMeshes();
    ASSERT_EQ(std::count(water.begin(), water.end(), true), 0);
    ASSERT_FALSE(scene.part->poseIsFixed());
    std::vector<bool> legs = scene.part->stillMeshes();
    // Every tile but the water, and the walking part if some mesh of it stays put.
    const std::size_t keeping = 4 + (std::count(legs.begin(), legs.end(), true) > 0 ? 1 : 0);

    GeometryCache::enabled = false;
    std::vector<unsigned char> uncached = scene.draw();
    EXPECT_EQ(GeometryCache::size(), 0u);
    // Something was drawn, and more than one colour of it.
    EXPECT_GT(std::count(uncached.begin(), uncached.end(), 0), 0);
    EXPECT_GT(*std::max_element(uncached.begin(), uncached.end()), 100);

    GeometryCache::enabled = true;
    unsigned long before = GeometryCache::compilations();
    std::vector<unsigned char> first = scene.draw();
    // One set of lists per model with a still mesh; what moves is sent as before.
    EXPECT_EQ(GeometryCache::size(), keeping);
    EXPECT_EQ(GeometryCache::compilations(), before + keeping);
    std::vector<unsigned char> kept = scene.draw();
    EXPECT_EQ(GeometryCache::compilations(), before + keeping);
    EXPECT_TRUE(first == uncached);
    EXPECT_TRUE(kept == uncached);
}

TEST_F(GeometryCacheDisplayTest, ListsGoWithTheirModelAndTheirContext) {
    GLuint base = 0;
    {
        Model tile("models/terrain-grass.ms3d");
        tile.draw();
        ASSERT_EQ(GeometryCache::size(), 1u);
        Model copy(tile);  // a copy makes its own lists and leaves the original's alone
        copy.draw();
        EXPECT_EQ(GeometryCache::size(), 2u);
        copy = tile;
        EXPECT_EQ(GeometryCache::size(), 1u);
        base = 1;
        while (base < 64 && !glIsList(base)) ++base;
        ASSERT_TRUE(glIsList(base));
        // Loading again replaces the geometry, so its lists go.
        tile.load("models/terrain-road.ms3d");
        EXPECT_EQ(GeometryCache::size(), 0u);
        tile.draw();
        EXPECT_EQ(GeometryCache::size(), 1u);
    }
    EXPECT_EQ(GeometryCache::size(), 0u);
    for (GLuint name = 1; name < 64; ++name) EXPECT_FALSE(glIsList(name)) << name;

    // The context goes first: its lists are forgotten, and the model's end touches no GL.
    auto tile = std::make_unique<Model>("models/terrain-grass.ms3d");
    tile->draw();
    ASSERT_EQ(GeometryCache::size(), 1u);
    GeometryCache::forget();
    GlContext::setAvailable(false);
    tile->draw();
    EXPECT_EQ(GeometryCache::size(), 0u);
    tile.reset();
    GlContext::setAvailable(true);
}

}  // namespace
