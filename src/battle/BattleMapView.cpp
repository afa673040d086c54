// The battle's 3D views: each sets its viewport and perspective, draws, and sets back the
// perspective the panels are drawn under. Headless (no OpenGL context) the cameras still move on
// and every quad, arrow, cursor and marker is still reported to the DrawRecorder.

#include "battle/BattleMapView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "battle/BattleScreen.h"
#include "battle/BattleStateTable.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "data/Map.h"
#include "data/Robot.h"
#include "gfx/Arrow.h"
#include "gfx/GlContext.h"
#include "gfx/Mode2D.h"
#include "gfx/ScreenSize.h"
#include "gfx/Text3D.h"
#include "gfx/ToString.h"
#include "gfx/Widgets.h"

namespace {

constexpr double QUAD_HEIGHT = 0.01;   // blue and red quads
constexpr double AREA_HEIGHT = 0.015;  // orange area quads and the green facing arrows
constexpr double SOLID_ARROW_HEIGHT = 0.02;
constexpr BattleViewArea STATUS_VIEW_AREA = {600, 25, 424, 683, 60};  // one robot's model

// The aspect ratio is worked in single precision, as every view of the game does.
void setPerspective(double fieldOfView, float aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, double(aspect), 0.1, 1024);
    glMatrixMode(GL_MODELVIEW);
}

