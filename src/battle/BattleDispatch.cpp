// Dispatch: each side picks robots from its squad list, puts them on free tiles of its start
// zone and turns them; finishing the last dispatch builds the move order and starts the battle.

#include <algorithm>

#include "ai/ComputerPlayer.h"
#include "battle/BattleScreen.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "data/Map.h"

namespace {

void removeFromRoster(std::vector<Robot*>& roster, const Robot* robot) {
    roster.erase(std::remove(roster.begin(), roster.end(), robot), roster.end());
}

bool onMap(const Robot* robot) {
    return robot && robot->x >= 0 && robot->y >= 0;
}

void takeOffMap(std::vector<Robot*>& roster, Robot* robot) {
    robot->x = -1;
    robot->y = -1;
    removeFromRoster(roster, robot);
}

}  // namespace

Robot* BattleScreen::dispatchRobot() const {
    const auto& squad = gameData->sides[size_t(dispatchSide)].squad;
    int line = cursor[DispatchSelect];
    if (line < 0 || size_t(line) >= squad.size()) return nullptr;
    return squad[size_t(line)];
}

bool BattleScreen::canFinishDispatch() const {
    const auto& squad = gameData->sides[size_t(dispatchSide)].squad;
    for (const Robot* robot : squad)
        if (onMap(robot)) return true;
    // No robot down yet: Enter still ends a dispatch that could never place one, so that a map
    // without room for this side cannot hold the match up for ever.
    bool anyRobot =
        std::any_of(squad.begin(), squad.end(), [](const Robot* robot) { return robot != nullptr; });
    if (!anyRobot || !gameData->currentMap) return true;
    for (const auto& cell : gameData->currentMap->startZone(dispatchSide))
        if (isFreeTile(*gameData, cell.first, cell.second)) return false;
    return true;
}

void BattleScreen::dispatchSelectKey(SDLKey key) {
    int count = int(gameData->sides[size_t(dispatchSide)].squad.size());
    int& line = cursor[DispatchSelect];
    if (moveListLine(line, count, key)) return;
    switch (key) {
    case SDLK_SPACE: {
        Robot* robot = dispatchRobot();
        if (!robot) return;
        // A robot already down is lifted, and the cursor starts on its old tile.
        int x = robot->x, y = robot->y;
        const CellList* zone =
            gameData->currentMap ? &gameData->currentMap->startZone(dispatchSide) : nullptr;
        if (x == -1) x = zone && !zone->empty() ? zone->front().first : 0;
        if (y == -1) y = zone && !zone->empty() ? zone->front().second : 0;
        cursor[DispatchPosition] = x;
        cursor2[DispatchPosition] = y;
        takeOffMap(gameData->roster, robot);
        state = DispatchPosition;
        return;
    }
    case SDLK_RETURN:
        finishDispatch();
        return;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        if (Robot* robot = dispatchRobot()) {
            selectedRobot = robot;
            cursor2[StatusView] = 1;
            state = StatusView;
        }
        return;
    case SDLK_ESCAPE:
        leaveForTitle();
        return;
    default:
        break;
    }
}

void BattleScreen::dispatchPositionKey(SDLKey key) {
    if (moveMapCursor(DispatchPosition, key)) return;
    Robot* robot = dispatchRobot();
    switch (key) {
    case SDLK_SPACE: {
        if (!robot) return;
        int x = cursor[DispatchPosition], y = cursor2[DispatchPosition];
        if (rosterRobotAt(*gameData, x, y) || !isFreeTile(*gameData, x, y)) return;
        const CellList& zone = gameData->currentMap->startZone(dispatchSide);
        if (std::find(zone.begin(), zone.end(), std::make_pair(x, y)) == zone.end()) return;
        robot->x = x;
        robot->y = y;
        auto& roster = gameData->roster;
        if (std::find(roster.begin(), roster.end(), robot) == roster.end()) roster.push_back(robot);
        cursor[DispatchFacing] = robot->facing;
        state = DispatchFacing;
        return;
    }
    case SDLK_ESCAPE:
        if (robot) takeOffMap(gameData->roster, robot);
        state = DispatchSelect;
        return;
    default:
        break;
    }
}

void BattleScreen::dispatchFacingKey(SDLKey key) {
    Robot* robot = dispatchRobot();
    if (!robot) {
        // Nothing to turn; the list holds the robot being placed, so this cannot normally happen.
        if (key == SDLK_SPACE || key == SDLK_ESCAPE) state = DispatchSelect;
        return;
    }
    if (facingOfArrow(key, robot->facing)) return;
    switch (key) {
    case SDLK_SPACE:
        state = DispatchSelect;
        return;
    case SDLK_ESCAPE:
        // The position cursor stays on the tile just left, to choose again from there.
        robot->facing = cursor[DispatchFacing];
        takeOffMap(gameData->roster, robot);
        state = DispatchPosition;
        return;
    default:
        break;
    }
}

void BattleScreen::finishDispatch() {
    if (!canFinishDispatch()) return;
    const bool secondHuman = gameData->sides[1].controller == SideSetup::HUMAN;
    if (secondHuman && dispatchSide == 0) {
        for (int& value : cursor) value = 0;
        dispatchSide = 1;
        return;
    }
    if (!secondHuman && gameData->computerPlayer) gameData->computerPlayer->deploySquad();
    gameData->sortRosterByReflexes();
    // A side with nothing standing on the map has lost before the first turn.
    if (endMatchIfDecided()) return;
    auto& roster = gameData->roster;
    gameData->turnIndex = 0;
    for (size_t i = 0; i < roster.size(); ++i) {
        if (roster[i] && roster[i]->hp > 0) {
            gameData->turnIndex = int(i);
            break;
        }
    }
    beginTurn();
}
