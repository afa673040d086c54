#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

TEST(TextLabelTest, ColourBytesTruncateTheExtendedProduct) {
    EXPECT_EQ(TextLabel::colorByte(1.0), 255);
    EXPECT_EQ(TextLabel::colorByte(0.8), 204);
    EXPECT_EQ(TextLabel::colorByte(0.6), 152);  // 0.6 lies just below itself
    EXPECT_EQ(TextLabel::colorByte(0.5), 127);
    EXPECT_EQ(TextLabel::colorByte(0.0), 0);
    // Out of range values are held to 0..1 rather than wrapped or overflowed.
    EXPECT_EQ(TextLabel::colorByte(2.0), 255);
    EXPECT_EQ(TextLabel::colorByte(1e300), 255);
    EXPECT_EQ(TextLabel::colorByte(-0.5), 0);
}

TEST(TextLabelTest, KeyHintAdvanceCountsTheCaptionOnlyWhenThereIsOne) {
    EXPECT_EQ(keyHintAdvance("", 52, 0, 0), 52);
    EXPECT_EQ(keyHintAdvance("", 39, 2, 80), 41);
    EXPECT_EQ(keyHintAdvance("Main menu", 39, 2, 70), 111);
}

// Each failure is reported on every draw, and nothing is drawn.
class TextLabelFailureTest : public testing::Test {
protected:
    void TearDown() override {
        FontCache::clear();
        if (TTF_WasInit()) TTF_Quit();
        SDL_Quit();
    }
};

TEST_F(TextLabelFailureTest, ReportsMissingLibrariesAndFontsEveryTime) {
    TextLabel label("HELLO", 5, 5);
    // Without a context a label is only measured, and without SDL_ttf quietly has no size.
    testing::internal::CaptureStderr();
    label.draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // With a context the missing libraries are reported before any drawing would start.
    GlContext::setAvailable(true);
    testing::internal::CaptureStderr();
    label.draw();
    std::string noVideo = testing::internal::GetCapturedStderr();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    testing::internal::CaptureStderr();
    label.draw();
    std::string noTtf = testing::internal::GetCapturedStderr();
    GlContext::setAvailable(false);
    EXPECT_EQ(noVideo, "SDL not initialized.\n");
    EXPECT_EQ(noTtf, "SDL_ttf not initialized.\n");

    ASSERT_EQ(TTF_Init(), 0);
    label.fontFile = "no-such-font.ttf";
    testing::internal::CaptureStderr();
    label.draw();
    label.draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Couldn't load font \"no-such-font.ttf\".\nCouldn't load font \"no-such-font.ttf\".\n");
    EXPECT_EQ(FontCache::size(), 0u);
    EXPECT_EQ(label.width(), 0);
    EXPECT_EQ(label.x, 5);
}

TEST_F(TextLabelFailureTest, FontsAreKeptPerFileSizeAndStyle) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(TTF_Init(), 0);
    // The font the game ships, as the system installs it (scripts/setup.sh).
    const std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf";

    TTF_Font* a = FontCache::acquire(font, 24, 0);
    TTF_Font* b = FontCache::acquire(font, 24, 0);
    TTF_Font* bold = FontCache::acquire(font, 24, TTF_STYLE_BOLD);
    TTF_Font* small = FontCache::acquire(font, 14, 0);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, bold);
    EXPECT_NE(a, small);
    EXPECT_EQ(TTF_GetFontStyle(bold), TTF_STYLE_BOLD);
    EXPECT_EQ(FontCache::size(), 3u);

    // With the cache off every use opens its own font, which release() closes again.
    FontCache::enabled = false;
    TTF_Font* own = FontCache::acquire(font, 24, 0);
    EXPECT_NE(own, a);
    FontCache::release(own);
    FontCache::enabled = true;
    EXPECT_EQ(FontCache::size(), 3u);
}

}  // namespace
