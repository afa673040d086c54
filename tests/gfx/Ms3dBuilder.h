#pragma once
// Writes small MilkShape 3D files for the model tests, field by field as the format lays them out.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct Ms3dBuilder {
    struct Vertex {
        float x, y, z;
        int bone;  // written as a signed byte
    };
    struct Triangle {
        int a, b, c;  // written as uint16
        float normals[9];
        float s[3], t[3];
    };
    struct Group {
        std::string name;
        std::vector<int> triangles;
        int material;
    };
    struct Material {
        std::string name;
        float ambient[4];
        std::string texture;
        std::string textureTail;  // bytes after the texture's NUL, as real files carry
    };
    struct Key {
        float seconds;
        float x, y, z;
    };
    struct Joint {
        std::string name;
        std::string parent;
        float rotation[3];
        float position[3];
        std::vector<Key> rotationKeys;
        std::vector<Key> translationKeys;
    };

    std::string id = "MS3D000000";
    int version = 4;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;
    float framesPerSecond = 24;
    int totalFrames = 30;
    std::vector<Joint> joints;
    std::vector<unsigned char> trailer;

    static Triangle triangle(int a, int b, int c) {
        Triangle t{a, b, c, {0, 0, 1, 0, 0, 1, 0, 0, 1}, {0, 1, 0}, {0, 0, 1}};
        return t;
    }

    std::vector<unsigned char> bytes() const {
        std::vector<unsigned char> out;
        auto u8 = [&](int v) { out.push_back(static_cast<unsigned char>(v)); };
        auto u16 = [&](int v) {
            u8(v & 0xFF);
            u8((v >> 8) & 0xFF);
        };
        auto s32 = [&](std::int32_t v) {
            std::uint32_t u = static_cast<std::uint32_t>(v);
            for (int i = 0; i < 4; ++i) u8((u >> (8 * i)) & 0xFF);
        };
        auto f32 = [&](float v) {
            std::uint32_t u;
            std::memcpy(&u, &v, 4);
            s32(static_cast<std::int32_t>(u));
        };
        auto text = [&](const std::string& s, std::size_t size, const std::string& tail = std::string()) {
            std::string field = s;
            if (!tail.empty()) field += std::string(1, '\0') + tail;
            field.resize(size, '\0');
            out.insert(out.end(), field.begin(), field.end());
        };

        out.insert(out.end(), id.begin(), id.end());
        s32(version);
        u16(static_cast<int>(vertices.size()));
        for (const Vertex& v : vertices) {
            u8(0);
            f32(v.x);
            f32(v.y);
            f32(v.z);
            u8(v.bone & 0xFF);
            u8(1);
        }
        u16(static_cast<int>(triangles.size()));
        for (const Triangle& t : triangles) {
            u16(0);
            u16(t.a);
            u16(t.b);
            u16(t.c);
            for (float n : t.normals) f32(n);
            for (float s : t.s) f32(s);
            for (float v : t.t) f32(v);
            u8(1);
            u8(0);
        }
        u16(static_cast<int>(groups.size()));
        for (const Group& g : groups) {
            u8(0);
            text(g.name, 32);
            u16(static_cast<int>(g.triangles.size()));
            for (int t : g.triangles) u16(t);
            u8(g.material & 0xFF);
        }
        u16(static_cast<int>(materials.size()));
        for (const Material& m : materials) {
            text(m.name, 32);
            for (float a : m.ambient) f32(a);
            for (int i = 0; i < 12; ++i) f32(0.5f);  // diffuse, specular, emissive
            f32(10);                                 // shininess
            f32(1);                                  // transparency
            u8(0);                                   // mode
            text(m.texture, 128, m.textureTail);
            text("", 128, "garbage");
        }
        f32(framesPerSecond);
        f32(1);
        s32(totalFrames);
        u16(static_cast<int>(joints.size()));
        for (const Joint& j : joints) {
            u8(8);
            text(j.name, 32);
            text(j.parent, 32, j.parent.empty() ? "" : "junk");
            for (float r : j.rotation) f32(r);
            for (float p : j.position) f32(p);
            u16(static_cast<int>(j.rotationKeys.size()));
            u16(static_cast<int>(j.translationKeys.size()));
            for (const Key& k : j.rotationKeys) {
                f32(k.seconds);
                f32(k.x);
                f32(k.y);
                f32(k.z);
            }
            for (const Key& k : j.translationKeys) {
                f32(k.seconds);
                f32(k.x);
                f32(k.y);
                f32(k.z);
            }
        }
        out.insert(out.end(), trailer.begin(), trailer.end());
        return out;
    }
};
