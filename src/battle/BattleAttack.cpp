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
    // Aimed from the map cursor, which follows the acting robot.
    if (!isInRange(*attack, attacker->facing, cursor[RobotSelect], cursor2[RobotSelect], targetX, targetY))
        return;
    if (!canAfford(*attacker, *attack) || component->cooldownLeft > 0) return;

    // Paid only once a robot stands in the area; the first side found wiped out ends the match
    // there, and the rest of the area is spared.
    const StrikeOutcome outcome =
        strikeArea(*attacker, *component, *attack, targetX, targetY, gameData->roster, hitMarkers,
                   StrikePayment::AtTheFirstRobot, true);
    if (outcome.attempts == 0) return;
    // Every timer restart from here on is for this attack's markers.
    showComputerMarkers = false;
    if (outcome.matchDecided && endMatchIfDecided()) return;
    cursor[AttackComponent] = 0;
    cursor[AttackChoice] = 0;
    restartMarkers();
    state = ActionMenu;
}
