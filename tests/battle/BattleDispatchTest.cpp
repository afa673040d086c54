// Dispatch by key presses: picking robots up, the three tests of a placement, taking robots off,
// facing and its undo, finishing (the hand-over to a second human, the computer's deployment, the
// move order), and the ways a dispatch that could never place a robot still ends.

#include "BattleFixture.h"

#include <algorithm>

#include "ai/ComputerPlayer.h"

namespace {

class BattleDispatchTest : public BattleFixture {
protected:
    bool inRoster(const Robot* robot) const {
        return std::find(data.roster.begin(), data.roster.end(), robot) != data.roster.end();
    }
};

TEST_F(BattleDispatchTest, PlacingNeedsAFreeTraversableStartTileAndChangesNothingElse) {
    Robot* first = addRobot(0, "First");
    Robot* second = addRobot(0, "Second");
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchPosition);
    // The cursor starts on the zone's first tile and may roam the whole map.
    EXPECT_EQ(screen.cursor[DispatchPosition], 0);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 0);
    moveCursor(DispatchPosition, 5, 3);  // the wall, outside the zone
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    moveCursor(DispatchPosition, 3, 0);  // ground, outside the zone
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    EXPECT_EQ(first->x, -1);
    EXPECT_TRUE(data.roster.empty());
    moveCursor(DispatchPosition, 1, 0);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchFacing);
    EXPECT_EQ(first->x, 1);
    EXPECT_EQ(first->y, 0);
    press(SDLK_RIGHT);
    EXPECT_EQ(first->facing, FACING_EAST);
    press(SDLK_SPACE);

    // The second robot cannot share the first one's tile.
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    moveCursor(DispatchPosition, 1, 0);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    EXPECT_EQ(second->x, -1);
    EXPECT_EQ(data.roster, std::vector<Robot*>{first});

    // The map's edges stop the cursor.
    press(SDLK_UP, 3);
    press(SDLK_LEFT, 3);
    EXPECT_EQ(screen.cursor[DispatchPosition], 0);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 0);
    moveCursor(DispatchPosition, 7, 5);
    press(SDLK_DOWN);
    press(SDLK_RIGHT);
    EXPECT_EQ(screen.cursor[DispatchPosition], 7);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 5);
}

TEST_F(BattleDispatchTest, PickingUpLiftsARobotAndEscapeLeavesItOffTheMap) {
    Robot* first = addRobot(0, "First");
    Robot* second = addRobot(0, "Second");
    dispatchLine(0, 0, 0);
    dispatchLine(1, 2, 0);
    EXPECT_EQ(data.roster, (std::vector<Robot*>{first, second}));

    // Picked up again, the cursor starts on its old tile; re-placing puts it last in the roster.
    dispatchLine(0, 0, 0);
    EXPECT_EQ(data.roster, (std::vector<Robot*>{second, first}));
    press(SDLK_SPACE);
    EXPECT_EQ(screen.cursor[DispatchPosition], 0);
    EXPECT_EQ(first->x, -1);
    EXPECT_FALSE(inRoster(first));
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, DispatchSelect);
    EXPECT_EQ(first->x, -1);
    EXPECT_EQ(first->y, -1);
    EXPECT_EQ(data.roster, std::vector<Robot*>{second});
}

TEST_F(BattleDispatchTest, EscapeInFacingRestoresTheEarlierFacingAndTheTile) {
    Robot* robot = addRobot(0, "Robot");
    dispatchLine(0, 1, 0, SDLK_LEFT);
    EXPECT_EQ(robot->facing, FACING_WEST);
    press(SDLK_SPACE);
    moveCursor(DispatchPosition, 2, 0);
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchFacing);
    EXPECT_EQ(screen.cursor[DispatchFacing], FACING_WEST);
    press(SDLK_UP);
    EXPECT_EQ(robot->facing, FACING_NORTH);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, DispatchPosition);
    EXPECT_EQ(robot->facing, FACING_WEST);
    EXPECT_EQ(robot->x, -1);
    EXPECT_FALSE(inRoster(robot));
    // The cursor waits on the tile just left.
    EXPECT_EQ(screen.cursor[DispatchPosition], 2);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 0);
}

TEST_F(BattleDispatchTest, EnterWaitsForAPlacedRobotThenTheComputerDeploysAndTheOrderIsSorted) {
    Robot* slow = addRobot(0, "Slow", {3, 5, 5, 5});
    Robot* quick = addRobot(0, "Quick", {7, 5, 5, 5});
    Robot* enemy = addRobot(1, "Enemy", {7, 5, 5, 5});
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, DispatchSelect);
    EXPECT_FALSE(screen.canFinishDispatch());
    dispatchLine(0, 0, 0);
    dispatchLine(1, 1, 0);
    EXPECT_TRUE(screen.canFinishDispatch());
    press(SDLK_RETURN);
    // Reflexes 3, 7 (placed), 7 (deployed): 7s first in placement order.
    EXPECT_EQ(data.roster, (std::vector<Robot*>{quick, enemy, slow}));
    EXPECT_EQ(enemy->x, 7);
    EXPECT_EQ(enemy->y, 5);
    EXPECT_EQ(data.turnIndex, 0);
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[RobotSelect], 1);
    EXPECT_EQ(screen.cursor2[RobotSelect], 0);
}

TEST_F(BattleDispatchTest, AComputerRobotFirstInTheOrderStartsInComputerTurn) {
    addRobot(0, "Slow", {2, 5, 5, 5});
    addRobot(1, "Quick", {9, 5, 5, 5});
    dispatchLine(0, 0, 0);
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, ComputerTurn);
    EXPECT_EQ(screen.cursor[ComputerTurn], 7);
    EXPECT_EQ(screen.cursor2[ComputerTurn], 5);
}

