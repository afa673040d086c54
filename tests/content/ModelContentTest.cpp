// Every model the build generates is read back and checked against what the game needs of it:
// a clean load, a sound skeleton, the described animation length, and sizes that fit the robot
// drawing and the map grid.
#include "ModelDescription.h"

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string modelsDir = std::string(GEARWARD_GAME_DIR) + "/models";
const std::string descriptionsDir = std::string(GEARWARD_SOURCE_DIR) + "/content/models";
const std::string databaseDir = std::string(GEARWARD_SOURCE_DIR) + "/content/database";

// A reading of the file as the game's loader reads it, every size checked against the file end.
struct Loaded {
    struct Joint {
        std::string name;
        int parent = -1;
        float rotation[3];
        float position[3];
        std::vector<std::array<float, 4>> rotationKeys, translationKeys;
    };
    std::string error;
    std::vector<std::array<float, 3>> positions;
    std::vector<int> bones;
    size_t triangles = 0;
    std::vector<std::array<int, 3>> corners;
    std::vector<int> groupMaterials;
    std::vector<std::string> textures;
    double totalTime = 0;
    std::vector<Joint> joints;
};

class Reader {
public:
    explicit Reader(std::vector<char> bytes) : b_(std::move(bytes)) {}
    bool has(size_t n) const { return at_ + n <= b_.size(); }
    template <typename T>
    T get() {
        T v;
        std::memcpy(&v, &b_[at_], sizeof v);  // the test machine is little-endian, like the files
        at_ += sizeof v;
        return v;
    }
    std::string text(size_t n) {
        std::string s(&b_[at_], n);
        at_ += n;
        return s.substr(0, s.find('\0'));
    }
    void skip(size_t n) { at_ += n; }
    size_t at_ = 0;

private:
    std::vector<char> b_;
};

Loaded load(const std::string& path) {
    Loaded m;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m.error = "cannot open";
        return m;
    }
    Reader r(std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    auto truncated = [&](const char* where) {
        m.error = std::string("file ends inside the ") + where;
        return m;
    };
    if (!r.has(14)) return truncated("header");
    if (r.text(10) != "MS3D000000" || r.get<int32_t>() != 4) {
        m.error = "bad header";
        return m;
    }
    if (!r.has(2)) return truncated("vertices");
    uint16_t n = r.get<uint16_t>();
    if (!r.has(15u * n)) return truncated("vertices");
    for (int i = 0; i < n; ++i) {
        r.skip(1);
        std::array<float, 3> p{r.get<float>(), r.get<float>(), r.get<float>()};
        m.positions.push_back(p);
        m.bones.push_back(r.get<int8_t>());
        r.skip(1);
    }
    if (!r.has(2)) return truncated("triangles");
    n = r.get<uint16_t>();
    if (!r.has(70u * n)) return truncated("triangles");
    m.triangles = n;
    for (int i = 0; i < n; ++i) {
        r.skip(2);
        std::array<int, 3> c{r.get<uint16_t>(), r.get<uint16_t>(), r.get<uint16_t>()};
        m.corners.push_back(c);
        r.skip(62);
    }
    if (!r.has(2)) return truncated("groups");
    n = r.get<uint16_t>();
    for (int i = 0; i < n; ++i) {
        if (!r.has(35)) return truncated("groups");
        r.skip(33);
        uint16_t count = r.get<uint16_t>();
        if (!r.has(2u * count + 1)) return truncated("groups");
        r.skip(2u * count);
        m.groupMaterials.push_back(r.get<int8_t>());
    }
    if (!r.has(2)) return truncated("materials");
    n = r.get<uint16_t>();
    if (!r.has(361u * n)) return truncated("materials");
    for (int i = 0; i < n; ++i) {
        r.skip(32 + 72 + 1);
        m.textures.push_back(r.text(128));
        r.skip(128);
    }
    if (!r.has(12)) return truncated("animation");
    float fps = r.get<float>();
    r.skip(4);
    m.totalTime = r.get<int32_t>() * 1000.0 / fps;
    if (!r.has(2)) return truncated("joints");
    n = r.get<uint16_t>();
    std::map<std::string, int> names;
    for (int i = 0; i < n; ++i) {
        if (!r.has(93)) return truncated("joints");
        Loaded::Joint j;
        r.skip(1);
        j.name = r.text(32);
        std::string parent = r.text(32);
        if (!parent.empty()) {
            if (!names.count(parent)) {
                m.error = "Unable to find parent bone of " + j.name;
                return m;
            }
            j.parent = names[parent];
        }
        names.emplace(j.name, i);
        for (float& f : j.rotation) f = r.get<float>();
        for (float& f : j.position) f = r.get<float>();
        uint16_t rk = r.get<uint16_t>(), tk = r.get<uint16_t>();
        if (!r.has(16u * (rk + tk))) return truncated("keys");
        for (int k = 0; k < rk + tk; ++k) {
            std::array<float, 4> key{r.get<float>(), r.get<float>(), r.get<float>(), r.get<float>()};
            (k < rk ? j.rotationKeys : j.translationKeys).push_back(key);
        }
        m.joints.push_back(j);
    }
    return m;
}

