// Attacks: choosing a component and one of its attacks, aiming within the range pattern, and
// firing: one hit roll, and on a hit one damage roll, for every robot in the area.

#include "battle/BattleScreen.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

Component* BattleScreen::chosenComponent() const {
    const Robot* robot = actingRobot();
    if (!robot) return nullptr;
    std::vector<Component*> list = robot->attackingComponents();
    int line = cursor[AttackComponent];
    return line >= 0 && size_t(line) < list.size() ? list[size_t(line)] : nullptr;
}

const Attack* BattleScreen::chosenAttack() const {
    const Component* component = chosenComponent();
    if (!component) return nullptr;
    std::vector<const Attack*> list = usableAttacks(*component);
    int line = cursor[AttackChoice];
    return line >= 0 && size_t(line) < list.size() ? list[size_t(line)] : nullptr;
}

bool BattleScreen::isInRange(const Attack& attack, const Robot& attacker, int x, int y) const {
    const long long dx = static_cast<long long>(x) - cursor[RobotSelect];
    const long long dy = static_cast<long long>(y) - cursor2[RobotSelect];
    for (const auto& entry : attack.getRange()) {
        const auto offset = turnPatternEntry(attacker.facing, entry.first, entry.second);
        if (offset.first == dx && offset.second == dy) return true;
    }
    return false;
}

void BattleScreen::attackComponentKey(SDLKey key) {
    const Robot* robot = actingRobot();
    int count = robot ? int(robot->attackingComponents().size()) : 0;
    int& line = cursor[AttackComponent];
    if (moveListLine(line, count, key)) return;
    switch (key) {
    case SDLK_SPACE: {
        const Component* component = chosenComponent();
        if (robot && robot->hp > 0 && component && componentMayAttack(*robot, *component))
            state = AttackChoice;
        return;
    }
    case SDLK_ESCAPE:
        line = 0;
        state = ActionMenu;
        return;
    default:
        break;
    }
}

void BattleScreen::attackChoiceKey(SDLKey key) {
    const Robot* robot = actingRobot();
    const Component* component = chosenComponent();
    int count = component ? int(usableAttacks(*component).size()) : 0;
    int& line = cursor[AttackChoice];
    if (moveListLine(line, count, key)) return;
    switch (key) {
    case SDLK_SPACE: {
        const Attack* attack = chosenAttack();
        if (robot && attack && canAfford(*robot, *attack)) state = TargetSelect;
        return;
    }
    case SDLK_ESCAPE:
        line = 0;
        state = AttackComponent;
        return;
    default:
        break;
    }
}

void BattleScreen::targetSelectKey(SDLKey key) {
    if (moveMapCursor(TargetSelect, key)) return;
    switch (key) {
    case SDLK_SPACE:
        fireAttack();
        return;
    case SDLK_ESCAPE:
        cursor[TargetSelect] = cursor[RobotSelect];
        cursor2[TargetSelect] = cursor2[RobotSelect];
        state = AttackChoice;
        return;
    default:
        break;
    }
}

void BattleScreen::fireAttack() {
    hitMarkers.clear();
    Robot* attacker = actingRobot();
    Component* component = chosenComponent();
    const Attack* attack = chosenAttack();
    if (!attacker || !component || !attack || attacker->hp <= 0) return;
    const int targetX = cursor[TargetSelect], targetY = cursor2[TargetSelect];
    if (!isInRange(*attack, *attacker, targetX, targetY)) return;
    if (!canAfford(*attacker, *attack) || component->cooldownLeft > 0) return;

    bool paid = false;
    bool anyone = false;
    for (Robot* robot : gameData->roster) {
        if (!robot) continue;
        for (const auto& entry : attack->getAoe()) {
            // A robot wrecked by an earlier entry of this same attack is not struck again.
            if (robot->hp <= 0) break;
            const auto offset = turnPatternEntry(attacker->facing, entry.first, entry.second);
            if (static_cast<long long>(robot->x) != static_cast<long long>(targetX) + offset.first ||
                static_cast<long long>(robot->y) != static_cast<long long>(targetY) + offset.second)
                continue;
            anyone = true;
            if (!paid) {
                payForAttack(*attacker, *component, *attack);
                paid = true;
                // Every timer restart from here on is for this attack's markers.
                showComputerMarkers = false;
            }
            HitMarker marker = rollHitAttempt(*attacker, *attack, *robot);
            hitMarkers.push_back(marker);
            if (marker.value > 0 && robot->hp == 0) {
                restartMarkers();
                // The first side found wiped out ends the match; the rest of the area is spared.
                if (endMatchIfDecided()) return;
            }
        }
    }
    if (!anyone) return;
    cursor[AttackComponent] = 0;
    cursor[AttackChoice] = 0;
    restartMarkers();
    state = ActionMenu;
}
