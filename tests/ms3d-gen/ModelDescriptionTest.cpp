#include "ModelDescription.h"
#include "Ms3dWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "../support/TempDir.h"

namespace {

const std::string header = R"(
fps: 24
frames: 48
materials:
  - {name: plate, ambient: [0.8, 0.8, 0.8], texture: ../textures/armor_plate.bmp, tile: 4}
  - {name: dark, ambient: [0.5, 0.5, 0.5]}
)";

ModelDescription build(const std::string& body) {
    return ModelDescription::fromText(header + body);
}

std::string errorOf(const std::string& text) {
    try {
        ModelDescription::fromText(text);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

using V = std::array<double, 3>;
V at(const Ms3dModel& m, int index) {
    const auto& p = m.vertices[index].position;
    return {p[0], p[1], p[2]};
}
V faceCross(const Ms3dModel& m, const Ms3dTriangle& t) {
    V a = at(m, t.vertices[0]), b = at(m, t.vertices[1]), c = at(m, t.vertices[2]);
    V u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}
double dot(const V& a, const std::array<float, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Every triangle of a closed convex solid centred at `centre` faces away from it, and its
// corner normals agree with its winding.
void expectOutward(const Ms3dModel& m, const V& centre) {
    ASSERT_FALSE(m.triangles.empty());
    for (const Ms3dTriangle& t : m.triangles) {
        V n = faceCross(m, t);
        V a = at(m, t.vertices[0]), b = at(m, t.vertices[1]), c = at(m, t.vertices[2]);
        V mid{(a[0] + b[0] + c[0]) / 3 - centre[0], (a[1] + b[1] + c[1]) / 3 - centre[1],
              (a[2] + b[2] + c[2]) / 3 - centre[2]};
        EXPECT_GT(n[0] * mid[0] + n[1] * mid[1] + n[2] * mid[2], 0.0);
        for (const auto& normal : t.normals) {
            EXPECT_GT(dot(n, normal), 0.0);
            EXPECT_NEAR(std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]), 1.0,
                        1e-5);
        }
    }
}

}  // namespace

TEST(ModelDescription, BoxSharesCornersAndFacesOutward) {
    ModelDescription d =
        build("parts:\n  - {shape: box, size: [2, 4, 6], position: [1, 2, 3], material: plate}\n");
    EXPECT_EQ(d.model.vertices.size(), 8u);
    EXPECT_EQ(d.model.triangles.size(), 12u);
    expectOutward(d.model, {1, 2, 3});
    for (const Ms3dVertex& v : d.model.vertices) {
        EXPECT_FLOAT_EQ(std::fabs(v.position[0] - 1), 1.0f);
        EXPECT_FLOAT_EQ(std::fabs(v.position[1] - 2), 2.0f);
        EXPECT_FLOAT_EQ(std::fabs(v.position[2] - 3), 3.0f);
        EXPECT_EQ(v.bone, -1);
    }
}

TEST(ModelDescription, EveryPrimitiveFacesOutwardHoweverPlaced) {
    // The wedge's slope passes through the middle of its box; its own centroid is inside.
    expectOutward(build("parts:\n  - {shape: wedge, size: [2, 2, 2], material: plate}\n").model,
                  {0, -0.33, -0.33});
    const char* parts[] = {
        "{shape: cylinder, radius: 1, height: 3, sides: 8, material: plate}",
        "{shape: cylinder, radius: 1, height: 3, sides: 5, axis: x, material: plate}",
        "{shape: cylinder, radius: 2, radius_top: 1, height: 3, sides: 12, axis: z, material: plate}",
        "{shape: cone, radius: 1, height: 2, sides: 6, material: plate}",
        "{shape: pyramid, radius: 1, height: 2, material: plate}",
        "{shape: sphere, radius: 1.5, sides: 10, rings: 5, material: plate}",
        "{shape: box, size: [1, 2, 3], rotation: [30deg, 45deg, 0.2], material: plate}",
        "{shape: box, size: [1, 2, 3], scale: [-1, 2, 1], material: plate}",
        "{shape: cylinder, radius: 1, height: 2, sides: 8, scale: [1, -1, -1], material: plate}",
    };
    for (const char* part : parts) {
        SCOPED_TRACE(part);
        expectOutward(build(std::string("parts:\n  - ") + part + "\n").model, {0, 0, 0});
    }
}

