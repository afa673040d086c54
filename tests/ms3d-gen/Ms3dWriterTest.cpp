#include "Ms3dWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace {

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
int32_t i32At(const std::vector<uint8_t>& b, size_t at) {
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | b[at + i];
    return static_cast<int32_t>(u);
}
float f32At(const std::vector<uint8_t>& b, size_t at) {
    uint32_t u = static_cast<uint32_t>(i32At(b, at));
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
std::string textAt(const std::vector<uint8_t>& b, size_t at, size_t size) {
    std::string s(reinterpret_cast<const char*>(&b[at]), size);
    return s.substr(0, s.find('\0'));
}

// Two triangles sharing an edge, one material, two joints (the second a child) with keys.
Ms3dModel smallModel() {
    Ms3dModel m;
    m.vertices = {{{0, 0, 0}, 0}, {{1, 0, 0}, 0}, {{1, 1, 0}, 1}, {{0, 1, 0}, -1}};
    Ms3dTriangle a;
    a.vertices = {0, 1, 2};
    a.s = {0.0f, 1.0f, 1.0f};
    a.t = {0.0f, 0.0f, 1.0f};
    a.normals[0] = {0.0f, 0.0f, 1.0f};
    Ms3dTriangle b = a;
    b.vertices = {0, 2, 3};
    m.triangles = {a, b};
    m.groups = {{"hull", {0, 1}, 0}};
    Ms3dMaterial mat;
    mat.name = "hull";
    mat.ambient = {0.5f, 0.25f, 0.125f, 1.0f};
    mat.texture = "../textures/armor_plate.bmp";
    m.materials = {mat};
    m.framesPerSecond = 30.0f;
    m.totalFrames = 60;
    Ms3dJoint root;
    root.name = "body";
    root.position = {0.0f, 2.0f, 0.0f};
    root.rotationKeys = {{0.0f, {0, 0, 0}}, {1.0f, {0.1f, 0, 0}}};
    Ms3dJoint child;
    child.name = "barrel";
    child.parent = "body";
    child.translationKeys = {{0.5f, {0, 0, 1.5f}}};
    m.joints = {root, child};
    return m;
}

}  // namespace

