// Whose turn it is and what a turn offers: the map cursor that selects robots, the action menu
// with its conditions, ending a turn, the energy delay, the status view, the computer's turns
// and the end of the match.

#include <algorithm>

#include "ai/ComputerPlayer.h"
#include "battle/BattleScreen.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

namespace {

// The largest multiple of the delay step not above the energy (0 for energy below one step).
int affordableDelay(int ep) {
    return ep < BattleScreen::DELAY_STEP ? 0 : ep / BattleScreen::DELAY_STEP * BattleScreen::DELAY_STEP;
}

}  // namespace

void BattleScreen::advanceTurn() {
    gameData->turnIndex = nextTurnIndex(gameData->roster, gameData->turnIndex);
}

bool BattleScreen::endMatchIfDecided() {
    int result = matchResult(gameData->roster);
    if (result == MATCH_GOES_ON) return false;
    restartMarkers();
    cursor[MatchEnd] = result;
    state = MatchEnd;
    return true;
}

void BattleScreen::beginTurn() {
    Robot* robot = actingRobot();
    int x = robot ? robot->x : 0;
    int y = robot ? robot->y : 0;
    if (robot && robot->side == 1 && gameData->sides[1].controller == SideSetup::COMPUTER) {
        cursor[ComputerTurn] = x;
        cursor2[ComputerTurn] = y;
        state = ComputerTurn;
    } else {
        cursor[RobotSelect] = x;
        cursor2[RobotSelect] = y;
        state = RobotSelect;
    }
}

bool BattleScreen::actionAvailable(int line) const {
    const Robot* robot = selectedRobot;
    if (!robot || robot != actingRobot()) return false;
    // A robot that wrecked itself keeps its turn only to look and to end it.
    const bool standing = robot->hp > 0;
    switch (line) {
    case ActionMove:
        return standing && canPayStep(*robot);
    case ActionFace:
        return standing && robot->ep >= TURN_ENERGY_COST;
    case ActionAttack: {
        int cheapest = 0;
        return standing && cheapestAttackCost(*robot, cheapest) && robot->ep >= cheapest;
    }
    case ActionDelay:
        return standing && robot->ep > 0;
    case ActionStatus:
    case ActionEndTurn:
        return true;
    default:
        return false;
    }
}

void BattleScreen::robotSelectKey(SDLKey key) {
    if (moveMapCursor(RobotSelect, key)) return;
    switch (key) {
    case SDLK_SPACE: {
        int x = cursor[RobotSelect], y = cursor2[RobotSelect];
        // Where two robots share a tile the acting one comes first, so END TURN stays in reach.
        Robot* acting = actingRobot();
        Robot* robot = acting && acting->x == x && acting->y == y ? acting : rosterRobotAt(*gameData, x, y);
        if (!robot) return;
        selectedRobot = robot;
        state = ActionMenu;
        return;
    }
    case SDLK_ESCAPE:
        leaveForTitle();
        return;
    default:
        break;
    }
}

void BattleScreen::actionMenuKey(SDLKey key) {
    const bool acting = selectedRobot && selectedRobot == actingRobot();
    int& line = cursor[ActionMenu];
    switch (key) {
    case SDLK_UP:
        if (acting && line > 0) --line;
        break;
    case SDLK_DOWN:
        if (acting && line < ACTION_LINES - 1) ++line;
        break;
    case SDLK_SPACE:
        if (!selectedRobot) return;
        if (!acting) {
            cursor2[StatusView] = 0;
            state = StatusView;
            return;
        }
        chooseAction(line);
        return;
    case SDLK_ESCAPE:
        line = 0;
        state = RobotSelect;
        return;
    default:
        break;
    }
}

void BattleScreen::chooseAction(int line) {
    if (!actionAvailable(line)) return;
    Robot& robot = *selectedRobot;
    switch (line) {
    case ActionMove:
        robot.reach = measureReach(*gameData, robot);
        cursor[MoveTarget] = robot.x;
        cursor2[MoveTarget] = robot.y;
        state = MoveTarget;
        break;
    case ActionFace:
        cursor[TurnFacing] = robot.facing;
        state = TurnFacing;
        break;
    case ActionAttack:
        cursor[TargetSelect] = cursor[RobotSelect];
        cursor2[TargetSelect] = cursor2[RobotSelect];
        state = AttackComponent;
        break;
    case ActionDelay:
        // An amount kept from an earlier visit may no longer be affordable.
        cursor[EnergyDelay] = std::min(cursor[EnergyDelay], affordableDelay(robot.ep));
        state = EnergyDelay;
        break;
    case ActionStatus:
        cursor2[StatusView] = 0;
        state = StatusView;
        break;
    case ActionEndTurn:
        endTurn();
        break;
    default:
        break;
    }
}

void BattleScreen::endTurn() {
    Robot* robot = actingRobot();
    if (robot) endRobotTurn(*robot);
    cursor[ActionMenu] = 0;
    // A robot may have wrecked the last of its own side, or the computer its own: decide here.
    if (endMatchIfDecided()) return;
    advanceTurn();
    beginTurn();
}

void BattleScreen::energyDelayKey(SDLKey key) {
    Robot* robot = actingRobot();
    int& amount = cursor[EnergyDelay];
    switch (key) {
    case SDLK_RIGHT:
        if (robot && static_cast<long long>(amount) <= static_cast<long long>(robot->ep) - DELAY_STEP)
            amount += DELAY_STEP;
        break;
    case SDLK_LEFT:
        if (amount >= DELAY_STEP) amount -= DELAY_STEP;
        break;
    case SDLK_SPACE:
        if (robot) {
            amount = std::min(amount, affordableDelay(robot->ep));
            spendEnergy(*robot, amount);
        }
        amount = 0;
        state = ActionMenu;
        return;
    case SDLK_ESCAPE:
        state = ActionMenu;
        return;
    default:
        break;
    }
}

void BattleScreen::statusViewKey(SDLKey key) {
    int& line = cursor[StatusView];
    if (moveListLine(line, STATUS_LINES, key)) return;
    switch (key) {
    case SDLK_ESCAPE:
        statusCamera.distance = 40;
        statusCamera.yaw = -45;
        state = cursor2[StatusView] == 1 ? DispatchSelect : ActionMenu;
        return;
    default:
        break;
    }
}

void BattleScreen::matchEndKey(SDLKey key) {
    if (key != SDLK_SPACE && key != SDLK_ESCAPE) return;
    gameData->reloadRequested = true;
    leaveForTitle();
}

void BattleScreen::computerTurnKey(SDLKey key) {
    if (key == SDLK_ESCAPE) {
        leaveForTitle();
        return;
    }
    if (key != SDLK_SPACE) return;
    Robot* robot = actingRobot();
    if (robot && robot->hp > 0 && gameData->computerPlayer) gameData->computerPlayer->takeTurn(*robot);
    // The timer restarts below for the computer's results, so those are the markers shown.
    showComputerMarkers = true;
    // Only the human side is tested here; a computer that wrecked its own last robot loses at
    // the next human "END TURN".
    if (sideWipedOut(gameData->roster, 0)) {
        cursor[MatchEnd] = Side1Won;
        state = MatchEnd;
        restartMarkers();
        return;
    }
    advanceTurn();
    beginTurn();
    restartMarkers();
}
