#pragma once
// One robot part. It adds hit points, armour and weight to the robot that carries it (energy
// only from the reactor, movement only from the legs) and offers a list of attacks.
//
// Catalogue components are loaded once and never change. A robot carries its own copy of a
// catalogue component, so that its cooldown counter is its own: a copy shares the Attack and
// Model objects with the catalogue record (the pointer lists are copied, never their targets).

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "data/ComponentType.h"
#include "data/ModelCache.h"

class Attack;
class MetakitView;
class Model;

class Component {
public:
    int cooldownLeft = 0;  // energy units still to spend before this part may attack again
    int weight = 0;
    std::string name;
    std::string description;
    ComponentType type = NO_COMPONENT_TYPE;
    int hp = 0;
    int ep = 0;
    int ap = 0;
    int move = 0;
    // In database order; an action naming no attack leaves nullptr at its place, so every user
    // skips absent entries. The attacks belong to GameData::attacks.
    std::vector<const Attack*> attacks;
    // In database order; the robot drawing uses the first. The models belong to the model cache.
    std::vector<Model*> models;

    // Reads row `row` of the `component` view, resolving actions in `attackCatalogue` and loading
    // model files through `modelCache`. Never fails: missing properties read as "" and 0.
    bool load(const MetakitView& view, size_t row, const std::map<std::string, Attack>& attackCatalogue,
              ModelCache& modelCache);

    std::string getName() const { return name; }
    std::string getDescription() const { return description; }
    ComponentType getType() const { return type; }
    int getHp() const { return hp; }
    int getEp() const { return ep; }
    int getAp() const { return ap; }
    int getWeight() const { return weight; }
    int getMove() const { return move; }
    const std::vector<const Attack*>& getAttacks() const { return attacks; }
    int getCooldownLeft() const { return cooldownLeft; }

    // Whether at least one of its attacks resolved; parts without any never attack.
    bool hasAttacks() const;

    // Draws model `index` at the current transform; nothing when the part has no model or the
    // index is outside the list.
    void drawModel(size_t index) const;
};

// The modders' listing: "COMPONENT: ...", "Type: ...", ... one line each.
std::ostream& operator<<(std::ostream& out, const Component& component);