using Mat3 = std::array<std::array<double, 3>, 3>;
using V3 = std::array<double, 3>;

// The game's Euler rotation: Rx * Ry * Rz.
Mat3 euler(double ax, double ay, double az) {
    double cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
    double cz = std::cos(az), sz = std::sin(az);
    return {{{cy * cz, -cy * sz, sy},
             {sx * sy * cz + cx * sz, -sx * sy * sz + cx * cz, -sx * cy},
             {-cx * sy * cz + sx * sz, cx * sy * sz + sx * cz, cx * cy}}};
}
Mat3 mul(const Mat3& a, const Mat3& b) {
    Mat3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
    return r;
}
V3 rotateBy(const Mat3& a, const V3& v) {
    return {a[0][0] * v[0] + a[0][1] * v[1] + a[0][2] * v[2], a[1][0] * v[0] + a[1][1] * v[1] + a[1][2] * v[2],
            a[2][0] * v[0] + a[2][1] * v[1] + a[2][2] * v[2]};
}
Mat3 transposed(const Mat3& a) {
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r[i][j] = a[j][i];
    return r;
}

// A key list's value at time ms, blended linearly (close enough to the game's blend for the small
// turns of idle animations; exact at the keys themselves).
V3 keyValue(const std::vector<std::array<float, 4>>& keys, double ms) {
    if (keys.empty()) return {0, 0, 0};
    size_t f = 0;
    while (f < keys.size() && keys[f][0] * 1000.0 < ms) ++f;
    if (f == 0) return {keys[0][1], keys[0][2], keys[0][3]};
    if (f == keys.size()) return {keys.back()[1], keys.back()[2], keys.back()[3]};
    double a = keys[f - 1][0] * 1000.0, b = keys[f][0] * 1000.0;
    double u = (ms - a) / (b - a);
    V3 v;
    for (int i = 0; i < 3; ++i) v[i] = keys[f - 1][i + 1] + (keys[f][i + 1] - keys[f - 1][i + 1]) * u;
    return v;
}

struct Box {
    V3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    void add(const V3& p) {
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    }
};

// The bounds of every vertex over the whole animation, sampled every 50 ms, as the game poses it.
Box animatedBounds(const Loaded& m) {
    size_t jn = m.joints.size();
    std::vector<Mat3> absR(jn), finR(jn);
    std::vector<V3> absP(jn), finP(jn);
    for (size_t i = 0; i < jn; ++i) {
        const auto& j = m.joints[i];
        Mat3 rel = euler(j.rotation[0], j.rotation[1], j.rotation[2]);
        V3 pos{j.position[0], j.position[1], j.position[2]};
        if (j.parent < 0) {
            absR[i] = rel;
            absP[i] = pos;
        } else {
            absR[i] = mul(absR[j.parent], rel);
            V3 q = rotateBy(absR[j.parent], pos);
            for (int k = 0; k < 3; ++k) absP[i][k] = q[k] + absP[j.parent][k];
        }
    }
    Box box;
    for (double t = 0; t <= m.totalTime + 1e-9; t += 50.0) {
        for (size_t i = 0; i < jn; ++i) {
            const auto& j = m.joints[i];
            V3 off = keyValue(j.translationKeys, t);
            V3 ang = keyValue(j.rotationKeys, t);
            Mat3 key = euler(ang[0], ang[1], ang[2]);
            Mat3 rel = euler(j.rotation[0], j.rotation[1], j.rotation[2]);
            V3 pos{j.position[0] + off[0], j.position[1] + off[1], j.position[2] + off[2]};
            if (j.parent < 0) {
                finR[i] = mul(rel, key);
                finP[i] = pos;
            } else {
                finR[i] = mul(mul(finR[j.parent], rel), key);
                V3 q = rotateBy(finR[j.parent], pos);
                for (int k = 0; k < 3; ++k) finP[i][k] = finP[j.parent][k] + q[k];
            }
        }
        for (size_t v = 0; v < m.positions.size(); ++v) {
            V3 p{m.positions[v][0], m.positions[v][1], m.positions[v][2]};
            int bone = m.bones[v];
            if (bone >= 0) {
                V3 d{p[0] - absP[bone][0], p[1] - absP[bone][1], p[2] - absP[bone][2]};
                V3 local = rotateBy(transposed(absR[bone]), d);
                V3 q = rotateBy(finR[bone], local);
                p = {q[0] + finP[bone][0], q[1] + finP[bone][1], q[2] + finP[bone][2]};
            }
            box.add(p);
        }
    }
    return box;
}

