#include "gfx/Camera.h"

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

#include "gfx/GlContext.h"

namespace {

const double degreesToRadians = 3.14159265359 / 180.0;

}  // namespace

Camera::Camera(const Vector3& target, double distance, double yaw, double polar, bool flag)
    : target(target), distance(distance), yaw(yaw), polar(polar), homeTarget(target), homeDistance(distance),
      homeYaw(yaw), homePolar(polar), flag(flag) {}

void Camera::setHomeView(const Vector3& newTarget, double newDistance, double newYaw, double newPolar) {
    target = homeTarget = newTarget;
    distance = homeDistance = newDistance;
    yaw = homeYaw = newYaw;
    polar = homePolar = newPolar;
}

void Camera::handleEvent(SDL_Event event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return;
    bool pressed = event.type == SDL_KEYDOWN;
    SDLKey key = event.key.keysym.sym;

    if (key == SDLK_KP5) {
        if (pressed) {
            target = homeTarget;
            distance = homeDistance;
            yaw = homeYaw;
            polar = homePolar;
        }
        return;
    }

    // Num Lock alone moves the target; any other state (Caps Lock too) moves the view.
    bool moveTarget = event.key.keysym.mod == KMOD_NUM;
    double* speed = nullptr;
    double value = 0;
    switch (key) {
    case SDLK_KP4:
        speed = moveTarget ? &sideSpeed : &turnSpeed;
        value = moveTarget ? -0.5 : -1;
        break;
    case SDLK_KP6:
        speed = moveTarget ? &sideSpeed : &turnSpeed;
        value = moveTarget ? 0.5 : 1;
        break;
    case SDLK_KP8:
        speed = moveTarget ? &forwardSpeed : &tiltSpeed;
        value = moveTarget ? 0.5 : -1;
        break;
    case SDLK_KP2:
        speed = moveTarget ? &forwardSpeed : &tiltSpeed;
        value = moveTarget ? -0.5 : 1;
        break;
    case SDLK_KP9:
        speed = moveTarget ? &liftSpeed : &zoomSpeed;
        value = 0.5;
        break;
    case SDLK_KP7:
        speed = moveTarget ? &liftSpeed : &zoomSpeed;
        value = -0.5;
        break;
    default:
        return;
    }
    *speed = pressed ? value : 0;
}

void Camera::advance() {
    double yawRad = (yaw + 90) * degreesToRadians;
    double polarRad = polar * degreesToRadians;

    Vector3 side = Vector3(std::cos(yawRad), 0, -std::sin(yawRad)).normalized();
    target.x += side.x * sideSpeed;
    target.z += side.z * sideSpeed;

    if (target.y + liftSpeed >= 5 && target.y + liftSpeed <= 30) target.y += liftSpeed;

    // Straight down, the first form is the zero vector; the second still points up the screen.
    Vector3 forward =
        polarRad > 0
            ? -Vector3(std::sin(yawRad) * std::sin(polarRad), 0, std::cos(yawRad) * std::sin(polarRad))
                   .normalized()
            : -Vector3(std::sin(yawRad) * std::cos(polarRad), 0, std::cos(yawRad) * std::cos(polarRad))
                   .normalized();
    target.x += forward.x * forwardSpeed;
    target.z += forward.z * forwardSpeed;

    yaw += turnSpeed;
    if (distance + zoomSpeed >= 10 && distance + zoomSpeed <= 65) distance += zoomSpeed;
    if (polar + tiltSpeed >= 0 && polar + tiltSpeed <= 90) polar += tiltSpeed;

    yawRad = (yaw + 90) * degreesToRadians;
    polarRad = polar * degreesToRadians;
    eyePosition = target + distance * Vector3(std::sin(yawRad) * std::sin(polarRad), std::cos(polarRad),
                                              std::cos(yawRad) * std::sin(polarRad));
    upVector = Vector3(-std::sin(yawRad) * std::cos(polarRad), std::sin(polarRad),
                       -std::cos(yawRad) * std::cos(polarRad));
}

void Camera::apply() {
    advance();
    if (!GlContext::available()) return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eyePosition.x, eyePosition.y, eyePosition.z, target.x, target.y, target.z, upVector.x,
              upVector.y, upVector.z);
}
