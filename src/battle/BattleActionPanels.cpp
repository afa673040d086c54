// The panels of a human robot's turn below the map: the action menu, the attack table of the
// attack sub-states and the delay panel.

#include "battle/BattlePanels.h"

#include <vector>

#include "battle/BattleScreen.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/TextLabel.h"

namespace {

constexpr double GREY = 0.6;
const char* const ACTION_TEXTS[ACTION_LINES] = {"MOVE", "FACE", "ATTACK", "DELAY", "STATUS", "END TURN"};

TextLabel& greyIf(TextLabel& label, bool grey) {
    if (grey) label.color(GREY, GREY, GREY);
    return label;
}

// A value right-aligned at x on the row of attack j.
void drawAttackValue(const std::string& text, int x, int j, bool grey) {
    TextLabel label(text, x, 583 + 24 * j);
    greyIf(label.size(20).rightAlign(), grey).draw();
}

void drawAttackRows(const Robot& robot, const Component& component) {
    TextLabel("NAME", 412, 563).size(14).bold().draw();
    TextLabel("DMG", 625, 563).size(14).bold().draw();
    TextLabel("ENG", 675, 563).size(14).bold().draw();
    TextLabel("ACC", 725, 563).size(14).bold().draw();
    TextLabel("CLD", 775, 563).size(14).bold().draw();
    const std::vector<const Attack*> attacks = usableAttacks(component);
    for (size_t i = 0; i < attacks.size(); ++i) {
        const Attack& attack = *attacks[i];
        const int j = int(i);
        const bool grey = !canAfford(robot, attack) || component.cooldownLeft > 0;
        TextLabel name(attack.getName(), 412, 580 + 24 * j);
        greyIf(name.size(24), grey).draw();
        drawAttackValue(toString(attack.getDamage()), 652, j, grey);
        drawAttackValue(toString(attack.getEnergy()), 700, j, grey);
        drawAttackValue(toString(attack.getAccuracy()) + "%", 753, j, grey);
        drawAttackValue(toString(attack.getCooldown()), 798, j, grey);
    }
    TextLabel title("COOLDOWN DELAY:", 412, 715);
    title.size(14).bold().draw();
    TextLabel(toString(component.cooldownLeft), 412 + title.width() + 2, 710).size(20).draw();
}

}  // namespace

void drawActionMenu(const BattleScreen& screen) {
    for (int line = 0; line < ACTION_LINES; ++line) {
        TextLabel label(ACTION_TEXTS[line], 212, 563 + 24 * line);
        greyIf(label.size(24), !screen.actionAvailable(line)).draw();
    }
}

void drawAttackTable(const BattleScreen& screen) {
    const Robot* robot = screen.selectedRobot;
    if (!robot) return;
    const std::vector<Component*> components = robot->attackingComponents();
    for (size_t i = 0; i < components.size(); ++i) {
        const Component& component = *components[i];
        const bool grey = !componentMayAttack(*robot, component);
        TextLabel label(component.getName(), 212, 563 + 24 * int(i));
        greyIf(label.size(24), grey).draw();
    }
    const int componentLine = screen.cursor[AttackComponent];
    if (componentLine >= 0 && size_t(componentLine) < components.size())
        drawAttackRows(*robot, *components[size_t(componentLine)]);

    const bool choosingComponent = screen.state == AttackComponent;
    drawImage(choosingComponent ? "textures/UICursor.png" : "textures/UICursorDark.png", 200,
              569 + 24 * componentLine, 7, 16);
    if (!choosingComponent)
        drawImage(screen.state == AttackChoice ? "textures/UICursor.png" : "textures/UICursorDark.png", 400,
                  586 + 24 * screen.cursor[AttackChoice], 7, 16);
}

void drawDelayPanel(const BattleScreen& screen) {
    TextLabel("ENERGY DELAY", 412, 563).size(14).bold().draw();
    TextLabel amount(toString(screen.cursor[EnergyDelay]), 412, 580);
    amount.size(30).draw();
    const Robot* robot = screen.selectedRobot;
    TextLabel("/" + toString(robot ? robot->ep : 0), 412 + amount.width() + 2, 593).size(14).bold().draw();
    drawImage("textures/UICursor.png", 400, 589, 7, 16);
}
