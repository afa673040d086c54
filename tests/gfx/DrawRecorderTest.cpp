// The drawing recorder and the primitives that report to it, with no display and no OpenGL
// context: every primitive still reports what it would draw, and none reaches OpenGL.

#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "../support/GlCallCounter.h"
#include "../support/HeadlessScreen.h"
#include "data/Map.h"
#include "data/Terrain.h"
#include "gfx/DrawImage.h"
#include "gfx/DrawRecorder.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

TEST(DrawRecorderTest, RecordsOnlyWhileActiveAndNestedRecordersTakeTurns) {
    ASSERT_FALSE(GlContext::available());
    EXPECT_EQ(DrawRecorder::active(), nullptr);
    // Nothing listens: the primitives still run, and nothing is kept anywhere.
    drawImage("textures/UICursor.png", 1, 2, 7, 16);
    TextLabel("ALONE", 3, 4).draw();

    DrawRecorder outer;
    EXPECT_EQ(DrawRecorder::active(), &outer);
    drawImage("textures/UICheck.png", 10, 20, 14, 15);
    {
        DrawRecorder inner;
        EXPECT_EQ(DrawRecorder::active(), &inner);
        TextLabel("INNER", 5, 6).draw();
        drawTranslucentQuad(2, 0.01, 6, 4, 4, 0, 1, 0, 0.5);
        ASSERT_EQ(inner.items.size(), 2u);
        EXPECT_EQ(inner.items[0].kind, DrawnItem::Text);
        EXPECT_EQ(inner.items[1].kind, DrawnItem::Quad);
    }
    EXPECT_EQ(DrawRecorder::active(), &outer);
    TextLabel("OUTER", 7, 8).draw();
    EXPECT_EQ(outer.texts(), std::vector<std::string>{"OUTER"});
    ASSERT_NE(outer.findImage("textures/UICheck.png"), nullptr);
    EXPECT_EQ(outer.findText("INNER"), nullptr);
    EXPECT_EQ(outer.findImage("textures/UICursor.png"), nullptr);
    outer.clear();
    EXPECT_TRUE(outer.items.empty());
}

TEST(DrawRecorderTest, PrimitivesReportWithoutAContextAndMakeNoGlCall) {
    ASSERT_FALSE(GlContext::available());
    ASSERT_EQ(TTF_WasInit(), 0);
    long callsBefore = GlCallCounter::count();
    DrawRecorder recorder;

    // Without SDL_ttf a label has no size: a right-aligned one stays at the x it was given.
    TextLabel value("123", 188, 50);
    value.size(20).rightAlign().color(0.6, 0.6, 0.6).draw();
    drawImage("no/such/image.png", 40, 50, 60, 70);
    drawTranslucentQuad(6, 0.01, 10, 4, 4, 1, 0.8, 0, 0.5);
    Map map;
    map.drawTileCursor(-2, 7);
    map.draw();

    EXPECT_EQ(GlCallCounter::count(), callsBefore) << "no OpenGL call may be made without a context";
    ASSERT_EQ(recorder.items.size(), 4u);

    const DrawnItem& text = recorder.items[0];
    EXPECT_EQ(text.kind, DrawnItem::Text);
    EXPECT_EQ(text.text, "123");
    EXPECT_EQ(text.x, 188);
    EXPECT_EQ(text.anchorX, 188);
    EXPECT_EQ(text.width, 0);
    EXPECT_EQ(text.pointSize, 20);
    EXPECT_TRUE(text.rightAligned);
    EXPECT_EQ(text.fontFile, "UniversCondensed.ttf");
    EXPECT_EQ(text.red, 0.6);
    EXPECT_EQ(value.x, 188);

    // An image is reported as the screen named it, whether or not the file exists.
    const DrawnItem& image = recorder.items[1];
    EXPECT_EQ(image.kind, DrawnItem::Image);
    EXPECT_EQ(image.text, "no/such/image.png");
    EXPECT_EQ(image.x, 40);
    EXPECT_EQ(image.y, 50);
    EXPECT_EQ(image.width, 60);
    EXPECT_EQ(image.height, 70);

    const DrawnItem& quad = recorder.items[2];
    EXPECT_EQ(quad.kind, DrawnItem::Quad);
    EXPECT_EQ(quad.worldX, 6);
    EXPECT_EQ(quad.worldY, 0.01);
    EXPECT_EQ(quad.worldZ, 10);
    EXPECT_EQ(quad.worldWidth, 4);
    EXPECT_EQ(quad.worldDepth, 4);
    EXPECT_EQ(quad.green, 0.8);
    EXPECT_EQ(quad.blue, 0.0);
    EXPECT_EQ(quad.alpha, 0.5);

    // The tile cursor is one item, its glowing square included (no separate quad), off the map too.
    const DrawnItem& cursor = recorder.items[3];
    EXPECT_EQ(cursor.kind, DrawnItem::TileCursor);
    EXPECT_EQ(cursor.tileX, -2);
    EXPECT_EQ(cursor.tileY, 7);
    EXPECT_EQ(cursor.worldX, -6);
    EXPECT_EQ(cursor.worldZ, 30);
    EXPECT_EQ(cursor.worldY, 0.02);
    EXPECT_EQ(cursor.alpha, 0.25);
    EXPECT_EQ(recorder.ofKind(DrawnItem::Quad).size(), 1u);

    // The counter does see the game's calls: the same quad with a context (here only claimed;
    // OpenGL ignores calls made with no context current) reaches OpenGL.
    GlContext::setAvailable(true);
    drawTranslucentQuad(6, 0.01, 10, 4, 4, 1, 0.8, 0, 0.5);
    GlContext::setAvailable(false);
    EXPECT_GT(GlCallCounter::count(), callsBefore);
}

