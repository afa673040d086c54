#include "Ms3dWriter.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

class ByteSink {
public:
    explicit ByteSink(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { out_.push_back(v); }
    void i8(int v) { out_.push_back(static_cast<uint8_t>(static_cast<int8_t>(v))); }
    void u16(uint16_t v) {
        out_.push_back(static_cast<uint8_t>(v & 0xff));
        out_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void i32(int32_t v) {
        uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    void f32(float v) {
        static_assert(sizeof(float) == 4, "the format stores 32-bit floats");
        uint32_t u;
        std::memcpy(&u, &v, 4);
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    template <size_t N>
    void floats(const std::array<float, N>& values) {
        for (float v : values) f32(v);
    }
    // A fixed-size field: the text, then NULs up to the size (the caller has checked it fits).
    void text(const std::string& s, size_t size) {
        out_.insert(out_.end(), s.begin(), s.end());
        out_.insert(out_.end(), size - s.size(), 0);
    }

private:
    std::vector<uint8_t>& out_;
};

void checkText(const std::string& s, size_t field, const std::string& what) {
    if (s.size() >= field)
        throw std::runtime_error(what + " \"" + s + "\" is longer than " + std::to_string(field - 1) +
                                 " characters");
    if (s.find('\0') != std::string::npos) throw std::runtime_error(what + " contains a NUL character");
}

void checkCount(size_t count, size_t limit, const std::string& what) {
    if (count > limit)
        throw std::runtime_error("too many " + what + ": " + std::to_string(count) + " (at most " +
                                 std::to_string(limit) + ")");
}

}  // namespace

void Ms3dWriter::check(const Ms3dModel& model) {
    checkCount(model.vertices.size(), 65535, "vertices");
    checkCount(model.triangles.size(), 65535, "triangles");
    // The triangle's group index is one byte and the bone and material indices are signed bytes.
    checkCount(model.groups.size(), 255, "groups");
    checkCount(model.materials.size(), 127, "materials");
    checkCount(model.joints.size(), 127, "joints");
    if (!(model.framesPerSecond > 0.0f)) throw std::runtime_error("frames per second must be above 0");
    if (model.totalFrames < 1) throw std::runtime_error("total frames must be at least 1");

    for (const Ms3dVertex& v : model.vertices)
        if (v.bone < -1 || v.bone >= static_cast<int>(model.joints.size()))
            throw std::runtime_error("vertex bone " + std::to_string(v.bone) + " names no joint");
    for (const Ms3dTriangle& t : model.triangles) {
        for (uint16_t index : t.vertices)
            if (index >= model.vertices.size())
                throw std::runtime_error("triangle corner " + std::to_string(index) + " names no vertex");
        if (t.group >= model.groups.size()) throw std::runtime_error("triangle names no group");
    }
    for (const Ms3dGroup& g : model.groups) {
        checkText(g.name, nameField, "group name");
        checkCount(g.triangles.size(), 65535, "triangles in group " + g.name);
        for (uint16_t index : g.triangles)
            if (index >= model.triangles.size())
                throw std::runtime_error("group " + g.name + " lists a triangle that does not exist");
        if (g.material < -1 || g.material >= static_cast<int>(model.materials.size()))
            throw std::runtime_error("group " + g.name + " names no material");
    }
    for (const Ms3dMaterial& m : model.materials) {
        checkText(m.name, nameField, "material name");
        checkText(m.texture, pathField, "texture path");
    }
    for (size_t i = 0; i < model.joints.size(); ++i) {
        const Ms3dJoint& j = model.joints[i];
        checkText(j.name, nameField, "joint name");
        checkText(j.parent, nameField, "parent name");
        checkCount(j.rotationKeys.size(), 65535, "rotation keys");
        checkCount(j.translationKeys.size(), 65535, "translation keys");
        // The game resolves parents by name among all joints but needs them before their children.
        if (!j.parent.empty()) {
            bool found = false;
            for (size_t k = 0; k < i && !found; ++k) found = model.joints[k].name == j.parent;
            if (!found)
                throw std::runtime_error("joint " + j.name + ": parent " + j.parent +
                                         " is not an earlier joint");
        }
    }
}

std::vector<uint8_t> Ms3dWriter::write(const Ms3dModel& model) {
    check(model);
    std::vector<uint8_t> bytes;
    ByteSink out(bytes);

    out.text("MS3D000000", 10);
    out.i32(4);

    out.u16(static_cast<uint16_t>(model.vertices.size()));
    std::vector<unsigned> uses(model.vertices.size(), 0);
    for (const Ms3dTriangle& t : model.triangles)
        for (uint16_t index : t.vertices) ++uses[index];
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        out.u8(0);  // flags
        out.floats(model.vertices[i].position);
        out.i8(model.vertices[i].bone);
        out.u8(static_cast<uint8_t>(uses[i] > 255 ? 255 : uses[i]));  // reference count
    }

    out.u16(static_cast<uint16_t>(model.triangles.size()));
    for (const Ms3dTriangle& t : model.triangles) {
        out.u16(0);  // flags
        for (uint16_t index : t.vertices) out.u16(index);
        for (const auto& n : t.normals) out.floats(n);
        out.floats(t.s);
        out.floats(t.t);
        out.u8(t.smoothingGroup);
        out.u8(t.group);
    }

    out.u16(static_cast<uint16_t>(model.groups.size()));
    for (const Ms3dGroup& g : model.groups) {
        out.u8(0);  // flags
        out.text(g.name, nameField);
        out.u16(static_cast<uint16_t>(g.triangles.size()));
        for (uint16_t index : g.triangles) out.u16(index);
        out.i8(g.material);
    }

    out.u16(static_cast<uint16_t>(model.materials.size()));
    for (const Ms3dMaterial& m : model.materials) {
        out.text(m.name, nameField);
        out.floats(m.ambient);
        out.floats(m.diffuse);
        out.floats(m.specular);
        out.floats(m.emissive);
        out.f32(m.shininess);
        out.f32(m.transparency);
        out.u8(0);  // mode
        out.text(m.texture, pathField);
        out.text("", pathField);  // alpha map
    }

    out.f32(model.framesPerSecond);
    out.f32(0.0f);  // current time
    out.i32(model.totalFrames);

    out.u16(static_cast<uint16_t>(model.joints.size()));
    for (const Ms3dJoint& j : model.joints) {
        out.u8(0);  // flags
        out.text(j.name, nameField);
        out.text(j.parent, nameField);
        out.floats(j.rotation);
        out.floats(j.position);
        out.u16(static_cast<uint16_t>(j.rotationKeys.size()));
        out.u16(static_cast<uint16_t>(j.translationKeys.size()));
        for (const Ms3dKey& k : j.rotationKeys) {
            out.f32(k.time);
            out.floats(k.value);
        }
        for (const Ms3dKey& k : j.translationKeys) {
            out.f32(k.time);
            out.floats(k.value);
        }
    }
    return bytes;
}

void Ms3dWriter::writeFile(const Ms3dModel& model, const std::string& path) {
    std::vector<uint8_t> bytes = write(model);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("cannot write " + path);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}
