// The battle's 3D views through the drawing recorder, without a display: the quads, arrows and
// tile cursor of each sub-state, the hit markers with their stacking, texts and fading, and which
// side's markers are shown after a computer turn.

#include "BattleFixture.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "../support/GlCallCounter.h"
#include "../support/InGameFolder.h"
#include "ai/ComputerPlayer.h"
#include "battle/BattleMapView.h"
#include "gfx/DrawRecorder.h"
#include "gfx/Log.h"
#include "gfx/ToString.h"

namespace {

using Tile = std::pair<int, int>;

// The tiles of the quads drawn in one colour, from their reported corners.
std::set<Tile> quadTiles(const DrawRecorder& recorder, double r, double g, double b, double height) {
    std::set<Tile> tiles;
    for (const DrawnItem& item : recorder.ofKind(DrawnItem::Quad)) {
        if (item.red != r || item.green != g || item.blue != b || item.worldY != height) continue;
        EXPECT_DOUBLE_EQ(item.alpha, 0.5);
        EXPECT_DOUBLE_EQ(item.worldWidth, 4);
        EXPECT_DOUBLE_EQ(item.worldDepth, 4);
        tiles.insert(Tile(int(item.worldX - 2) / 4, int(item.worldZ - 2) / 4));
    }
    return tiles;
}

std::set<Tile> blueTiles(const DrawRecorder& recorder) {
    return quadTiles(recorder, 0, 0, 1, 0.01);
}

// (x, z, angle) of every arrow of one colour and alpha.
std::set<std::tuple<double, double, double>> arrows(const DrawRecorder& recorder, double green, double alpha,
                                                    double height) {
    std::set<std::tuple<double, double, double>> found;
    for (const DrawnItem& item : recorder.ofKind(DrawnItem::Arrow)) {
        if (item.green != green || item.alpha != alpha) continue;
        EXPECT_DOUBLE_EQ(item.worldY, height);
        EXPECT_DOUBLE_EQ(item.red, 0);
        EXPECT_DOUBLE_EQ(item.blue, 0);
        found.insert(std::make_tuple(item.worldX, item.worldZ, item.angle));
    }
    return found;
}

Tile cursorTile(const DrawRecorder& recorder) {
    auto cursors = recorder.ofKind(DrawnItem::TileCursor);
    EXPECT_EQ(cursors.size(), 1u);
    return cursors.empty() ? Tile(-99, -99) : Tile(cursors[0].tileX, cursors[0].tileY);
}

class BattleMapViewTest : public BattleFixture {
protected:
    Robot* hero = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        BattleFixture::SetUp();
        hero = addRobot(0, "Hero", Skills{5, 5, 10, 5});
        enemy = addRobot(1, "Enemy");
    }

    // Draws the battle map view into a fresh recording.
    void drawBattle(DrawRecorder& recorder) {
        recorder.clear();
        drawBattleMapView(screen);
    }

    // The marker clock as if `ms` had passed since the last restart.
    void markersAged(int ms) { screen.markerTime = int(screen.markerTimer.elapsed()) - ms; }
};

TEST_F(BattleMapViewTest, DispatchShowsTheSidesStartTilesTheCursorAndTheFacingArrows) {
    addRobot(1, "Second");
    data.sides[1].controller = SideSetup::HUMAN;
    DrawRecorder recorder;
    drawDispatchMapView(screen);
    EXPECT_EQ(blueTiles(recorder), (std::set<Tile>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_TRUE(recorder.ofKind(DrawnItem::TileCursor).empty());
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Arrow).empty());

    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchPosition);
    moveCursor(DispatchPosition, 1, 0);
    recorder.clear();
    drawDispatchMapView(screen);
    EXPECT_EQ(cursorTile(recorder), Tile(1, 0));
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Arrow).empty());

    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchFacing);
    press(SDLK_RIGHT);
    recorder.clear();
    drawDispatchMapView(screen);
    EXPECT_EQ(cursorTile(recorder), Tile(1, 0));
    // Tile (1, 0) is centred at (8, 4): faint arrows on its four neighbours, pointing away.
    EXPECT_EQ(arrows(recorder, 1, 0.5, 0.015), (std::set<std::tuple<double, double, double>>{
                                                   {4, 4, -90}, {12, 4, 90}, {8, 0, 180}, {8, 8, 0}}));
    auto solid = arrows(recorder, 0.8, 1, 0.02);
    EXPECT_EQ(solid, (std::set<std::tuple<double, double, double>>{{12, 4, 90}}));
    for (const DrawnItem& item : recorder.ofKind(DrawnItem::Arrow)) {
        EXPECT_DOUBLE_EQ(item.worldDepth, 4);
        EXPECT_DOUBLE_EQ(item.worldWidth, item.alpha == 1 ? 2 : 4);
    }

    // The second side's dispatch shows its own start tiles.
    press(SDLK_SPACE);
    press(SDLK_RETURN);
    ASSERT_EQ(screen.dispatchSide, 1);
    recorder.clear();
    drawDispatchMapView(screen);
    EXPECT_EQ(blueTiles(recorder), (std::set<Tile>{{7, 5}, {6, 5}, {5, 5}}));
}

