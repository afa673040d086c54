#pragma once
// Model geometry kept as OpenGL display lists. A mesh whose vertices never move (they hang from
// no joint, or only from joints that neither have keyframes nor hang from one that has: all of
// most terrain tiles, the ground under swaying trees) sends the same vertices every frame; it is
// compiled once, one list for the filled pass and one for the outline pass, and replayed. Meshes
// that move are sent from vertex arrays each frame. Only the geometry goes into the lists: the
// vertex program, light, colours and textures are still set around them, so the picture is the
// same. Lists belong to the context
// that made them: clear() deletes them before it goes, forget() drops them once it has gone.

#include <cstddef>
#include <unordered_map>
#include <vector>

#include <GL/gl.h>

// The display lists compiled for one model: for a still mesh i, base + i is its filled pass and
// base + meshCount + i its outline pass. textureCoords records which meshes were compiled with
// texture coordinates.
struct CompiledGeometry {
    GLuint base = 0;
    std::size_t meshCount = 0;
    std::vector<bool> still;
    std::vector<bool> textureCoords;

    GLsizei listCount() const { return static_cast<GLsizei>(2 * meshCount); }
};

class GeometryCache {
public:
    // Switch for the frame benchmark and the same-picture test: off, every mesh of every model
    // is sent anew every frame.
    static bool enabled;

    // A model's lists by its owner number, or null when none are kept.
    static const CompiledGeometry* find(unsigned long owner);
    // Keeps lists made for the owner (replacing and deleting any it had).
    static void keep(unsigned long owner, const CompiledGeometry& geometry);
    // Deletes the owner's lists, if any (their context is still current whenever any are kept).
    static void release(unsigned long owner);
    // A fresh owner number for a model that is about to compile its lists.
    static unsigned long newOwner();

    // Deletes every kept list (needs the GL context that made them).
    static void clear();
    // Drops the lists without touching GL: for when the context they lived in is gone.
    static void forget();
    static std::size_t size();
    // Display lists compiled since the program started: a still screen with the cache on adds none.
    static unsigned long compilations();

private:
    static std::unordered_map<unsigned long, CompiledGeometry>& entries();
    static unsigned long& compileCount();
};

// A model's claim on its kept lists. Copies start without lists (they compile their own), and
// the lists go with the model.
class GeometryHandle {
public:
    unsigned long owner = 0;
    bool nothingStill = false;  // every mesh moves: no lists to make

    GeometryHandle() = default;
    GeometryHandle(const GeometryHandle&) {}
    GeometryHandle& operator=(const GeometryHandle&) {
        drop();
        return *this;
    }
    ~GeometryHandle() { drop(); }
    // Deletes the lists, for when the geometry they hold has changed.
    void drop() {
        if (owner != 0) GeometryCache::release(owner);
        owner = 0;
        nothingStill = false;
    }
};
