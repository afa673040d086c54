#include "battle/BattleMapView.h"

#include "battle/BattleScreen.h"

// Filled in by the battle drawing work: each view sets its viewport and projection, draws, and
// restores the panels' projection.
void drawDispatchMapView(BattleScreen&) {}
void drawBattleMapView(BattleScreen&) {}
void drawStatusRobotView(BattleScreen&) {}
