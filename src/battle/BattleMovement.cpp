// Moving straight ahead over free tiles, and turning on the spot.

#include "battle/BattleScreen.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

void BattleScreen::moveTargetKey(SDLKey key) {
    if (moveMapCursor(MoveTarget, key)) return;
    switch (key) {
    case SDLK_SPACE: {
        Robot* robot = actingRobot();
        if (!robot || robot != selectedRobot || robot->hp <= 0) return;
        const auto step = facingStep(robot->facing);
        const long long dx = static_cast<long long>(cursor[MoveTarget]) - robot->x;
        const long long dy = static_cast<long long>(cursor2[MoveTarget]) - robot->y;
        // The cursor must stand k tiles straight ahead: along the step, nothing sideways.
        long long k = step.first != 0 ? dx * step.first : dy * step.second;
        if (dx != k * step.first || dy != k * step.second || k < 1) return;
        if (!canWalk(*robot, k)) return;
        spendEnergy(*robot, MOVE_ENERGY_COST * int(k));
        robot->movePoints -= int(k);
        robot->x = cursor[MoveTarget];
        robot->y = cursor2[MoveTarget];
        // The map cursor follows the robot: attacks are measured from it.
        cursor[RobotSelect] = robot->x;
        cursor2[RobotSelect] = robot->y;
        state = ActionMenu;
        return;
    }
    case SDLK_ESCAPE:
        state = ActionMenu;
        return;
    default:
        break;
    }
}

void BattleScreen::turnFacingKey(SDLKey key) {
    Robot* robot = actingRobot();
    if (!robot) return;
    if (facingOfArrow(key, robot->facing)) return;
    switch (key) {
    case SDLK_SPACE:
        if (robot->ep < TURN_ENERGY_COST) return;
        // Turning away and back again is free: only the final facing counts.
        if (robot->facing != cursor[TurnFacing]) {
            spendEnergy(*robot, TURN_ENERGY_COST);
        }
        state = ActionMenu;
        return;
    case SDLK_ESCAPE:
        robot->facing = cursor[TurnFacing];
        state = ActionMenu;
        return;
    default:
        break;
    }
}