TEST_F(BattleMapViewTest, MoveTargetShowsTheReachableAffordableTilesAhead) {
    put(hero, 2, 3, FACING_EAST);
    put(enemy, 7, 0);
    openMenuOf(0);
    choose(ActionMove);
    ASSERT_EQ(screen.state, MoveTarget);
    DrawRecorder recorder;
    drawBattle(recorder);
    // The wall at (5, 3) stops the walk after two tiles.
    EXPECT_EQ(blueTiles(recorder), (std::set<Tile>{{3, 3}, {4, 3}}));
    EXPECT_EQ(cursorTile(recorder), Tile(2, 3));
    press(SDLK_RIGHT);
    drawBattle(recorder);
    EXPECT_EQ(cursorTile(recorder), Tile(3, 3));

    // Energy for one tile only, then movement for one tile only.
    hero->ep = 999;
    drawBattle(recorder);
    EXPECT_EQ(blueTiles(recorder), (std::set<Tile>{{3, 3}}));
    hero->ep = 5000;
    hero->movePoints = 0;
    drawBattle(recorder);
    EXPECT_TRUE(blueTiles(recorder).empty());
    // Other sub-states draw no blue quads.
    hero->movePoints = 4;
    press(SDLK_ESCAPE);
    drawBattle(recorder);
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Quad).empty());
}

TEST_F(BattleMapViewTest, TargetSelectShowsTheTurnedRangeInRedAndTheAreaInOrange) {
    Robot* sweeper = addRobot(0, "Sweeper", Skills{}, "Jab Arm", "Sweep Arm");
    put(sweeper, 3, 1, FACING_SOUTH);
    put(enemy, 3, 3);
    openMenuOf(0);
    prepareAttack(1, 0, 3, 3);  // Sweep: range (0, 2), area across the aim
    DrawRecorder recorder;
    drawBattle(recorder);
    EXPECT_EQ(quadTiles(recorder, 1, 0, 0, 0.01), (std::set<Tile>{{3, 3}}));
    EXPECT_EQ(quadTiles(recorder, 1, 0.8, 0, 0.015), (std::set<Tile>{{2, 3}, {3, 3}, {4, 3}}));
    EXPECT_EQ(cursorTile(recorder), Tile(3, 3));

    // Facing west the range turns to (1, 1) and the area runs north to south about the cursor.
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);
    ASSERT_EQ(screen.state, ActionMenu);
    sweeper->facing = FACING_WEST;
    prepareAttack(1, 0, 0, 0);
    drawBattle(recorder);
    EXPECT_EQ(quadTiles(recorder, 1, 0, 0, 0.01), (std::set<Tile>{{1, 1}}));
    // The area about (0, 0) is cut by the map's edge.
    EXPECT_EQ(quadTiles(recorder, 1, 0.8, 0, 0.015), (std::set<Tile>{{0, 0}, {0, 1}}));
    EXPECT_EQ(cursorTile(recorder), Tile(0, 0));
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Text3D).empty());
}

TEST_F(BattleMapViewTest, TurnFacingShowsTheArrowsAboutTheActingRobot) {
    put(hero, 4, 4, FACING_SOUTH);
    put(enemy, 0, 0);
    openMenuOf(0);
    choose(ActionFace);
    ASSERT_EQ(screen.state, TurnFacing);
    press(SDLK_UP);
    DrawRecorder recorder;
    drawBattle(recorder);
    EXPECT_EQ(arrows(recorder, 1, 0.5, 0.015).size(), 4u);
    EXPECT_EQ(arrows(recorder, 0.8, 1, 0.02), (std::set<std::tuple<double, double, double>>{{20, 16, 180}}));
    EXPECT_EQ(cursorTile(recorder), Tile(4, 4));
    press(SDLK_SPACE);
    drawBattle(recorder);
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Arrow).empty());
}

