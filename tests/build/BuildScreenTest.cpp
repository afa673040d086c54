// The build screen's robot list and robot view by key presses: cursor bounds, leaving for the
// title and coming back, Enter with and without a complete robot, the two-human hand-over and
// the computer's build before the battle.

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "../data/TestDatabase.h"
#include "../support/TempDir.h"
#include "BuildTestSupport.h"
#include "ai/ComputerPlayer.h"

namespace {

TEST_F(BuildScreenTest, CursorsStopAtTheLastRobotAndAtThePilotRow) {
    makeSide(0, 3);
    data.sides[0].maxSquadSize = 10;  // the list holds three robots, whatever the limit says
    press(SDLK_DOWN, 5);
    EXPECT_EQ(build.cursor[0], 2);
    press(SDLK_UP, 5);
    EXPECT_EQ(build.cursor[0], 0);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(build.cursor[1], 0);
    press(SDLK_DOWN, 9);
    EXPECT_EQ(build.cursor[1], BuildScreen::PILOT_ROW);
    press(SDLK_ESCAPE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
    EXPECT_EQ(build.cursor[0], 1);
    press(SDLK_SPACE);
    EXPECT_EQ(build.cursor[1], 0) << "the robot view opens on its first slot";
}

TEST_F(BuildScreenTest, AnEmptySquadOffersNothingToBuildOrFinish) {
    data.mode = BuildMode;
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    press(SDLK_RETURN);
    EXPECT_EQ(build.cursor[0], 0);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
    EXPECT_EQ(data.mode, BuildMode);
}

TEST_F(BuildScreenTest, KeyReleasesDoNothing) {
    makeSide(0, 2);
    build.handleEvent(keyEvent(SDLK_DOWN, SDL_KEYUP));
    build.handleEvent(keyEvent(SDLK_SPACE, SDL_KEYUP));
    EXPECT_EQ(build.cursor[0], 0);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
}

TEST_F(BuildScreenTest, EnterWaitsForOneCompleteRobot) {
    makeSide(0, 2);
    makeSide(1, 2);
    data.sides[1].controller = SideSetup::HUMAN;
    data.mode = BuildMode;
    // Six parts but no pilot, and a pilot but a missing part: neither is complete.
    press(SDLK_SPACE);
    for (int slot = 0; slot < 6; ++slot) {
        press(SDLK_SPACE, 2);
        press(SDLK_DOWN);
    }
    press(SDLK_ESCAPE);
    press(SDLK_RETURN);
    EXPECT_EQ(build.side, 0);
    EXPECT_FALSE(build.anyRobotComplete());
    completeByKeys(0, 0);
    EXPECT_TRUE(data.sides[0].squad[0]->isComplete());
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
    press(SDLK_RETURN);
    EXPECT_EQ(build.side, 1);
}

TEST_F(BuildScreenTest, TwoHumansHandOverThenStartTheBattle) {
    makeSide(0, 3);
    makeSide(1, 3);
    data.sides[1].controller = SideSetup::HUMAN;
    data.mode = BuildMode;
    completeByKeys(2, 4);
    ASSERT_GT(build.squadWeight, 0);
    press(SDLK_RETURN);
    EXPECT_EQ(build.side, 1);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
    EXPECT_EQ(build.cursor[0], 0);
    EXPECT_EQ(build.cursor[1], 0);
    EXPECT_EQ(build.cursor[2], 0);
    EXPECT_EQ(build.squadWeight, 0);
    EXPECT_EQ(data.mode, BuildMode);
    EXPECT_EQ(data.sides[0].squad.size(), 3u) << "nothing is dropped before both sides are done";

    press(SDLK_RETURN);
    EXPECT_EQ(data.mode, BuildMode) << "side 1 has no complete robot yet";
    completeByKeys(1, 0);
    EXPECT_EQ(data.sides[1].squad[1]->getPilot(), data.sides[1].pilots[0])
        << "side 1 picks from its own pilots";
    press(SDLK_RETURN);
    EXPECT_EQ(data.mode, BattleMode);
    ASSERT_EQ(data.sides[0].squad.size(), 1u);
    EXPECT_EQ(data.sides[0].squad[0]->getName(), "R02");
    ASSERT_EQ(data.sides[1].squad.size(), 1u);
    EXPECT_EQ(data.sides[1].squad[0]->getName(), "R11");
}

TEST_F(BuildScreenTest, EscapeAndResumeKeepRowSideAndWeight) {
    makeSide(0, 3);
    makeSide(1, 3);
    data.sides[1].controller = SideSetup::HUMAN;
    data.mode = BuildMode;
    completeByKeys(0, 0);
    press(SDLK_RETURN);
    press(SDLK_DOWN, 2);
    press(SDLK_SPACE, 3);  // side 1, robot 2: the lightest head
    press(SDLK_ESCAPE);
    int weight = build.squadWeight;
    EXPECT_EQ(weight, 300);
    press(SDLK_ESCAPE);
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, BuildMode);
    data.mode = data.resumeMode;  // "RESUME GAME"
    EXPECT_EQ(build.side, 1);
    EXPECT_EQ(build.cursor[0], 2);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_LIST);
    EXPECT_EQ(build.squadWeight, weight);
}

