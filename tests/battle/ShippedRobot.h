#pragma once
// Robots built from the shipped catalogue for the battle's display tests, which draw the game's
// own content rather than the battle.yaml test database.

#include <string>

#include "data/Component.h"
#include "data/GameData.h"
#include "data/Pilot.h"
#include "data/Robot.h"

// A complete robot of `side` with its pilot, full, standing on (x, y) facing `facing`, in its
// squad and in the move order. Each slot holds the first part of its type in catalogue order or,
// when `armed`, the first that has attacks where there is one (the head keeps its first part).
inline Robot* addShippedRobot(GameData& data, int side, const std::string& name, int x, int y, int facing,
                              bool armed) {
    Robot* robot = data.createRobot();
    robot->name = name;
    robot->setSide(side);
    for (const auto& entry : data.components) {
        const Component& part = entry.second;
        const int slot = int(part.getType());
        const Component* held = robot->getComponent(slot);
        const bool better =
            armed && slot != HEAD && !part.getAttacks().empty() && held && held->getAttacks().empty();
        if (!held || better) robot->setComponent(slot, &part);
    }
    Pilot* pilot = data.createPilot();
    pilot->name = name + " pilot";
    pilot->side = side;
    data.sides[size_t(side)].pilots.push_back(pilot);
    robot->setPilot(pilot);
    robot->hp = robot->getMaxHp();
    robot->ep = robot->getMaxEp();
    robot->movePoints = robot->getMove();
    robot->x = x;
    robot->y = y;
    robot->facing = facing;
    data.sides[size_t(side)].squad.push_back(robot);
    data.roster.push_back(robot);
    return robot;
}