TEST(ModelDescription, RoundShapesHaveTheExpectedFacesAndSmoothSides) {
    // Eight sides: 16 side triangles and two caps of 6; a cone loses its top cap and the pinched
    // half of each side.
    EXPECT_EQ(build("parts:\n  - {shape: cylinder, radius: 1, height: 2, sides: 8, material: plate}\n")
                  .model.triangles.size(),
              28u);
    EXPECT_EQ(build("parts:\n  - {shape: cone, radius: 1, height: 2, sides: 8, material: plate}\n")
                  .model.triangles.size(),
              14u);
    // Smooth side normals point straight out from the axis; flat ones follow the face.
    Ms3dModel m =
        build("parts:\n  - {shape: cylinder, radius: 1, height: 2, sides: 8, material: plate}\n").model;
    const Ms3dTriangle& side = m.triangles[0];
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(side.normals[c][1], 0.0f, 1e-6);
        const auto& p = m.vertices[side.vertices[c]].position;
        EXPECT_NEAR(side.normals[c][0], p[0], 1e-5);
        EXPECT_NEAR(side.normals[c][2], p[2], 1e-5);
    }
    Ms3dModel flat =
        build(
            "parts:\n  - {shape: cylinder, radius: 1, height: 2, sides: 8, smooth: false, material: plate}\n")
            .model;
    EXPECT_EQ(flat.triangles[0].normals[0], flat.triangles[0].normals[1]);
}

TEST(ModelDescription, TextureCoordinatesAreBoxMappedOneRepeatPerTile) {
    // A 4 x 4 slab with tile 4: its top runs from 0 to 1 in both directions, x along s and z
    // along t, so a picture's vertical axis follows z.
    Ms3dModel m =
        build("parts:\n  - {shape: box, size: [4, 0.5, 4], position: [0, -0.25, 0], material: plate}\n")
            .model;
    int tops = 0;
    for (const Ms3dTriangle& t : m.triangles) {
        if (t.normals[0][1] < 0.5f) continue;
        ++tops;
        for (int c = 0; c < 3; ++c) {
            const auto& p = m.vertices[t.vertices[c]].position;
            EXPECT_FLOAT_EQ(t.s[c], p[0] / 4 + 0.5f);
            EXPECT_FLOAT_EQ(t.t[c], p[2] / 4 + 0.5f);
        }
    }
    EXPECT_EQ(tops, 2);
    // On walls t runs downwards, as images are stored.
    for (const Ms3dTriangle& t : m.triangles) {
        if (std::fabs(t.normals[0][2]) < 0.5f) continue;
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(t.t[c], -m.vertices[t.vertices[c]].position[1] / 4 + 0.5f);
    }
}

TEST(ModelDescription, PlacementTurnsAsTheGameTurnsJoints) {
    // A quarter turn about y takes +z to +x (the game's Rx * Ry * Rz convention).
    Ms3dModel m =
        build(
            "parts:\n  - {shape: box, size: [1, 1, 1], position: [0, 0, 5], rotation: [0, 90deg, 0], "
            "material: plate}\n")
            .model;
    for (const Ms3dVertex& v : m.vertices) EXPECT_NEAR(v.position[2], 5.0f, 0.51f);
    Ms3dModel turned =
        build(
            "parts:\n  - {shape: box, size: [1, 1, 4], position: [0, 0, 0], rotation: [0, 90deg, 0], "
            "material: plate}\n")
            .model;
    for (const Ms3dVertex& v : turned.vertices) {
        EXPECT_NEAR(std::fabs(v.position[0]), 2.0f, 1e-5);
        EXPECT_NEAR(std::fabs(v.position[2]), 0.5f, 1e-5);
    }
}

