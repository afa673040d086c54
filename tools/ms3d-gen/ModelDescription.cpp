#include "ModelDescription.h"

#include "MeshBuilder.h"
#include "storage/ReadFile.h"

#include <yaml-cpp/yaml.h>

#include <cmath>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

constexpr double pi = 3.14159265358979323846;

[[noreturn]] void fail(const YAML::Node& node, const std::string& message) {
    if (node.Mark().is_null()) throw std::runtime_error(message);
    throw std::runtime_error("line " + std::to_string(node.Mark().line + 1) + ": " + message);
}

void allowOnly(const YAML::Node& map, const std::set<std::string>& keys, const std::string& what) {
    if (!map.IsMap()) fail(map, what + " must be a mapping");
    for (const auto& entry : map) {
        std::string key = entry.first.as<std::string>();
        if (!keys.count(key)) fail(entry.first, what + ": unknown key '" + key + "'");
    }
}

double number(const YAML::Node& node, const std::string& what) {
    if (!node.IsScalar()) fail(node, what + " must be a number");
    try {
        double v = node.as<double>();
        if (!std::isfinite(v)) fail(node, what + " must be a finite number");
        return v;
    } catch (const YAML::Exception&) {
        fail(node, what + " must be a number, not '" + node.Scalar() + "'");
    }
}

// An angle in radians, or in degrees when written with a "deg" suffix ("90deg").
double angle(const YAML::Node& node, const std::string& what) {
    if (node.IsScalar()) {
        const std::string& text = node.Scalar();
        if (text.size() > 3 && text.compare(text.size() - 3, 3, "deg") == 0) {
            std::istringstream in(text.substr(0, text.size() - 3));
            double degrees;
            if (in >> degrees && in.eof() && std::isfinite(degrees)) return degrees * pi / 180.0;
            fail(node, what + ": '" + text + "' is not an angle");
        }
    }
    return number(node, what);
}

Vec3d triple(const YAML::Node& node, const std::string& what, bool angles = false) {
    if (!node.IsSequence() || node.size() != 3) fail(node, what + " must be a list of 3 numbers");
    Vec3d v;
    for (size_t i = 0; i < 3; ++i) v[i] = angles ? angle(node[i], what) : number(node[i], what);
    return v;
}

std::array<float, 3> floats(const Vec3d& v) {
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

std::array<float, 4> colour(const YAML::Node& node, const std::string& what) {
    if (!node.IsSequence() || (node.size() != 3 && node.size() != 4))
        fail(node, what + " must be a list of 3 or 4 numbers (red, green, blue, alpha)");
    std::array<float, 4> c{0.0f, 0.0f, 0.0f, 1.0f};
    for (size_t i = 0; i < node.size(); ++i) {
        double v = number(node[i], what);
        if (v < 0.0 || v > 1.0) fail(node[i], what + " values must be between 0 and 1");
        c[i] = static_cast<float>(v);
    }
    return c;
}

std::string text(const YAML::Node& node, const std::string& what) {
    if (!node.IsScalar()) fail(node, what + " must be text");
    return node.Scalar();
}

int integer(const YAML::Node& node, const std::string& what) {
    double v = number(node, what);
    if (v != std::floor(v) || std::fabs(v) > 1e9) fail(node, what + " must be a whole number");
    return static_cast<int>(v);
}

// The quaternion the game makes of a keyframe's Euler angles (through its rotation matrix), so that
// keys can be checked the way the game will interpolate them.
std::array<double, 4> gameQuaternion(const Vec3d& a) {
    double cx = std::cos(a[0]), sx = std::sin(a[0]);
    double cy = std::cos(a[1]), sy = std::sin(a[1]);
    double cz = std::cos(a[2]), sz = std::sin(a[2]);
    double m[3][3] = {{cy * cz, -cy * sz, sy},
                      {sx * sy * cz + cx * sz, -sx * sy * sz + cx * cz, -sx * cy},
                      {-cx * sy * cz + sx * sz, cx * sy * sz + sx * cz, cx * cy}};
    double trace = 1 + m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0001) {
        double s = 0.5 / std::sqrt(trace);
        return {0.25 / s, (m[2][1] - m[1][2]) * s, (m[0][2] - m[2][0]) * s, (m[1][0] - m[0][1]) * s};
    }
    if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        double s = 2 * std::sqrt(1 + m[0][0] - m[1][1] - m[2][2]);
        return {(m[2][1] - m[1][2]) / s, 0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s};
    }
    if (m[1][1] > m[0][0]) {
        double s = 2 * std::sqrt(1 + m[1][1] - m[0][0] - m[2][2]);
        return {(m[0][2] - m[2][0]) / s, (m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s};
    }
    double s = 2 * std::sqrt(1 + m[2][2] - m[0][0] - m[1][1]);
    return {(m[1][0] - m[0][1]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s};
}

std::vector<Ms3dKey> keys(const YAML::Node& list, const std::string& what, bool angles, double length) {
    if (!list.IsSequence()) fail(list, what + " must be a list of [seconds, x, y, z] entries");
    std::vector<Ms3dKey> result;
    for (const YAML::Node& entry : list) {
        if (!entry.IsSequence() || entry.size() != 4) fail(entry, what + ": each key is [seconds, x, y, z]");
        double time = number(entry[0], what + " time");
        if (time < 0.0) fail(entry, what + ": key time must not be negative");
        if (time > length + 1e-6)
            fail(entry, what + ": key at " + entry[0].Scalar() + " s lies after the end of the animation");
        if (!result.empty() && time < result.back().time)
            fail(entry, what + ": key times must not go backwards");
        Vec3d value;
        for (size_t i = 0; i < 3; ++i)
            value[i] = angles ? angle(entry[i + 1], what) : number(entry[i + 1], what);
        if (angles && !result.empty()) {
            const Ms3dKey& prev = result.back();
            // A turn of half a turn or more between two keys cannot be told from the shorter turn
            // the other way; the game would take whichever its blending happens to find.
            for (size_t i = 0; i < 3; ++i)
                if (std::fabs(value[i] - prev.value[i]) >= pi - 1e-6)
                    fail(entry, what +
                                    ": this key turns half a turn or more from the one before "
                                    "(add keys in between)");
            // The game blends rotation keys without taking the shorter way round: keys whose
            // turns differ by more than half a turn would swing the part the long way.
            auto a = gameQuaternion({prev.value[0], prev.value[1], prev.value[2]});
            auto b = gameQuaternion(value);
            if (a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3] < 0.0)
                fail(entry, what +
                                ": this key turns more than half a turn away from the one before; "
                                "the game would swing the long way round (add keys in between)");
        }
        result.push_back(Ms3dKey{static_cast<float>(time), floats(value)});
    }
    return result;
}