TEST_F(BattleMapViewTest, MarkersStackOverTheirTilesReadMissAndFadeOverThreeSeconds) {
    Robot* tapper = addRobot(0, "Tapper", Skills{}, "Jab Arm", "Sweep Arm");
    put(tapper, 3, 1, FACING_SOUTH);
    put(enemy, 3, 2);
    openMenuOf(0);
    prepareAttack(1, 1, 3, 2);  // Double Tap: the same tile twice, always hits
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);
    ASSERT_EQ(screen.hitMarkers.size(), 2u);
    screen.hitMarkers[1].value = 0;  // shown as a miss

    DrawRecorder recorder;
    markersAged(0);
    drawBattle(recorder);
    auto markers = recorder.ofKind(DrawnItem::Text3D);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].text, toString(screen.hitMarkers[0].value));
    EXPECT_EQ(markers[1].text, "MISS");
    EXPECT_DOUBLE_EQ(markers[0].worldX, 16);
    EXPECT_DOUBLE_EQ(markers[0].worldZ, 12);
    EXPECT_DOUBLE_EQ(markers[0].worldY, 7);
    EXPECT_DOUBLE_EQ(markers[1].worldY, 9);
    EXPECT_NEAR(markers[0].alpha, 1.0, 0.002);

    markersAged(1500);
    drawBattle(recorder);
    markers = recorder.ofKind(DrawnItem::Text3D);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_NEAR(markers[0].alpha, 0.5, 0.002);
    EXPECT_DOUBLE_EQ(markers[1].alpha, markers[0].alpha);
    markersAged(2990);
    drawBattle(recorder);
    ASSERT_EQ(recorder.ofKind(DrawnItem::Text3D).size(), 2u);
    EXPECT_LT(recorder.ofKind(DrawnItem::Text3D)[0].alpha, 0.01);
    markersAged(3000);
    drawBattle(recorder);
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Text3D).empty());

    // Only the action menu, the end screen and the computer's turn show them.
    markersAged(100);
    screen.state = RobotSelect;
    drawBattle(recorder);
    EXPECT_TRUE(recorder.ofKind(DrawnItem::Text3D).empty());
    screen.state = MatchEnd;
    drawBattle(recorder);
    EXPECT_EQ(recorder.ofKind(DrawnItem::Text3D).size(), 2u);
}

TEST_F(BattleMapViewTest, AfterAComputerTurnTheNextHumanSeesTheComputersMarkers) {
    put(hero, 3, 1, FACING_SOUTH);
    put(enemy, 3, 2, FACING_NORTH);
    ASSERT_EQ(data.sides[1].controller, SideSetup::COMPUTER);
    ASSERT_TRUE(data.computerPlayer);
    openMenuOf(0);
    prepareAttack(1, 0, 3, 2);  // Beam at the enemy next door
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);
    ASSERT_EQ(screen.hitMarkers.size(), 1u);
    enemy->hp = enemy->getMaxHp();  // whatever the beam did, the enemy fights on
    enemy->modelState = hero->modelState;
    choose(ActionEndTurn);
    ASSERT_EQ(screen.state, ComputerTurn);

    // A shot of the human's marked on a tile of its own, to tell the two lists apart.
    screen.hitMarkers[0] = HitMarker{7, 0, 4242};
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, RobotSelect);
    // Whatever the computer chose to do, its list is what its turn left for the screen.
    data.computerPlayer->hitMarkers = {HitMarker{3, 1, 321}, HitMarker{3, 1, 0}};
    const std::vector<HitMarker>& computer = data.computerPlayer->hitMarkers;
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);

    DrawRecorder recorder;
    drawBattle(recorder);
    auto markers = recorder.ofKind(DrawnItem::Text3D);
    ASSERT_EQ(markers.size(), computer.size());
    for (size_t i = 0; i < markers.size(); ++i) {
        EXPECT_DOUBLE_EQ(markers[i].worldX, 4.0 * computer[i].x + 4);
        EXPECT_DOUBLE_EQ(markers[i].worldZ, 4.0 * computer[i].y + 4);
    }
    EXPECT_EQ(markers[0].text, "321");
    EXPECT_EQ(markers[1].text, "MISS");

    // The human's next shot brings its own markers back.
    prepareAttack(1, 0, 3, 2);
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);
    drawBattle(recorder);
    markers = recorder.ofKind(DrawnItem::Text3D);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_DOUBLE_EQ(markers[0].worldZ, 12);
}