TEST(Ms3dWriter, SectionsHaveTheLoaderSizesAndCounts) {
    std::vector<uint8_t> b = Ms3dWriter::write(smallModel());
    size_t expected =
        14 + (2 + 4 * 15) + (2 + 2 * 70) + (2 + 36 + 2 * 2) + (2 + 361) + 12 + (2 + 93 + 2 * 16 + 93 + 16);
    ASSERT_EQ(b.size(), expected);

    EXPECT_EQ(std::string(b.begin(), b.begin() + 10), "MS3D000000");
    EXPECT_EQ(i32At(b, 10), 4);
    size_t at = 14;
    ASSERT_EQ(u16At(b, at), 4);
    // Vertex 2 hangs from joint 1; vertex 3 from none (stored as 0xff); reference counts follow use.
    EXPECT_EQ(b[at + 2 + 2 * 15 + 13], 1);
    EXPECT_EQ(b[at + 2 + 3 * 15 + 13], 0xff);
    EXPECT_EQ(b[at + 2 + 0 * 15 + 14], 2);
    EXPECT_FLOAT_EQ(f32At(b, at + 2 + 1 * 15 + 1), 1.0f);
    at += 2 + 4 * 15;

    ASSERT_EQ(u16At(b, at), 2);
    EXPECT_EQ(u16At(b, at + 2 + 70 + 2 + 2), 2);       // second triangle's middle corner
    EXPECT_FLOAT_EQ(f32At(b, at + 2 + 8 + 8), 1.0f);   // first corner normal z
    EXPECT_FLOAT_EQ(f32At(b, at + 2 + 44 + 4), 1.0f);  // second corner s
    at += 2 + 2 * 70;

    ASSERT_EQ(u16At(b, at), 1);
    EXPECT_EQ(textAt(b, at + 3, 32), "hull");
    EXPECT_EQ(u16At(b, at + 35), 2);
    EXPECT_EQ(static_cast<int8_t>(b[at + 41]), 0);
    at += 2 + 36 + 4;

    ASSERT_EQ(u16At(b, at), 1);
    EXPECT_FLOAT_EQ(f32At(b, at + 2 + 32 + 4), 0.25f);
    EXPECT_FLOAT_EQ(f32At(b, at + 2 + 32 + 64 + 4), 1.0f);  // transparency: opaque
    EXPECT_EQ(textAt(b, at + 2 + 32 + 72 + 1, 128), "../textures/armor_plate.bmp");
    EXPECT_EQ(textAt(b, at + 2 + 32 + 72 + 1 + 128, 128), "");
    at += 2 + 361;

    EXPECT_FLOAT_EQ(f32At(b, at), 30.0f);
    EXPECT_EQ(i32At(b, at + 8), 60);
    at += 12;

    ASSERT_EQ(u16At(b, at), 2);
    at += 2;
    EXPECT_EQ(textAt(b, at + 1, 32), "body");
    EXPECT_EQ(textAt(b, at + 33, 32), "");
    EXPECT_FLOAT_EQ(f32At(b, at + 65 + 16), 2.0f);
    EXPECT_EQ(u16At(b, at + 89), 2);
    EXPECT_EQ(u16At(b, at + 91), 0);
    EXPECT_FLOAT_EQ(f32At(b, at + 93 + 16), 1.0f);      // second rotation key's time
    EXPECT_FLOAT_EQ(f32At(b, at + 93 + 16 + 4), 0.1f);  // and its x angle
    at += 93 + 32;
    EXPECT_EQ(textAt(b, at + 1, 32), "barrel");
    EXPECT_EQ(textAt(b, at + 33, 32), "body");
    EXPECT_EQ(u16At(b, at + 91), 1);
    EXPECT_FLOAT_EQ(f32At(b, at + 93), 0.5f);
    EXPECT_FLOAT_EQ(f32At(b, at + 93 + 12), 1.5f);
}

TEST(Ms3dWriter, EmptyModelIsHeaderAndEmptySections) {
    Ms3dModel m;
    std::vector<uint8_t> b = Ms3dWriter::write(m);
    EXPECT_EQ(b.size(), 14u + 2 + 2 + 2 + 2 + 12 + 2);
}

TEST(Ms3dWriter, RefusesWhatTheFormatCannotHold) {
    auto refused = [](const Ms3dModel& m) {
        try {
            Ms3dWriter::write(m);
        } catch (const std::runtime_error&) {
            return true;
        }
        return false;
    };
    Ms3dModel m = smallModel();
    EXPECT_FALSE(refused(m));

    m = smallModel();
    m.materials[0].name = std::string(32, 'n');  // no room left for the terminating NUL
    EXPECT_TRUE(refused(m));
    m = smallModel();
    m.materials[0].name = std::string(31, 'n');
    EXPECT_FALSE(refused(m));

    m = smallModel();
    m.materials[0].texture = "../textures/" + std::string(116, 'x');  // 128 characters
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.vertices[1].bone = 2;  // only joints 0 and 1 exist
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.triangles[1].vertices[2] = 4;
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.groups[0].material = 1;
    EXPECT_TRUE(refused(m));

    m = smallModel();
    std::swap(m.joints[0], m.joints[1]);  // child before its parent
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.joints[1].parent = "Body";  // parents match case-sensitively
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.joints.resize(128, m.joints[0]);
    EXPECT_TRUE(refused(m));

    m = smallModel();
    m.framesPerSecond = 0.0f;
    EXPECT_TRUE(refused(m));
}

TEST(Ms3dWriter, SameModelSameBytes) {
    EXPECT_EQ(Ms3dWriter::write(smallModel()), Ms3dWriter::write(smallModel()));
}