void readMaterials(const YAML::Node& list, ModelDescription& d, std::vector<double>& tiles) {
    if (!list.IsSequence()) fail(list, "materials must be a list");
    for (const YAML::Node& node : list) {
        allowOnly(node,
                  {"name", "ambient", "diffuse", "specular", "emissive", "shininess", "texture", "tile"},
                  "material");
        if (!node["name"]) fail(node, "material without a name");
        Ms3dMaterial m;
        m.name = text(node["name"], "material name");
        for (const Ms3dMaterial& other : d.model.materials)
            if (other.name == m.name) fail(node, "material " + m.name + " is defined twice");
        if (!node["ambient"]) fail(node, "material " + m.name + " needs an ambient colour");
        m.ambient = colour(node["ambient"], "ambient");
        m.diffuse = node["diffuse"] ? colour(node["diffuse"], "diffuse") : m.ambient;
        if (node["specular"]) m.specular = colour(node["specular"], "specular");
        if (node["emissive"]) m.emissive = colour(node["emissive"], "emissive");
        if (node["shininess"]) m.shininess = static_cast<float>(number(node["shininess"], "shininess"));
        if (node["texture"]) {
            m.texture = text(node["texture"], "texture");
            // The game drops the first three characters ("../") and looks in textures/.
            if (m.texture.compare(0, 12, "../textures/") != 0)
                fail(node["texture"], "texture must be written ../textures/NAME");
        }
        double tile = 8.0;
        if (node["tile"]) {
            tile = number(node["tile"], "tile");
            if (tile <= 0.0) fail(node["tile"], "tile must be above 0");
        }
        if (m.name.size() > 31) fail(node, "material name longer than 31 characters");
        if (m.texture.size() > 127) fail(node, "texture path longer than 127 characters");
        d.model.materials.push_back(m);
        tiles.push_back(tile);
    }
}

