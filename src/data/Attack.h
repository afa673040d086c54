#pragma once
// One weapon or action a component offers: its cost, cooldown, accuracy, damage, and the cells
// it can be aimed at (range) and the cells it strikes around the aimed cell (aoe). Both patterns
// are written for a robot facing south: y counts tiles straight ahead, x tiles to its right.
// Attacks are read once from the database and never change.

#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "data/CellList.h"

class MetakitView;

class Attack {
public:
    std::string name;
    std::string description;
    int energy = 0;
    int cooldown = 0;  // what the using component's cooldown counter is set to, in energy units
    int accuracy = 0;  // base hit chance in percent
    int damage = 0;
    bool melee = false;  // which pilot skill applies
    CellList range;
    CellList aoe;  // an attack that strikes only the aimed cell lists (0, 0)

    // Reads row `row` of the `attack` view; missing properties read as "" and 0.
    bool load(const MetakitView& view, size_t row);

    std::string getName() const { return name; }
    std::string getDescription() const { return description; }
    int getEnergy() const { return energy; }
    int getCooldown() const { return cooldown; }
    int getAccuracy() const { return accuracy; }
    int getDamage() const { return damage; }
    bool isMelee() const { return melee; }
    const CellList& getRange() const { return range; }
    const CellList& getAoe() const { return aoe; }
};

// The modders' listing: "ATTACK: ...", "Energy: ...", ... one line each.
std::ostream& operator<<(std::ostream& out, const Attack& attack);
