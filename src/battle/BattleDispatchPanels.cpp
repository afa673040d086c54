// The dispatch layout: the dispatching side's squad list and the statistics of the robot on its
// line in the first column, the map with the start zone right of it, and the key hints.

#include "battle/BattlePanels.h"

#include <vector>

#include "battle/BattleMapView.h"
#include "battle/BattleScreen.h"
#include "battle/BattleStateTable.h"
#include "data/GameData.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

void drawDispatchLayout(BattleScreen& screen) {
    const GameData& gameData = *screen.gameData;
    TextLabel("DISPATCH", 12, 5).draw();
    // Only two humans take turns at the keyboard; the header says whose dispatch it is.
    if (gameData.sides[1].controller == SideSetup::HUMAN) {
        TextLabel player("PLAYER", 940, 16);
        player.size(18).draw();
        TextLabel(toString(screen.dispatchSide + 1), 942 + player.width(), 5).draw();
    }
    drawColumnBackdrop(1);
    drawWideHeader("MAP VIEW", 200, 40);
    drawColumnHeader("ROBOTS", 0, 40);
    drawColumnHeader("ROBOT STATISTICS", 0, 500);

    const std::vector<Robot*>& squad = gameData.sides[size_t(screen.dispatchSide)].squad;
    for (size_t i = 0; i < squad.size(); ++i)
        if (squad[i]) TextLabel(squad[i]->getName(), 12, 70 + 33 * int(i)).draw();
    if (const Robot* robot = screen.dispatchRobot()) {
        drawStatRow("Health", robot->getMaxHp(), 0, 530, 20);
        drawStatRow("Energy", robot->getMaxEp(), 0, 550, 20);
        drawStatRow("Armor", robot->getAp(), 0, 570, 20);
        drawStatRow("Move", robot->getMove(), 0, 590, 20);
        drawStatRow("Weight", robot->getWeight(), 0, 610, 20);
    }
    const bool choosing = screen.state == DispatchSelect;
    drawImage(choosing ? "textures/UICursor.png" : "textures/UICursorDark.png", 0,
              79 + 33 * screen.cursor[DispatchSelect], 7, 16);

    drawDispatchMapView(screen);
    drawBattleKeyHints(screen);
}
