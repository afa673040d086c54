// The rules screen's pages as drawn, through the drawing recorder with the game's own font and
// no display: labels, headers for both opponents, the limits blocks, cursors, the map list and
// the key hints.

#include <gtest/gtest.h>

#include <string>

#include "../support/GlCallCounter.h"
#include "../support/HeadlessScreen.h"
#include "../support/KeyEvent.h"
#include "../support/TextTable.h"
#include "data/GameData.h"
#include "gfx/DrawRecorder.h"
#include "setup/RulesScreen.h"

namespace {

using Places = std::vector<std::pair<int, int>>;

class RulesScreenLayoutTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(screen.ready()); }
    void press(SDLKey sym, int count = 1) {
        for (int i = 0; i < count; ++i) rules.handleEvent(keyEvent(sym));
    }
    // Draws the current page into a fresh recording.
    void drawPage() {
        recorder.clear();
        rules.draw();
    }
    int countOf(const std::string& text) const {
        int count = 0;
        for (const DrawnItem& item : recorder.items)
            if (item.text == text) ++count;
        return count;
    }
    const DrawnItem& text(const std::string& value) const {
        const DrawnItem* item = recorder.findText(value);
        EXPECT_NE(item, nullptr) << "\"" << value << "\" is not drawn";
        static const DrawnItem none;
        return item ? *item : none;
    }
    // The icons of the key-hint row and the caption after each (the caption "" for Shift).
    std::vector<std::string> hintRow() const {
        std::vector<std::string> row;
        for (const DrawnItem& item : recorder.items)
            if (item.y == 743 || item.y == 744) row.push_back(item.text);
        return row;
    }

    HeadlessScreen screen;
    GameData data;
    RulesScreen rules{data};
    DrawRecorder recorder;
};

const std::string cursor = "textures/UICursor.png";
const std::string darkCursor = "textures/UICursorDark.png";

TEST_F(RulesScreenLayoutTest, OpponentPageFollowsTheHighlightedOpponent) {
    drawPage();
    EXPECT_EQ(recorder.textAt(12, 5), "RULES");
    EXPECT_EQ(text("RULES").pointSize, 30);
    expectTexts(recorder.items, {{412, 41, "VIEW MAP"},
                                 {12, 41, "OPPONENT SELECT"},
                                 {212, 41, "MAP SELECT"},
                                 {12, 70, "vs Computer"},
                                 {12, 95, "vs Human"}});
    EXPECT_EQ(text("vs Human").pointSize, 24);
    expectTexts(recorder.items, {{12, 151, "PLAYER LIMITS"}, {12, 401, "COMPUTER LIMITS"}});
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 77}}));
    EXPECT_EQ(recorder.findText("MAX SQUAD SIZE"), nullptr) << "no limits on page 0";
    EXPECT_EQ(hintRow(),
              (std::vector<std::string>{"textures/UIKeyEsc.bmp", "Main menu", "textures/UIKeySpace.bmp",
                                        "Select opponent", "textures/UIKeyUp.bmp", "/",
                                        "textures/UIKeyDown.bmp", "Move cursor"}));
    const DrawnItem* space = recorder.findImage("textures/UIKeySpace.bmp");
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(recorder.findImage("textures/UIKeyEsc.bmp")->x, 8);
    EXPECT_GT(text("Main menu").width, 0) << "measured with the game's font";
    EXPECT_EQ(space->x, 8 + 39 + 2 + text("Main menu").width + 12);

    press(SDLK_DOWN);
    drawPage();
    expectTexts(recorder.items, {{12, 151, "PLAYER 1 LIMITS"}, {12, 401, "PLAYER 2 LIMITS"}});
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 102}}));
}

