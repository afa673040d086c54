// Turns by key presses: selecting robots on the map, the action menu and its conditions, ending a
// turn with its refill and the next robot, the energy delay, the status view of other robots,
// the computer's turns, and the end screen.

#include "BattleFixture.h"

#include "ai/ComputerPlayer.h"
#include "data/BattleRules.h"

namespace {

using BattleTurnsTest = HeroFriendEnemyFixture<BattleFixture>;

TEST_F(BattleTurnsTest, EndTurnRefillsPassesOnAndResetsTheMenuLine) {
    openMenuOf(0);
    hero->ep = 1234;
    hero->movePoints = 1;
    hero->components[LEFTARM]->cooldownLeft = 400;
    press(SDLK_DOWN, 2);
    EXPECT_EQ(screen.cursor[ActionMenu], 2);
    choose(ActionEndTurn);
    EXPECT_EQ(hero->ep, 5000);
    EXPECT_EQ(hero->movePoints, 4);
    EXPECT_EQ(hero->components[LEFTARM]->cooldownLeft, 0);
    EXPECT_EQ(data.turnIndex, 1);
    EXPECT_EQ(screen.cursor[ActionMenu], 0);
    // Side 1 is the computer here, but the next robot is a friend: the map cursor waits on it.
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[RobotSelect], 4);
    EXPECT_EQ(screen.cursor2[RobotSelect], 2);
    openMenuOf(1);
    choose(ActionEndTurn);
    EXPECT_EQ(screen.state, ComputerTurn);
    EXPECT_EQ(screen.cursor[ComputerTurn], 2);
    EXPECT_EQ(screen.cursor2[ComputerTurn], 5);
}

TEST_F(BattleTurnsTest, OtherRobotsShowTheirStatusAndTheMenuCursorStays) {
    openMenuOf(0);
    press(SDLK_DOWN);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[ActionMenu], 0);  // Escape always returns the menu to "MOVE"
    moveCursor(RobotSelect, 2, 5);
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(screen.selectedRobot, enemy);
    press(SDLK_DOWN, 3);
    EXPECT_EQ(screen.cursor[ActionMenu], 0);
    EXPECT_FALSE(screen.actionAvailable(ActionEndTurn));
    // The status view was last left towards dispatch; from here it returns to the menu.
    screen.cursor2[StatusView] = 1;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, StatusView);
    EXPECT_EQ(screen.cursor2[StatusView], 0);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(data.turnIndex, 0);
    // An empty tile selects nothing.
    press(SDLK_ESCAPE);
    moveCursor(RobotSelect, 6, 1);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, RobotSelect);
}

TEST_F(BattleTurnsTest, TheActingRobotWinsATileItShares) {
    friendly->x = hero->x;
    friendly->y = hero->y;
    data.turnIndex = 1;
    screen.state = RobotSelect;
    screen.cursor[RobotSelect] = hero->x;
    screen.cursor2[RobotSelect] = hero->y;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.selectedRobot, friendly);
    choose(ActionEndTurn);
    EXPECT_EQ(data.turnIndex, 2);
}

TEST_F(BattleTurnsTest, MenuLinesNeedTheirEnergyAndRefusalsChangeNothing) {
    openMenuOf(0);
    hero->ep = 499;
    choose(ActionMove);
    EXPECT_EQ(screen.state, ActionMenu);
    hero->ep = 5000;
    hero->movePoints = 0;
    choose(ActionMove);
    EXPECT_EQ(screen.state, ActionMenu);
    hero->ep = 99;
    choose(ActionFace);
    EXPECT_EQ(screen.state, ActionMenu);
    choose(ActionAttack);  // the cheapest attack costs 200
    EXPECT_EQ(screen.state, ActionMenu);
    hero->ep = 0;
    choose(ActionDelay);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(hero->ep, 0);
    EXPECT_EQ(hero->facing, 0);
    choose(ActionStatus);
    EXPECT_EQ(screen.state, StatusView);
    press(SDLK_ESCAPE);
    hero->ep = 200;
    choose(ActionAttack);
    EXPECT_EQ(screen.state, AttackComponent);
    EXPECT_EQ(screen.cursor[TargetSelect], 2);
    EXPECT_EQ(screen.cursor2[TargetSelect], 2);
}

// A robot that wrecked itself keeps its turn, but only to look around and to end it.
TEST_F(BattleTurnsTest, AWreckedActingRobotMayOnlyLookAndEndItsTurn) {
    openMenuOf(0);
    hero->hp = 0;
    hero->modelState = Robot::DESTROYED;
    for (int line : {ActionMove, ActionFace, ActionAttack, ActionDelay}) {
        choose(line);
        EXPECT_EQ(screen.state, ActionMenu) << line;
    }
    EXPECT_EQ(hero->ep, 5000);
    choose(ActionStatus);
    EXPECT_EQ(screen.state, StatusView);
    press(SDLK_ESCAPE);
    choose(ActionEndTurn);
    EXPECT_EQ(data.turnIndex, 1);
    EXPECT_EQ(screen.state, RobotSelect);
}