TEST_F(BattleDispatchTest, TwoHumansHandOverWithEveryCursorAtZero) {
    data.sides[1].controller = SideSetup::HUMAN;
    addRobot(0, "A0");
    Robot* a1 = addRobot(0, "A1");
    Robot* b0 = addRobot(1, "B0", {9, 5, 5, 5});
    addRobot(1, "B1");
    dispatchLine(1, 0, 0);
    ASSERT_EQ(screen.cursor[DispatchSelect], 1);
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, DispatchSelect);
    EXPECT_EQ(screen.dispatchSide, 1);
    for (int i = 0; i < BATTLE_STATES; ++i) EXPECT_EQ(screen.cursor[i], 0) << i;
    EXPECT_EQ(screen.dispatchRobot(), b0);
    // Side 1's list, side 1's zone; side 0's zone is refused.
    press(SDLK_SPACE);
    EXPECT_EQ(screen.cursor[DispatchPosition], 7);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 5);
    moveCursor(DispatchPosition, 1, 0);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    press(SDLK_ESCAPE);
    dispatchLine(0, 6, 5);
    press(SDLK_RETURN);
    EXPECT_EQ(data.roster, (std::vector<Robot*>{b0, a1}));
    // The second human's robot acts first, from RobotSelect: no computer plays it.
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[RobotSelect], 6);
}

TEST_F(BattleDispatchTest, ShiftShowsTheStatusOfTheListRobotAndEscapeReturnsToTheList) {
    addRobot(0, "First");
    Robot* second = addRobot(0, "Second");
    press(SDLK_DOWN);
    press(SDLK_LSHIFT);
    EXPECT_EQ(screen.state, StatusView);
    EXPECT_EQ(screen.selectedRobot, second);
    EXPECT_EQ(screen.cursor2[StatusView], 1);
    // The keypad now turns the status camera, not the map's.
    screen.handleEvent(keyEvent(SDLK_KP4));
    EXPECT_NE(screen.statusCamera.turnSpeed, 0);
    EXPECT_EQ(screen.battleCamera.turnSpeed, 0);
    screen.handleEvent(keyEvent(SDLK_KP4, SDL_KEYUP));
    press(SDLK_DOWN, 10);
    EXPECT_EQ(screen.cursor[StatusView], 6);
    screen.statusCamera.distance = 20;
    screen.statusCamera.yaw = 10;
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, DispatchSelect);
    EXPECT_EQ(screen.statusCamera.distance, 40);
    EXPECT_EQ(screen.statusCamera.yaw, -45);
    EXPECT_EQ(screen.statusCamera.polar, 90);
}

TEST_F(BattleDispatchTest, EscapeSuspendsAndTheMatchResumesWhereItWas) {
    addRobot(0, "First");
    press(SDLK_DOWN);
    press(SDLK_ESCAPE);
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, BattleMode);
    data.mode = BattleMode;
    EXPECT_EQ(screen.state, DispatchSelect);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
}

// Neither squad can stand anywhere: Enter is taken all the same and nobody has won.
TEST_F(BattleDispatchTest, ASideThatCanPlaceNothingFinishesAndTheEliminationTestDecides) {
    useMap("WALLED");
    addRobot(0, "Hero");
    addRobot(1, "Stuck");
    data.sides[1].controller = SideSetup::HUMAN;
    dispatchLine(0, 0, 0);
    press(SDLK_RETURN);
    ASSERT_EQ(screen.dispatchSide, 1);
    // Side 1's only start tile is a wall.
    press(SDLK_SPACE);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    press(SDLK_ESCAPE);
    EXPECT_TRUE(screen.canFinishDispatch());
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side0Won);
}

TEST_F(BattleDispatchTest, AComputerWithNoStartTilesLosesBeforeTheFirstTurn) {
    useMap("EMPTY ZONE");
    addRobot(0, "Hero");
    addRobot(1, "Homeless");
    dispatchLine(0, 0, 0);
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side0Won);
    press(SDLK_SPACE);
    EXPECT_TRUE(data.reloadRequested);
    EXPECT_EQ(data.mode, TitleMode);
}

TEST_F(BattleDispatchTest, AnEmptyStartZonePutsTheCursorAtTheCornerAndPlacesNothing) {
    useMap("EMPTY ZONE");
    data.sides[1].controller = SideSetup::HUMAN;
    addRobot(0, "Hero");
    Robot* homeless = addRobot(1, "Homeless");
    screen.dispatchSide = 1;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.cursor[DispatchPosition], 0);
    EXPECT_EQ(screen.cursor2[DispatchPosition], 0);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, DispatchPosition);
    EXPECT_EQ(homeless->x, -1);
}

TEST_F(BattleDispatchTest, NoMapAndNoSquadCrashNothingAndEndInADraw) {
    data.currentMap = nullptr;
    press(SDLK_SPACE);
    press(SDLK_LSHIFT);
    press(SDLK_DOWN);
    EXPECT_EQ(screen.state, DispatchSelect);
    press(SDLK_RETURN);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], MatchDraw);
}

TEST_F(BattleDispatchTest, TheFirstTurnGoesToTheFirstRobotStillStanding) {
    Robot* broken = addRobot(0, "Broken", {9, 5, 5, 5});
    Robot* fine = addRobot(0, "Fine", {3, 5, 5, 5});
    addRobot(1, "Enemy", {1, 5, 5, 5});
    dispatchLine(0, 0, 0);
    dispatchLine(1, 1, 0);
    broken->hp = 0;  // a robot whose parts add up to no health at all
    press(SDLK_RETURN);
    ASSERT_EQ(data.roster.front(), broken);
    EXPECT_EQ(data.turnIndex, 1);
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[RobotSelect], fine->x);
}

}  // namespace
