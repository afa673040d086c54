#pragma once
// A robot part or terrain tile as loaded from a MilkShape 3D (.ms3d, versions 3 and 4) file:
// mesh, materials and a skeleton that plays the file's one animation in a loop.
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "gfx/GeometryCache.h"
#include "gfx/Matrix.h"
#include "gfx/Timer.h"
#include "gfx/Vector3.h"

struct Vertex {
    Vector3 position;
    int bone = -1;  // index into joints, -1 when it hangs from no joint
};

struct Triangle {
    int vertexIndices[3] = {0, 0, 0};
    Vector3 normals[3];  // one per corner
    Vector3 s;           // the three corners' first texture coordinates
    Vector3 t;           // the three corners' second texture coordinates
};

struct Mesh {
    std::vector<int> triangleIndices;
    int material = -1;  // index into materials, negative for none
};

struct Material {
    float ambient[4] = {0, 0, 0, 0};
    float diffuse[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float emissive[4] = {0, 0, 0, 0};
    float shininess = 0;
    GLuint texture = 0;       // 0 for none
    std::string textureFile;  // as stored in the model, backslashes turned into slashes
    std::string texturePath;  // where the image is looked for, relative to the working directory
};

struct Keyframe {
    int jointIndex = 0;
    float time = 0;                  // milliseconds
    float parameter[3] = {0, 0, 0};  // Euler angles in radians, or an offset
};

struct Joint {
    Matrix relativeRotation;
    Vector3 relativePosition;
    Matrix absoluteRotation;  // rest pose in model space
    Vector3 absolutePosition;
    Matrix finalRotation;  // pose at the current animation time
    Vector3 finalPosition;
    std::vector<Keyframe> rotationKeys;
    std::vector<Keyframe> translationKeys;
    int currentRotationKey = 0;  // where the key search resumes; only moves forward
    int currentTranslationKey = 0;
    int parent = -1;  // always an earlier joint, or -1 for a root
};

class ModelBatch;

class Model {
public:
    // How models hand their geometry over. ARRAYS: the meshes that move (or every mesh, with
    // the geometry cache off) as one vertex-array draw each, from arrays the model fills once per
    // frame, and the state shared with the models drawn beside it (ModelBatch). IMMEDIATE: every
    // vertex in calls of its own and every model setting and restoring the whole state itself;
    // the same picture, kept for drivers without glClientActiveTextureARB (used then whatever
    // this says) and for the same-picture test.
    enum DrawingPath { ARRAYS, IMMEDIATE };
    static DrawingPath drawingPath;

    bool celShading = true;
    bool outline = false;
    bool looping = true;
    Vector3 lightDirection{1, 0, 0};
    std::string modelFileName;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Joint> joints;
    Timer timer;
    double totalTime = 0;  // milliseconds

    // Loads the file (its result is reported on the console, not returned). The first model built
    // while an OpenGL context exists also sets up the extensions and the vertex program.
    explicit Model(const std::string& fileName);

    // Reads the whole file; true when it was read completely. Any failure prints one line and
    // leaves the model empty, so it draws nothing.
    bool load(const std::string& fileName);
    // The same from bytes already in memory; material textures are looked up beside modelFileName.
    bool loadFromBuffer(const unsigned char* data, std::size_t size);

    std::string fileName() const;

    // Rest poses in model space, and every bound vertex moved into its joint's rest frame.
    void setupJoints();

    // Every joint back to its rest pose and the clock restarted from 0.
    void restart();
    // Poses every joint for the clock's current time.
    void animate();
    // Poses every joint for time t in milliseconds (restarting when t passes the end).
    void animate(int t);
    // Animates, then draws at the current model-view matrix. Needs the extensions set up.
    void draw();
    // True when no joint has keyframes: every frame draws the same vertices.
    bool poseIsFixed() const;
    // Per mesh, whether its vertices stay put: each hangs from no joint or from one that, like
    // all its ancestors, has no keyframes. GeometryCache keeps these meshes.
    std::vector<bool> stillMeshes() const;

    // The image file a material's texture path names: "../" paths are relative to the working
    // directory, other relative paths to the model file's own folder.
    static std::string resolveTexturePath(const std::string& modelFile, const std::string& textureFile);
    // A mipmapped texture for the material image at textureFile, or 0 (reported) when it cannot be
    // read. Without an OpenGL context nothing is read and the result is 0.
    GLuint loadMaterialTexture(const std::string& textureFile) const;

private:
    void clear();
    bool fail(const char* message);
    GeometryHandle geometry;  // display lists of the meshes that stay put (stillMeshes)

    void drawMeshTriangles(const Mesh& mesh, bool sendTextureCoords) const;
    // Per mesh, whether it sends texture coordinates: from the first textured one on.
    std::vector<bool> textureCoordMeshes() const;
    void drawImmediate();
    void drawFilled(ModelBatch& batch, const std::vector<bool>& textureCoords,
                    const CompiledGeometry* compiled);
    void drawOutline(const CompiledGeometry* compiled);
    // Fills the arrays with every mesh not drawn from a kept list, posed; meshFirst[i] is where
    // mesh i starts.
    void fillArrays(const CompiledGeometry* compiled);
    std::vector<float> arrayPositions;
    std::vector<float> arrayNormals;
    std::vector<float> arrayTextureCoords;
    std::vector<GLint> meshFirst;
    // The kept lists, compiled now if there are none or they were made for other texture
    // coordinates; null when the cache is off, there is no context or every mesh moves.
    const CompiledGeometry* compiledGeometry(const std::vector<bool>& textureCoords);
};

// Diagnostic listing: vertices, triangles, meshes and joints with their keyframes.
std::ostream& operator<<(std::ostream& out, const Model& model);
