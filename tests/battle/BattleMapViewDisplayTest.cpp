// The battle map view drawn for real with the shipped content: what only pixels show, the
// colour and translucency of the range and area quads over the map, the fading of the hit
// markers, and the status view's model in its own viewport.

#include <gtest/gtest.h>

#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "../support/DisplayWindow.h"
#include "../support/InGameFolder.h"
#include "ShippedRobot.h"
#include "battle/BattleMapView.h"
#include "battle/BattleScreen.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/GameData.h"
#include "data/Map.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "data/Terrain.h"

namespace {

using Tile = std::pair<int, int>;

class BattleMapViewDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::unique_ptr<InGameFolder> gameFolder;
    std::unique_ptr<GameData> data;
    std::unique_ptr<BattleScreen> screen;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        gameFolder = std::make_unique<InGameFolder>();
        ASSERT_TRUE(gameFolder->ok());
        data = std::make_unique<GameData>();
        ASSERT_TRUE(data->load(GameData::DATABASE_FILE));
        data->selectTitleMap();
        ASSERT_NE(data->currentMap, nullptr);
        data->mode = BattleMode;
        screen = std::make_unique<BattleScreen>(*data);
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        screen.reset();
        data.reset();
        gameFolder.reset();
    }

    // A robot armed with the first catalogue parts that have attacks.
    Robot* robotAt(int side, int x, int y, int facing) {
        const std::string name = "Robot " + std::to_string(data->roster.size());
        return addShippedRobot(*data, side, name, x, y, facing, true);
    }

    void lookAt(int tx, int ty) {
        screen->battleCamera = Camera(Vector3(4.0 * tx + 4, 0, 4.0 * ty + 4), 30, 0, 20, true);
    }

    void frame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawBattleMapView(*screen);
        glFinish();
    }

    // The battle view's centre, where the camera's target lies.
    static Rgb centre() { return pixelAt(512, 768 - (235 + 533 / 2)); }

    // Window pixel of a world point as the battle view projects it.
    void project(const Vector3& point, int& x, int& y) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, double(1024.0f / 533.0f), 0.1, 1024);
        glMatrixMode(GL_MODELVIEW);
        screen->battleCamera.apply();
        GLdouble model[16], projection[16];
        GLint viewport[4] = {0, 235, 1024, 533};
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(point.x, point.y, point.z, model, projection, viewport, &wx, &wy, &wz);
        x = int(wx);
        y = 767 - int(wy);
    }
};

// The blend of colour (r, g, b) at alpha over a pixel, per channel.
Rgb over(const Rgb& below, double r, double g, double b, double alpha) {
    return Rgb{int(alpha * r * 255 + (1 - alpha) * below.r), int(alpha * g * 255 + (1 - alpha) * below.g),
               int(alpha * b * 255 + (1 - alpha) * below.b)};
}

