// The rules screen by key presses: the opponent choice, each limit's bounds and steps at and
// around every limit, the map list, squad creation and the preview camera's home view.

#include <gtest/gtest.h>

#include <string>

#include "../support/KeyEvent.h"
#include "data/GameData.h"
#include "setup/RulesScreen.h"

namespace {

SDL_Event shifted(SDLKey sym, int shiftKey = KMOD_LSHIFT) {
    return keyEvent(sym, SDL_KEYDOWN, shiftKey);
}

class RulesScreenTest : public testing::Test {
protected:
    void press(SDLKey sym, int count = 1) {
        for (int i = 0; i < count; ++i) rules.handleEvent(keyEvent(sym));
    }
    void addMaps(std::initializer_list<const char*> names) {
        for (const char* name : names) data.maps[name].name = name;
    }

    GameData data;
    RulesScreen rules{data};
};

TEST_F(RulesScreenTest, PagesFollowSpaceAndEscape) {
    data.mode = RulesMode;
    press(SDLK_DOWN);
    press(SDLK_DOWN);  // only two opponents
    EXPECT_EQ(rules.selection[0], 1);
    press(SDLK_SPACE);
    EXPECT_EQ(data.sides[1].controller, SideSetup::HUMAN);
    EXPECT_EQ(rules.page, 1);
    press(SDLK_SPACE);
    EXPECT_EQ(rules.page, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(rules.page, 3);
    press(SDLK_ESCAPE);
    EXPECT_EQ(rules.page, 2);
    press(SDLK_ESCAPE);
    EXPECT_EQ(rules.page, 1);
    press(SDLK_ESCAPE);
    EXPECT_EQ(rules.page, 0);
    EXPECT_EQ(data.mode, RulesMode);

    press(SDLK_UP);
    press(SDLK_UP);
    EXPECT_EQ(rules.selection[0], 0);
    press(SDLK_SPACE);
    EXPECT_EQ(data.sides[1].controller, SideSetup::COMPUTER);
    press(SDLK_ESCAPE);
    press(SDLK_DOWN);
    // Escape on page 0 leaves for the title; "RESUME GAME" finds the page as it was.
    press(SDLK_ESCAPE);
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, RulesMode);
    EXPECT_EQ(rules.page, 0);
    EXPECT_EQ(rules.selection[0], 1);
}

TEST_F(RulesScreenTest, KeyReleasesAndOtherEventsDoNothing) {
    rules.handleEvent(keyEvent(SDLK_SPACE, SDL_KEYUP));
    rules.handleEvent(keyEvent(SDLK_DOWN, SDL_KEYUP));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    rules.handleEvent(quit);
    EXPECT_EQ(rules.page, 0);
    EXPECT_EQ(rules.selection[0], 0);
}

TEST_F(RulesScreenTest, LimitEntriesStopAtTheirEnds) {
    press(SDLK_SPACE);
    press(SDLK_UP);
    EXPECT_EQ(rules.selection[1], 0);
    press(SDLK_DOWN, 5);
    EXPECT_EQ(rules.selection[1], 2);
    press(SDLK_SPACE);
    EXPECT_EQ(rules.selection[2], 0) << "each page keeps its own entry";
    press(SDLK_DOWN);
    EXPECT_EQ(rules.selection[2], 1);
}

// Every bound of the limits table, plain and with Shift, at the bound and one step inside it.
TEST(RulesLimitStepTest, SquadSizeStepsByOneWithOrWithoutShift) {
    EXPECT_EQ(steppedLimit(0, 9, +1, false), 10);
    EXPECT_EQ(steppedLimit(0, 10, +1, false), 10);
    EXPECT_EQ(steppedLimit(0, 10, +1, true), 10);
    EXPECT_EQ(steppedLimit(0, 4, +1, true), 5);
    EXPECT_EQ(steppedLimit(0, 2, -1, false), 1);
    EXPECT_EQ(steppedLimit(0, 1, -1, false), 1);
    EXPECT_EQ(steppedLimit(0, 1, -1, true), 1);
}

TEST(RulesLimitStepTest, WeightStepsAreRefusedWholeNeverShortened) {
    EXPECT_EQ(steppedLimit(1, 99000, +1, false), 100000);
    EXPECT_EQ(steppedLimit(1, 100000, +1, false), 100000);
    EXPECT_EQ(steppedLimit(1, 90000, +1, true), 100000);
    EXPECT_EQ(steppedLimit(1, 90001, +1, true), 90001);
    EXPECT_EQ(steppedLimit(1, 91000, +1, true), 91000);
    EXPECT_EQ(steppedLimit(1, 91000, +1, false), 92000);
    EXPECT_EQ(steppedLimit(1, 11000, -1, false), 10000);
    EXPECT_EQ(steppedLimit(1, 10000, -1, false), 10000);
    EXPECT_EQ(steppedLimit(1, 20000, -1, true), 10000);
    EXPECT_EQ(steppedLimit(1, 19999, -1, true), 19999);
    EXPECT_EQ(steppedLimit(1, 19000, -1, true), 19000);
    EXPECT_EQ(steppedLimit(1, 19000, -1, false), 18000);
}

TEST(RulesLimitStepTest, SkillPointsStepByOneOrTen) {
    EXPECT_EQ(steppedLimit(2, 399, +1, false), 400);
    EXPECT_EQ(steppedLimit(2, 400, +1, false), 400);
    EXPECT_EQ(steppedLimit(2, 390, +1, true), 400);
    EXPECT_EQ(steppedLimit(2, 391, +1, true), 391);
    EXPECT_EQ(steppedLimit(2, 41, -1, false), 40);
    EXPECT_EQ(steppedLimit(2, 40, -1, false), 40);
    EXPECT_EQ(steppedLimit(2, 50, -1, true), 40);
    EXPECT_EQ(steppedLimit(2, 49, -1, true), 49);
    EXPECT_EQ(steppedLimit(2, 45, -1, true), 45);
    EXPECT_EQ(steppedLimit(2, 45, -1, false), 44);
}

TEST_F(RulesScreenTest, LeftAndRightChangeTheHighlightedLimitOfTheirPageSide) {
    press(SDLK_SPACE);  // page 1: side 0
    press(SDLK_RIGHT, 8);
    EXPECT_EQ(data.sides[0].maxSquadSize, 10);
    press(SDLK_DOWN);
    rules.handleEvent(shifted(SDLK_RIGHT, KMOD_RSHIFT));  // either Shift key
    EXPECT_EQ(data.sides[0].maxSquadWeight, 60000);
    rules.handleEvent(shifted(SDLK_LEFT));
    press(SDLK_LEFT);
    EXPECT_EQ(data.sides[0].maxSquadWeight, 49000);
    press(SDLK_DOWN);
    rules.handleEvent(shifted(SDLK_RIGHT, KMOD_LSHIFT | KMOD_NUM));
    press(SDLK_RIGHT);
    EXPECT_EQ(data.sides[0].skillPointTotal, 311);
    rules.handleEvent(shifted(SDLK_RIGHT, KMOD_LSHIFT));
    rules.handleEvent(shifted(SDLK_RIGHT, KMOD_LSHIFT));
    rules.handleEvent(keyEvent(SDLK_RIGHT, SDL_KEYUP));
    EXPECT_EQ(data.sides[0].skillPointTotal, 331);

    press(SDLK_SPACE);  // page 2: side 1, from its own defaults
    press(SDLK_LEFT, 5);
    EXPECT_EQ(data.sides[1].maxSquadSize, 1);
    EXPECT_EQ(data.sides[0].maxSquadSize, 10);
    press(SDLK_DOWN, 2);
    rules.handleEvent(shifted(SDLK_LEFT));
    EXPECT_EQ(data.sides[1].skillPointTotal, 290);
    EXPECT_EQ(data.sides[0].maxSquadWeight, 49000);
    EXPECT_EQ(data.sides[1].maxSquadWeight, 50000);
}

TEST_F(RulesScreenTest, MapPageKeepsCurrentMapOnTheHighlightedMapWithoutAFrame) {
    addMaps({"ALPHA", "BRAVO", "CHARLIE"});
    data.currentMap = &data.maps["BRAVO"];
    press(SDLK_SPACE, 3);
    ASSERT_EQ(rules.page, 3);
    press(SDLK_DOWN, 3);
    EXPECT_EQ(rules.selection[3], 2) << "Down from the third map does nothing";
    EXPECT_EQ(data.currentMap, &data.maps["CHARLIE"]);
    press(SDLK_UP, 2);
    EXPECT_EQ(rules.selection[3], 0);
    EXPECT_EQ(data.currentMap, &data.maps["ALPHA"]);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(data.mode, BuildMode);
    EXPECT_EQ(data.currentMap, &data.maps["BRAVO"]);
}

TEST_F(RulesScreenTest, SpaceOnTheMapPageStartsTheHighlightedMapEvenBeforeAnyFrame) {
    addMaps({"ALPHA", "BRAVO"});
    data.currentMap = &data.maps["BRAVO"];  // the title backdrop
    data.mode = RulesMode;
    press(SDLK_SPACE, 4);
    EXPECT_EQ(data.mode, BuildMode);
    EXPECT_EQ(data.currentMap, &data.maps["ALPHA"]);
}

TEST_F(RulesScreenTest, SpaceWithoutAnyMapStaysOnTheMapPage) {
    data.mode = RulesMode;
    data.robotNames = {"A", "B"};
    press(SDLK_SPACE, 4);
    EXPECT_EQ(rules.page, 3);
    EXPECT_EQ(data.mode, RulesMode);
    EXPECT_EQ(data.currentMap, nullptr);
    EXPECT_TRUE(data.sides[0].squad.empty());
    EXPECT_TRUE(data.sides[0].pilots.empty());
    EXPECT_EQ(data.robotNames.size(), 2u);
}

TEST_F(RulesScreenTest, SquadsTakeNamesFromTheBackSideZeroFirst) {
    addMaps({"ALPHA"});
    data.robotNames = {"N1", "N2", "N3", "N4", "N5", "N6"};
    data.pilotNames.assign(25, "P");
    data.sides[0].maxSquadSize = 2;
    data.sides[1].maxSquadSize = 3;
    press(SDLK_SPACE, 4);
    ASSERT_EQ(data.mode, BuildMode);
    ASSERT_EQ(data.sides[0].squad.size(), 2u);
    ASSERT_EQ(data.sides[1].squad.size(), 3u);
    EXPECT_EQ(data.sides[0].squad[0]->getName(), "N6");
    EXPECT_EQ(data.sides[0].squad[1]->getName(), "N5");
    EXPECT_EQ(data.sides[1].squad[0]->getName(), "N4");
    EXPECT_EQ(data.sides[1].squad[2]->getName(), "N2");
    EXPECT_EQ(data.robotNames, std::vector<std::string>{"N1"});
    for (int side = 0; side < 2; ++side) {
        for (const Robot* robot : data.sides[side].squad) {
            EXPECT_EQ(robot->getSide(), side);
            EXPECT_EQ(robot->getPilot(), nullptr);
            EXPECT_EQ(robot->getWeight(), 0);
            EXPECT_EQ(robot->x, -1);
        }
        EXPECT_EQ(data.sides[side].pilots.size(), 10u);
    }
    EXPECT_EQ(data.pilotNames.size(), 5u);
}

TEST_F(RulesScreenTest, SquadsOutOfNamesKeepTheDefaultName) {
    addMaps({"ALPHA"});
    data.robotNames = {"ONLY", "TWO"};
    data.sides[0].maxSquadSize = 10;
    data.sides[1].maxSquadSize = 10;
    press(SDLK_SPACE, 4);
    ASSERT_EQ(data.sides[0].squad.size(), 10u);
    ASSERT_EQ(data.sides[1].squad.size(), 10u);
    EXPECT_EQ(data.sides[0].squad[0]->getName(), "TWO");
    EXPECT_EQ(data.sides[0].squad[1]->getName(), "ONLY");
    EXPECT_EQ(data.sides[0].squad[2]->getName(), "<EMPTY>");
    EXPECT_EQ(data.sides[1].squad[9]->getName(), "<EMPTY>");
    EXPECT_TRUE(data.robotNames.empty());
}

TEST_F(RulesScreenTest, KeypadFiveReturnsToThePreviewViewThatCanBeZoomed) {
    rules.handleEvent(keyEvent(SDLK_KP4));
    EXPECT_EQ(rules.camera.turnSpeed, -1) << "the keypad reaches the preview on every page";
    rules.handleEvent(keyEvent(SDLK_KP4, SDL_KEYUP));
    rules.camera.yaw = 10;
    rules.camera.distance = 40;
    rules.camera.target = Vector3(1, 2, 3);
    rules.handleEvent(keyEvent(SDLK_KP5));
    EXPECT_DOUBLE_EQ(rules.camera.target.x, 20);
    EXPECT_DOUBLE_EQ(rules.camera.target.y, 10);
    EXPECT_DOUBLE_EQ(rules.camera.target.z, 20);
    EXPECT_DOUBLE_EQ(rules.camera.distance, 70);
    EXPECT_DOUBLE_EQ(rules.camera.yaw, -60);
    EXPECT_DOUBLE_EQ(rules.camera.polar, 45);
    rules.camera.advance();
    EXPECT_GT((rules.camera.eye() - rules.camera.target).length(), 69.0) << "the eye is off the target";
}

TEST_F(RulesScreenTest, ResetClearsPagesAndTheCameraView) {
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    press(SDLK_DOWN);
    rules.camera.yaw = 33;
    rules.reset(data);
    EXPECT_EQ(rules.page, 0);
    EXPECT_EQ(rules.selection[0], 0);
    EXPECT_EQ(rules.selection[1], 0);
    EXPECT_DOUBLE_EQ(rules.camera.yaw, -60);
    EXPECT_DOUBLE_EQ(rules.camera.homeYaw, -60);
}

}  // namespace
