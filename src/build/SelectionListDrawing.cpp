// The equip list and the pilot list: the rows to choose from, and beside the robot's and the
// pilot's numbers an arrow wherever the highlighted row would change them.

#include "build/BuildPanels.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "gfx/DrawImage.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

// Skill k of the pilot list's four rows, 0 without a pilot.
int pilotSkill(const Pilot* pilot, int k) {
    if (pilot == nullptr) return 0;
    switch (k) {
    case 0:
        return pilot->getReflexes();
    case 1:
        return pilot->getMeleeAttack();
    case 2:
        return pilot->getRangedAttack();
    default:
        return pilot->getDefense();
    }
}

int valueOf(const Component* part, int Component::*field) {
    return part ? part->*field : 0;
}

}  // namespace

void BuildScreen::drawEquipList() {
    const Robot* robot = currentRobot();
    int slot = cursor[1];
    const Component* old = robot ? robot->getComponent(slot) : nullptr;
    const Component* highlighted =
        cursor[2] >= 0 && cursor[2] < int(candidates.size()) ? candidates[size_t(cursor[2])] : nullptr;
    int oldWeight = valueOf(old, &Component::weight);
    int maxWeight = gameData->sides[size_t(side)].maxSquadWeight;

    drawScreenTop(robot ? robot->getName() : "");
    drawWideHeader("VIEW COMPONENT", 600, 40);

    // The robot as it would be with the highlighted part: a plain difference of part values.
    drawStatisticsHeaders(0);
    int Component::*const fields[5] = {&Component::hp, &Component::ep, &Component::ap, &Component::move,
                                       &Component::weight};
    int totals[5] = {0, 0, 0, 0, 0};
    if (robot) {
        totals[0] = robot->getMaxHp();
        totals[1] = robot->getMaxEp();
        totals[2] = robot->getAp();
        totals[3] = robot->getMove();
        totals[4] = robot->getWeight();
    }
    int preview[5];
    for (int k = 0; k < 5; ++k) {
        preview[k] = totals[k] - valueOf(old, fields[k]) + valueOf(highlighted, fields[k]);
        drawChangeArrow(valueOf(old, fields[k]), valueOf(highlighted, fields[k]), 70, 77 + 24 * k);
    }
    drawRobotStatRows(0, preview[0], preview[1], preview[2], preview[3], preview[4]);
    drawPilotStatRows(0, robot ? robot->getPilot() : nullptr);
    int newWeight = valueOf(highlighted, &Component::weight);
    drawSquadWeight(0, squadWeight - oldWeight + newWeight);
    drawChangeArrow(oldWeight, newWeight, 70, 397);

    drawColumnHeader("EQUIP COMPONENT", 200, 40);
    TextLabel(slotCaptions[slot], 212, 70).size(14).bold().draw();
    int emptyRow = int(candidates.size());
    for (int k = 0; k < emptyRow; ++k) {
        const Component* candidate = candidates[size_t(k)];
        TextLabel name(candidate->getName(), 212, 85 + 30 * k);
        name.size(24);
        if (squadWeight - oldWeight + candidate->getWeight() > maxWeight) name.color(0.6, 0.6, 0.6);
        name.draw();
        if (old && candidate->getName() == old->getName())
            drawImage("textures/UICursorDark.png", 200, 91 + 30 * k, 7, 16);
    }
    TextLabel("[EMPTY]", 212, 85 + 30 * emptyRow).size(24).draw();
    if (!old) drawImage("textures/UICursorDark.png", 200, 91 + 30 * emptyRow, 7, 16);
    drawImage("textures/UICursor.png", 200, 91 + 30 * cursor[2], 7, 16);

    drawColumnHeader("COMPONENT STATISTICS", 400, 40);
    drawColumnHeader("COMPONENT ATTACKS", 400, 260);
    drawComponentStatistics(highlighted);
    drawComponentAttacks(highlighted);

    if (highlighted) drawView3D(nullptr, highlighted);

    KeyHintRow row;
    row.key(KeyHintRow::ESC, "Robot status").key(KeyHintRow::SPACE, "Equip component");
    row.orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");
}

void BuildScreen::drawPilotList() const {
    const Robot* robot = currentRobot();
    const SideSetup& setup = gameData->sides[size_t(side)];
    const Pilot* current = robot ? robot->getPilot() : nullptr;
    const Pilot* highlighted =
        cursor[2] >= 0 && cursor[2] < int(setup.pilots.size()) ? setup.pilots[size_t(cursor[2])] : nullptr;

    drawScreenTop(robot ? robot->getName() : "");
    drawWideHeader("VIEW COMPONENT", 600, 40);

    drawStatisticsHeaders(0);
    drawRobotStatRows(0, robot);
    drawPilotStatRows(0, highlighted);
    // Reflexes, Melee Attack, Ranged Attack, Defense: the current pilot's against the highlighted one's.
    const int arrowY[4] = {251, 276, 300, 323};
    for (int k = 0; k < 4; ++k)
        drawChangeArrow(pilotSkill(current, k), pilotSkill(highlighted, k), 130, arrowY[k]);
    drawSquadWeight(0, squadWeight);

    drawColumnHeader("ASSIGN PILOT", 200, 40);
    TextLabel("PILOT", 212, 70).size(14).bold().draw();
    for (size_t k = 0; k < setup.pilots.size(); ++k) {
        const Pilot* pilot = setup.pilots[k];
        std::string line = pilot ? pilot->getName() : "";
        for (const Robot* other : setup.squad) {
            if (other && pilot && other->getPilot() == pilot) {
                line += "/" + other->getName();
                break;
            }
        }
        TextLabel(line, 212, 85 + 30 * int(k)).size(24).draw();
        if (current && pilot == current) drawImage("textures/UICursorDark.png", 200, 91 + 30 * int(k), 7, 16);
    }
    drawImage("textures/UICursor.png", 200, 91 + 30 * cursor[2], 7, 16);

    drawColumnHeader("COMPONENT STATISTICS", 400, 40);
    drawColumnHeader("COMPONENT ATTACKS", 400, 260);
    drawPilotStatistics(highlighted);

    KeyHintRow row;
    row.key(KeyHintRow::ESC, "Robot status").key(KeyHintRow::SPACE, "Assign pilot");
    row.orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");
}
