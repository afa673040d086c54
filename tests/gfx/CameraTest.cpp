#include <gtest/gtest.h>

#include "../support/KeyEvent.h"
#include "gfx/Camera.h"

namespace {

void press(Camera& camera, SDLKey key, int mod = KMOD_NONE) {
    camera.handleEvent(keyEvent(key, SDL_KEYDOWN, mod));
}

void release(Camera& camera, SDLKey key, int mod = KMOD_NONE) {
    camera.handleEvent(keyEvent(key, SDL_KEYUP, mod));
}

Camera titleCamera() {
    return Camera(Vector3(30, 10, 20), 30, -60, 45, true);
}

TEST(CameraTest, StraightDownViewLooksFromAboveWithTopOfScreenTowardsMinusZ) {
    Camera camera(Vector3(30, 5, 25), 60, -90, 0, true);
    camera.advance();
    EXPECT_NEAR(camera.eye().x, 30, 1e-9);
    EXPECT_NEAR(camera.eye().y, 65, 1e-9);
    EXPECT_NEAR(camera.eye().z, 25, 1e-9);
    EXPECT_NEAR(camera.up().x, 0, 1e-9);
    EXPECT_NEAR(camera.up().y, 0, 1e-9);
    EXPECT_NEAR(camera.up().z, -1, 1e-9);
}

TEST(CameraTest, ViewKeysWithoutNumLockTurnTiltAndZoom) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP4);
    press(camera, SDLK_KP2);
    press(camera, SDLK_KP7);
    EXPECT_EQ(camera.turnSpeed, -1);
    EXPECT_EQ(camera.tiltSpeed, 1);
    EXPECT_EQ(camera.zoomSpeed, -0.5);
    EXPECT_EQ(camera.sideSpeed, 0);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.yaw, -61);
    EXPECT_DOUBLE_EQ(camera.polar, 46);
    EXPECT_DOUBLE_EQ(camera.distance, 29.5);
    release(camera, SDLK_KP4);
    release(camera, SDLK_KP2);
    release(camera, SDLK_KP7);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.yaw, -61);
    EXPECT_DOUBLE_EQ(camera.polar, 46);
    EXPECT_DOUBLE_EQ(camera.distance, 29.5);

    press(camera, SDLK_KP6);
    press(camera, SDLK_KP8);
    press(camera, SDLK_KP9);
    EXPECT_EQ(camera.turnSpeed, 1);
    EXPECT_EQ(camera.tiltSpeed, -1);
    EXPECT_EQ(camera.zoomSpeed, 0.5);
}

TEST(CameraTest, ZoomStopsAtItsLimitsWithoutShorteningAStep) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP9);
    for (int i = 0; i < 200; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.distance, 65);

    camera.distance = 64.8;
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.distance, 64.8);

    // A distance set beyond the range cannot be zoomed at all.
    camera.distance = 70;
    release(camera, SDLK_KP9);
    press(camera, SDLK_KP7);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.distance, 70);

    camera.distance = 12;
    for (int i = 0; i < 10; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.distance, 10);
}

TEST(CameraTest, TiltStaysBetweenStraightDownAndTheHorizon) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP2);
    for (int i = 0; i < 100; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.polar, 90);
    release(camera, SDLK_KP2);
    press(camera, SDLK_KP8);
    for (int i = 0; i < 100; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.polar, 0);
}

TEST(CameraTest, NumLockAloneMovesTheTarget) {
    Camera camera(Vector3(30, 5, 25), 60, -90, 0, true);
    press(camera, SDLK_KP8, KMOD_NUM);
    EXPECT_EQ(camera.forwardSpeed, 0.5);
    EXPECT_EQ(camera.tiltSpeed, 0);
    camera.advance();
    // Up the screen in the straight-down view.
    EXPECT_NEAR(camera.target.x, 30, 1e-9);
    EXPECT_NEAR(camera.target.z, 24.5, 1e-9);
    release(camera, SDLK_KP8, KMOD_NUM);

    press(camera, SDLK_KP6, KMOD_NUM);
    camera.advance();
    EXPECT_NEAR(camera.target.x, 30.5, 1e-9);
    EXPECT_NEAR(camera.target.z, 24.5, 1e-9);
    release(camera, SDLK_KP6, KMOD_NUM);

    press(camera, SDLK_KP9, KMOD_NUM);
    EXPECT_EQ(camera.liftSpeed, 0.5);
    EXPECT_EQ(camera.zoomSpeed, 0);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.target.y, 5.5);
    EXPECT_DOUBLE_EQ(camera.distance, 60);
}