// Right raises the amount while amount <= ep - 50, so it stops at the largest affordable step.
TEST_F(BattleTurnsTest, DelayStepsStopAtTheEnergyAndSpaceBurnsAndCoolsDown) {
    openMenuOf(0);
    hero->ep = 230;
    hero->components[LEFTARM]->cooldownLeft = 400;
    choose(ActionDelay);
    ASSERT_EQ(screen.state, EnergyDelay);
    press(SDLK_LEFT);
    EXPECT_EQ(screen.cursor[EnergyDelay], 0);
    press(SDLK_RIGHT, 3);
    EXPECT_EQ(screen.cursor[EnergyDelay], 150);
    press(SDLK_RIGHT, 3);
    EXPECT_EQ(screen.cursor[EnergyDelay], 200);
    press(SDLK_LEFT);
    EXPECT_EQ(screen.cursor[EnergyDelay], 150);
    // Escape keeps the amount for the next visit.
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(hero->ep, 230);
    choose(ActionDelay);
    EXPECT_EQ(screen.cursor[EnergyDelay], 150);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(hero->ep, 80);
    EXPECT_EQ(hero->components[LEFTARM]->cooldownLeft, 250);
    EXPECT_EQ(screen.cursor[EnergyDelay], 0);
    // Nothing chosen: Space accepts 0 and spends nothing.
    choose(ActionDelay);
    press(SDLK_SPACE);
    EXPECT_EQ(hero->ep, 80);
    // The last step may take the whole of the energy.
    hero->ep = 200;
    choose(ActionDelay);
    press(SDLK_RIGHT, 5);
    EXPECT_EQ(screen.cursor[EnergyDelay], 200);
}

TEST_F(BattleTurnsTest, AKeptDelayAmountIsCutToTheEnergyLeft) {
    openMenuOf(0);
    choose(ActionDelay);
    press(SDLK_RIGHT, 6);
    ASSERT_EQ(screen.cursor[EnergyDelay], 300);
    press(SDLK_ESCAPE);
    hero->ep = 180;
    choose(ActionDelay);
    EXPECT_EQ(screen.cursor[EnergyDelay], 150);
    press(SDLK_ESCAPE);
    // The amount is kept by the screen for every robot: the next may have less still.
    hero->ep = 120;
    screen.state = EnergyDelay;
    press(SDLK_SPACE);
    EXPECT_EQ(hero->ep, 20);
    EXPECT_GE(hero->ep, 0);
}

TEST_F(BattleTurnsTest, EachComputerRobotTakesItsOwnSpaceAndOnlyTheHumanSideIsTestedAfter) {
    Robot* second = addRobot(1, "Second");
    put(second, 6, 5);
    data.turnIndex = 2;
    screen.state = ComputerTurn;
    press(SDLK_LEFT);
    press(SDLK_RETURN);
    EXPECT_EQ(data.turnIndex, 2);
    // Escape suspends here too, and the computer's robot waits for its Space.
    press(SDLK_ESCAPE);
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, BattleMode);
    data.mode = BattleMode;
    EXPECT_EQ(screen.state, ComputerTurn);
    enemy->ep = 10;
    press(SDLK_SPACE);
    EXPECT_EQ(enemy->ep, 5000);  // the computer's turn ends with its refill
    EXPECT_EQ(data.turnIndex, 3);
    EXPECT_EQ(screen.state, ComputerTurn);
    EXPECT_EQ(screen.cursor[ComputerTurn], 6);
    EXPECT_FALSE(screen.markerTimer.stopped);
    // The computer's own side all wrecked: the match goes on until a human "END TURN".
    enemy->hp = 0;
    second->hp = 0;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(data.turnIndex, 0);
    openMenuOf(0);
    choose(ActionEndTurn);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side0Won);
}

TEST_F(BattleTurnsTest, AComputerTurnThatLeavesTheHumansNothingIsADefeat) {
    data.turnIndex = 2;
    screen.state = ComputerTurn;
    hero->hp = 0;
    friendly->hp = 0;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side1Won);
    EXPECT_FALSE(screen.markerTimer.stopped);
}

TEST_F(BattleTurnsTest, EndScreenTakesOnlySpaceOrEscapeAndRequestsAFreshGame) {
    screen.state = MatchEnd;
    for (SDLKey key : {SDLK_RETURN, SDLK_UP, SDLK_LSHIFT, SDLK_a}) press(key);
    EXPECT_EQ(data.mode, BattleMode);
    EXPECT_FALSE(data.reloadRequested);
    press(SDLK_ESCAPE);
    EXPECT_TRUE(data.reloadRequested);
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, BattleMode);
}

TEST_F(BattleTurnsTest, SuspendingInRobotSelectKeepsTheMapCursor) {
    openMenuOf(0);
    press(SDLK_ESCAPE);
    moveCursor(RobotSelect, 5, 1);
    press(SDLK_ESCAPE);
    EXPECT_EQ(data.mode, TitleMode);
    data.mode = BattleMode;
    EXPECT_EQ(screen.state, RobotSelect);
    EXPECT_EQ(screen.cursor[RobotSelect], 5);
    EXPECT_EQ(screen.cursor2[RobotSelect], 1);
}

TEST_F(BattleTurnsTest, ResetForgetsTheSelectedRobotBeforeTheRobotsGo) {
    openMenuOf(0);
    screen.state = StatusView;
    data.reset();
    screen.reset(data);
    EXPECT_EQ(screen.selectedRobot, nullptr);
    EXPECT_EQ(screen.state, DispatchSelect);
    // No key reaches a robot that is gone, in any sub-state.
    for (int state = 0; state < BATTLE_STATES; ++state) {
        screen.state = state;
        for (SDLKey key : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_RETURN, SDLK_LSHIFT})
            press(key);
    }
    SUCCEED();
}

}  // namespace
