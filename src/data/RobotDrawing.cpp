// A robot drawn from its parts' models, in model units (the map scales it by 0.1).

#include <GL/gl.h>

#include "data/Component.h"
#include "data/ComponentType.h"
#include "data/Robot.h"
#include "gfx/GlContext.h"
#include "gfx/ModelBatch.h"

namespace {

void drawPart(const Robot& robot, int slot, float dx, float dy, float scale) {
    const Component* part = robot.components[slot].get();
    if (!part) return;
    glPushMatrix();
    glTranslatef(dx, dy, 0);
    glScalef(scale, scale, scale);
    part->drawModel(0);
    glPopMatrix();
}

}  // namespace

void Robot::draw() const {
    if (!GlContext::available()) return;
    ModelBatch batch;  // its parts share the models' drawing state
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glRotatef(90.0f * facing, 0, 1, 0);
    if (modelState == INTACT) {
        drawPart(*this, HEAD, 0, 14, 0.5f);
        drawPart(*this, TORSO, 0, 0, 1);
        drawPart(*this, RIGHTARM, -9, 8, 0.9f);
        drawPart(*this, LEFTARM, 9, 8, 0.9f);
        // A torso hides the reactor; it shows only on a robot still being built.
        if (!components[TORSO]) drawPart(*this, REACTOR, 0, 8, 0.5f);
        drawPart(*this, LEGS, 0, -9, 1);
    } else if (modelState == DESTROYED) {
        drawPart(*this, TORSO, 0, 0, 1);
        drawPart(*this, LEGS, 0, -9, 1);
    }
    glPopMatrix();
}