void beginView(const BattleViewArea& area) {
    if (!GlContext::available()) return;
    suspend2DMode();
    setPerspective(area.fieldOfView, float(area.width) / float(area.height));
    glViewport(area.x, area.y, area.width, area.height);
    // The translucent quads and the tile cursor blend by their alpha whatever drew before.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Back to the whole window and the perspective the panels expect.
void endView() {
    if (!GlContext::available()) return;
    setPerspective(45, 4.0f / 3.0f);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

bool onMap(const Map& map, long long x, long long y) {
    return x >= 0 && y >= 0 && x < map.getWidth() && y < map.getHeight();
}

void tileQuad(long long x, long long y, double height, double r, double g, double b) {
    drawTranslucentQuad(4.0 * double(x) + 2, height, 4.0 * double(y) + 2, 4, 4, r, g, b, 0.5);
}

// Four faint green arrows on the neighbouring tiles pointing away, and a solid one on the tile
// the robot faces.
void drawFacingArrows(const Robot& robot) {
    const double x = 4.0 * robot.x;
    const double z = 4.0 * robot.y;
    drawArrow(x, AREA_HEIGHT, z + 4, 4, 4, -90, 0, 1, 0, 0.5);
    drawArrow(x + 8, AREA_HEIGHT, z + 4, 4, 4, 90, 0, 1, 0, 0.5);
    drawArrow(x + 4, AREA_HEIGHT, z, 4, 4, 180, 0, 1, 0, 0.5);
    drawArrow(x + 4, AREA_HEIGHT, z + 8, 4, 4, 0, 0, 1, 0, 0.5);
    const auto step = facingStep(robot.facing);
    drawArrow(x + 4 + 4.0 * step.first, SOLID_ARROW_HEIGHT, z + 4 + 4.0 * step.second, 2, 4,
              90.0 * robot.facing, 0, 0.8, 0, 1);
}

// The tile cursor on the sub-state's cursor slot, if it has one.
void drawTileCursor(const BattleScreen& screen, int slot) {
    const Map* map = screen.gameData->currentMap;
    if (map && slot != NO_TILE_CURSOR) map->drawTileCursor(screen.cursor[slot], screen.cursor2[slot]);
}

}  // namespace

void drawMoveQuads(const BattleScreen& screen) {
    const Robot* robot = screen.actingRobot();
    const Map* map = screen.gameData->currentMap;
    if (!robot || !map) return;
    const auto step = facingStep(robot->facing);
    for (long long k = 1; canWalk(*robot, k); ++k) {
        const long long x = robot->x + k * step.first;
        const long long y = robot->y + k * step.second;
        if (onMap(*map, x, y)) tileQuad(x, y, QUAD_HEIGHT, 0, 0, 1);
    }
}

namespace {

// A quad on every tile of the map that the pattern, turned by the facing, lays about (fromX, fromY).
void patternQuads(const Map& map, const CellList& pattern, int facing, long long fromX, long long fromY,
                  double height, double r, double g, double b) {
    for (const auto& entry : pattern) {
        const auto offset = turnPatternOffset(facing, entry.first, entry.second);
        if (onMap(map, fromX + offset.first, fromY + offset.second))
            tileQuad(fromX + offset.first, fromY + offset.second, height, r, g, b);
    }
}

}  // namespace

void drawAttackQuads(const BattleScreen& screen) {
    const Robot* attacker = screen.actingRobot();
    const Attack* attack = screen.chosenAttack();
    const Map* map = screen.gameData->currentMap;
    if (!attacker || !attack || !map) return;
    // Measured from the RobotSelect cursor, as the range test is, so red is exactly where aiming works.
    patternQuads(*map, attack->getRange(), attacker->facing, screen.cursor[RobotSelect],
                 screen.cursor2[RobotSelect], QUAD_HEIGHT, 1, 0, 0);
    patternQuads(*map, attack->getAoe(), attacker->facing, screen.cursor[TargetSelect],
                 screen.cursor2[TargetSelect], AREA_HEIGHT, 1, 0.8, 0);
}

void drawHitMarkers(BattleScreen& screen) {
    const long long t = static_cast<long long>(screen.markerTimer.elapsed()) - screen.markerTime;
    if (t >= BattleScreen::MARKER_LIFETIME) return;
    const double alpha = std::clamp(1.0 - double(t) / BattleScreen::MARKER_LIFETIME, 0.0, 1.0);
    const std::vector<HitMarker>& markers = screen.shownMarkers();
    for (size_t i = 0; i < markers.size(); ++i) {
        const HitMarker& marker = markers[i];
        // Markers stack upwards in list order, two units apart.
        Vector3 point(4.0 * marker.x + 4, 7.0 + 2.0 * double(i), 4.0 * marker.y + 4);
        std::string text = marker.value < 1 ? std::string("MISS") : toString(marker.value);
        drawText3D(screen.battleCamera, point, text, alpha);
    }
}

void drawDispatchFacingArrows(const BattleScreen& screen) {
    if (const Robot* robot = screen.dispatchRobot()) drawFacingArrows(*robot);
}

void drawTurnFacingArrows(const BattleScreen& screen) {
    if (const Robot* robot = screen.actingRobot()) drawFacingArrows(*robot);
}

void drawDispatchMapView(BattleScreen& screen) {
    GameData& data = *screen.gameData;
    const BattleStateRow& row = battleStateRow(screen.state);
    beginView(DISPATCH_VIEW_AREA);
    screen.battleCamera.apply();
    if (const Map* map = data.currentMap) {
        map->draw();
        for (const auto& tile : map->startZone(screen.dispatchSide))
            if (onMap(*map, tile.first, tile.second)) tileQuad(tile.first, tile.second, QUAD_HEIGHT, 0, 0, 1);
    }
    if (row.mapMarks) row.mapMarks(screen);
    data.drawSquadRobots();
    drawTileCursor(screen, row.tileCursorSlot);
    endView();
}

void drawBattleMapView(BattleScreen& screen) {
    GameData& data = *screen.gameData;
    const BattleStateRow& row = battleStateRow(screen.state);
    beginView(BATTLE_VIEW_AREA);
    screen.battleCamera.apply();
    if (data.currentMap) data.currentMap->draw();
    if (row.mapMarks) row.mapMarks(screen);
    data.drawSquadRobots();
    drawTileCursor(screen, row.tileCursorSlot);
    if (row.showsHitMarkers) drawHitMarkers(screen);
    endView();
}

void drawStatusRobotView(BattleScreen& screen) {
    beginView(STATUS_VIEW_AREA);
    screen.statusCamera.apply();
    if (Robot* robot = screen.selectedRobot) {
        // Shown alone at the origin facing south; its place in the battle is left as it was.
        const int facing = robot->facing;
        robot->facing = FACING_SOUTH;
        robot->draw();
        robot->facing = facing;
    }
    endView();
}
