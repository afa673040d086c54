// The build screen's robot list and robot view, the elements every view shares (title, player
// panel, squad weight line) and the 3D view right of the three columns.

#include "build/BuildPanels.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "gfx/DrawImage.h"
#include "gfx/GlContext.h"
#include "gfx/KeyHintRow.h"
#include "gfx/Mode2D.h"
#include "gfx/TextLabel.h"
#include "gfx/ViewArea.h"
#include "gfx/Widgets.h"

void BuildScreen::draw() {
    // The panels keep the 2D state from one label or image to the next.
    Held2DMode held;
    if (view == ROBOT_LIST)
        drawRobotList();
    else if (view == ROBOT_VIEW)
        drawRobotView();
    else if (cursor[1] < PILOT_ROW)
        drawEquipList();
    else
        drawPilotList();
}

void BuildScreen::drawScreenTop(const std::string& title) const {
    TextLabel(title, 12, 5).draw();
    // Only two humans take turns at the keyboard; the panel says whose turn it is.
    if (gameData->sides[1].controller == SideSetup::HUMAN) {
        TextLabel player("PLAYER", 940, 16);
        player.size(18).draw();
        TextLabel(toString(side + 1), 940 + player.width() + 2, 5).draw();
    }
    drawColumnBackdrop(3);
}

void BuildScreen::drawSquadWeight(int x, int weight) const {
    TextLabel("Weight", x + 12, 390).size(20).draw();
    TextLabel limit("/" + toString(gameData->sides[size_t(side)].maxSquadWeight), x + 188, 394);
    limit.size(14).bold().rightAlign().draw();
    TextLabel(toString(weight), x + 186 - limit.width(), 390).size(20).rightAlign().draw();
}

void BuildScreen::drawRobotStatistics(int x, const Robot* robot) const {
    drawStatisticsHeaders(x);
    drawRobotStatRows(x, robot);
    drawPilotStatRows(x, robot ? robot->getPilot() : nullptr);
    drawSquadWeight(x, squadWeight);
}

void BuildScreen::drawView3D(const Robot* robot, const Component* component) {
    if (!robot && !component) return;
    // Headless, only the camera moves on, as it does in every frame of the game.
    enterViewArea(600, 25, 424, 683);
    camera.apply();
    if (robot)
        robot->draw();
    else if (GlContext::available())
        component->drawModel(0);
    leaveViewArea();
}

void BuildScreen::drawRobotList() {
    const Robot* robot = currentRobot();
    drawScreenTop("BUILD");
    drawWideHeader("VIEW ROBOT", 600, 40);

    drawColumnHeader("ROBOTS", 0, 40);
    const std::vector<Robot*>& squad = gameData->sides[size_t(side)].squad;
    for (size_t i = 0; i < squad.size(); ++i) {
        int row = int(i);
        if (!squad[i]) {
            TextLabel("shouldn't see this: NULL robot", 100, 100 + 20 * row).draw();
            continue;
        }
        TextLabel(squad[i]->getName(), 12, 70 + 33 * row).draw();
        if (squad[i]->isComplete()) drawImage("textures/UICheck.png", 170, 77 + 33 * row, 14, 15);
    }
    drawImage("textures/UICursor.png", 0, 79 + 33 * cursor[0], 7, 16);

    drawRobotStatistics(200, robot);

    drawColumnHeader("ROBOT COMPONENTS", 400, 40);
    drawRobotComponents(400, robot);

    drawView3D(robot, nullptr);

    KeyHintRow row;
    row.key(KeyHintRow::ESC, "Main menu").key(KeyHintRow::SPACE, "Build robot");
    row.orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");
    if (anyRobotComplete()) row.key(KeyHintRow::ENTER, "Finish building");
}

void BuildScreen::drawRobotView() {
    const Robot* robot = currentRobot();
    drawScreenTop(robot ? robot->getName() : "");
    drawWideHeader("VIEW COMPONENT", 600, 40);

    drawRobotStatistics(0, robot);

    drawColumnHeader("ROBOT COMPONENTS", 200, 40);
    drawRobotComponents(200, robot);
    drawImage("textures/UICursor.png", 200, 91 + 70 * cursor[1], 7, 16);

    drawColumnHeader("COMPONENT STATISTICS", 400, 40);
    drawColumnHeader("COMPONENT ATTACKS", 400, 260);
    if (cursor[1] < PILOT_ROW) {
        const Component* part = robot ? robot->getComponent(cursor[1]) : nullptr;
        drawComponentStatistics(part);
        drawComponentAttacks(part);
    } else {
        drawPilotStatistics(robot ? robot->getPilot() : nullptr);
        drawComponentAttacks(nullptr);
    }

    drawView3D(robot, nullptr);

    KeyHintRow row;
    row.key(KeyHintRow::ESC, "Squad list").key(KeyHintRow::SPACE, "Component list");
    row.orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");
}
