// The title screen's pages drawn for real with the game's own font and images, read back. The
// layout itself is checked headless through the drawing recorder (TitleScreenLayoutTest); these
// check what only pixels show: that what the recorder reports is what appears on screen.

#include <gtest/gtest.h>

#include "../support/DisplayWindow.h"
#include "app/TitleScreen.h"
#include "data/GameData.h"
#include "gfx/DrawRecorder.h"

namespace {

TEST(TitleScreenDisplayTest, EveryRecordedLabelAndTheCursorShowWhereReported) {
    DisplayWindow window;
    ASSERT_TRUE(window.open()) << SDL_GetError();
    GameData gameData;
    TitleScreen title(gameData);
    title.selection[0] = 1;
    DrawRecorder recorder;
    title.draw();

    std::vector<DrawnItem> labels = recorder.ofKind(DrawnItem::Text);
    ASSERT_EQ(labels.size(), 7u);
    for (const DrawnItem& label : labels) {
        ASSERT_GT(label.width, 0) << label.text;
        EXPECT_GT(brightestIn(label.x, label.y, label.width, label.height), 200) << label.text;
    }
    const DrawnItem* cursor = recorder.findImage("textures/UICursor.png");
    ASSERT_NE(cursor, nullptr);
    EXPECT_GT(brightestIn(cursor->x, cursor->y, cursor->width, cursor->height), 150);
    // Only the selected entry carries a cursor.
    EXPECT_LT(brightestIn(72, 226, 7, 16), 100);
    // The menu column ends at x = 300.
    EXPECT_EQ(brightestIn(300, 0, 724, 768), 0);

    // Headless, the same page is measured to exactly the rendered sizes.
    GlContext::setAvailable(false);
    DrawRecorder measured;
    title.draw();
    GlContext::setAvailable(true);
    std::vector<DrawnItem> headless = measured.ofKind(DrawnItem::Text);
    ASSERT_EQ(headless.size(), labels.size());
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(headless[i].width, labels[i].width) << labels[i].text;
        EXPECT_EQ(headless[i].height, labels[i].height) << labels[i].text;
    }
}

TEST(TitleScreenDisplayTest, CreditsPageHidesTheBackdropAboveItsColumns) {
    DisplayWindow window;
    ASSERT_TRUE(window.open()) << SDL_GetError();
    // Whatever the backdrop left behind ...
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    GameData gameData;
    TitleScreen title(gameData);
    title.page = 2;
    title.draw();
    // ... is gone from the strip above the columns beside the page title.
    EXPECT_LT(brightestIn(300, 0, 724, 38), 30);
    EXPECT_GT(brightestIn(12, 5, 100, 30), 200) << "the page title is missing";
}

}  // namespace