std::vector<std::string> descriptionNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(descriptionsDir.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string f = e->d_name;
            if (f.size() > 5 && f.compare(f.size() - 5, 5, ".yaml") == 0) names.push_back(f.substr(0, f.size() - 5));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Where the robot drawing puts each kind of part (translation, uniform scale), in robot units.
struct Slot {
    V3 at;
    double scale;
};
const std::map<std::string, Slot> slots = {
    {"head", {{0, 14, 0}, 0.5}},      {"torso", {{0, 0, 0}, 1.0}},  {"right-arm", {{-9, 8, 0}, 0.9}},
    {"left-arm", {{9, 8, 0}, 0.9}},   {"legs", {{0, -9, 0}, 1.0}},  {"reactor", {{0, 8, 0}, 0.5}},
};
// The robot stands 3.75 world units up at scale 0.1: the ground is 37.5 robot units below its
// origin, and its tile reaches 20 robot units from the centre.
constexpr double groundY = -37.5;
constexpr double tileHalf = 20.0;

}  // namespace

TEST(ModelContent, EveryDescriptionIsGeneratedAndLoadsCleanly) {
    std::vector<std::string> names = descriptionNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ModelDescription d = ModelDescription::fromFile(descriptionsDir + "/" + name + ".yaml");
        Loaded m = load(modelsDir + "/" + name + ".ms3d");
        ASSERT_EQ(m.error, "");
        EXPECT_GT(m.triangles, 0u);
        EXPECT_DOUBLE_EQ(m.totalTime, d.totalMilliseconds());
        for (size_t i = 0; i < m.joints.size(); ++i) EXPECT_LT(m.joints[i].parent, static_cast<int>(i));
        for (int bone : m.bones) {
            EXPECT_GE(bone, -1);
            EXPECT_LT(bone, static_cast<int>(m.joints.size()));
        }
        for (const auto& c : m.corners)
            for (int v : c) EXPECT_LT(v, static_cast<int>(m.positions.size()));
        for (int material : m.groupMaterials) EXPECT_LT(material, static_cast<int>(m.textures.size()));
    }
}

TEST(ModelContent, MaterialsUseOnlyTheSharedTextures) {
    const std::set<std::string> textures = {
        "armor_plate.bmp", "armor_dark.bmp", "hazard_stripes.bmp", "circuit.bmp", "visor.bmp", "tread.bmp",
        "grass.bmp",       "road.bmp",       "asphalt.bmp",        "concrete.bmp", "brick.bmp", "windows.bmp",
        "water.bmp",       "rubble.bmp",     "foliage.bmp",        "bark.bmp",     "sand.bmp"};
    for (const std::string& name : descriptionNames()) {
        SCOPED_TRACE(name);
        for (const std::string& t : load(modelsDir + "/" + name + ".ms3d").textures) {
            if (t.empty()) continue;
            ASSERT_EQ(t.substr(0, 12), "../textures/");
            EXPECT_TRUE(textures.count(t.substr(12))) << t;
        }
    }
}

