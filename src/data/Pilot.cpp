#include "data/Pilot.h"

namespace {

bool setSkill(int& skill, int value) {
    if (value < Pilot::MIN_SKILL || value > Pilot::MAX_SKILL) return false;
    skill = value;
    return true;
}

}  // namespace

bool Pilot::setName(const std::string& value) {
    name = value;
    return true;
}

bool Pilot::setSide(int value) {
    if (value < 0) return false;
    side = value;
    return true;
}

bool Pilot::setReflexes(int value) {
    return setSkill(reflexes, value);
}
bool Pilot::setMeleeAttack(int value) {
    return setSkill(meleeAttack, value);
}
bool Pilot::setRangedAttack(int value) {
    return setSkill(rangedAttack, value);
}
bool Pilot::setDefense(int value) {
    return setSkill(defense, value);
}
