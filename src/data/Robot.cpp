#include "data/Robot.h"

#include <algorithm>
#include <climits>

namespace {

bool validSlot(int slot) {
    return slot >= 0 && slot < COMPONENT_SLOTS;
}

// A total over the occupied slots, worked wide and held to int's range: six database values near
// the int limit must not overflow.
int sumOf(const std::array<std::unique_ptr<Component>, COMPONENT_SLOTS>& parts, int Component::*field) {
    long long total = 0;
    for (const auto& part : parts)
        if (part) total += part.get()->*field;
    return static_cast<int>(std::min<long long>(INT_MAX, std::max<long long>(INT_MIN, total)));
}

}  // namespace

bool Robot::setName(const std::string& value) {
    name = value;
    return true;
}

bool Robot::setSide(int value) {
    if (value != 0 && value != 1) return false;
    side = value;
    return true;
}

bool Robot::setPilot(Pilot* value) {
    if (!value) return false;
    pilot = value;
    return true;
}

Component* Robot::getComponent(int slot) const {
    return validSlot(slot) ? components[static_cast<size_t>(slot)].get() : nullptr;
}

bool Robot::setComponent(int slot, const Component* component) {
    if (!validSlot(slot) || !component) return false;
    components[static_cast<size_t>(slot)] = std::make_unique<Component>(*component);
    return true;
}

int Robot::getMaxHp() const {
    return sumOf(components, &Component::hp);
}

int Robot::getMaxEp() const {
    const Component* reactor = getComponent(REACTOR);
    return reactor ? reactor->ep : 0;
}

int Robot::getAp() const {
    return sumOf(components, &Component::ap);
}

int Robot::getWeight() const {
    return sumOf(components, &Component::weight);
}

int Robot::getMove() const {
    const Component* legs = getComponent(LEGS);
    return legs ? legs->move : 0;
}

bool Robot::isComplete() const {
    if (!pilot) return false;
    for (const auto& part : components)
        if (!part) return false;
    return true;
}

void Robot::coolDown(int amount) {
    for (const auto& part : components) {
        // Empty slots are skipped: the build screen may show a robot that is not yet complete.
        if (part && part->cooldownLeft > 0) {
            // Worked wide: a negative amount from the database would otherwise overflow.
            const long long left = static_cast<long long>(part->cooldownLeft) - amount;
            part->cooldownLeft = left < 0 ? 0 : static_cast<int>(std::min<long long>(left, INT_MAX));
        }
    }
}

std::vector<Component*> Robot::attackingComponents() const {
    std::vector<Component*> result;
    for (const auto& part : components)
        if (part && part->hasAttacks()) result.push_back(part.get());
    return result;
}
