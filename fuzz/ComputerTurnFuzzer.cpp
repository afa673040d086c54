// Loads arbitrary database bytes the way the game loads data.db and plays computer turns with
// them: on each of the first maps, three robots a side built from the first part of each type,
// deployed on both start zones, a dozen turns. Whatever the numbers, patterns and start cells
// hold, every turn ends, no hp falls below 0 and no robot walks onto ground it cannot stand on.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ai/ComputerPlayer.h"
#include "ai/ComputerPlayerFactory.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "storage/MetakitStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // Every reset makes the computer player through the factory the game installs at start-up.
    static const bool computerInstalled = (installComputerPlayerFactory(), true);
    (void)computerInstalled;
    MetakitStorage storage;
    if (!storage.decode(bytes, size)) return 0;
    GameData data;
    data.load(storage);

    std::array<const Component*, COMPONENT_SLOTS> parts{};
    for (const auto& entry : data.components) {
        const int type = entry.second.getType();
        if (type >= 0 && type < COMPONENT_SLOTS && !parts[type]) parts[type] = &entry.second;
    }

    int mapsPlayed = 0;
    for (auto& entry : data.maps) {
        if (++mapsPlayed > 3) break;
        data.reset();
        data.currentMap = &entry.second;
        for (int side = 0; side < GameData::SIDES; ++side) {
            for (int i = 0; i < 3; ++i) {
                Robot* robot = data.createRobot();
                robot->setSide(side);
                for (int slot = 0; slot < COMPONENT_SLOTS; ++slot)
                    if (parts[slot]) robot->setComponent(slot, parts[slot]);
                Pilot* pilot = data.createPilot();
                pilot->reflexes = i;
                pilot->meleeAttack = pilot->rangedAttack = pilot->defense = 5 + side;
                robot->setPilot(pilot);
                robot->hp = robot->getMaxHp();
                endRobotTurn(*robot);
                data.sides[side].squad.push_back(robot);
            }
        }
        ComputerPlayer& player = *data.computerPlayer;
        player.afterStep = [&data](const Robot& robot, int, int) {
            const Terrain* ground = data.currentMap->terrainAt(robot.x, robot.y);
            if (!ground || !ground->isTraversable()) std::abort();
        };
        player.deploySquad(0);
        player.deploySquad(1);
        data.sortRosterByReflexes();
        for (int turn = 0; turn < 12 && !data.roster.empty() && matchResult(data.roster) == MATCH_GOES_ON;
             ++turn) {
            Robot& robot = *data.roster[data.turnIndex];
            std::vector<int> before;
            for (const Robot* any : data.roster) before.push_back(any->hp);
            player.takeTurn(robot);
            // A robot may start below 0 (negative part hp); a hit never leaves one there.
            for (size_t i = 0; i < data.roster.size(); ++i)
                if (data.roster[i]->hp != before[i] && data.roster[i]->hp < 0) std::abort();
            data.turnIndex = nextTurnIndex(data.roster, data.turnIndex);
        }
    }
    return 0;
}