TEST(ModelContent, RobotPartsStayOnTheirTileAndLegsReachTheGround) {
    int robotParts = 0;
    for (const std::string& name : descriptionNames()) {
        ModelDescription d = ModelDescription::fromFile(descriptionsDir + "/" + name + ".yaml");
        auto slot = slots.find(d.kind);
        if (slot == slots.end()) continue;
        SCOPED_TRACE(name);
        ++robotParts;
        Loaded m = load(modelsDir + "/" + name + ".ms3d");
        ASSERT_EQ(m.error, "");
        EXPECT_FALSE(m.joints.empty()) << "robot parts are animated";
        Box b = animatedBounds(m);
        V3 lo, hi;
        for (int i = 0; i < 3; ++i) {
            lo[i] = slot->second.at[i] + slot->second.scale * b.lo[i];
            hi[i] = slot->second.at[i] + slot->second.scale * b.hi[i];
        }
        // Robots turn in quarter turns, so x and z must both stay inside the tile.
        for (int i : {0, 2}) {
            EXPECT_GT(lo[i], -tileHalf);
            EXPECT_LT(hi[i], tileHalf);
        }
        EXPECT_GE(lo[1], groundY - 0.01) << "nothing sinks into the ground";
        if (d.kind == "legs") {
            EXPECT_NEAR(lo[1], groundY, 0.3) << "the feet stand on the ground";
        }
    }
    EXPECT_GT(robotParts, 0);
}

TEST(ModelContent, TerrainFillsItsTileWithGroundAtZero) {
    int tiles = 0;
    for (const std::string& name : descriptionNames()) {
        ModelDescription d = ModelDescription::fromFile(descriptionsDir + "/" + name + ".yaml");
        if (d.kind != "terrain") continue;
        SCOPED_TRACE(name);
        ++tiles;
        Loaded m = load(modelsDir + "/" + name + ".ms3d");
        ASSERT_EQ(m.error, "");
        Box b = animatedBounds(m);
        for (int i : {0, 2}) {
            EXPECT_NEAR(b.lo[i], -2.0, 1e-4);
            EXPECT_NEAR(b.hi[i], 2.0, 1e-4);
        }
        EXPECT_LT(b.lo[1], 0.0);
        EXPECT_GE(b.hi[1], 0.0);
        // Some vertex of the ground itself lies on y = 0 at the tile's edge, so tiles meet flush.
        bool edgeAtZero = false;
        for (const auto& p : m.positions)
            edgeAtZero = edgeAtZero || (std::fabs(p[1]) < 1e-5 && std::fabs(std::fabs(p[0]) - 2.0) < 1e-5);
        EXPECT_TRUE(edgeAtZero);
    }
    EXPECT_GT(tiles, 0);
}

// Each model file the database names has exactly one description of the matching kind.
TEST(ModelContent, DatabaseModelsAllHaveDescriptions) {
    std::ifstream components(databaseDir + "/components.yaml"), terrain(databaseDir + "/terrain.yaml");
    if (!components || !terrain) GTEST_SKIP() << "no database sources";
    const std::map<std::string, std::string> kindOfType = {{"HEAD", "head"},         {"TORSO", "torso"},
                                                           {"LEFTARM", "left-arm"},  {"RIGHTARM", "right-arm"},
                                                           {"LEGS", "legs"},         {"REACTOR", "reactor"}};
    std::map<std::string, std::string> wanted;  // model name -> kind
    auto modelName = [](const std::string& file) {
        EXPECT_EQ(file.substr(0, 7), "models/");
        EXPECT_EQ(file.substr(file.size() - 5), ".ms3d");
        return file.substr(7, file.size() - 12);
    };
    for (const YAML::Node& c : YAML::LoadFile(databaseDir + "/components.yaml")["component"])
        for (const YAML::Node& file : c["models"])
            wanted[modelName(file.as<std::string>())] = kindOfType.at(c["type"].as<std::string>());
    for (const YAML::Node& t : YAML::LoadFile(databaseDir + "/terrain.yaml")["terrain"])
        wanted[modelName(t["model"].as<std::string>())] = "terrain";

    std::vector<std::string> names = descriptionNames();
    for (const auto& [name, kind] : wanted) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(std::binary_search(names.begin(), names.end(), name)) << "no description";
        EXPECT_EQ(ModelDescription::fromFile(descriptionsDir + "/" + name + ".yaml").kind, kind);
    }
    for (const std::string& name : names) EXPECT_TRUE(wanted.count(name)) << name << " is named by no record";
}