void readJoints(const YAML::Node& list, ModelDescription& d, double length) {
    if (!list.IsSequence()) fail(list, "joints must be a list");
    for (const YAML::Node& node : list) {
        allowOnly(node, {"name", "parent", "position", "rotation", "rotation_keys", "translation_keys"},
                  "joint");
        if (!node["name"]) fail(node, "joint without a name");
        Ms3dJoint j;
        j.name = text(node["name"], "joint name");
        if (j.name.empty() || j.name.size() > 31) fail(node, "joint names are 1 to 31 characters");
        for (const Ms3dJoint& other : d.model.joints)
            if (other.name == j.name) fail(node, "joint " + j.name + " is defined twice");
        if (node["parent"]) {
            j.parent = text(node["parent"], "parent");
            bool found = false;
            for (const Ms3dJoint& other : d.model.joints) found = found || other.name == j.parent;
            if (!found)
                fail(node["parent"], "parent " + j.parent + " must be a joint listed before " + j.name);
        }
        if (node["position"]) j.position = floats(triple(node["position"], "joint position"));
        if (node["rotation"]) j.rotation = floats(triple(node["rotation"], "joint rotation", true));
        if (node["rotation_keys"])
            j.rotationKeys = keys(node["rotation_keys"], "joint " + j.name + " rotation keys", true, length);
        if (node["translation_keys"])
            j.translationKeys =
                keys(node["translation_keys"], "joint " + j.name + " translation keys", false, length);
        if (d.model.joints.size() >= 127) fail(node, "too many joints (at most 127)");
        d.model.joints.push_back(j);
    }
}

Axis readAxis(const YAML::Node& node) {
    std::string a = text(node, "axis");
    if (a == "x") return Axis::X;
    if (a == "y") return Axis::Y;
    if (a == "z") return Axis::Z;
    fail(node, "axis must be x, y or z");
}

void readParts(const YAML::Node& list, ModelDescription& d, const std::vector<double>& tiles,
               MeshBuilder& builder) {
    if (!list.IsSequence()) fail(list, "parts must be a list");
    for (const YAML::Node& node : list) {
        allowOnly(node,
                  {"shape", "size", "radius", "radius_top", "height", "sides", "rings", "axis", "position",
                   "rotation", "scale", "material", "joint", "tile", "smooth"},
                  "part");
        if (!node["shape"]) fail(node, "part without a shape");
        std::string shape = text(node["shape"], "shape");

        Placement place;
        if (node["position"]) place.position = triple(node["position"], "position");
        if (node["rotation"]) place.rotation = triple(node["rotation"], "rotation", true);
        if (node["scale"]) {
            if (node["scale"].IsScalar()) {
                double s = number(node["scale"], "scale");
                place.scale = {s, s, s};
            } else {
                place.scale = triple(node["scale"], "scale");
            }
            for (double s : place.scale)
                if (s == 0.0) fail(node["scale"], "scale must not be 0");
        }

        Surface surface;
        if (!node["material"]) fail(node, "part without a material");
        std::string material = text(node["material"], "material");
        surface.material = -1;
        for (size_t i = 0; i < d.model.materials.size(); ++i)
            if (d.model.materials[i].name == material) surface.material = static_cast<int>(i);
        if (surface.material < 0) fail(node["material"], "no material named " + material);
        surface.tile = tiles[surface.material];
        if (node["tile"]) {
            surface.tile = number(node["tile"], "tile");
            if (surface.tile <= 0.0) fail(node["tile"], "tile must be above 0");
        }
        if (node["joint"]) {
            std::string joint = text(node["joint"], "joint");
            for (size_t i = 0; i < d.model.joints.size(); ++i)
                if (d.model.joints[i].name == joint) surface.bone = static_cast<int>(i);
            if (surface.bone < 0) fail(node["joint"], "no joint named " + joint);
        }

        int sides = node["sides"] ? integer(node["sides"], "sides") : 12;
        int rings = node["rings"] ? integer(node["rings"], "rings") : 6;
        Axis axis = node["axis"] ? readAxis(node["axis"]) : Axis::Y;
        surface.smooth = shape != "box" && shape != "wedge" && shape != "pyramid" && sides >= 8;
        if (node["smooth"]) {
            try {
                surface.smooth = node["smooth"].as<bool>();
            } catch (const YAML::Exception&) {
                fail(node["smooth"], "smooth must be true or false");
            }
        }

        auto need = [&](const char* key) {
            if (!node[key]) fail(node, shape + " needs " + key);
            return node[key];
        };
        try {
            if (shape == "box" || shape == "wedge") {
                Vec3d size = triple(need("size"), "size");
                if (shape == "box")
                    builder.addBox(size, place, surface);
                else
                    builder.addWedge(size, place, surface);
            } else if (shape == "cylinder" || shape == "cone" || shape == "pyramid") {
                double radius = number(need("radius"), "radius");
                double top = shape == "cylinder" ? radius : 0.0;
                if (node["radius_top"]) top = number(node["radius_top"], "radius_top");
                if (shape == "pyramid" && !node["sides"]) sides = 4;
                builder.addCylinder(radius, top, number(need("height"), "height"), sides, axis, place,
                                    surface);
            } else if (shape == "sphere") {
                builder.addSphere(number(need("radius"), "radius"), sides, rings, place, surface);
            } else {
                fail(node["shape"],
                     "unknown shape '" + shape + "' (box, wedge, cylinder, cone, pyramid or sphere)");
            }
        } catch (const YAML::Exception& e) {
            fail(node, e.what());
        } catch (const std::runtime_error& e) {
            std::string message = e.what();
            if (message.compare(0, 5, "line ") == 0) throw;
            fail(node, shape + ": " + message);
        }
    }
}

}  // namespace