TEST_F(BattleMapViewDisplayTest, RangeAndAreaQuadsTintTheMapByHalf) {
    Robot* attacker = robotAt(0, 2, 0, FACING_SOUTH);
    robotAt(1, 14, 11, FACING_NORTH);
    ASSERT_FALSE(attacker->attackingComponents().empty());
    data->turnIndex = 0;
    screen->selectedRobot = attacker;
    screen->cursor[RobotSelect] = 2;
    screen->cursor2[RobotSelect] = 0;
    screen->state = TargetSelect;
    const Attack* attack = screen->chosenAttack();
    ASSERT_NE(attack, nullptr);
    ASSERT_FALSE(attack->getRange().empty());
    std::set<Tile> range;
    for (const auto& entry : attack->getRange())
        range.insert(turnPatternEntry(FACING_SOUTH, entry.first, entry.second));
    // Aim far from the range, so the first range tile is red alone.
    screen->cursor[TargetSelect] = 8;
    screen->cursor2[TargetSelect] = 11;
    std::set<Tile> area;
    for (const auto& entry : attack->getAoe()) {
        auto offset = turnPatternEntry(FACING_SOUTH, entry.first, entry.second);
        area.insert(Tile(8 + offset.first, 11 + offset.second));
    }
    // A range tile of open ground (a building would hide the quad), red alone.
    Tile red(-1, -1);
    for (const Tile& offset : range) {
        Tile tile(2 + offset.first, offset.second);
        const Terrain* terrain = data->currentMap->terrainAt(tile.first, tile.second);
        if (terrain && terrain->isTraversable() && !area.count(tile) && tile != Tile(2, 0)) {
            red = tile;
            break;
        }
    }
    ASSERT_NE(red, Tile(-1, -1));

    lookAt(red.first, red.second);
    screen->state = RobotSelect;
    frame();
    Rgb ground = centre();
    screen->state = TargetSelect;
    frame();
    Rgb tinted = centre();
    Rgb expected = over(ground, 1, 0, 0, 0.5);
    EXPECT_TRUE(near(tinted, expected.r, expected.g, expected.b, 10))
        << "got " << tinted.r << "," << tinted.g << "," << tinted.b << " over " << ground.r << "," << ground.g
        << "," << ground.b;

    // The target tile: orange over the ground, under the tile cursor's faint white.
    lookAt(8, 11);
    screen->state = RobotSelect;
    frame();
    ground = centre();
    screen->state = TargetSelect;
    frame();
    tinted = centre();
    expected = over(over(ground, 1, 0.8, 0, 0.5), 1, 1, 1, 0.25);
    EXPECT_TRUE(near(tinted, expected.r, expected.g, expected.b, 12))
        << "got " << tinted.r << "," << tinted.g << "," << tinted.b << " over " << ground.r << "," << ground.g
        << "," << ground.b;
}

TEST_F(BattleMapViewDisplayTest, MarkersFadeOutOverThreeSeconds) {
    Robot* acting = robotAt(0, 1, 0, FACING_SOUTH);
    robotAt(1, 14, 11, FACING_NORTH);
    data->turnIndex = 0;
    screen->selectedRobot = acting;
    screen->cursor[RobotSelect] = 1;
    screen->hitMarkers = {HitMarker{6, 1, 1234}};
    lookAt(6, 1);
    int x = 0, y = 0;
    project(Vector3(28, 7, 8), x, y);
    ASSERT_GT(x, 60);
    ASSERT_LT(x, 964);
    ASSERT_GT(y, 60);

    // The largest change any channel shows where the marker floats, against a frame without it.
    auto markerStrength = [&](int age) {
        screen->state = RobotSelect;
        frame();
        std::vector<unsigned char> plain(size_t(120 * 60 * 3));
        glReadPixels(x - 60, 767 - y - 30, 120, 60, GL_RGB, GL_UNSIGNED_BYTE, plain.data());
        screen->state = ActionMenu;
        screen->markerTime = int(screen->markerTimer.elapsed()) - age;
        frame();
        std::vector<unsigned char> marked(plain.size());
        glReadPixels(x - 60, 767 - y - 30, 120, 60, GL_RGB, GL_UNSIGNED_BYTE, marked.data());
        int strongest = 0;
        for (size_t i = 0; i < plain.size(); ++i)
            strongest = std::max(strongest, std::abs(marked[i] - plain[i]));
        return strongest;
    };
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    int fresh = markerStrength(0);
    int half = markerStrength(1500);
    int gone = markerStrength(3000);
    EXPECT_GT(fresh, 120);
    EXPECT_NEAR(double(half) / fresh, 0.5, 0.15) << half << " of " << fresh;
    EXPECT_EQ(gone, 0);
}

TEST_F(BattleMapViewDisplayTest, StatusViewDrawsTheRobotInItsOwnViewportAndKeepsItsFacing) {
    Robot* robot = robotAt(0, 3, 3, FACING_EAST);
    screen->selectedRobot = robot;
    screen->state = StatusView;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawStatusRobotView(*screen);
    glFinish();
    EXPECT_EQ(robot->facing, FACING_EAST);
    EXPECT_GT(brightestIn(600, 60, 424, 683), 40);
    EXPECT_EQ(brightestIn(0, 0, 600, 768), 0);
}

}  // namespace