// The computer builds from the templates of data.db in the working folder, as in the game.
class ComputerBuildTest : public BuildScreenTest {
protected:
    void SetUp() override {
        BuildScreenTest::SetUp();
        std::string database = buildTestDatabase("squad.yaml");
        ASSERT_FALSE(database.empty());
        // The computer finds its template parts in the loaded catalogue.
        data.components.clear();
        ASSERT_TRUE(data.load(database));
        // A folder of its own: tests of this suite may run at the same time in other processes.
        std::ifstream in(database, std::ios::binary);
        std::ofstream(scratch.path("data.db"), std::ios::binary) << in.rdbuf();
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(scratch.path().c_str()), 0);
    }
    void TearDown() override {
        if (previous[0] != 0) {
            EXPECT_EQ(chdir(previous), 0);
        }
    }
    TempDir scratch{"computer-build"};
    char previous[4096] = {};
};

TEST_F(ComputerBuildTest, EnterBuildsTheComputerSquadAndDropsIncompleteRobotsInOrder) {
    makeSide(0, 4);
    makeSide(1, 3);
    for (Pilot* pilot : data.sides[1].pilots) pilot->meleeAttack = 5;
    data.mode = BuildMode;
    completeByKeys(1, 0);
    completeByKeys(3, 1);
    press(SDLK_RETURN);
    EXPECT_EQ(data.mode, BattleMode);
    ASSERT_EQ(data.sides[0].squad.size(), 2u);
    EXPECT_EQ(data.sides[0].squad[0]->getName(), "R01");
    EXPECT_EQ(data.sides[0].squad[1]->getName(), "R03");
    // The templates fit three robots within the default 50000.
    ASSERT_EQ(data.sides[1].squad.size(), 3u);
    for (const Robot* robot : data.sides[1].squad) {
        EXPECT_TRUE(robot->isComplete());
        EXPECT_EQ(robot->getHp(), robot->getMaxHp());
    }
    EXPECT_EQ(data.sides[1].squad[0]->getName(), "R10");
}

TEST_F(ComputerBuildTest, ATightLimitLeavesTheComputerFewerRobots) {
    makeSide(0, 1);
    makeSide(1, 4);
    data.sides[1].maxSquadWeight = 20000;
    completeByKeys(0, 0);
    press(SDLK_RETURN);
    EXPECT_EQ(data.mode, BattleMode);
    // 13000 for the first robot, 6800 of lighter parts for the second, then nothing fits.
    EXPECT_EQ(data.sides[1].squad.size(), 2u);
    for (const Robot* robot : data.sides[1].squad) EXPECT_TRUE(robot->isComplete());
}

}  // namespace
