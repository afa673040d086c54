// A robot drawn from its parts' models: each part in its place and size, the reactor only
// without a torso, a wreck as torso and legs, all turned by the facing. Every part is the same
// unit cube (a MilkShape file made by others), seen face on through a flat projection of
// 16 pixels per model unit centred on the window.

#include <gtest/gtest.h>

#include <memory>

#include <GL/glu.h>

#include "../support/DisplayWindow.h"
#include "data/Component.h"
#include "data/ComponentType.h"
#include "data/Robot.h"
#include "gfx/Model.h"

namespace {

// Window pixel of model point (x, y).
bool litAt(double x, double y) {
    return brightestIn(int(512 + 16 * x) - 2, int(384 - 16 * y) - 2, 5, 5) > 20;
}

class RobotDrawingDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::unique_ptr<Model> cube;
    Robot robot;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        testing::internal::CaptureStdout();
        cube = std::make_unique<Model>(std::string(GEARWARD_FIXTURES_DIR) + "/ms3d/Box.ms3d");
        testing::internal::GetCapturedStdout();
        ASSERT_FALSE(cube->meshes.empty());
        for (int slot = 0; slot < 6; ++slot) {
            auto part = std::make_unique<Component>();
            part->type = ComponentType(slot);
            part->models.push_back(cube.get());
            robot.components[slot] = std::move(part);
        }
    }

    void drawRobot() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 1024, 768);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-32, 32, -24, 24, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        robot.draw();
    }
};

TEST_F(RobotDrawingDisplayTest, IntactRobotShowsEveryPartButTheHiddenReactor) {
    drawRobot();
    EXPECT_TRUE(litAt(0, 14));   // head
    EXPECT_FALSE(litAt(0, 15));  // at half size it ends at 14.5
    EXPECT_TRUE(litAt(0, 0));    // torso
    EXPECT_TRUE(litAt(-9, 8));   // right arm
    EXPECT_TRUE(litAt(9, 8));    // left arm
    EXPECT_FALSE(litAt(0, 8));   // the reactor sits inside the torso and is not drawn
    EXPECT_TRUE(litAt(0, -9));   // legs
    EXPECT_FALSE(litAt(0, -11));

    robot.components[TORSO].reset();
    drawRobot();
    EXPECT_TRUE(litAt(0, 8));  // without a torso the reactor shows
    EXPECT_FALSE(litAt(0, 0));
}

TEST_F(RobotDrawingDisplayTest, WreckShowsOnlyTorsoAndLegs) {
    robot.modelState = Robot::DESTROYED;
    drawRobot();
    EXPECT_FALSE(litAt(0, 14));
    EXPECT_TRUE(litAt(0, 0));
    EXPECT_FALSE(litAt(-9, 8));
    EXPECT_FALSE(litAt(9, 8));
    EXPECT_TRUE(litAt(0, -9));

    robot.modelState = 3;  // no such state: nothing at all
    drawRobot();
    EXPECT_EQ(brightestIn(0, 0, 1024, 768), 0);
}

TEST_F(RobotDrawingDisplayTest, FacingTurnsTheRobotAboutTheVerticalAxis) {
    robot.facing = 1;  // east: the arms now stand in front of and behind the body
    drawRobot();
    EXPECT_FALSE(litAt(-9, 8));
    EXPECT_FALSE(litAt(9, 8));
    EXPECT_TRUE(litAt(0, 8));
    EXPECT_TRUE(litAt(0, 14));
}

}  // namespace
