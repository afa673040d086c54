#pragma once
// A crew member with four skills from 0 to 10; 5 is neutral in battle. Pilots belong to their
// side's pool (owned by GameData); robots only refer to them.

#include <string>

class Pilot {
public:
    static constexpr int MIN_SKILL = 0;
    static constexpr int MAX_SKILL = 10;

    std::string name;
    int side = -1;
    int reflexes = 0;      // "Reflexes": decides the move order
    int meleeAttack = 0;   // "Melee Attack"
    int rangedAttack = 0;  // "Ranged Attack"
    int defense = 0;       // "Defense"

    std::string getName() const { return name; }
    bool setName(const std::string& value);
    int getSide() const { return side; }
    bool setSide(int value);  // refuses a negative side

    int getReflexes() const { return reflexes; }
    int getMeleeAttack() const { return meleeAttack; }
    int getRangedAttack() const { return rangedAttack; }
    int getDefense() const { return defense; }
    // Each refuses (false, unchanged) a value outside 0 to 10.
    bool setReflexes(int value);
    bool setMeleeAttack(int value);
    bool setRangedAttack(int value);
    bool setDefense(int value);
};
