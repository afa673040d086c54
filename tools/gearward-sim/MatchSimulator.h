#pragma once
// Whole matches between two computer-played sides, without a display, through the game's own
// rules: squads made as the rules screen makes them and equipped from the computer's templates
// (or a squad file), deployed as the computer deploys, the roster sorted by Reflexes, turns in
// roster order with the elimination test after each, until a side is wiped out or the turn cap
// is reached. A match is fixed by its seed, its map and the database.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "SquadFile.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

struct MatchOutcome {
    unsigned seed = 0;
    std::string map;
    int result = MATCH_GOES_ON;  // 0 draw, 1 side 0 won, 2 side 1 won; MATCH_GOES_ON: stalemate
    int turns = 0;               // robot turns played
    std::array<int, 2> robotsLeft = {0, 0};
    std::vector<double> turnMs;  // the processor time of each turn, in milliseconds
    std::string stalled;         // for a stalemate, why: one of the STALLED_ texts
};

// Why a match reached the turn cap. When every standing robot's last turn went by without a step
// or an attack: no standing robot has a way to any standing enemy (wrecks or the map seal the sides
// off), or some have one but stand idle next to their goal. Otherwise the robots were still
// fighting and the cap is too low for the content.
extern const char* const STALLED_NO_PATH;
extern const char* const STALLED_IDLE;
extern const char* const STALLED_STILL_FIGHTING;

class MatchSimulator {
public:
    GameData data;
    std::string databasePath;
    SquadFile squads;  // sides given by hand; the others come from the templates

    // Called before and after every turn with the robot that acts, and after every tile a robot
    // walks with the tile it came from; the property tests check each through them.
    std::function<void(const Robot& robot)> beforeTurn;
    std::function<void(const Robot& robot)> afterTurn;
    std::function<void(const Robot& robot, int fromX, int fromY)> afterStep;
    // Called at the end of every turn before the robot's energy and cooldowns are refilled.
    std::function<void(const Robot& robot)> beforeTurnEnds;

    // Reads the database as the game does (model files beside it, their loading lines kept
    // quiet); false when it cannot be read, with the reason in `error` ("cannot open: No such
    // file or directory", "cannot read: not a regular file", "too large: ...", "not a valid
    // storage file: ...").
    bool load(const std::string& path, std::string* error = nullptr);

    // The maps of the database, in the order the rules screen lists them.
    std::vector<std::string> mapNames() const;

    // Plays one match on the named map (which must exist) from srand(seed).
    MatchOutcome play(const std::string& mapName, unsigned seed, int turnCap);

private:
    std::vector<std::string> pilotNames;  // as loaded, handed out afresh for every match
    std::vector<std::string> robotNames;

    void makeSquads();
    std::string whyStalled();
    void equipFromPlan(int side, const SquadPlan& plan);
};
