#include "build/BuildPanels.h"

#include "data/Attack.h"
#include "data/Component.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

const char* const slotCaptions[7] = {"HEAD", "TORSO", "LEFT ARM", "RIGHT ARM", "LEGS", "REACTOR", "PILOT"};

void drawStatisticsHeaders(int x) {
    drawColumnHeader("ROBOT STATISTICS", x, 40);
    drawColumnHeader("PILOT STATISTICS", x, 215);
    drawColumnHeader("SQUAD STATISTICS", x, 363);
}

void drawRobotStatRows(int x, int health, int energy, int armor, int move, int weight) {
    drawStatRow("Health", health, x, 70, 20);
    drawStatRow("Energy", energy, x, 94, 20);
    drawStatRow("Armor", armor, x, 118, 20);
    drawStatRow("Move", move, x, 142, 20);
    drawStatRow("Weight", weight, x, 166, 20);
}

void drawRobotStatRows(int x, const Robot* robot) {
    if (robot)
        drawRobotStatRows(x, robot->getMaxHp(), robot->getMaxEp(), robot->getAp(), robot->getMove(),
                          robot->getWeight());
    else
        drawRobotStatRows(x, 0, 0, 0, 0, 0);
}

void drawPilotStatRows(int x, const Pilot* pilot) {
    drawStatRow("Reflexes", pilot ? pilot->getReflexes() : 0, x, 245, 20);
    drawStatRow("Melee Attack", pilot ? pilot->getMeleeAttack() : 0, x, 269, 20);
    drawStatRow("Ranged Attack", pilot ? pilot->getRangedAttack() : 0, x, 293, 20);
    drawStatRow("Defense", pilot ? pilot->getDefense() : 0, x, 316, 20);
}

void drawRobotComponents(int x, const Robot* robot) {
    for (int k = 0; k < 7; ++k) {
        TextLabel(slotCaptions[k], x + 12, 70 + 70 * k).size(14).bold().draw();
        std::string name = "[EMPTY]";
        if (robot && k < 6 && robot->getComponent(k))
            name = robot->getComponent(k)->getName();
        else if (robot && k == 6 && robot->getPilot())
            name = robot->getPilot()->getName();
        TextLabel(name, x + 12, 85 + 70 * k).size(24).draw();
    }
}

void drawComponentStatistics(const Component* component) {
    drawStatRow("Health", component ? component->getHp() : 0, 400, 70, 18);
    drawStatRow("Energy", component ? component->getEp() : 0, 400, 90, 18);
    drawStatRow("Armor", component ? component->getAp() : 0, 400, 110, 18);
    drawStatRow("Move", component ? component->getMove() : 0, 400, 130, 18);
    drawStatRow("Weight", component ? component->getWeight() : 0, 400, 150, 18);
}

void drawComponentAttacks(const Component* component) {
    int k = 0;
    if (component) {
        for (const Attack* attack : component->getAttacks()) {
            if (!attack) continue;  // an action that names no attack
            int dy = 140 * k;
            TextLabel(attack->getName(), 412, 290 + dy).size(18).draw();
            drawStatRow("Damage", attack->getDamage(), 400, 310 + dy, 18);
            drawStatRow("Energy", attack->getEnergy(), 400, 330 + dy, 18);
            drawStatRow("Accuracy", attack->getAccuracy(), 400, 350 + dy, 18);
            drawStatRow("Cooldown", attack->getCooldown(), 400, 370 + dy, 18);
            ++k;
        }
    }
    if (k == 0) TextLabel("[NO ATTACKS]", 412, 290).size(18).draw();
}

void drawPilotStatistics(const Pilot* pilot) {
    drawStatRow("Reflexes", pilot ? pilot->getReflexes() : 0, 400, 70, 18);
    drawStatRow("Melee Attack", pilot ? pilot->getMeleeAttack() : 0, 400, 90, 18);
    drawStatRow("Ranged Attack", pilot ? pilot->getRangedAttack() : 0, 400, 110, 18);
    drawStatRow("Defense", pilot ? pilot->getDefense() : 0, 400, 130, 18);
}

void drawChangeArrow(int before, int after, int x, int y) {
    if (after > before)
        drawImage("textures/UIStatUp.png", x, y, 15, 12);
    else if (after < before)
        drawImage("textures/UIStatDown.png", x, y, 15, 12);
}
