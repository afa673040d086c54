// Every model the build generates is loaded by the game's own loader and checked against what the game needs of it:
// a clean load, a sound skeleton, the described animation length, and sizes that fit the robot
// drawing and the map grid.
#include "ModelDescription.h"
#include "gfx/Model.h"

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <dirent.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string modelsDir = std::string(GEARWARD_GAME_DIR) + "/models";
const std::string descriptionsDir = std::string(GEARWARD_SOURCE_DIR) + "/content/models";
const std::string databaseDir = std::string(GEARWARD_SOURCE_DIR) + "/content/database";

// The model as the game loads it, with what the loader printed on the console.
struct Loaded {
    std::unique_ptr<Model> model;
    std::string console;
};

Loaded load(const std::string& path) {
    Loaded l;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    l.model = std::make_unique<Model>(path);
    l.console = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    return l;
}

struct Box {
    Vector3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    void add(const Vector3& p) {
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    }
};

// The bounds of every vertex over the whole animation, posed by the game every 25 ms.
Box animatedBounds(Model& m) {
    Box box;
    m.restart();  // key searches only run forwards
    for (int t = 0; t <= static_cast<int>(m.totalTime); t += 25) {
        m.animate(t);
        for (const Vertex& v : m.vertices) {
            if (v.bone < 0) {
                box.add(v.position);
            } else {
                const Joint& j = m.joints[v.bone];
                box.add(j.finalRotation * v.position + j.finalPosition);
            }
        }
    }
    return box;
}

std::vector<std::string> descriptionNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(descriptionsDir.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string f = e->d_name;
            if (f.size() > 5 && f.compare(f.size() - 5, 5, ".yaml") == 0)
                names.push_back(f.substr(0, f.size() - 5));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Where the robot drawing puts each kind of part (translation, uniform scale), in robot units.
struct Slot {
    Vector3 at;
    double scale;
};
const std::map<std::string, Slot> slots = {
    {"head", {{0, 14, 0}, 0.5}},    {"torso", {{0, 0, 0}, 1.0}}, {"right-arm", {{-9, 8, 0}, 0.9}},
    {"left-arm", {{9, 8, 0}, 0.9}}, {"legs", {{0, -9, 0}, 1.0}}, {"reactor", {{0, 8, 0}, 0.5}},
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
        Loaded l = load(modelsDir + "/" + name + ".ms3d");
        Model& m = *l.model;
        EXPECT_EQ(l.console.find("FAIL: "), std::string::npos) << l.console;
        EXPECT_EQ(l.console.find("Unable to find parent"), std::string::npos) << l.console;
        ASSERT_FALSE(m.triangles.empty());
        ASSERT_FALSE(m.meshes.empty());
        EXPECT_DOUBLE_EQ(m.totalTime, d.totalMilliseconds());
        for (size_t i = 0; i < m.joints.size(); ++i) {
            EXPECT_GE(m.joints[i].parent, -1);
            EXPECT_LT(m.joints[i].parent, static_cast<int>(i));
        }
        for (const Vertex& v : m.vertices) {
            EXPECT_GE(v.bone, -1);
            EXPECT_LT(v.bone, static_cast<int>(m.joints.size()));
        }
        for (const Mesh& mesh : m.meshes) {
            EXPECT_GE(mesh.material, 0);
            EXPECT_LT(mesh.material, static_cast<int>(m.materials.size()));
        }
        // Every key lies within the animation, so the whole idle loop is played.
        for (const Joint& j : m.joints) {
            for (const Keyframe& k : j.rotationKeys) EXPECT_LE(k.time, m.totalTime + 0.5);
            for (const Keyframe& k : j.translationKeys) EXPECT_LE(k.time, m.totalTime + 0.5);
        }
    }
}

