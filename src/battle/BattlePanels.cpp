// The battle layout: the map view across the upper part of the window and, below it, the robot
// statistics, the second column (action menu, attack table or nothing), the delay panel and the
// move order; on the end screen the result over it all.

#include "battle/BattlePanels.h"

#include <initializer_list>

#include "battle/BattleMapView.h"
#include "battle/BattleScreen.h"
#include "battle/BattleStateTable.h"
#include "data/GameData.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

// "/" + the maximum, small and bold, right at 188, and the current value right before it.
void drawValueOverMaximum(const std::string& name, int value, int maximum, int y) {
    TextLabel(name, 12, y).size(20).draw();
    TextLabel limit("/" + toString(maximum), 188, y + 5);
    limit.size(14).bold().rightAlign().draw();
    TextLabel(toString(value), 188 - limit.width(), y).size(20).rightAlign().draw();
}

// The selected robot's action menu when it is the acting robot, else "STATUS" alone.
void drawMenuOrStatus(const BattleScreen& screen, bool acting) {
    if (acting)
        drawActionMenu(screen);
    else
        TextLabel("STATUS", 212, 563).size(24).draw();
}

bool selectedIsActing(const BattleScreen& screen) {
    return screen.selectedRobot && screen.selectedRobot == screen.actingRobot();
}

}  // namespace

void drawActionMenuColumn(const BattleScreen& screen) {
    const bool acting = selectedIsActing(screen);
    drawMenuOrStatus(screen, acting);
    // Another robot's menu holds "STATUS" alone: the cursor marks it, whatever line the acting
    // robot's menu keeps for later.
    drawImage("textures/UICursor.png", 200, 569 + 24 * (acting ? screen.cursor[ActionMenu] : 0), 7, 16);
}

void drawMatchEndColumn(const BattleScreen& screen) {
    drawMenuOrStatus(screen, selectedIsActing(screen));
}

void drawMenuUnderAction(const BattleScreen& screen) {
    drawActionMenu(screen);
    drawImage("textures/UICursorDark.png", 200, 569 + 24 * screen.cursor[ActionMenu], 7, 16);
}

void drawMenuAndDelay(const BattleScreen& screen) {
    drawMenuUnderAction(screen);
    drawDelayPanel(screen);
}

Robot* robotOnCursor(const BattleScreen& screen, int state) {
    if (state < 0 || state >= BATTLE_STATES) return nullptr;
    const int x = screen.cursor[state];
    const int y = screen.cursor2[state];
    for (const SideSetup& side : screen.gameData->sides)
        for (Robot* robot : side.squad)
            if (robot && robot->x == x && robot->y == y) return robot;
    return nullptr;
}

void drawRobotStats(const BattleScreen& screen, int state) {
    const Robot* robot = robotOnCursor(screen, state);
    if (!robot) return;
    TextLabel(robot->getName(), 12, 563).size(20).draw();
    drawValueOverMaximum("Health", robot->hp, robot->getMaxHp(), 583);
    drawValueOverMaximum("Energy", robot->ep, robot->getMaxEp(), 603);
    drawStatRow("Armor", robot->getAp(), 0, 623, 20);
    drawValueOverMaximum("Move", robot->movePoints, robot->getMove(), 643);
    drawStatRow("Weight", robot->getWeight(), 0, 663, 20);
}

std::string matchResultText(int result, bool secondHuman) {
    switch (result) {
    case Side0Won:
        return secondHuman ? "PLAYER 1 WINS" : "VICTORY";
    case Side1Won:
        return secondHuman ? "PLAYER 2 WINS" : "DEFEAT";
    default:
        return "DRAW";
    }
}

void drawMatchResult(const BattleScreen& screen) {
    drawImage("textures/UIColumnDark.bmp", 0, 300, SCREEN_WIDTH, 60);
    const bool secondHuman = screen.gameData->sides[1].controller == SideSetup::HUMAN;
    const int result = screen.cursor[MatchEnd];
    int x = 490;  // "DRAW"
    if (result == Side0Won || result == Side1Won) x = secondHuman ? 420 : result == Side0Won ? 460 : 470;
    TextLabel(matchResultText(result, secondHuman), x, 313).size(30).draw();
}

void drawBattleLayout(BattleScreen& screen) {
    const BattleStateRow& row = battleStateRow(screen.state);
    for (int column : {0, 200, 824}) drawImage("textures/UIColumnDark.bmp", column, 553, 200, 190);
    drawImage("textures/UIColumnDark.bmp", 400, 553, 424, 190);
    drawImage("textures/UIWideColumn.bmp", -200, 533, SCREEN_WIDTH, 20);
    drawColumnHeader("ROBOT STATISTICS", 0, 533);
    drawColumnHeader(row.columnHeader, 200, 533);
    drawColumnHeader("MOVE ORDER", 824, 533);
    screen.gameData->drawMoveOrder(836, 563);

    // The end screen gives its one key first, as it leaves everything else as the battle left it.
    if (row.endsTheMatch) drawBattleKeyHints(screen);
    drawBattleMapView(screen);
    drawRobotStats(screen, row.statisticsSlot);
    if (row.secondColumn) row.secondColumn(screen);
    if (row.endsTheMatch)
        drawMatchResult(screen);
    else
        drawBattleKeyHints(screen);
}
