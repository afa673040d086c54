// The rules, build and battle screens: Escape hands back to the title with the mode to resume,
// and the keypad reaches their cameras.

#include <gtest/gtest.h>

#include "../support/KeyEvent.h"
#include "battle/BattleScreen.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "setup/RulesScreen.h"

namespace {

SDL_Event key(SDLKey sym, Uint8 type = SDL_KEYDOWN) {
    return keyEvent(sym, type);
}

TEST(ScreensTest, RulesEscapeReturnsToTheTitleAndResumesHere) {
    GameData gameData;
    RulesScreen rules(gameData);
    gameData.mode = RulesMode;
    rules.handleEvent(key(SDLK_ESCAPE, SDL_KEYUP));
    EXPECT_EQ(gameData.mode, RulesMode);
    rules.handleEvent(key(SDLK_ESCAPE));
    EXPECT_EQ(gameData.mode, TitleMode);
    EXPECT_EQ(gameData.resumeMode, RulesMode);
}

TEST(ScreensTest, RulesCameraShowsThePreviewViewAndReturnsToIt) {
    GameData gameData;
    RulesScreen rules(gameData);
    EXPECT_DOUBLE_EQ(rules.camera.distance, 70);
    EXPECT_DOUBLE_EQ(rules.camera.yaw, -60);
    EXPECT_DOUBLE_EQ(rules.camera.polar, 45);
    EXPECT_DOUBLE_EQ(rules.camera.homeDistance, 70);
    rules.handleEvent(key(SDLK_KP4));
    EXPECT_EQ(rules.camera.turnSpeed, -1);
    rules.handleEvent(key(SDLK_KP4, SDL_KEYUP));
    EXPECT_EQ(rules.camera.turnSpeed, 0);
}

TEST(ScreensTest, BuildAndBattleEscapeRecordWhereToResume) {
    GameData gameData;
    BuildScreen build(gameData);
    BattleScreen battle(gameData);
    gameData.mode = BuildMode;
    build.handleEvent(key(SDLK_ESCAPE));
    EXPECT_EQ(gameData.mode, TitleMode);
    EXPECT_EQ(gameData.resumeMode, BuildMode);
    gameData.mode = BattleMode;
    battle.handleEvent(key(SDLK_ESCAPE));
    EXPECT_EQ(gameData.mode, TitleMode);
    EXPECT_EQ(gameData.resumeMode, BattleMode);
    EXPECT_DOUBLE_EQ(battle.battleCamera.distance, 60);
    EXPECT_DOUBLE_EQ(battle.battleCamera.polar, 0);
}

TEST(ScreensTest, BuildCameraTakesTheKeypadOnlyInTheRobotView) {
    GameData gameData;
    BuildScreen build(gameData);
    build.handleEvent(key(SDLK_KP4));
    EXPECT_EQ(build.camera.turnSpeed, 0) << "the robot list has no model to turn";
    build.view = 1;
    build.handleEvent(key(SDLK_KP4));
    EXPECT_EQ(build.camera.turnSpeed, -1);
    build.handleEvent(key(SDLK_KP4, SDL_KEYUP));
    EXPECT_EQ(build.camera.turnSpeed, 0);
}

}  // namespace