TEST_F(RulesScreenLayoutTest, FirstLimitsPageShowsSideZeroWithItsMaxima) {
    press(SDLK_SPACE);
    drawPage();
    expectTexts(recorder.items, {{12, 151, "PLAYER LIMITS"},
                                 {12, 180, "MAX SQUAD SIZE"},
                                 {12, 240, "MAX SQUAD WEIGHT"},
                                 {12, 300, "PILOT SKILL POINT TOTAL"}});
    EXPECT_EQ(text("PILOT SKILL POINT TOTAL").pointSize, 14);
    EXPECT_EQ(text("PILOT SKILL POINT TOTAL").style, 1);
    EXPECT_EQ(countOf("MAX SQUAD SIZE"), 1) << "only side 0's block";
    expectTexts(recorder.items, {{12, 197, "4"}, {12, 257, "50000"}, {12, 317, "300"}});
    EXPECT_EQ(text("50000").pointSize, 30);
    EXPECT_EQ(text("/10").x, 14 + text("4").width);
    EXPECT_EQ(text("/10").y, 210);
    EXPECT_EQ(text("/100000").x, 14 + text("50000").width);
    EXPECT_EQ(text("/100000").y, 270);
    EXPECT_EQ(text("/400").y, 330);
    EXPECT_EQ(text("/400").pointSize, 14);
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{0, 77}}));
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 206}}));
    EXPECT_EQ(hintRow(),
              (std::vector<std::string>{"textures/UIKeyEsc.bmp", "Opponent select", "textures/UIKeySpace.bmp",
                                        "Confirm limits", "textures/UIKeyUp.bmp", "/",
                                        "textures/UIKeyDown.bmp", "Move cursor", "textures/UIKeyLeft.bmp",
                                        "Robots -1", "textures/UIKeyRight.bmp", "Robots +1"}));

    // The weight entry: 8 pixels before the Shift combinations on this page, each Shift icon
    // overlapped 4 pixels by the arrow after it.
    press(SDLK_DOWN);
    drawPage();
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 266}}));
    std::vector<std::pair<int, int>> shifts = recorder.imagePlaces("textures/UIKeyShift.bmp");
    ASSERT_EQ(shifts.size(), 2u);
    const DrawnItem& plus = text("Weight +1000");
    EXPECT_EQ(shifts[0].first, plus.x + plus.width + 8);
    EXPECT_EQ(text("Weight -10000").x, shifts[0].first + 52 - 4 + 28 + 2);
    EXPECT_EQ(shifts[1].first, text("Weight -10000").x + text("Weight -10000").width + 12);
    EXPECT_NE(recorder.findText("Weight +10000"), nullptr);

    press(SDLK_DOWN);
    drawPage();
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 326}}));
    for (const char* caption : {"Skills -1", "Skills +1", "Skills -10", "Skills +10"})
        EXPECT_NE(recorder.findText(caption), nullptr) << caption;
}

TEST_F(RulesScreenLayoutTest, SecondLimitsPageShowsBothSidesAndNamesTheWayBack) {
    press(SDLK_SPACE, 2);
    press(SDLK_DOWN);
    drawPage();
    EXPECT_EQ(countOf("MAX SQUAD SIZE"), 2);
    expectTexts(recorder.items, {{12, 430, "MAX SQUAD SIZE"}, {12, 507, "50000"}});
    EXPECT_EQ(text("Player limits").y, 744);
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 516}}));
    std::vector<std::pair<int, int>> shifts = recorder.imagePlaces("textures/UIKeyShift.bmp");
    ASSERT_EQ(shifts.size(), 2u);
    const DrawnItem& plus = text("Weight +1000");
    EXPECT_EQ(shifts[0].first, plus.x + plus.width + 12) << "page 2 keeps the usual spacing";

    // Against a second human the headers and the way back say "PLAYER 1" and "PLAYER 2".
    press(SDLK_ESCAPE, 2);
    press(SDLK_DOWN);
    press(SDLK_SPACE, 2);
    drawPage();
    expectTexts(recorder.items, {{12, 151, "PLAYER 1 LIMITS"}, {12, 401, "PLAYER 2 LIMITS"}});
    EXPECT_NE(recorder.findText("Player 1 limits"), nullptr);
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{0, 102}}));
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 516}})) << "the page kept its entry";
}

TEST_F(RulesScreenLayoutTest, MapPageListsTheMapsAndMakesTheHighlightedOneCurrent) {
    for (const char* name : {"DOWNTOWN", "ALPHA", "QUARRY"}) data.maps[name].name = name;
    press(SDLK_SPACE, 3);
    press(SDLK_DOWN);
    data.currentMap = nullptr;
    long glCalls = GlCallCounter::count();
    rules.camera.turnSpeed = 1;
    drawPage();
    EXPECT_EQ(GlCallCounter::count(), glCalls) << "no OpenGL call without a context";
    EXPECT_DOUBLE_EQ(rules.camera.yaw, -59) << "the preview's camera still moves on";
    expectTexts(recorder.items, {{212, 70, "ALPHA"}, {212, 103, "DOWNTOWN"}, {212, 136, "QUARRY"}});
    EXPECT_EQ(text("QUARRY").pointSize, 30);
    EXPECT_EQ(data.currentMap, &data.maps["DOWNTOWN"]);
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 112}}));
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{0, 77}}));
    EXPECT_EQ(countOf("MAX SQUAD SIZE"), 2);
    EXPECT_EQ(hintRow(),
              (std::vector<std::string>{"textures/UIKeyEsc.bmp", "Computer limits", "textures/UIKeySpace.bmp",
                                        "Select map", "textures/UIKeyUp.bmp", "/", "textures/UIKeyDown.bmp",
                                        "Move cursor"}));
    data.sides[1].controller = SideSetup::HUMAN;
    drawPage();
    EXPECT_NE(recorder.findText("Player 2 limits"), nullptr);
}

}  // namespace
