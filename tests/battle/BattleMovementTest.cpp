// Moving straight ahead and turning, by key presses: the reach in front of a robot, which tiles
// a move may end on and what it costs, and when a change of facing is paid for.

#include "BattleFixture.h"

namespace {

class BattleMovementTest : public BattleFixture {
protected:
    Robot* walker = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        BattleFixture::SetUp();
        walker = addRobot(0, "Walker");
        enemy = addRobot(1, "Enemy");
        // The ARENA's wall stands at (5, 3).
        put(walker, 2, 3, FACING_EAST);
        put(enemy, 7, 0);
    }

    // "MOVE", the move cursor onto (x, y), Space.
    void moveTo(int x, int y) {
        choose(ActionMove);
        ASSERT_EQ(screen.state, MoveTarget);
        moveCursor(MoveTarget, x, y);
        press(SDLK_SPACE);
    }
};

TEST_F(BattleMovementTest, AWallCutsTheReachAndAMoveCostsFiveHundredATile) {
    walker->ep = 1200;
    openMenuOf(0);
    choose(ActionMove);
    ASSERT_EQ(screen.state, MoveTarget);
    EXPECT_EQ(walker->reach, 2);
    EXPECT_EQ(screen.cursor[MoveTarget], 2);
    EXPECT_EQ(screen.cursor2[MoveTarget], 3);
    // Beyond the reach, sideways and on its own tile: nothing.
    for (auto tile :
         {std::make_pair(5, 3), std::make_pair(3, 4), std::make_pair(2, 3), std::make_pair(1, 3)}) {
        moveCursor(MoveTarget, tile.first, tile.second);
        press(SDLK_SPACE);
        EXPECT_EQ(screen.state, MoveTarget);
    }
    EXPECT_EQ(walker->ep, 1200);
    moveCursor(MoveTarget, 4, 3);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(walker->x, 4);
    EXPECT_EQ(walker->ep, 200);
    EXPECT_EQ(walker->movePoints, 2);
    // The map cursor follows: Escape and Space select the same robot again.
    EXPECT_EQ(screen.cursor[RobotSelect], 4);
    press(SDLK_ESCAPE);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.selectedRobot, walker);
}

TEST_F(BattleMovementTest, OnlyAffordableTilesMayBeChosen) {
    walker->ep = 900;
    openMenuOf(0);
    moveTo(4, 3);
    EXPECT_EQ(screen.state, MoveTarget);
    EXPECT_EQ(walker->x, 2);
    moveCursor(MoveTarget, 3, 3);
    press(SDLK_SPACE);
    EXPECT_EQ(walker->x, 3);
    EXPECT_EQ(walker->ep, 400);
    // Now below 500: "MOVE" is refused.
    choose(ActionMove);
    EXPECT_EQ(screen.state, ActionMenu);
}

TEST_F(BattleMovementTest, MovePointsLeftLimitTheStepAndTheReachIsMeasuredWithTheFullMove) {
    walker->facing = FACING_SOUTH;
    walker->movePoints = 1;
    openMenuOf(0);
    choose(ActionMove);
    EXPECT_EQ(walker->reach, 2);  // down to the map's bottom edge
    moveCursor(MoveTarget, 2, 5);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MoveTarget);
    moveCursor(MoveTarget, 2, 4);
    press(SDLK_SPACE);
    EXPECT_EQ(walker->y, 4);
    EXPECT_EQ(walker->movePoints, 0);
    choose(ActionMove);
    EXPECT_EQ(screen.state, ActionMenu);
}

TEST_F(BattleMovementTest, RobotsAndWrecksOfEitherSideBlockAndEscapeCostsNothing) {
    walker->facing = FACING_NORTH;
    walker->x = 7;
    walker->y = 3;
    enemy->x = 7;
    enemy->y = 1;
    enemy->hp = 0;
    enemy->modelState = Robot::DESTROYED;
    openMenuOf(0);
    choose(ActionMove);
    EXPECT_EQ(walker->reach, 1);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(walker->ep, 5000);
    EXPECT_EQ(walker->y, 3);
    // Blocked at once: the sub-state opens, and no tile can be chosen.
    enemy->y = 2;
    choose(ActionMove);
    EXPECT_EQ(walker->reach, 0);
    EXPECT_EQ(screen.state, MoveTarget);
    EXPECT_EQ(screen.cursor2[MoveTarget], 3);  // back on the robot
    moveCursor(MoveTarget, 7, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MoveTarget);
}

TEST_F(BattleMovementTest, AMoveCoolsTheComponentsDown) {
    walker->components[RIGHTARM]->cooldownLeft = 1200;
    walker->components[LEFTARM]->cooldownLeft = 300;
    openMenuOf(0);
    moveTo(3, 3);
    EXPECT_EQ(walker->components[RIGHTARM]->cooldownLeft, 700);
    EXPECT_EQ(walker->components[LEFTARM]->cooldownLeft, 0);
}

TEST_F(BattleMovementTest, TurningIsPaidOnlyWhenTheFacingChanged) {
    walker->components[RIGHTARM]->cooldownLeft = 150;
    openMenuOf(0);
    choose(ActionFace);
    ASSERT_EQ(screen.state, TurnFacing);
    press(SDLK_UP);
    EXPECT_EQ(walker->facing, FACING_NORTH);
    press(SDLK_RIGHT);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(walker->ep, 5000);
    choose(ActionFace);
    press(SDLK_LEFT);
    press(SDLK_DOWN);
    EXPECT_EQ(walker->facing, FACING_SOUTH);
    press(SDLK_SPACE);
    EXPECT_EQ(walker->ep, 4900);
    EXPECT_EQ(walker->components[RIGHTARM]->cooldownLeft, 50);
    EXPECT_EQ(walker->movePoints, 4);
    // Escape puts the facing back, free of charge.
    choose(ActionFace);
    press(SDLK_UP);
    press(SDLK_ESCAPE);
    EXPECT_EQ(walker->facing, FACING_SOUTH);
    EXPECT_EQ(walker->ep, 4900);
}

TEST_F(BattleMovementTest, TheLastHundredEnergyPaysForATurn) {
    walker->ep = 100;
    openMenuOf(0);
    choose(ActionFace);
    press(SDLK_LEFT);
    press(SDLK_SPACE);
    EXPECT_EQ(walker->ep, 0);
    EXPECT_EQ(walker->facing, FACING_WEST);
    choose(ActionFace);
    EXPECT_EQ(screen.state, ActionMenu);
}

}  // namespace
