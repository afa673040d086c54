// The shared battle rules that look at the map and the roster: free tiles, a move's reach, an
// attack's range and the strike on its area.

#include <climits>

#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "data/Map.h"
#include "data/Robot.h"
#include "data/Terrain.h"

Robot* rosterRobotAt(const GameData& gameData, int x, int y) {
    for (Robot* robot : gameData.roster)
        if (robot && robot->x == x && robot->y == y) return robot;
    return nullptr;
}

bool isFreeTile(const GameData& gameData, int x, int y) {
    const Map* map = gameData.currentMap;
    if (!map) return false;
    const Terrain* terrain = map->terrainAt(x, y);
    return terrain && terrain->isTraversable() && !rosterRobotAt(gameData, x, y);
}

int measureReach(const GameData& gameData, const Robot& robot) {
    const auto step = facingStep(robot.facing);
    const int move = robot.getMove();
    // The walk ends at the first tile that is not free; the map's edge ends it at the latest.
    int reach = 0;
    for (int k = 1; k <= move; ++k) {
        long long x = robot.x + static_cast<long long>(k) * step.first;
        long long y = robot.y + static_cast<long long>(k) * step.second;
        if (x < 0 || y < 0 || x > INT_MAX || y > INT_MAX || !isFreeTile(gameData, int(x), int(y))) break;
        reach = k;
    }
    return reach;
}

bool isInRange(const Attack& attack, int facing, int fromX, int fromY, int x, int y) {
    const long long dx = static_cast<long long>(x) - fromX;
    const long long dy = static_cast<long long>(y) - fromY;
    for (const auto& entry : attack.getRange()) {
        const auto offset = turnPatternEntry(facing, entry.first, entry.second);
        if (offset.first == dx && offset.second == dy) return true;
    }
    return false;
}

StrikeOutcome strikeArea(Robot& attacker, Component& component, const Attack& attack, long long centreX,
                         long long centreY, const std::vector<Robot*>& roster,
                         std::vector<HitMarker>& markers, StrikePayment payment, bool stopWhenDecided) {
    StrikeOutcome outcome;
    bool paid = false;
    if (payment == StrikePayment::BeforeTheArea) {
        payForAttack(attacker, component, attack);
        paid = true;
    }
    for (Robot* robot : roster) {
        if (!robot) continue;
        for (const auto& cell : attack.getAoe()) {
            if (robot->hp <= 0) break;
            const auto offset = turnPatternOffset(attacker.facing, cell.first, cell.second);
            if (robot->x != centreX + offset.first || robot->y != centreY + offset.second) continue;
            if (!paid) {
                payForAttack(attacker, component, attack);
                paid = true;
            }
            markers.push_back(rollHitAttempt(attacker, attack, *robot));
            ++outcome.attempts;
            if (stopWhenDecided && robot->hp <= 0 && matchResult(roster) != MATCH_GOES_ON) {
                outcome.matchDecided = true;
                return outcome;
            }
        }
    }
    return outcome;
}
