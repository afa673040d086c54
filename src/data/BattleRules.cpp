#include "data/BattleRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/Attack.h"
#include "data/Component.h"
#include "data/Pilot.h"
#include "data/RandomFraction.h"
#include "data/Robot.h"

namespace {

int wrapFacing(int facing) {
    return ((facing % 4) + 4) % 4;
}

// Truncation toward zero into int, held to int's range (NaN counts as 0).
int truncToInt(double value) {
    if (!(value == value)) {
        return 0;
    }
    const double low = static_cast<double>(std::numeric_limits<int>::min());
    const double high = static_cast<double>(std::numeric_limits<int>::max());
    if (value <= low) {
        return std::numeric_limits<int>::min();
    }
    if (value >= high) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(std::trunc(value));
}

}  // namespace

std::pair<int, int> facingStep(int facing) {
    switch (facing) {
    case FACING_SOUTH:
        return {0, 1};
    case FACING_EAST:
        return {1, 0};
    case FACING_NORTH:
        return {0, -1};
    case FACING_WEST:
        return {-1, 0};
    default:
        return {0, 0};
    }
}

std::pair<long long, long long> turnPatternOffset(int facing, long long px, long long py) {
    switch (wrapFacing(facing)) {
    case FACING_SOUTH:
        return {-px, py};
    case FACING_EAST:
        return {py, px};
    case FACING_NORTH:
        return {px, -py};
    default:
        return {-py, -px};
    }
}

std::pair<int, int> turnPatternEntry(int facing, int px, int py) {
    // -px of the lowest int does not fit an int: work wide, then hold to the range.
    const auto wide = turnPatternOffset(facing, px, py);
    return {truncToInt(static_cast<double>(wide.first)), truncToInt(static_cast<double>(wide.second))};
}

double attackModifier(const Robot& attacker, const Attack& attack) {
    int skill = 0;
    if (attacker.pilot != nullptr) {
        skill = attack.isMelee() ? attacker.pilot->getMeleeAttack() : attacker.pilot->getRangedAttack();
    }
    return (skill - 5) * 0.05;
}

double defenseModifier(const Robot& defender) {
    const int skill = defender.pilot != nullptr ? defender.pilot->getDefense() : 0;
    return (skill - 5) * 0.05;
}

double hitChance(double attackMod, double defenseMod, int accuracy) {
    return ((attackMod + 1) - defenseMod) * (accuracy / 100.0);
}

int hitDamage(double attackMod, double defenseMod, double spread, int damage, int armor) {
    const double dealt = static_cast<double>(truncToInt((spread / 10 + (attackMod + 1)) * damage));
    const double absorbed = static_cast<double>(truncToInt(armor * (defenseMod + 1) / 20));
    const int result = truncToInt(dealt - absorbed);
    return result <= 98 ? 99 : result;
}

HitMarker rollHitAttempt(const Robot& attacker, const Attack& attack, Robot& target) {
    const double a = attackModifier(attacker, attack);
    const double d = defenseModifier(target);
    HitMarker marker;
    marker.x = target.x;
    marker.y = target.y;
    if (!(hitChance(a, d, attack.getAccuracy()) > randomFraction())) {
        return marker;
    }
    const int damage = hitDamage(a, d, randomFraction(), attack.getDamage(), target.getAp());
    // hp - damage, worked wide: neither value is trusted to stay small.
    const long long left = static_cast<long long>(target.hp) - damage;
    target.hp = left < 1 ? 0 : static_cast<int>(left);
    if (target.hp == 0) {
        target.modelState = Robot::DESTROYED;
    }
    marker.value = damage;
    return marker;
}

void spendEnergy(Robot& robot, int amount) {
    const long long left = static_cast<long long>(robot.ep) - amount;
    robot.ep = static_cast<int>(
        std::clamp<long long>(left, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    robot.coolDown(amount);
}

void payForAttack(Robot& robot, Component& component, const Attack& attack) {
    spendEnergy(robot, attack.getEnergy());
    component.cooldownLeft = attack.getCooldown();
}

void endRobotTurn(Robot& robot) {
    robot.ep = robot.getMaxEp();
    robot.movePoints = robot.getMove();
    for (auto& component : robot.components) {
        if (component != nullptr) {
            component->cooldownLeft = 0;
        }
    }
}

bool sideWipedOut(const std::vector<Robot*>& roster, int side) {
    for (const Robot* robot : roster) {
        if (robot != nullptr && robot->side == side && robot->hp > 0) {
            return false;
        }
    }
    return true;
}

int matchResult(const std::vector<Robot*>& roster) {
    const bool side0Out = sideWipedOut(roster, 0);
    const bool side1Out = sideWipedOut(roster, 1);
    if (side0Out && side1Out) {
        return 0;
    }
    if (side0Out) {
        return 2;
    }
    if (side1Out) {
        return 1;
    }
    return MATCH_GOES_ON;
}

int nextTurnIndex(const std::vector<Robot*>& roster, int turnIndex) {
    const int n = static_cast<int>(roster.size());
    for (int i = 1; i < n; ++i) {
        const int j = ((turnIndex + i) % n + n) % n;
        if (roster[j] != nullptr && roster[j]->hp > 0) {
            return j;
        }
    }
    return turnIndex;
}

std::vector<const Attack*> usableAttacks(const Component& component) {
    std::vector<const Attack*> result;
    for (const Attack* attack : component.getAttacks())
        if (attack) result.push_back(attack);
    return result;
}

bool canAfford(const Robot& robot, const Attack& attack) {
    return attack.getEnergy() <= robot.ep;
}

bool componentMayAttack(const Robot& robot, const Component& component) {
    if (component.cooldownLeft > 0) return false;
    for (const Attack* attack : usableAttacks(component))
        if (canAfford(robot, *attack)) return true;
    return false;
}

bool cheapestAttackCost(const Robot& robot, int& cost) {
    bool found = false;
    for (const Component* component : robot.attackingComponents()) {
        for (const Attack* attack : usableAttacks(*component)) {
            if (!found || attack->getEnergy() < cost) cost = attack->getEnergy();
            found = true;
        }
    }
    return found;
}

bool canPayStep(const Robot& robot) {
    return robot.ep >= MOVE_ENERGY_COST && robot.movePoints > 0;
}

bool canWalk(const Robot& robot, long long tiles) {
    return tiles <= std::min(robot.movePoints, robot.reach) &&
           static_cast<long long>(MOVE_ENERGY_COST) * tiles <= robot.ep;
}
