#pragma once
// The computer opponent: it equips side 1's squad from the templates of the `ai` view, deploys
// it and plays its robots' turns. GameData holds one and replaces it on every reset.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ai/PathNode.h"
#include "data/HitMarker.h"
#include "data/CellList.h"

class GameData;
class Robot;

class ComputerPlayer {
public:
    std::vector<HitMarker> hitMarkers;   // the hit attempts of the latest turn, for the battle screen
    GameData& gameData;
    std::vector<std::unique_ptr<PathNode>> openNodes;     // path search, owned
    std::vector<std::unique_ptr<PathNode>> closedNodes;   // path search, owned
    std::vector<Robot*> targets;                          // side 0's robots by distance
    CellList path;               // tiles toward the goal, next step last
    bool pathFound = false;

    explicit ComputerPlayer(GameData& gameData);

    // Equips side 1's bare robots from the templates in "data.db", which it opens on its own,
    // independently of the start-up load. Each robot in turn gets the next best pilot, arms to
    // suit that pilot, then the first template part of each category that still fits the side's
    // weight limit. The first slot that nothing fits ends the building; the robots left
    // incomplete are dropped afterwards by GameData::removeIncompleteRobots.
    void buildSquad();
    // The same with the templates read from another database file.
    void buildSquad(const std::string& databasePath);

    // Puts side 1's undeployed robots on side 1's start cells in order (robot i on cell i, no
    // terrain test) and adds each to the roster; robots beyond the last cell stay off the map.
    void deploySquad();

    // NOT THE COMPUTER'S REAL TURN YET: the path search, weapon choice and attacks come with the
    // battle. Until then the robot passes: its turn only ends (energy and movement refilled,
    // every cooldown cleared), and hitMarkers, targets and path are emptied.
    void takeTurn(Robot& robot);
};
