#pragma once
// Builds the triangles of a model from solid primitives. Each primitive is made in its own local
// space (centred on the origin, its axis along y), then scaled, turned and moved into model space.
// Corner normals are the face normals, or smooth ones for round surfaces; texture coordinates are
// box-mapped per face from the model-space position, one texture repeat every `tile` units, so
// that neighbouring faces and neighbouring tiles line up.

#include "Ms3dModel.h"

#include <array>
#include <map>
#include <tuple>

using Vec3d = std::array<double, 3>;

struct Placement {
    Vec3d position{0.0, 0.0, 0.0};
    Vec3d rotation{0.0, 0.0, 0.0};  // radians, turned as the game turns joints: x, then y, then z
    Vec3d scale{1.0, 1.0, 1.0};
};

struct Surface {
    int material = -1;
    int bone = -1;
    double tile = 8.0;  // model units per texture repeat
    bool smooth = false;
};

enum class Axis { X, Y, Z };

class MeshBuilder {
public:
    explicit MeshBuilder(Ms3dModel& model) : model_(model) {}

    // size: width (x), height (y), depth (z).
    void addBox(const Vec3d& size, const Placement& place, const Surface& surface);
    // A ramp: full depth at the bottom, rising to full height at the back (-z).
    void addWedge(const Vec3d& size, const Placement& place, const Surface& surface);
    // A cylinder, frustum (radiusTop differs) or cone (radiusTop 0) with `sides` sides, along axis.
    void addCylinder(double radiusBottom, double radiusTop, double height, int sides, Axis axis,
                     const Placement& place, const Surface& surface);
    void addSphere(double radius, int sides, int rings, const Placement& place, const Surface& surface);

    // Sorts the triangles into one group per material used; call once after the last primitive.
    void finish();

private:
    // One flat or smooth polygon in local space, corners counter-clockwise seen from outside.
    void addPolygon(const std::vector<Vec3d>& corners, const std::vector<Vec3d>* normals,
                    const Placement& place, const Surface& surface, Axis axis);
    uint16_t vertexIndex(const Vec3d& position, int bone);

    Ms3dModel& model_;
    std::map<std::tuple<int, float, float, float>, uint16_t> vertexLookup_;
    std::vector<int> triangleMaterials_;
};
