#pragma once
// The drawing state every model needs (vertex program, shading ramp, depth test, smooth
// shading, vertex and normal arrays), set once around a run of models (a map's tiles, the squads'
// robots) instead of once per model, and the state the models change (light, colour, unit 1's
// texture, texture coordinate array), followed so that each model sets only what differs from
// what the model before it left. The picture is the one each model drawn alone gives: a model
// starts from the caller's unit-1 texturing, as it did when it saved and restored the whole state
// itself. While a batch is open, Model::draw joins it; a model with an outline draws alone.
// Without an OpenGL context or the extensions a batch does nothing.

#include <GL/gl.h>

#include "gfx/Vector3.h"

class ModelBatch {
public:
    // Opens a batch that models drawn until it closes join; inside another batch it joins that one.
    ModelBatch() : ModelBatch(true) {}
    ~ModelBatch();
    ModelBatch(const ModelBatch&) = delete;
    ModelBatch& operator=(const ModelBatch&) = delete;

    // The open batch, or null.
    static ModelBatch* active();

    // Per model: its light direction (the vertex program's env[0]) and whether the shading ramp
    // is on (cel shading).
    void light(const Vector3& direction);
    void shading(bool celShading);
    // Per mesh: its colour, and unit 1's texture (0: texturing off).
    void colour(float red, float green, float blue);
    void texture(GLuint name);
    // Unit 1's texturing as the caller left it: for a model whose first mesh has no material.
    void callersTexture();
    // The arrays of the meshes a model sends itself, and whether the next draw reads the third.
    void arrays(const float* positions, const float* normals, const float* textureCoords);
    void textureCoordArray(bool on);
    // Before an outline pass: texturing and the vertex program off, unit 0 active.
    void endFilledPass();

private:
    friend class Model;
    // A batch of one model, which does not take in the models drawn after it.
    explicit ModelBatch(bool shared);
    void activeUnit(GLenum unit);

    bool open = false;    // this object set the state and restores it
    bool shared = false;  // registered as the open batch
    GLenum unit = 0;      // the active texture unit
    bool rampOn = false;
    bool unit1On = false;
    GLuint unit1Texture = 0;
    bool callersUnit1On = false;
    GLuint callersUnit1Texture = 0;
    bool lightSet = false;
    float lastLight[3] = {0, 0, 0};
    bool colourSet = false;
    float lastColour[3] = {0, 0, 0};
    bool coordArrayOn = false;
};
