#include "MeshBuilder.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr double pi = 3.14159265358979323846;

Vec3d add(const Vec3d& a, const Vec3d& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
Vec3d sub(const Vec3d& a, const Vec3d& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double length(const Vec3d& a) {
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}
Vec3d normalized(const Vec3d& a) {
    double l = length(a);
    return l > 0.0 ? Vec3d{a[0] / l, a[1] / l, a[2] / l} : Vec3d{0.0, 1.0, 0.0};
}

// Rx(ax) * Ry(ay) * Rz(az) applied to v: the game's own Euler convention.
Vec3d rotate(const Vec3d& r, const Vec3d& v) {
    double cx = std::cos(r[0]), sx = std::sin(r[0]);
    double cy = std::cos(r[1]), sy = std::sin(r[1]);
    double cz = std::cos(r[2]), sz = std::sin(r[2]);
    Vec3d a{v[0] * cz - v[1] * sz, v[0] * sz + v[1] * cz, v[2]};   // about z
    Vec3d b{a[0] * cy + a[2] * sy, a[1], -a[0] * sy + a[2] * cy};  // about y
    return {b[0], b[1] * cx - b[2] * sx, b[1] * sx + b[2] * cx};   // about x
}

// Lays a primitive built along y onto the wanted axis (proper rotations, so faces stay outward).
Vec3d toAxis(Axis axis, const Vec3d& v) {
    switch (axis) {
    case Axis::X:
        return {v[1], -v[0], v[2]};
    case Axis::Z:
        return {v[0], -v[2], v[1]};
    case Axis::Y:
        break;
    }
    return v;
}

Vec3d placePoint(const Placement& p, Axis axis, const Vec3d& local) {
    Vec3d v = toAxis(axis, local);
    v = {v[0] * p.scale[0], v[1] * p.scale[1], v[2] * p.scale[2]};
    return add(rotate(p.rotation, v), p.position);
}

// Normals follow the inverse scale so that they stay perpendicular to squashed faces.
Vec3d placeNormal(const Placement& p, Axis axis, const Vec3d& local) {
    Vec3d v = toAxis(axis, local);
    v = {v[0] / p.scale[0], v[1] / p.scale[1], v[2] / p.scale[2]};
    return normalized(rotate(p.rotation, v));
}

// Box mapping: project on the plane the face looks most along, keeping the picture upright on
// walls (t grows downwards, as images are stored) and unmirrored seen from outside.
std::array<double, 2> boxMap(const Vec3d& n, const Vec3d& p, double tile) {
    double ax = std::fabs(n[0]), ay = std::fabs(n[1]), az = std::fabs(n[2]);
    double s, t;
    if (ay >= ax && ay >= az) {
        s = p[0];
        t = p[2];
    } else if (ax >= az) {
        s = n[0] > 0 ? -p[2] : p[2];
        t = -p[1];
    } else {
        s = n[2] > 0 ? p[0] : -p[0];
        t = -p[1];
    }
    return {s / tile + 0.5, t / tile + 0.5};
}

std::array<float, 3> toFloats(const Vec3d& v) {
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

void checkPositive(double value, const char* what) {
    if (!(value > 0.0) || !std::isfinite(value))
        throw std::runtime_error(std::string(what) + " must be a positive number");
}

}  // namespace

uint16_t MeshBuilder::vertexIndex(const Vec3d& position, int bone) {
    std::array<float, 3> p = toFloats(position);
    auto key = std::make_tuple(bone, p[0], p[1], p[2]);
    auto found = vertexLookup_.find(key);
    if (found != vertexLookup_.end()) return found->second;
    if (model_.vertices.size() >= 65535) throw std::runtime_error("too many vertices (at most 65535)");
    uint16_t index = static_cast<uint16_t>(model_.vertices.size());
    model_.vertices.push_back(Ms3dVertex{p, bone});
    vertexLookup_.emplace(key, index);
    return index;
}

void MeshBuilder::addPolygon(const std::vector<Vec3d>& corners, const std::vector<Vec3d>* normals,
                             const Placement& place, const Surface& surface, Axis axis) {
    std::vector<Vec3d> points;
    for (const Vec3d& c : corners) points.push_back(placePoint(place, axis, c));
    // A mirroring scale turns the faces inside out; walk the corners the other way round.
    int flips = (place.scale[0] < 0) + (place.scale[1] < 0) + (place.scale[2] < 0);
    bool mirrored = flips % 2 == 1;
    std::vector<size_t> order;
    for (size_t i = 0; i < points.size(); ++i) order.push_back(mirrored ? points.size() - 1 - i : i);

    // Newell's method: the face normal of a possibly slightly uneven polygon.
    Vec3d faceNormal{0.0, 0.0, 0.0};
    for (size_t i = 0; i < order.size(); ++i) {
        const Vec3d& a = points[order[i]];
        const Vec3d& b = points[order[(i + 1) % order.size()]];
        faceNormal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        faceNormal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        faceNormal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    if (length(faceNormal) < 1e-12) return;  // a face with no area shows nothing
    faceNormal = normalized(faceNormal);

    for (size_t k = 1; k + 1 < order.size(); ++k) {
        std::array<size_t, 3> idx{order[0], order[k], order[k + 1]};
        Vec3d edge = cross(sub(points[idx[1]], points[idx[0]]), sub(points[idx[2]], points[idx[0]]));
        if (length(edge) < 1e-12) continue;  // the pinched corner of a cone
        Ms3dTriangle tri;
        for (int c = 0; c < 3; ++c) {
            const Vec3d& p = points[idx[c]];
            tri.vertices[c] = vertexIndex(p, surface.bone);
            Vec3d n = normals ? placeNormal(place, axis, (*normals)[idx[c]]) : faceNormal;
            tri.normals[c] = toFloats(n);
            std::array<double, 2> st = boxMap(faceNormal, p, surface.tile);
            tri.s[c] = static_cast<float>(st[0]);
            tri.t[c] = static_cast<float>(st[1]);
        }
        tri.smoothingGroup = normals ? 1 : 0;
        if (model_.triangles.size() >= 65535) throw std::runtime_error("too many triangles (at most 65535)");
        model_.triangles.push_back(tri);
        triangleMaterials_.push_back(surface.material);
    }
}

void MeshBuilder::addBox(const Vec3d& size, const Placement& place, const Surface& surface) {
    for (double d : size) checkPositive(d, "box size");
    double x = size[0] / 2, y = size[1] / 2, z = size[2] / 2;
    const std::vector<std::vector<Vec3d>> faces = {
        {{-x, -y, z}, {x, -y, z}, {x, y, z}, {-x, y, z}},      // front (+z)
        {{x, -y, -z}, {-x, -y, -z}, {-x, y, -z}, {x, y, -z}},  // back
        {{x, -y, z}, {x, -y, -z}, {x, y, -z}, {x, y, z}},      // +x
        {{-x, -y, -z}, {-x, -y, z}, {-x, y, z}, {-x, y, -z}},  // -x
        {{-x, y, z}, {x, y, z}, {x, y, -z}, {-x, y, -z}},      // top
        {{-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}},  // bottom
    };
    for (const auto& f : faces) addPolygon(f, nullptr, place, surface, Axis::Y);
}

void MeshBuilder::addWedge(const Vec3d& size, const Placement& place, const Surface& surface) {
    for (double d : size) checkPositive(d, "wedge size");
    double x = size[0] / 2, y = size[1] / 2, z = size[2] / 2;
    const std::vector<std::vector<Vec3d>> faces = {
        {{x, -y, -z}, {-x, -y, -z}, {-x, y, -z}, {x, y, -z}},  // back wall
        {{-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}},  // bottom
        {{-x, -y, z}, {x, -y, z}, {x, y, -z}, {-x, y, -z}},    // slope
        {{x, -y, z}, {x, -y, -z}, {x, y, -z}},                 // +x side
        {{-x, -y, -z}, {-x, -y, z}, {-x, y, -z}},              // -x side
    };
    for (const auto& f : faces) addPolygon(f, nullptr, place, surface, Axis::Y);
}

void MeshBuilder::addCylinder(double radiusBottom, double radiusTop, double height, int sides, Axis axis,
                              const Placement& place, const Surface& surface) {
    if (!(radiusBottom >= 0.0) || !(radiusTop >= 0.0) || radiusBottom + radiusTop <= 0.0)
        throw std::runtime_error("cylinder radii must not be negative and not both 0");
    checkPositive(height, "cylinder height");
    if (sides < 3 || sides > 64) throw std::runtime_error("cylinder sides must be 3 to 64");
    double h = height / 2;
    // Corners sit half a step off the axes, so four sides make a square aligned with x and z.
    std::vector<double> sn, cs;
    for (int i = 0; i < sides; ++i) {
        double a = 2.0 * pi * (i + 0.5) / sides;
        sn.push_back(std::sin(a));
        cs.push_back(std::cos(a));
    }
    for (int i = 0; i < sides; ++i) {
        int j = (i + 1) % sides;
        std::vector<Vec3d> quad = {{radiusBottom * sn[i], -h, radiusBottom * cs[i]},
                                   {radiusBottom * sn[j], -h, radiusBottom * cs[j]},
                                   {radiusTop * sn[j], h, radiusTop * cs[j]},
                                   {radiusTop * sn[i], h, radiusTop * cs[i]}};
        if (surface.smooth) {
            double rise = radiusBottom - radiusTop;
            std::vector<Vec3d> normals = {{sn[i] * height, rise, cs[i] * height},
                                          {sn[j] * height, rise, cs[j] * height},
                                          {sn[j] * height, rise, cs[j] * height},
                                          {sn[i] * height, rise, cs[i] * height}};
            addPolygon(quad, &normals, place, surface, axis);
        } else {
            addPolygon(quad, nullptr, place, surface, axis);
        }
    }
    Surface flat = surface;
    flat.smooth = false;
    std::vector<Vec3d> top, bottom;
    for (int i = 0; i < sides; ++i) {
        top.push_back({radiusTop * sn[i], h, radiusTop * cs[i]});
        bottom.push_back({radiusBottom * sn[sides - 1 - i], -h, radiusBottom * cs[sides - 1 - i]});
    }
    if (radiusTop > 0.0) addPolygon(top, nullptr, place, flat, axis);
    if (radiusBottom > 0.0) addPolygon(bottom, nullptr, place, flat, axis);
}

void MeshBuilder::addSphere(double radius, int sides, int rings, const Placement& place,
                            const Surface& surface) {
    checkPositive(radius, "sphere radius");
    if (sides < 3 || sides > 64) throw std::runtime_error("sphere sides must be 3 to 64");
    if (rings < 2 || rings > 32) throw std::runtime_error("sphere rings must be 2 to 32");
    auto at = [&](int ring, int side) {
        double polar = pi * ring / rings;
        double a = 2.0 * pi * (side + 0.5) / sides;
        return Vec3d{std::sin(polar) * std::sin(a), std::cos(polar), std::sin(polar) * std::cos(a)};
    };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < sides; ++s) {
            // Outward from ring r (upper) to ring r + 1 (lower), counter-clockwise seen from outside.
            std::vector<Vec3d> unit = {at(r, s), at(r + 1, s), at(r + 1, s + 1), at(r, s + 1)};
            std::vector<Vec3d> corners;
            for (const Vec3d& u : unit) corners.push_back({u[0] * radius, u[1] * radius, u[2] * radius});
            if (surface.smooth)
                addPolygon(corners, &unit, place, surface, Axis::Y);
            else
                addPolygon(corners, nullptr, place, surface, Axis::Y);
        }
    }
}

void MeshBuilder::finish() {
    model_.groups.clear();
    int lowest = -1, highest = static_cast<int>(model_.materials.size()) - 1;
    for (int m = lowest; m <= highest; ++m) {
        Ms3dGroup group;
        group.material = m;
        group.name = m < 0 ? "plain" : model_.materials[m].name;
        for (size_t i = 0; i < triangleMaterials_.size(); ++i)
            if (triangleMaterials_[i] == m) group.triangles.push_back(static_cast<uint16_t>(i));
        if (group.triangles.empty()) continue;
        if (model_.groups.size() >= 255) throw std::runtime_error("too many groups (at most 255)");
        for (uint16_t t : group.triangles)
            model_.triangles[t].group = static_cast<uint8_t>(model_.groups.size());
        model_.groups.push_back(group);
    }
}
