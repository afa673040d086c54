#include "gfx/ModelBatch.h"

#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/Mode2D.h"
#include "gfx/Model.h"

namespace {
ModelBatch* openBatch = nullptr;
}

ModelBatch* ModelBatch::active() {
    return openBatch;
}

ModelBatch::ModelBatch(bool shared) {
    suspend2DMode();
    if (shared && openBatch) return;  // joins the open one
    if (!GlContext::available() || !GlExtensions::initialised || !GlExtensions::glClientActiveTextureARB ||
        Model::drawingPath != Model::ARRAYS)
        return;
    open = true;
    this->shared = shared;
    if (shared) openBatch = this;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_LIGHTING);
    GlExtensions::glBindProgramARB(GL_VERTEX_PROGRAM_ARB, GlExtensions::vertexProgram);
    glEnable(GL_VERTEX_PROGRAM_ARB);

    // What unit 1 shows for a model whose first mesh has no material: the caller's texturing.
    GLint bound = 0;
    GlExtensions::glActiveTextureARB(GL_TEXTURE1_ARB);
    unit = GL_TEXTURE1_ARB;
    callersUnit1On = unit1On = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    callersUnit1Texture = unit1Texture = GLuint(bound);

    // Client state is not saved with the rest: the destructor turns these off again.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    GlExtensions::glClientActiveTextureARB(GL_TEXTURE1_ARB);
}

ModelBatch::~ModelBatch() {
    if (!open) return;
    if (coordArrayOn) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    GlExtensions::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopAttrib();
    if (shared) openBatch = nullptr;
}

void ModelBatch::activeUnit(GLenum wanted) {
    if (unit == wanted) return;
    GlExtensions::glActiveTextureARB(wanted);
    unit = wanted;
}

void ModelBatch::light(const Vector3& direction) {
    const float value[3] = {float(direction.x), float(direction.y), float(direction.z)};
    if (lightSet && value[0] == lastLight[0] && value[1] == lastLight[1] && value[2] == lastLight[2]) return;
    GlExtensions::glProgramEnvParameter4fARB(GL_VERTEX_PROGRAM_ARB, 0, value[0], value[1], value[2], 0.0f);
    lightSet = true;
    for (int i = 0; i < 3; ++i) lastLight[i] = value[i];
}

void ModelBatch::shading(bool celShading) {
    if (celShading == rampOn) return;
    activeUnit(GL_TEXTURE0_ARB);
    if (celShading) {
        glBindTexture(GL_TEXTURE_1D, GlExtensions::shadingRamp);
        glEnable(GL_TEXTURE_1D);
    } else {
        glDisable(GL_TEXTURE_1D);
    }
    rampOn = celShading;
}

void ModelBatch::colour(float red, float green, float blue) {
    if (colourSet && red == lastColour[0] && green == lastColour[1] && blue == lastColour[2]) return;
    glColor3f(red, green, blue);
    colourSet = true;
    lastColour[0] = red;
    lastColour[1] = green;
    lastColour[2] = blue;
}

void ModelBatch::texture(GLuint name) {
    if (name == 0) {
        if (!unit1On) return;
        activeUnit(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        unit1On = false;
        return;
    }
    if (unit1Texture != name) {
        activeUnit(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, name);
        unit1Texture = name;
    }
    if (!unit1On) {
        activeUnit(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        unit1On = true;
    }
}

void ModelBatch::callersTexture() {
    if (unit1Texture != callersUnit1Texture) {
        activeUnit(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, callersUnit1Texture);
        unit1Texture = callersUnit1Texture;
    }
    if (unit1On != callersUnit1On) {
        activeUnit(GL_TEXTURE1_ARB);
        if (callersUnit1On)
            glEnable(GL_TEXTURE_2D);
        else
            glDisable(GL_TEXTURE_2D);
        unit1On = callersUnit1On;
    }
}

void ModelBatch::arrays(const float* positions, const float* normals, const float* textureCoords) {
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glNormalPointer(GL_FLOAT, 0, normals);
    glTexCoordPointer(2, GL_FLOAT, 0, textureCoords);
}

void ModelBatch::textureCoordArray(bool on) {
    if (on == coordArrayOn) return;
    if (on)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    else
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    coordArrayOn = on;
}

void ModelBatch::endFilledPass() {
    activeUnit(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    unit1On = false;
    activeUnit(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_1D);
    rampOn = false;
    glDisable(GL_VERTEX_PROGRAM_ARB);
}
