// The battle screen's panels drawn for real over its map view, with the game's own database, font
// and images: what only pixels show. The layout itself is checked headless through the drawing
// recorder (BattlePanelsTest and its neighbours).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/DisplayWindow.h"
#include "ShippedRobot.h"
#include "battle/BattleScreen.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "data/Robot.h"
#include "gfx/DrawRecorder.h"

namespace {

class BattleScreenDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    GameData data;
    Robot* hero = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        ASSERT_TRUE(data.load(GameData::DATABASE_FILE));
        ASSERT_FALSE(data.maps.empty());
        data.currentMap = &data.maps.begin()->second;
        data.mode = BattleMode;
        hero = addShippedRobot(data, 0, "Hero", 2, 2, FACING_SOUTH, false);
        enemy = addShippedRobot(data, 1, "Enemy", 2, 5, FACING_SOUTH, false);
        ASSERT_TRUE(hero->isComplete());
    }

    static int brightness(const DrawnItem& label) {
        return brightestIn(label.x, label.y, label.width, label.height);
    }
};

TEST_F(BattleScreenDisplayTest, GreyMenuLinesShowDimmerThanTheOthersBelowTheMap) {
    BattleScreen screen(data);
    screen.state = ActionMenu;
    screen.selectedRobot = hero;
    screen.cursor[RobotSelect] = hero->x;
    screen.cursor2[RobotSelect] = hero->y;
    hero->ep = 0;  // everything but STATUS and END TURN out of reach
    DrawRecorder recorder;
    screen.draw();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    for (const char* grey : {"MOVE", "FACE", "ATTACK", "DELAY"}) {
        const DrawnItem* label = recorder.findText(grey);
        ASSERT_NE(label, nullptr) << grey;
        int shown = brightness(*label);
        EXPECT_GT(shown, 100) << grey;
        EXPECT_LT(shown, 180) << grey;
    }
    for (const char* white : {"STATUS", "END TURN", "Hero", "1/Hero"}) {
        const DrawnItem* label = recorder.findText(white);
        ASSERT_NE(label, nullptr) << white;
        EXPECT_GT(brightness(*label), 220) << white;
    }
}

TEST_F(BattleScreenDisplayTest, TheEndScreenResultStandsOnItsBand) {
    BattleScreen screen(data);
    screen.state = MatchEnd;
    screen.cursor[MatchEnd] = Side0Won;
    screen.selectedRobot = hero;
    enemy->hp = 0;
    DrawRecorder recorder;
    screen.draw();
    const DrawnItem* result = recorder.findText("VICTORY");
    ASSERT_NE(result, nullptr);
    EXPECT_GT(brightness(*result), 220);
    // The band covers the map across the whole window; left of the text it is dark.
    EXPECT_LT(brightestIn(0, 302, result->x - 20, 56), 120);
}

}  // namespace
