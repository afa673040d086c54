#pragma once
// An orbiting viewpoint steered with the numeric keypad: it looks at `target` from `distance`,
// turned by `yaw` about the vertical axis and tilted `polar` degrees down from straight overhead.
// With exactly Num Lock on, keypad 4/6/8/2/9/7 move the target sideways, forward and up/down;
// with any other modifier state they turn, tilt and zoom. Keypad 5 returns to the home view.
// A press sets a speed and the release clears it; apply() adds the speeds once per frame.

#include <SDL/SDL.h>

#include "gfx/Vector3.h"

class Camera {
public:
    Vector3 target;
    double distance = 0;  // kept within 10..65 by the zoom
    double yaw = 0;       // degrees, unbounded
    double polar = 0;     // degrees from straight down, kept within 0..90 by the tilt
    Vector3 eyePosition;  // from the last apply()
    Vector3 upVector;     // from the last apply()
    double sideSpeed = 0;
    double liftSpeed = 0;
    double forwardSpeed = 0;
    double turnSpeed = 0;
    double tiltSpeed = 0;
    double zoomSpeed = 0;
    Vector3 homeTarget;
    double homeDistance = 0;
    double homeYaw = 0;
    double homePolar = 0;
    bool flag = true;  // kept with the camera; nothing reads it

    Camera(const Vector3& target, double distance, double yaw, double polar, bool flag = true);

    // Sets the view and makes it the home view that keypad 5 returns to. A screen that shows a
    // different scene than it was built for uses this, so keypad 5 never lands on a view with
    // the eye on the target that the zoom cannot leave.
    void setHomeView(const Vector3& target, double distance, double yaw, double polar);

    // Key presses and releases only; changes state, never calls OpenGL.
    void handleEvent(SDL_Event event);
    // One frame of movement, then the view loaded into the model-view matrix.
    void apply();
    // The movement and the eye/up computation of apply() without touching OpenGL.
    void advance();

    Vector3 eye() const { return eyePosition; }
    Vector3 up() const { return upVector; }
};
