#pragma once
// The 2D panels of the battle screen, drawn in window pixels around the 3D views of
// BattleMapView.h: the dispatch layout (BattleDispatchPanels.cpp), the battle layout's frame,
// robot statistics and second columns (BattlePanels.cpp), the action menu, attack table and delay
// panel (BattleActionPanels.cpp), the status view (BattleStatusView.cpp) and the end screen's band
// (BattlePanels.cpp). Which sub-state shows which is in the sub-state table (BattleStateTable.h),
// with the key hints. They read the screen and GameData and change nothing but the cameras the 3D
// views move.

#include <string>

class BattleScreen;
class GameData;
class Pilot;
class Robot;

// --- Whole layouts, each with its 3D view at its place among the panels ---

// The dispatch: the squad list, the map with the start zone.
void drawDispatchLayout(BattleScreen& screen);
// The battle: the map view above the statistics, the second column of the sub-state and the move
// order; on the end screen the result over it all.
void drawBattleLayout(BattleScreen& screen);
// The selected robot's details and its model through the status camera.
void drawStatusView(BattleScreen& screen);

// --- Pieces of the battle layout ---

// The robot of either squad standing on the map cursor of sub-state `state`; nullptr when none.
Robot* robotOnCursor(const BattleScreen& screen, int state);
// Name, health, energy, armour, move and weight of the robot on the cursor of `state`, in the
// first column below the map; nothing when no robot stands there.
void drawRobotStats(const BattleScreen& screen, int state);
// The six action lines of the selected robot, grey where they cannot be chosen now.
void drawActionMenu(const BattleScreen& screen);
// Second columns. ActionMenu: the acting robot's menu with the cursor on its line, or another
// robot's "STATUS" with the cursor on it.
void drawActionMenuColumn(const BattleScreen& screen);
// MatchEnd: the same without a cursor.
void drawMatchEndColumn(const BattleScreen& screen);
// MoveTarget and TurnFacing: the menu with a dark cursor on the action being carried out.
void drawMenuUnderAction(const BattleScreen& screen);
// EnergyDelay: the same, and the delay panel.
void drawMenuAndDelay(const BattleScreen& screen);
// The selected robot's attacking components, the attacks of the one on the list line and its
// cooldown, with the cursors of the attack sub-states.
void drawAttackTable(const BattleScreen& screen);
// The amount the delay will burn over the robot's energy, in the third column.
void drawDelayPanel(const BattleScreen& screen);
// The dark band and the result of the match (VICTORY, DEFEAT, PLAYER n WINS or DRAW).
void drawMatchResult(const BattleScreen& screen);
// The result text of the end screen for a result and the controller of side 1.
std::string matchResultText(int result, bool secondHuman);

// --- Status view ---

// The name of the robot of the pilot's own side that carries the pilot, or "none".
std::string pilotAssignment(const GameData& gameData, const Pilot& pilot);
