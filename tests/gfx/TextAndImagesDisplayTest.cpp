// Text, images and widgets drawn for real on the virtual X server, read back pixel by pixel.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "../support/DisplayWindow.h"
#include "gfx/DrawImage.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

const char* const systemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf";

class TextAndImagesDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::filesystem::path folder;
    std::filesystem::path startFolder;

    // Each test plays in a folder of its own holding the game font, as the game's folder does.
    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        folder = std::filesystem::temp_directory_path() / ("gearward-images-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "textures");
        std::filesystem::create_symlink(systemFont, folder / "UniversCondensed.ttf");
        startFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(startFolder);
        std::filesystem::remove_all(folder);
    }

    std::string image(const std::string& name, int w, int h, int r, int g, int b) {
        std::string path = (folder / name).string();
        EXPECT_TRUE(writeSolidBmp(path, w, h, r, g, b));
        return path;
    }

    TextLabel label(const std::string& text, int x, int y) {
        TextLabel made(text, x, y);
        made.fontFile = systemFont;
        return made;
    }
};

TEST_F(TextAndImagesDisplayTest, ImageIsStretchedOverItsRectangle) {
    std::string red = image("red.bmp", 100, 30, 255, 0, 0);
    drawImage(red, 10, 10, 200, 20);
    EXPECT_TRUE(near(pixelAt(11, 11), 255, 0, 0));
    EXPECT_TRUE(near(pixelAt(208, 28), 255, 0, 0));
    EXPECT_TRUE(near(pixelAt(212, 15), 0, 0, 0));
    EXPECT_TRUE(near(pixelAt(15, 32), 0, 0, 0));
    EXPECT_EQ(ImageCache::size(), 1u);
}

TEST_F(TextAndImagesDisplayTest, MissingImageDrawsNothingSaysNothingAndIsTriedAgain) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    drawImage((folder / "absent.bmp").string(), 0, 0, 100, 100);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(brightestIn(0, 0, 100, 100), 0);
    EXPECT_EQ(ImageCache::size(), 0u);

    // The file appears later: the next draw finds it.
    image("absent.bmp", 4, 4, 0, 255, 0);
    drawImage((folder / "absent.bmp").string(), 0, 0, 100, 100);
    EXPECT_TRUE(near(pixelAt(50, 50), 0, 255, 0));
}

TEST_F(TextAndImagesDisplayTest, TextColourFollowsTheColourRule) {
    TextLabel grey = label("MMMM", 20, 20);
    grey.size(72).color(0.6, 0.6, 0.6).draw();
    ASSERT_GT(grey.width(), 0);
    // Solid glyph interiors carry exactly the label's colour bytes.
    EXPECT_EQ(brightestIn(20, 20, grey.width(), 80), 152);

    TextLabel header = label("MMMM", 20, 200);
    header.size(72).color(0.8, 0.8, 0.8).draw();
    EXPECT_EQ(brightestIn(20, 200, header.width(), 80), 204);
}

TEST_F(TextAndImagesDisplayTest, RightAlignedLabelEndsAtItsX) {
    TextLabel value = label("12345", 588, 100);
    value.size(20).rightAlign().draw();
    ASSERT_GT(value.width(), 0);
    EXPECT_EQ(value.x, 588 - value.width());
    EXPECT_GT(brightestIn(value.x, 100, value.width(), 30), 200);
    EXPECT_EQ(brightestIn(588, 95, 40, 40), 0);
}

TEST_F(TextAndImagesDisplayTest, EmptyTextIsReportedAndDrawsNothing) {
    TextLabel empty = label("", 10, 10);
    testing::internal::CaptureStderr();
    empty.draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Couldn't render text.\n");
    EXPECT_EQ(empty.width(), 0);
}

TEST_F(TextAndImagesDisplayTest, KeyHintAdvanceIncludesTheRenderedCaption) {
    std::string icon = image("key.bmp", 39, 25, 200, 200, 200);
    TextLabel caption("Main menu", 0, 0);
    caption.size(18).draw();
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(drawKeyHint(icon, "Main menu", 8, 743, 39, 2), 39 + 2 + caption.width());
    EXPECT_EQ(drawKeyHint(icon, "", 8, 743, 52, 0), 52);
    EXPECT_TRUE(near(pixelAt(10, 745), 200, 200, 200));
    EXPECT_GT(brightestIn(8 + 39 + 2, 744, caption.width(), 20), 200);
}

TEST_F(TextAndImagesDisplayTest, WideHeaderSpansTheWindowAndTitleStartsAfterTheInset) {
    image("textures/UIWideColumn.bmp", 64, 8, 0, 0, 90);
    drawWideHeader("VIEW ROBOT", 600, 40);
    EXPECT_TRUE(near(pixelAt(0, 40), 0, 0, 90));
    EXPECT_TRUE(near(pixelAt(1023, 59), 0, 0, 90));
    EXPECT_TRUE(near(pixelAt(611, 50), 0, 0, 90));
    EXPECT_TRUE(near(pixelAt(500, 60), 0, 0, 0));
    EXPECT_TRUE(near(pixelAt(500, 39), 0, 0, 0));
    // The grey title's pixels begin at x 612 (bold glyphs may reach one pixel further left).
    EXPECT_GT(brightestIn(612, 41, 60, 18), 150);
    EXPECT_LE(brightestIn(560, 41, 50, 18), 90);
}

TEST_F(TextAndImagesDisplayTest, CachedAndUncachedDrawingGiveTheSamePicture) {
    std::string blue = image("blue.bmp", 50, 50, 0, 0, 255);
    std::string green = image("green.bmp", 17, 9, 0, 255, 0);
    auto scene = [&]() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int i = 0; i < 5; ++i) {
            drawImage(blue, 30 * i, 300, 25, 40);
            drawImage(green, 400, 20 * i, 200, 15);
            label("Line " + toString(i), 600, 30 * i).size(14 + 2 * i).draw();
            label("Bold", 800, 30 * i).bold().color(0.6, 0.8, 1.0).draw();
        }
        return backBuffer();
    };
    std::vector<unsigned char> first = scene();
    std::vector<unsigned char> cachedAgain = scene();
    EXPECT_EQ(ImageCache::size(), 2u);
    EXPECT_EQ(FontCache::size(), 6u);
    ImageCache::enabled = false;
    FontCache::enabled = false;
    std::vector<unsigned char> uncached = scene();
    ImageCache::enabled = true;
    FontCache::enabled = true;
    EXPECT_TRUE(first == cachedAgain);
    EXPECT_TRUE(first == uncached);
}

}  // namespace
