#pragma once
// Everything a MilkShape 3D version 4 file holds that the game reads, as plain data ready to be
// written. Positions are in model space at rest; key times are in seconds, angles in radians.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Ms3dVertex {
    std::array<float, 3> position{};
    int bone = -1;  // joint index, -1 for a vertex that hangs from no joint
};

struct Ms3dTriangle {
    std::array<uint16_t, 3> vertices{};
    std::array<std::array<float, 3>, 3> normals{};  // one per corner
    std::array<float, 3> s{};                       // first texture coordinate per corner
    std::array<float, 3> t{};                       // second texture coordinate per corner
    uint8_t smoothingGroup = 0;
    uint8_t group = 0;  // index of the group that lists this triangle
};

struct Ms3dGroup {
    std::string name;
    std::vector<uint16_t> triangles;
    int material = -1;
};

struct Ms3dMaterial {
    std::string name;
    std::array<float, 4> ambient{0.8f, 0.8f, 0.8f, 1.0f};
    std::array<float, 4> diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> emissive{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    float transparency = 1.0f;  // 1 is opaque
    std::string texture;        // stored path, e.g. "../textures/armor_plate.bmp"
};

struct Ms3dKey {
    float time = 0.0f;  // seconds
    std::array<float, 3> value{};
};

struct Ms3dJoint {
    std::string name;
    std::string parent;  // empty for a root
    std::array<float, 3> rotation{};
    std::array<float, 3> position{};
    std::vector<Ms3dKey> rotationKeys;
    std::vector<Ms3dKey> translationKeys;
};

struct Ms3dModel {
    std::vector<Ms3dVertex> vertices;
    std::vector<Ms3dTriangle> triangles;
    std::vector<Ms3dGroup> groups;
    std::vector<Ms3dMaterial> materials;
    float framesPerSecond = 24.0f;
    int totalFrames = 1;
    std::vector<Ms3dJoint> joints;
};
