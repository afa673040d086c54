// The status view: one robot's statistics, its pilot, its six components and the statistics and
// attacks of the one on the cursor line (or the pilot's), beside its model through the status
// camera.

#include "battle/BattlePanels.h"

#include "battle/BattleMapView.h"
#include "battle/BattleScreen.h"
#include "battle/BattleStateTable.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/GameData.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

const char* const SLOT_TITLES[BattleScreen::STATUS_LINES] = {"HEAD", "TORSO",   "LEFT ARM", "RIGHT ARM",
                                                             "LEGS", "REACTOR", "PILOT"};
constexpr int PILOT_LINE = BattleScreen::STATUS_LINES - 1;

void drawNoAttacks() {
    TextLabel("[NO ATTACKS]", 412, 290).size(18).draw();
}

void drawComponentDetails(const Component& component) {
    drawStatRow("Health", component.getHp(), 400, 70, 18);
    drawStatRow("Energy", component.getEp(), 400, 90, 18);
    drawStatRow("Armor", component.getAp(), 400, 110, 18);
    drawStatRow("Move", component.getMove(), 400, 130, 18);
    drawStatRow("Weight", component.getWeight(), 400, 150, 18);
    int j = 0;
    for (const Attack* attack : usableAttacks(component)) {
        const int dy = 140 * j;
        TextLabel(attack->getName(), 412, 290 + dy).size(18).draw();
        drawStatRow("Damage", attack->getDamage(), 400, 310 + dy, 18);
        drawStatRow("Energy", attack->getEnergy(), 400, 330 + dy, 18);
        drawStatRow("Accuracy", attack->getAccuracy(), 400, 350 + dy, 18);
        drawStatRow("Cooldown", attack->getCooldown(), 400, 370 + dy, 18);
        ++j;
    }
    // As on the build screen: a part without attacks says so rather than leaving the column bare.
    if (j == 0) drawNoAttacks();
}

void drawPilotDetails(const GameData& gameData, const Pilot& pilot) {
    TextLabel("Assigned to ", 412, 170).size(18).draw();
    TextLabel(pilotAssignment(gameData, pilot), 588, 170).size(18).rightAlign().draw();
    drawStatRow("Reflexes", pilot.getReflexes(), 400, 70, 18);
    drawStatRow("Melee Attack", pilot.getMeleeAttack(), 400, 90, 18);
    drawStatRow("Ranged Attack", pilot.getRangedAttack(), 400, 110, 18);
    drawStatRow("Defense", pilot.getDefense(), 400, 130, 18);
}

}  // namespace

std::string pilotAssignment(const GameData& gameData, const Pilot& pilot) {
    // The pilot's own side: during the battle the robot on view may well be the other side's.
    const int side = pilot.getSide();
    if (side < 0 || size_t(side) >= gameData.sides.size()) return "none";
    for (const Robot* robot : gameData.sides[size_t(side)].squad)
        if (robot && robot->getPilot() == &pilot) return robot->getName();
    return "none";
}

void drawStatusView(BattleScreen& screen) {
    const GameData& gameData = *screen.gameData;
    const Robot* robot = screen.selectedRobot;
    TextLabel(robot ? robot->getName() : std::string(), 12, 5).draw();
    drawColumnBackdrop(3);
    if (robot && gameData.sides[1].controller == SideSetup::HUMAN) {
        TextLabel player("PLAYER", 940, 16);
        player.size(18).draw();
        TextLabel(toString(robot->getSide() + 1), 942 + player.width(), 5).draw();
    }
    drawWideHeader("VIEW COMPONENT", 600, 40);
    drawColumnHeader("ROBOT STATISTICS", 0, 40);
    drawColumnHeader("PILOT STATISTICS", 0, 215);
    drawColumnHeader("ROBOT COMPONENTS", 200, 40);
    drawColumnHeader("COMPONENT STATISTICS", 400, 40);
    drawColumnHeader("COMPONENT ATTACKS", 400, 260);

    if (robot) {
        drawStatRow("Health", robot->getMaxHp(), 0, 70, 20);
        drawStatRow("Energy", robot->getMaxEp(), 0, 94, 20);
        drawStatRow("Armor", robot->getAp(), 0, 118, 20);
        drawStatRow("Move", robot->getMove(), 0, 142, 20);
        drawStatRow("Weight", robot->getWeight(), 0, 166, 20);
        if (const Pilot* pilot = robot->getPilot()) {
            drawStatRow("Reflexes", pilot->getReflexes(), 0, 245, 20);
            drawStatRow("Melee Attack", pilot->getMeleeAttack(), 0, 269, 20);
            drawStatRow("Ranged Attack", pilot->getRangedAttack(), 0, 293, 20);
            drawStatRow("Defense", pilot->getDefense(), 0, 316, 20);
        }
    }

    for (int line = 0; line < BattleScreen::STATUS_LINES; ++line) {
        TextLabel(SLOT_TITLES[line], 212, 70 + 70 * line).size(14).bold().draw();
        std::string name = "[EMPTY]";
        if (robot && line < PILOT_LINE && robot->getComponent(line))
            name = robot->getComponent(line)->getName();
        else if (robot && line == PILOT_LINE && robot->getPilot())
            name = robot->getPilot()->getName();
        TextLabel(name, 212, 85 + 70 * line).size(24).draw();
    }
    const int line = screen.cursor[StatusView];
    drawImage("textures/UICursor.png", 200, 91 + 70 * line, 7, 16);

    if (robot && line >= 0 && line < PILOT_LINE) {
        if (const Component* component = robot->getComponent(line))
            drawComponentDetails(*component);
        else
            drawNoAttacks();
    } else if (robot && line == PILOT_LINE) {
        if (const Pilot* pilot = robot->getPilot()) drawPilotDetails(gameData, *pilot);
        drawNoAttacks();
    }

    drawStatusRobotView(screen);
    drawBattleKeyHints(screen);
}