TEST_F(BattleMapViewTest, ViewsSetTheirCursorsAndMakeNoGlCallWithoutAContext) {
    put(hero, 1, 1);
    put(enemy, 6, 4);
    data.turnIndex = 1;
    screen.state = ComputerTurn;
    screen.cursor[ComputerTurn] = 6;
    screen.cursor2[ComputerTurn] = 4;
    screen.selectedRobot = hero;
    hero->facing = FACING_WEST;
    long before = GlCallCounter::count();
    DrawRecorder recorder;
    drawBattle(recorder);
    EXPECT_EQ(cursorTile(recorder), Tile(6, 4));
    drawDispatchMapView(screen);
    drawStatusRobotView(screen);
    EXPECT_EQ(GlCallCounter::count(), before);
    EXPECT_EQ(hero->facing, FACING_WEST);
    // Without a map there is nothing to lay quads or cursors on, and nothing fails.
    data.currentMap = nullptr;
    screen.state = RobotSelect;
    drawBattle(recorder);
    EXPECT_TRUE(recorder.ofKind(DrawnItem::TileCursor).empty());
}

// Where a world point lands in the window, in pixels from the bottom left, through the camera's
// last eye and up vector and the view's perspective, as gluLookAt and gluPerspective place it.
std::pair<double, double> windowPoint(const Camera& camera, const BattleViewArea& area,
                                      const Vector3& point) {
    const Vector3 forward = (camera.target - camera.eye()).normalized();
    const Vector3 side = cross(forward, camera.up()).normalized();
    const Vector3 up = cross(side, forward);
    const Vector3 offset = point - camera.eye();
    const double depth = dot(offset, forward);
    const double halfHeight = std::tan(area.fieldOfView * 3.14159265358979 / 360.0);
    const double aspect = double(area.width) / double(area.height);
    const double ndcX = dot(offset, side) / depth / (halfHeight * aspect);
    const double ndcY = dot(offset, up) / depth / halfHeight;
    return {area.x + (ndcX + 1) / 2 * area.width, area.y + (ndcY + 1) / 2 * area.height};
}

TEST(ShippedMapsInView, EveryTileOfEveryMapIsInTheDispatchAndBattleViewsAsTheyStart) {
    GameData shipped;
    {
        InGameFolder inGame;
        ASSERT_TRUE(inGame.ok());
        QuietStdoutLog quiet;
        ASSERT_TRUE(shipped.load(GameData::DATABASE_FILE));
    }
    ASSERT_GE(shipped.maps.size(), 5u);
    BattleScreen screen(shipped);
    screen.battleCamera.advance();  // the eye and up vector of the first frame
    for (const auto& entry : shipped.maps) {
        const Map& map = entry.second;
        SCOPED_TRACE(entry.first);
        ASSERT_GT(map.getWidth(), 0);
        for (const BattleViewArea& area : {DISPATCH_VIEW_AREA, BATTLE_VIEW_AREA}) {
            double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
            // Every corner of every tile's 4 x 4 square on the ground.
            for (int y = 0; y <= map.getHeight(); ++y) {
                for (int x = 0; x <= map.getWidth(); ++x) {
                    const auto at =
                        windowPoint(screen.battleCamera, area, Vector3(4.0 * x + 2, 0, 4.0 * y + 2));
                    left = std::min(left, at.first);
                    right = std::max(right, at.first);
                    bottom = std::min(bottom, at.second);
                    top = std::max(top, at.second);
                }
            }
            EXPECT_GE(left, area.x) << "view at x " << area.x;
            EXPECT_LE(right, area.x + area.width) << "view at x " << area.x;
            EXPECT_GE(bottom, area.y) << "view at x " << area.x;
            EXPECT_LE(top, area.y + area.height) << "view at x " << area.x;
        }
    }
}

}  // namespace