TEST(ModelContent, MaterialsUseOnlyTheSharedTextures) {
    const std::set<std::string> textures = {
        "armor_plate.bmp", "armor_dark.bmp", "hazard_stripes.bmp", "circuit.bmp",  "visor.bmp", "tread.bmp",
        "grass.bmp",       "road.bmp",       "asphalt.bmp",        "concrete.bmp", "brick.bmp", "windows.bmp",
        "water.bmp",       "rubble.bmp",     "foliage.bmp",        "bark.bmp",     "sand.bmp"};
    std::vector<std::string> names = descriptionNames();
    ASSERT_FALSE(names.empty()) << "no model descriptions under " << descriptionsDir;
    int textured = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Loaded l = load(modelsDir + "/" + name + ".ms3d");
        ASSERT_FALSE(l.model->vertices.empty()) << l.console;
        for (const Material& material : l.model->materials) {
            const std::string& t = material.textureFile;
            if (t.empty()) continue;
            ++textured;
            ASSERT_EQ(t.substr(0, 12), "../textures/");
            EXPECT_TRUE(textures.count(t.substr(12))) << t;
        }
    }
    EXPECT_GT(textured, 0);
}

TEST(ModelContent, RobotPartsStayOnTheirTileAndLegsReachTheGround) {
    int robotParts = 0;
    for (const std::string& name : descriptionNames()) {
        ModelDescription d = ModelDescription::fromFile(descriptionsDir + "/" + name + ".yaml");
        auto slot = slots.find(d.kind);
        if (slot == slots.end()) continue;
        SCOPED_TRACE(name);
        ++robotParts;
        Loaded l = load(modelsDir + "/" + name + ".ms3d");
        Model& m = *l.model;
        ASSERT_FALSE(m.vertices.empty());
        bool animated = false;
        for (const Joint& j : m.joints)
            animated = animated || !j.rotationKeys.empty() || !j.translationKeys.empty();
        EXPECT_TRUE(animated) << "robot parts have an idle animation";
        Box b = animatedBounds(m);
        Vector3 lo, hi;
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
        Loaded l = load(modelsDir + "/" + name + ".ms3d");
        Model& m = *l.model;
        ASSERT_FALSE(m.vertices.empty());
        Box b = animatedBounds(m);
        for (int i : {0, 2}) {
            EXPECT_NEAR(b.lo[i], -2.0, 1e-4);
            EXPECT_NEAR(b.hi[i], 2.0, 1e-4);
        }
        EXPECT_LT(b.lo[1], 0.0);
        EXPECT_GE(b.hi[1], -0.3 - 1e-5);
        // Along the tile's edge the ground reaches y = 0 (water lies 0.3 lower), so tiles meet
        // flush; nothing at the edge stands higher than a kerb or a railing.
        m.restart();
        m.animate(0);
        double edgeHigh = -1e9;
        for (const Vertex& v : m.vertices) {
            Vector3 p = v.bone < 0
                            ? v.position
                            : m.joints[v.bone].finalRotation * v.position + m.joints[v.bone].finalPosition;
            if (std::fabs(std::fabs(p.x) - 2.0) > 1e-5 && std::fabs(std::fabs(p.z) - 2.0) > 1e-5) continue;
            edgeHigh = std::max(edgeHigh, p.y);
        }
        EXPECT_GE(edgeHigh, -0.3 - 1e-5);
        EXPECT_LE(edgeHigh, 0.6);
    }
    EXPECT_GT(tiles, 0);
}

// Each model file the database names has exactly one description of the matching kind.
TEST(ModelContent, DatabaseModelsAllHaveDescriptions) {
    std::ifstream components(databaseDir + "/components.yaml"), terrain(databaseDir + "/terrain.yaml");
    ASSERT_TRUE(components && terrain) << "the database sources are missing under " << databaseDir;
    const std::map<std::string, std::string> kindOfType = {{"HEAD", "head"},        {"TORSO", "torso"},
                                                           {"LEFTARM", "left-arm"}, {"RIGHTARM", "right-arm"},
                                                           {"LEGS", "legs"},        {"REACTOR", "reactor"}};
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