ModelDescription ModelDescription::fromText(const std::string& source, const std::string& baseDir) {
    YAML::Node root;
    try {
        root = YAML::Load(source);
    } catch (const YAML::Exception& e) {
        throw std::runtime_error(e.what());
    }
    if (root.IsMap() && root["mirror_of"]) {
        allowOnly(root, {"mirror_of"}, "a mirrored model");
        static int depth = 0;  // a chain of mirrors must end somewhere
        if (depth >= 8) fail(root["mirror_of"], "mirror_of chain is too long (or loops)");
        std::string other = text(root["mirror_of"], "mirror_of");
        ++depth;
        try {
            ModelDescription d = fromFile(other.empty() || other[0] == '/' ? other : baseDir + "/" + other);
            --depth;
            d.mirror();
            return d;
        } catch (...) {
            --depth;
            throw;
        }
    }
    allowOnly(root, {"kind", "fps", "frames", "materials", "joints", "parts"}, "model");

    ModelDescription d;
    if (root["kind"]) {
        d.kind = text(root["kind"], "kind");
        static const std::set<std::string> kinds = {"head", "torso",   "left-arm", "right-arm",
                                                    "legs", "reactor", "terrain",  "other"};
        if (!kinds.count(d.kind))
            fail(root["kind"],
                 "kind must be head, torso, left-arm, right-arm, legs, reactor, terrain or other");
    }
    if (root["fps"]) {
        double fps = number(root["fps"], "fps");
        if (fps <= 0.0 || fps > 1000.0) fail(root["fps"], "fps must be above 0 and at most 1000");
        d.model.framesPerSecond = static_cast<float>(fps);
    }
    if (root["frames"]) {
        d.model.totalFrames = integer(root["frames"], "frames");
        if (d.model.totalFrames < 1) fail(root["frames"], "frames must be at least 1");
    }
    double length = d.model.totalFrames / static_cast<double>(d.model.framesPerSecond);

    std::vector<double> tiles;
    if (root["materials"]) readMaterials(root["materials"], d, tiles);
    if (root["joints"]) readJoints(root["joints"], d, length);
    if (!root["parts"]) throw std::runtime_error("a model needs parts");
    MeshBuilder builder(d.model);
    readParts(root["parts"], d, tiles, builder);
    builder.finish();
    return d;
}

ModelDescription ModelDescription::fromFile(const std::string& path) {
    std::string text;
    ReadFileResult read = readWholeFile(path, text, LARGEST_CONTENT_SOURCE, "a model description");
    if (!read.ok()) throw std::runtime_error(path + ": " + read.reason);
    size_t slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
    try {
        return fromText(text, dir);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

double ModelDescription::totalMilliseconds() const {
    return model.totalFrames * 1000.0 / model.framesPerSecond;
}

void ModelDescription::mirror() {
    if (kind == "left-arm")
        kind = "right-arm";
    else if (kind == "right-arm")
        kind = "left-arm";
    for (Ms3dVertex& v : model.vertices) v.position[0] = -v.position[0];
    for (Ms3dTriangle& t : model.triangles) {
        // Reversing the corner order keeps the faces turned outward.
        std::swap(t.vertices[1], t.vertices[2]);
        std::swap(t.normals[1], t.normals[2]);
        std::swap(t.s[1], t.s[2]);
        std::swap(t.t[1], t.t[2]);
        for (auto& n : t.normals) n[0] = -n[0];
        // Flip the pictures back so that markings read the same way on both sides.
        for (float& s : t.s) s = 1.0f - s;
    }
    // A reflection in x leaves turns about x alone and reverses turns about y and z.
    auto mirrorTurn = [](std::array<float, 3>& a) {
        a[1] = -a[1];
        a[2] = -a[2];
    };
    for (Ms3dJoint& j : model.joints) {
        j.position[0] = -j.position[0];
        mirrorTurn(j.rotation);
        for (Ms3dKey& k : j.rotationKeys) mirrorTurn(k.value);
        for (Ms3dKey& k : j.translationKeys) k.value[0] = -k.value[0];
    }
}