TEST(DrawRecorderTest, LabelsAreMeasuredWithTheGameFontWhenSdlTtfIsUp) {
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ready());
    long callsBefore = GlCallCounter::count();
    TTF_Font* font = TTF_OpenFont("UniversCondensed.ttf", 20);
    ASSERT_NE(font, nullptr);
    int width = 0, height = 0;
    ASSERT_EQ(TTF_SizeText(font, "4500", &width, &height), 0);
    TTF_CloseFont(font);
    ASSERT_GT(width, 0);

    DrawRecorder recorder;
    // A statistic row: the value ends at x + 188, whatever its width.
    drawStatRow("WEIGHT", 4500, 400, 100, 20);
    ASSERT_EQ(recorder.items.size(), 2u);
    const DrawnItem& value = recorder.items[1];
    EXPECT_EQ(value.text, "4500");
    EXPECT_EQ(value.width, width);
    EXPECT_EQ(value.height, height);
    EXPECT_EQ(value.x, 588 - width);
    EXPECT_EQ(value.anchorX, 588);
    EXPECT_EQ(recorder.items[0].x, 412);

    // A label keeps its measured size and left edge, as a drawn one does.
    TextLabel label("4500", 300, 10);
    label.size(20).rightAlign().draw();
    EXPECT_EQ(label.width(), width);
    EXPECT_EQ(label.x, 300 - width);

    // Empty text has nothing to measure: no size, and the label is still reported.
    recorder.clear();
    TextLabel empty("", 50, 60);
    empty.rightAlign().draw();
    ASSERT_EQ(recorder.items.size(), 1u);
    EXPECT_EQ(recorder.items[0].width, 0);
    EXPECT_EQ(recorder.items[0].x, 50);

    // A key-hint row advances by the measured caption widths.
    recorder.clear();
    KeyHintRow().key(KeyHintRow::ESC, "Main menu").key(KeyHintRow::SPACE, "Build robot");
    const DrawnItem* caption = recorder.findText("Main menu");
    const DrawnItem* space = recorder.findImage(KeyHintRow::SPACE);
    ASSERT_NE(caption, nullptr);
    ASSERT_NE(space, nullptr);
    EXPECT_GT(caption->width, 0);
    EXPECT_EQ(space->x, 8 + 39 + 2 + caption->width + 12);
    EXPECT_EQ(GlCallCounter::count(), callsBefore);
}

TEST(DrawRecorderTest, AMissingFontIsReportedAndTheLabelStillRecorded) {
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ready());
    DrawRecorder recorder;
    testing::internal::CaptureStderr();
    TextLabel label("HELLO", 30, 40);
    label.fontFile = "no-such-font.ttf";
    label.rightAlign().draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Couldn't load font \"no-such-font.ttf\".\n");
    ASSERT_EQ(recorder.items.size(), 1u);
    EXPECT_EQ(recorder.items[0].x, 30);
    EXPECT_EQ(recorder.items[0].width, 0);
    EXPECT_EQ(recorder.items[0].fontFile, "no-such-font.ttf");
}

}  // namespace
