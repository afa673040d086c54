#pragma once
// The 3D parts of the battle screen, each drawn in its own viewport and projection and followed
// by the 2D projection the panels use: the map view of dispatch and of the battle (the map, the
// sub-state's quads and arrows, every placed robot, the tile cursor, the hit markers) and the
// status view's model of one robot. BattleScreen::draw calls them at their place among the
// panels (BattleMapView.cpp).

#include "gfx/ScreenSize.h"

class BattleScreen;

// Where a 3D view of the battle stands in the window (pixels from the bottom left) and its vertical field of
// view. Every shipped map lies wholly inside both with the battle camera as it starts.
struct BattleViewArea {
    int x;
    int y;
    int width;
    int height;
    double fieldOfView;
};
constexpr BattleViewArea DISPATCH_VIEW_AREA = {200, 25, 824, 683, 45};
constexpr BattleViewArea BATTLE_VIEW_AREA = {0, 235, SCREEN_WIDTH, 533, 45};

// Dispatch: the map, the dispatching side's start tiles in blue, the facing arrows in
// DispatchFacing, every placed robot, the tile cursor on the position cursor.
void drawDispatchMapView(BattleScreen& screen);
// Every battle sub-state but the status view: the map, the sub-state's quads and arrows, every
// placed robot, the tile cursor on the sub-state's cursor, the hit markers where they show.
void drawBattleMapView(BattleScreen& screen);
// The status view: the selected robot's model alone, facing south, from the status camera.
void drawStatusRobotView(BattleScreen& screen);
// Map marks of the sub-states (BattleStateTable.cpp), drawn over the map before the robots:
// MoveTarget: a blue quad on every tile ahead that the move could reach and pay for.
void drawMoveQuads(const BattleScreen& screen);
// TargetSelect: the range from the attacker's tile in red, the area about the target in orange,
// both turned by the attacker's facing.
void drawAttackQuads(const BattleScreen& screen);
// DispatchFacing and TurnFacing: four faint green arrows about the robot being placed or acting,
// and a solid one on the tile it faces.
void drawDispatchFacingArrows(const BattleScreen& screen);
void drawTurnFacingArrows(const BattleScreen& screen);
// The hit markers of the last attack over their tiles, floating and fading for three seconds
// from the last marker restart: the computer's after a computer turn, else the human's.
void drawHitMarkers(BattleScreen& screen);
