// Models drawn from vertex arrays and kept lists, sharing their state across a map or a squad,
// give the same picture as every vertex sent on its own with the whole state saved around each
// model: every scene of the frame benchmark, drawn both ways in this run at the same held clock
// (so whatever font, maps and models the content has), differs by at most one level per channel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "../support/DisplayWindow.h"
#include "../support/InGameFolder.h"
#include "BenchmarkScenes.h"
#include "gfx/GeometryCache.h"
#include "gfx/Model.h"
#include "gfx/Timer.h"

namespace {

std::vector<unsigned char> drawScene(const BenchmarkScene& scene, Model::DrawingPath path, bool keptLists) {
    Model::drawingPath = path;
    GeometryCache::enabled = keptLists;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.draw();
    glFinish();
    return backBuffer();
}

TEST(DrawingPathDisplayTest, EveryBenchmarkSceneShowsTheSamePictureEitherWay) {
    DisplayWindow window;
    ASSERT_TRUE(window.open()) << SDL_GetError();
    InGameFolder folder;
    ASSERT_TRUE(folder.ok());
    glEnable(GL_DEPTH_TEST);
    // Every model's clock starts at 0 and is read at the same time by both pictures: a frame
    // some way into each animation (the water's waves, the trees, the walking legs).
    Timer::holdClock(0);
    BenchmarkScenes set;
    ASSERT_TRUE(set.battleShown);
    Timer::holdClock(37 * 16);

    for (const BenchmarkScene& scene : set.scenes) {
        const std::vector<unsigned char> before = drawScene(scene, Model::IMMEDIATE, false);
        // First with the lists being compiled, then replayed: both must match.
        for (int frame = 0; frame < 2; ++frame) {
            const std::vector<unsigned char> after = drawScene(scene, Model::ARRAYS, true);
            int largest = 0;
            long differing = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                const int difference = std::abs(int(before[i]) - int(after[i]));
                largest = std::max(largest, difference);
                if (difference > 0) ++differing;
            }
            EXPECT_LE(largest, 1) << scene.name << ", frame " << frame << ": " << differing
                                  << " channel values differ";
        }
        // Something was drawn, in more than one colour.
        EXPECT_GT(*std::max_element(before.begin(), before.end()), 100) << scene.name;
        EXPECT_LT(std::count(before.begin(), before.end(), before[0]), long(before.size())) << scene.name;
    }
    Model::drawingPath = Model::ARRAYS;
    GeometryCache::enabled = true;
    Timer::releaseClock();
}

}  // namespace
