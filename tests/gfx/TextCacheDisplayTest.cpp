// The text cache drawn for real: the same picture with and without it, no rendering on a still
// screen, and the eviction that keeps it from growing.

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
#include "gfx/Text3D.h"
#include "gfx/TextCache.h"
#include "gfx/TextLabel.h"
#include "gfx/ToString.h"

namespace {

class TextCacheDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::unique_ptr<InGameFolder> gameFolder;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        gameFolder = std::make_unique<InGameFolder>();
        ASSERT_TRUE(gameFolder->ok());
        TextCache::enabled = true;
    }
    void TearDown() override {
        TextCache::enabled = true;
        gameFolder.reset();
    }
};

// A panel's worth of labels in every variety the screens use, and a floating 3D text.
void drawPanel() {
    static const int sizes[] = {14, 18, 20, 24, 30};
    for (int i = 0; i < 30; ++i) {
        TextLabel label("Line " + toString(i * 37), 10 + 200 * (i % 5), 20 + 30 * (i / 5));
        label.size(sizes[i % 5]);
        if (i % 3 == 0) label.bold();
        if (i % 4 == 0) label.color(0.6, 0.6, 0.6);
        if (i % 7 == 0) label.rightAlign();
        label.draw();
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, double(4.0f / 3.0f), 0.1, 1024);
    Camera camera(Vector3(0, 0, 0), 20, 0, 60, true);
    camera.apply();
    drawText3D(camera, Vector3(0, 2, 0), "MISS", 0.7);
}

std::vector<unsigned char> drawnPicture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawPanel();
    glFinish();
    return backBuffer();
}

TEST_F(TextCacheDisplayTest, KeptTextDrawsTheSamePictureAndAStillScreenRendersNothing) {
    TextCache::enabled = false;
    std::vector<unsigned char> uncached = drawnPicture();
    EXPECT_EQ(TextCache::size(), 0u);
    EXPECT_GT(*std::max_element(uncached.begin(), uncached.end()), 200);

    TextCache::enabled = true;
    std::vector<unsigned char> first = drawnPicture();
    EXPECT_EQ(TextCache::size(), 31u);
    unsigned long rendered = TextCache::renderings();
    TextCache::nextFrame();
    std::vector<unsigned char> kept = drawnPicture();
    EXPECT_EQ(TextCache::renderings(), rendered);
    EXPECT_EQ(TextCache::size(), 31u);
    EXPECT_TRUE(first == uncached);
    EXPECT_TRUE(kept == uncached);
}

TEST_F(TextCacheDisplayTest, TextNotDrawnForAWhileIsDeletedAndTheCacheHasABound) {
    TextLabel("Going", 10, 10).draw();
    TextLabel("Staying", 10, 40).draw();
    ASSERT_EQ(TextCache::size(), 2u);
    for (unsigned frame = 0; frame <= TextCache::KEEP_FRAMES; ++frame) {
        TextLabel("Staying", 10, 40).draw();
        TextCache::nextFrame();
    }
    EXPECT_EQ(TextCache::size(), 1u);
    for (unsigned frame = 0; frame <= TextCache::KEEP_FRAMES; ++frame) TextCache::nextFrame();
    EXPECT_EQ(TextCache::size(), 0u);

    // Ever-changing text within one frame: the least recently drawn make room.
    for (size_t i = 0; i < TextCache::MAX_ENTRIES + 50; ++i)
        TextLabel(toString(int(i)), 10, 10).size(14).draw();
    EXPECT_EQ(TextCache::size(), TextCache::MAX_ENTRIES);
    TextCache::clear();
    EXPECT_EQ(TextCache::size(), 0u);
}

TEST_F(TextCacheDisplayTest, FailuresAreNotKept) {
    TextLabel empty("", 10, 10);
    empty.draw();
    TextLabel missing("Text", 10, 10);
    missing.fontFile = "no-such-font.ttf";
    missing.draw();
    EXPECT_EQ(TextCache::size(), 0u);
    EXPECT_EQ(empty.width(), 0);
}

}  // namespace
