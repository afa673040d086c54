#pragma once
// The computer opponent: it equips side 1's squad from the templates of the `ai` view, deploys
// it and plays its robots' turns. GameData holds one and replaces it on every reset. The match
// simulator lets it play side 0 as well, so squad building and deployment take a side.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ai/PathNode.h"
#include "data/CellList.h"
#include "data/HitMarker.h"

class Attack;
class Component;
class GameData;
class Robot;

class ComputerPlayer {
public:
    std::vector<HitMarker> hitMarkers;  // the hit attempts of the latest turn, for the battle screen
    GameData& gameData;
    std::vector<std::unique_ptr<PathNode>> openNodes;    // path search, owned
    std::vector<std::unique_ptr<PathNode>> closedNodes;  // path search, owned
    std::vector<Robot*> targets;                         // the other side's robots by distance
    CellList path;                                       // tiles toward the goal, next step last
    bool pathFound = false;

    // Called after every tile a robot walks in takeTurn, with the tile it came from; empty in
    // the game. The match simulator checks each step through it.
    std::function<void(const Robot& robot, int fromX, int fromY)> afterStep;
    // Called at the end of every turn in takeTurn, before the energy, the movement and the
    // cooldowns are refilled; empty in the game. The match simulator checks idle robots with it.
    std::function<void(const Robot& robot)> beforeTurnEnds;

    explicit ComputerPlayer(GameData& gameData);

    // Equips the side's bare robots (side 1 unless told) from the templates in "data.db", which
    // it opens on its own, independently of the start-up load. Each robot in turn gets the next
    // best pilot, arms to suit that pilot, then the first template part of each category that
    // still fits the side's weight limit. The first slot that nothing fits ends the building;
    // the robots left incomplete are dropped afterwards by GameData::removeIncompleteRobots.
    void buildSquad(int side = 1);
    // The same with the templates read from another database file.
    void buildSquad(const std::string& databasePath, int side = 1);

    // Puts the side's undeployed robots on the side's start cells in order (robot i on cell i,
    // no terrain test) and adds each to the roster; robots beyond the last cell stay off the map.
    // Side 0's cells are the map's `start1`, side 1's `start2`.
    void deploySquad(int side = 1);

    // Plays the robot's whole turn: act, then the turn ends as "END TURN" ends a human robot's
    // (energy and movement refilled, cooldowns cleared).
    void takeTurn(Robot& robot);

    // The turn before its end: picks the nearest living robot of the other side that a path
    // leads to, then walks that path a tile at a time and fires the first ready weapon whenever
    // it covers the target from the robot's tile under some facing. A robot that has neither
    // stepped nor fired by then (no way to its target, or no step it can pay for) fires from
    // where it stands at whatever living enemy it can reach (fireFromWhereItStands). The hit
    // attempts are left in hitMarkers, the robots of the other side by distance in targets.
    void act(Robot& robot);

    // `targets` = the robots of the other side (wrecks included) by distance from the robot,
    // nearest first; robots at equal distance keep their roster order.
    void gatherTargets(const Robot& robot);

    // The living robot of `targets` chosen as the target, with `path` leading to it or next to
    // it; nullptr (and an empty path) when none can be reached.
    Robot* chooseTarget(const Robot& robot);

    // One attack step of the turn: the first ready weapon's dearest affordable attack, fired
    // under the first facing (0 to 3) from which it covers the target. True when it fired;
    // `changedSomething` then tells whether it changed the energy or any cooldown.
    bool attackPass(Robot& robot, Robot* target, bool& changedSomething);
    // The same with the weapon given: its dearest attack within `ep`, fired at the target under
    // the first facing it can pay for that covers the target.
    bool fireWeapon(Robot& robot, Component& weapon, Robot& target, bool& changedSomething);

    // For a robot that would otherwise stand idle all turn: the first ready weapon, in the usual
    // order, that covers a living enemy from the robot's tile fires at the nearest such enemy,
    // and again while any weapon can, as attack passes do.
    void fireFromWhereItStands(Robot& robot);

    // One move step of the turn, while `path` holds 2 tiles or more: turn toward the next tile,
    // step onto it when energy and movement allow, and drop it from the path either way. True
    // when the turn succeeded and the robot may keep walking.
    bool movePass(Robot& robot);

    // The weighted path search from the robot's tile toward (goalX, goalY): on success `path`
    // holds the tiles from the goal back to the first step and pathFound is true; otherwise
    // `path` is left as it was. Robots block their tiles, except a standing robot on the goal
    // tile (it may move away). A wreck's tile is never a goal: a wreck never moves, so a robot
    // could never stand there, and a robot beside it is not beside its target.
    void findPath(const Robot& robot, int goalX, int goalY);

    // The first part not cooling down in the order right arm, left arm, torso, head, legs; the
    // reactor never fires. nullptr when all five cool down.
    Component* chooseWeapon(const Robot& robot) const;

    // Whether the target stands in the attack's area when the robot, with its present facing,
    // aims it at one of its range cells.
    bool canHit(const Robot& robot, const Robot& target, const Attack& attack) const;

    // Turns the robot toward the next tile of `path`, paying 100 per unit of difference between
    // the facing numbers; false (nothing changed) when it cannot pay.
    bool stepToward(Robot& robot);

private:
    bool passable(long long x, long long y, int goalX, int goalY) const;
    void expand(PathNode* from, long long x, long long y, int goalX, int goalY);
};