TEST(ModelDescription, JointsKeysAndGroups) {
    ModelDescription d = build(R"(
joints:
  - {name: body, position: [0, 1, 0]}
  - name: gun
    parent: body
    rotation_keys: [[0, 0, 0, 0], [1, 0, 90deg, 0], [2, 0, 0, 0]]
    translation_keys: [[0.5, 0, 0, 1]]
parts:
  - {shape: box, size: [1, 1, 1], material: dark, joint: gun}
  - {shape: box, size: [1, 1, 1], position: [3, 0, 0], material: plate, joint: body}
  - {shape: box, size: [1, 1, 1], position: [6, 0, 0], material: dark}
)");
    const Ms3dModel& m = d.model;
    EXPECT_DOUBLE_EQ(d.totalMilliseconds(), 2000.0);
    ASSERT_EQ(m.joints.size(), 2u);
    EXPECT_EQ(m.joints[1].parent, "body");
    ASSERT_EQ(m.joints[1].rotationKeys.size(), 3u);
    EXPECT_FLOAT_EQ(m.joints[1].rotationKeys[1].value[1], 1.5707964f);
    EXPECT_FLOAT_EQ(m.joints[1].translationKeys[0].time, 0.5f);
    // One group per material in material order, each triangle in the group it names.
    ASSERT_EQ(m.groups.size(), 2u);
    EXPECT_EQ(m.groups[0].name, "plate");
    EXPECT_EQ(m.groups[0].triangles.size(), 12u);
    EXPECT_EQ(m.groups[1].triangles.size(), 24u);
    for (size_t g = 0; g < m.groups.size(); ++g)
        for (uint16_t t : m.groups[g].triangles) EXPECT_EQ(m.triangles[t].group, g);
    int gun = 0, body = 0, none = 0;
    for (const Ms3dVertex& v : m.vertices) (v.bone == 1 ? gun : v.bone == 0 ? body : none)++;
    EXPECT_EQ(gun, 8);
    EXPECT_EQ(body, 8);
    EXPECT_EQ(none, 8);
}

TEST(ModelDescription, MistakesAreReportedWithTheirLine) {
    EXPECT_EQ(errorOf("parts:\n  - {shape: box, size: [1, 1, 1], material: hull}\n"),
              "line 2: no material named hull");
    EXPECT_NE(
        errorOf(header + "parts:\n  - {shape: box, size: [1, 1, 1], positon: [0, 0, 0], material: plate}\n")
            .find("line 8: part: unknown key 'positon'"),
        std::string::npos);
    EXPECT_NE(errorOf(header + "parts:\n  - {shape: blob, material: plate}\n").find("unknown shape 'blob'"),
              std::string::npos);
    EXPECT_NE(errorOf(header + "parts:\n  - {shape: box, material: plate}\n").find("box needs size"),
              std::string::npos);
    EXPECT_NE(
        errorOf(header + "parts:\n  - {shape: box, size: [1, 0, 1], material: plate}\n").find("positive"),
        std::string::npos);
    EXPECT_NE(
        errorOf(header + "parts:\n  - {shape: cylinder, radius: 1, height: 1, sides: 2, material: plate}\n")
            .find("sides"),
        std::string::npos);
    EXPECT_NE(errorOf(header + "joints:\n  - {name: a, parent: b}\n  - {name: b}\nparts: []\n")
                  .find("listed before"),
              std::string::npos);
    EXPECT_NE(errorOf(header + "joints:\n  - {name: a}\n  - {name: a}\nparts: []\n").find("defined twice"),
              std::string::npos);
    EXPECT_NE(errorOf(header + "joints:\n  - {name: a, rotation_keys: [[2.5, 0, 0, 0]]}\nparts: []\n")
                  .find("after the end of the animation"),
              std::string::npos);
    EXPECT_NE(
        errorOf(header + "joints:\n  - {name: a, rotation_keys: [[1, 0, 0, 0], [0.5, 0, 0, 0]]}\nparts: []\n")
            .find("backwards"),
        std::string::npos);
    EXPECT_NE(
        errorOf(header +
                "joints:\n  - {name: a, rotation_keys: [[0, 0, 0, 0], [1, 0, ninetydeg, 0]]}\nparts: []\n")
            .find("not an angle"),
        std::string::npos);
    EXPECT_NE(
        errorOf("materials:\n  - {name: m, ambient: [1, 1, 1], texture: textures/grass.bmp}\nparts: []\n")
            .find("../textures/NAME"),
        std::string::npos);
    EXPECT_NE(errorOf("materials:\n  - {name: m, ambient: [1, 2, 1]}\nparts: []\n").find("between 0 and 1"),
              std::string::npos);
    EXPECT_NE(errorOf("kind: arm\nparts: []\n").find("kind must be"), std::string::npos);
    EXPECT_NE(errorOf("fps: 24\n").find("needs parts"), std::string::npos);
    EXPECT_NE(errorOf("parts: [unclosed\n").size(), 0u);
}

