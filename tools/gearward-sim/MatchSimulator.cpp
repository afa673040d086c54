#include "MatchSimulator.h"

#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "ai/ComputerPlayer.h"
#include "ai/ComputerPlayerFactory.h"
#include "gfx/Log.h"
#include "storage/MetakitStorage.h"

namespace {

// The processor time this thread has used, in milliseconds: a turn's time then leaves out
// whatever else the machine was doing meanwhile.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

int bestAttackSkill(const Pilot* pilot) {
    return std::max(pilot->meleeAttack, pilot->rangedAttack);
}

}  // namespace

const char* const STALLED_NO_PATH = "no path between the sides";
const char* const STALLED_IDLE = "robots idle beside enemies";
const char* const STALLED_STILL_FIGHTING = "still fighting at the turn cap";

bool MatchSimulator::load(const std::string& path, std::string* error) {
    // Both sides are played by the computer player, which the game data makes on every reset
    // once the factory is in place.
    installComputerPlayerFactory();
    if (!data.computerPlayer) data.reset();
    namespace fs = std::filesystem;
    std::error_code failure;
    const fs::path absolute = fs::absolute(path, failure);
    std::string reason = "cannot open: No such file or directory";
    MetakitStorage storage;
    if (failure || !storage.open(absolute.string(), &reason)) {
        if (error) *error = reason;
        return false;
    }
    databasePath = absolute.string();

    // Model files are named relative to the database's folder, as the game runs beside it.
    const fs::path previous = fs::current_path(failure);
    fs::current_path(absolute.parent_path(), failure);
    {
        QuietStdoutLog quiet;
        data.load(storage);
    }
    if (!previous.empty()) fs::current_path(previous, failure);
    pilotNames = data.pilotNames;
    robotNames = data.robotNames;
    return true;
}

std::vector<std::string> MatchSimulator::mapNames() const {
    std::vector<std::string> names;
    for (const auto& entry : data.maps) names.push_back(entry.first);
    return names;
}

void MatchSimulator::makeSquads() {
    // As the rules screen does: side 0's robots, then side 1's, named from the back of the
    // shuffled list; then both sides' pilots.
    for (int side = 0; side < GameData::SIDES; ++side) {
        const auto& plan = squads.sides[static_cast<size_t>(side)];
        const int count =
            plan ? static_cast<int>(plan->size()) : data.sides[static_cast<size_t>(side)].maxSquadSize;
        for (int i = 0; i < count; ++i) {
            Robot* robot = data.createRobot();
            if (!data.robotNames.empty()) {
                robot->name = data.robotNames.back();
                data.robotNames.pop_back();
            }
            robot->setSide(side);
            data.sides[static_cast<size_t>(side)].squad.push_back(robot);
        }
    }
    data.generatePilots();
    for (int side = 0; side < GameData::SIDES; ++side) {
        const auto& plan = squads.sides[static_cast<size_t>(side)];
        if (plan) {
            equipFromPlan(side, *plan);
        } else {
            data.computerPlayer->buildSquad(databasePath, side);
        }
    }
    data.removeIncompleteRobots();
}

void MatchSimulator::equipFromPlan(int side, const SquadPlan& plan) {
    // Pilots go as the computer gives them: the best attack skill to the first robot.
    SideSetup& setup = data.sides[static_cast<size_t>(side)];
    std::vector<Pilot*> pilots = setup.pilots;
    std::stable_sort(pilots.begin(), pilots.end(),
                     [](const Pilot* a, const Pilot* b) { return bestAttackSkill(a) > bestAttackSkill(b); });
    for (size_t i = 0; i < plan.size() && i < setup.squad.size() && i < pilots.size(); ++i) {
        Robot* robot = setup.squad[i];
        for (int slot = 0; slot < COMPONENT_SLOTS; ++slot)
            robot->setComponent(slot, &data.components.at(plan[i][static_cast<size_t>(slot)]));
        robot->setPilot(pilots[i]);
        robot->hp = robot->getMaxHp();
        robot->ep = robot->getMaxEp();
        robot->movePoints = robot->getMove();
    }
}

MatchOutcome MatchSimulator::play(const std::string& mapName, unsigned seed, int turnCap) {
    MatchOutcome outcome;
    outcome.seed = seed;
    outcome.map = mapName;

    data.reset();
    data.currentMap = &data.maps.at(mapName);
    data.pilotNames = pilotNames;
    data.robotNames = robotNames;
    data.computerPlayer->afterStep = afterStep;
    data.computerPlayer->beforeTurnEnds = beforeTurnEnds;
    srand(seed);

    makeSquads();
    data.computerPlayer->deploySquad(0);
    data.computerPlayer->deploySquad(1);
    data.sortRosterByReflexes();
    data.turnIndex = 0;
    std::vector<Robot*>& roster = data.roster;
    if (!roster.empty() && roster[0]->hp <= 0) data.turnIndex = nextTurnIndex(roster, 0);

    outcome.result = matchResult(roster);
    int turnsWithoutAction = 0;  // in a row: no step, no attack
    while (outcome.result == MATCH_GOES_ON && outcome.turns < turnCap) {
        Robot& robot = *roster[static_cast<size_t>(data.turnIndex)];
        if (beforeTurn) beforeTurn(robot);
        const int fromX = robot.x;
        const int fromY = robot.y;
        const double start = threadMilliseconds();
        data.computerPlayer->takeTurn(robot);
        outcome.turnMs.push_back(threadMilliseconds() - start);
        const bool acted = robot.x != fromX || robot.y != fromY || !data.computerPlayer->hitMarkers.empty();
        turnsWithoutAction = acted ? 0 : turnsWithoutAction + 1;
        ++outcome.turns;
        if (afterTurn) afterTurn(robot);
        outcome.result = matchResult(roster);
        data.turnIndex = nextTurnIndex(roster, data.turnIndex);
    }
    for (const Robot* robot : roster)
        if (robot->hp > 0 && robot->side >= 0 && robot->side < 2)
            ++outcome.robotsLeft[static_cast<size_t>(robot->side)];
    if (outcome.result == MATCH_GOES_ON) {
        const int standing = outcome.robotsLeft[0] + outcome.robotsLeft[1];
        outcome.stalled = turnsWithoutAction >= standing ? whyStalled() : STALLED_STILL_FIGHTING;
    }
    return outcome;
}

std::string MatchSimulator::whyStalled() {
    // Ask the computer's own target choice, from every standing robot, whether a way leads to a
    // standing enemy. The match is over, so its search lists may be overwritten.
    ComputerPlayer& player = *data.computerPlayer;
    for (Robot* robot : data.roster) {
        if (robot->hp <= 0) continue;
        player.gatherTargets(*robot);
        player.path.clear();
        if (player.chooseTarget(*robot)) return STALLED_IDLE;
    }
    return STALLED_NO_PATH;
}