TEST(CameraTest, LiftKeepsTargetHeightWithinRange) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP9, KMOD_NUM);
    for (int i = 0; i < 100; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.target.y, 30);
    release(camera, SDLK_KP9, KMOD_NUM);
    press(camera, SDLK_KP7, KMOD_NUM);
    for (int i = 0; i < 100; ++i) camera.advance();
    EXPECT_DOUBLE_EQ(camera.target.y, 5);

    // Starting below the range, a step of 0.5 never lands inside it.
    Camera ground(Vector3(0, 0, 0), 40, -45, 90, true);
    press(ground, SDLK_KP9, KMOD_NUM);
    for (int i = 0; i < 50; ++i) ground.advance();
    EXPECT_DOUBLE_EQ(ground.target.y, 0);
}

TEST(CameraTest, NumLockWithAnyOtherModifierMovesTheView) {
    for (int mod : {KMOD_NUM | KMOD_CAPS, KMOD_NUM | KMOD_LSHIFT, int(KMOD_CAPS), int(KMOD_NONE)}) {
        Camera camera = titleCamera();
        press(camera, SDLK_KP4, mod);
        press(camera, SDLK_KP9, mod);
        EXPECT_EQ(camera.turnSpeed, -1) << mod;
        EXPECT_EQ(camera.zoomSpeed, 0.5) << mod;
        EXPECT_EQ(camera.sideSpeed, 0) << mod;
        EXPECT_EQ(camera.liftSpeed, 0) << mod;
    }
}

TEST(CameraTest, ReleaseIsMatchedByTheModifierStateAtRelease) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP4, KMOD_NUM);
    release(camera, SDLK_KP4, KMOD_NONE);  // Num Lock toggled while held
    EXPECT_EQ(camera.sideSpeed, -0.5);
    EXPECT_EQ(camera.turnSpeed, 0);
    press(camera, SDLK_KP4, KMOD_NUM);
    release(camera, SDLK_KP4, KMOD_NUM);
    EXPECT_EQ(camera.sideSpeed, 0);
}

TEST(CameraTest, KeypadFiveRestoresTheHomeViewButKeepsSpeeds) {
    Camera camera = titleCamera();
    press(camera, SDLK_KP6);
    press(camera, SDLK_KP4, KMOD_NUM);
    for (int i = 0; i < 5; ++i) camera.advance();
    camera.distance = 50;
    press(camera, SDLK_KP5, KMOD_NUM | KMOD_CAPS);
    EXPECT_DOUBLE_EQ(camera.target.x, 30);
    EXPECT_DOUBLE_EQ(camera.target.y, 10);
    EXPECT_DOUBLE_EQ(camera.target.z, 20);
    EXPECT_DOUBLE_EQ(camera.distance, 30);
    EXPECT_DOUBLE_EQ(camera.yaw, -60);
    EXPECT_DOUBLE_EQ(camera.polar, 45);
    EXPECT_EQ(camera.turnSpeed, 1);
    EXPECT_EQ(camera.sideSpeed, -0.5);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.yaw, -59);

    camera.yaw = 0;
    release(camera, SDLK_KP5);
    EXPECT_DOUBLE_EQ(camera.yaw, 0);
}

TEST(CameraTest, OtherKeysAndEventsAreIgnored) {
    Camera camera = titleCamera();
    for (SDLKey key : {SDLK_KP1, SDLK_KP3, SDLK_KP0, SDLK_UP, SDLK_8}) press(camera, key);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    camera.handleEvent(motion);
    camera.advance();
    EXPECT_DOUBLE_EQ(camera.yaw, -60);
    EXPECT_DOUBLE_EQ(camera.polar, 45);
    EXPECT_DOUBLE_EQ(camera.distance, 30);
    EXPECT_DOUBLE_EQ(camera.target.x, 30);
    EXPECT_DOUBLE_EQ(camera.target.z, 20);
}

}  // namespace
