#pragma once
// A war machine: six component slots (indexed by ComponentType), a pilot, and its live battle
// state. Its fighting values are derived from the parts on every call, never stored.
//
// The robot owns the component copies in its slots: equipping puts a new copy of a catalogue
// component there, and emptying a slot (components[slot] = nullptr) destroys the copy. The pilot
// belongs to the side's pool in GameData; the robot only refers to it.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "data/Component.h"
#include "data/ComponentType.h"

class Pilot;

class Robot {
public:
    static constexpr int INTACT = 0;     // modelState of a robot still fighting
    static constexpr int DESTROYED = 5;  // modelState of a wreck

    int x = -1;      // map column; -1 while not deployed
    int y = -1;      // map row; -1 while not deployed
    int facing = 0;  // 0 south (+y), 1 east (+x), 2 north (-y), 3 west (-x)
    int hp = 0;
    int ep = 0;
    int movePoints = 0;
    int reach = 0;  // free tiles straight ahead, measured by the battle when a move is chosen
    Pilot* pilot = nullptr;
    std::string name = "<EMPTY>";
    int side = 0;
    std::array<std::unique_ptr<Component>, COMPONENT_SLOTS> components;
    int modelState = INTACT;

    std::string getName() const { return name; }
    bool setName(const std::string& value);
    int getSide() const { return side; }
    bool setSide(int value);  // 0 or 1 only

    Pilot* getPilot() const { return pilot; }
    bool setPilot(Pilot* value);  // refuses nullptr

    // The part in slot 0 to 5; nullptr for an empty slot or any other slot number.
    Component* getComponent(int slot) const;
    // Puts a new copy of `component` into the slot (the previous copy is destroyed); refuses a
    // slot outside 0 to 5 or nullptr.
    bool setComponent(int slot, const Component* component);

    int getMaxHp() const;   // "Health": sum of hp over the occupied slots
    int getMaxEp() const;   // "Energy": the reactor's ep, 0 without a reactor
    int getAp() const;      // "Armor": sum of ap
    int getWeight() const;  // "Weight": sum of weight
    int getMove() const;    // "Move": the legs' move, 0 without legs

    int getHp() const { return hp; }
    int getEp() const { return ep; }
    int getFacing() const { return facing; }

    // All six slots filled and a pilot assigned.
    bool isComplete() const;

    // Runs every counting-down cooldown by `amount` energy units, never below 0.
    void coolDown(int amount);

    // The parts, in slot order, that offer at least one attack.
    std::vector<Component*> attackingComponents() const;

    // The parts' models at the current transform, turned to the facing; a wreck shows only its
    // torso and legs (RobotDrawing.cpp).
    void draw() const;
};