// The game blends rotation keys without choosing the shorter way; keys more than half a turn
// apart would make a part swing the long way round, so they are refused.
TEST(ModelDescription, RotationKeysMustNotSwingTheLongWay) {
    auto keys = [](const std::string& list) {
        return errorOf(header + "joints:\n  - name: a\n    rotation_keys: " + list + "\nparts: []\n");
    };
    EXPECT_EQ(keys("[[0, 0, 0, 0], [1, 0, 120deg, 0], [2, 0, 180deg, 0]]"), "");
    EXPECT_NE(
        keys("[[0, 0, 0, 0], [0.5, 0, 120deg, 0], [1, 0, 180deg, 0], [1.5, 0, 240deg, 0]]").find("long way"),
        std::string::npos);
    EXPECT_NE(keys("[[0, 0, 0, 0], [1, 0, 0, 200deg]]").find("half a turn"), std::string::npos);
    EXPECT_NE(keys("[[0, 0, 0, 170deg], [1, 0, 0, 190deg]]").find("long way"), std::string::npos);
    EXPECT_EQ(keys("[[0, 0, 0, 0], [1, 0, 0, 170deg]]"), "");
    EXPECT_EQ(keys("[[0, 0, 0, -80deg], [1, 0, 0, 80deg]]"), "");
}

TEST(ModelDescription, MirrorSwapsSidesAndKeepsFacesOutward) {
    const std::string left = "kind: left-arm\n" + header + R"(
joints:
  - name: shoulder
    position: [1, 2, 3]
    rotation_keys: [[0, 0.1, 0.2, 0.3]]
    translation_keys: [[0, 1, 0, 0]]
parts:
  - {shape: wedge, size: [1, 2, 3], position: [4, 0, 0], material: plate, joint: shoulder}
)";
    TempDir scratch("mirror");
    std::string dir = scratch.path().string();
    std::ofstream(dir + "/left.yaml") << left;
    std::ofstream(dir + "/right.yaml") << "mirror_of: left.yaml\n";
    std::ofstream(dir + "/loop.yaml") << "mirror_of: loop.yaml\n";

    ModelDescription l = ModelDescription::fromText(left);
    ModelDescription r = ModelDescription::fromFile(dir + "/right.yaml");
    EXPECT_EQ(r.kind, "right-arm");
    ASSERT_EQ(r.model.vertices.size(), l.model.vertices.size());
    for (size_t i = 0; i < l.model.vertices.size(); ++i) {
        EXPECT_FLOAT_EQ(r.model.vertices[i].position[0], -l.model.vertices[i].position[0]);
        EXPECT_FLOAT_EQ(r.model.vertices[i].position[1], l.model.vertices[i].position[1]);
    }
    expectOutward(r.model, {-4, -0.33, -0.5});
    const Ms3dJoint& j = r.model.joints[0];
    EXPECT_FLOAT_EQ(j.position[0], -1.0f);
    EXPECT_FLOAT_EQ(j.rotationKeys[0].value[0], 0.1f);
    EXPECT_FLOAT_EQ(j.rotationKeys[0].value[1], -0.2f);
    EXPECT_FLOAT_EQ(j.rotationKeys[0].value[2], -0.3f);
    EXPECT_FLOAT_EQ(j.translationKeys[0].value[0], -1.0f);

    EXPECT_THROW(ModelDescription::fromFile(dir + "/loop.yaml"), std::runtime_error);
    EXPECT_THROW(ModelDescription::fromFile(dir + "/missing.yaml"), std::runtime_error);
    std::remove((dir + "/left.yaml").c_str());
    std::remove((dir + "/right.yaml").c_str());
    std::remove((dir + "/loop.yaml").c_str());
}

TEST(ModelDescription, SameDescriptionSameBytes) {
    const std::string text = header + R"(
joints:
  - {name: a, rotation_keys: [[0, 0, 0, 0], [1, 0.2, 0, 0]]}
parts:
  - {shape: sphere, radius: 1, sides: 9, rings: 5, material: plate, joint: a}
  - {shape: cylinder, radius: 1, height: 2, sides: 7, axis: z, material: dark}
)";
    EXPECT_EQ(Ms3dWriter::write(ModelDescription::fromText(text).model),
              Ms3dWriter::write(ModelDescription::fromText(text).model));
}
