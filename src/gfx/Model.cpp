#include "gfx/Model.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>

#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/Log.h"
#include "storage/ReadFile.h"

namespace {

const char* const truncated = "FAIL: Unexpected end of file";

// Sizes of the fixed parts of each section of the file.
const std::size_t headerSize = 14;
const std::size_t vertexSize = 15;
const std::size_t triangleSize = 70;
const std::size_t groupHeaderSize = 35;  // flags, name, triangle count
const std::size_t materialSize = 361;
const std::size_t animationSize = 12;
const std::size_t jointHeaderSize = 93;
const std::size_t keySize = 16;

// Little-endian reads that never go past the end of the bytes: check room() first.
class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data(data), size(size) {}

    bool room(std::size_t bytes) const { return size - pos >= bytes; }
    bool roomFor(std::size_t count, std::size_t each) const {
        return each == 0 || count <= (size - pos) / each;
    }
    std::size_t position() const { return pos; }
    void seek(std::size_t to) { pos = to; }
    void skip(std::size_t bytes) { pos += bytes; }

    std::uint8_t u8() { return data[pos++]; }
    std::int8_t s8() { return static_cast<std::int8_t>(u8()); }
    std::uint16_t u16() {
        std::uint16_t v = static_cast<std::uint16_t>(data[pos] | (data[pos + 1] << 8));
        pos += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t v =
            static_cast<std::uint32_t>(data[pos]) | static_cast<std::uint32_t>(data[pos + 1]) << 8 |
            static_cast<std::uint32_t>(data[pos + 2]) << 16 | static_cast<std::uint32_t>(data[pos + 3]) << 24;
        pos += 4;
        return v;
    }
    std::int32_t s32() { return static_cast<std::int32_t>(u32()); }
    float f32() {
        std::uint32_t bits = u32();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    void floats(float* out, int count) {
        for (int i = 0; i < count; ++i) out[i] = f32();
    }
    Vector3 vector() {
        float v[3];
        floats(v, 3);
        return Vector3(v);
    }
    // A fixed-size, NUL-padded field: only the bytes before the first NUL count.
    std::string text(std::size_t fieldSize) {
        const char* start = reinterpret_cast<const char*>(data + pos);
        const void* nul = std::memchr(start, 0, fieldSize);
        std::size_t length =
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : fieldSize;
        pos += fieldSize;
        return std::string(start, length);
    }

private:
    const unsigned char* data;
    std::size_t size;
    std::size_t pos = 0;
};

}  // namespace

Model::Model(const std::string& fileName) : modelFileName(fileName) {
    load(fileName);
    // The first model built with a context sets up model drawing, after its file has been read.
    if (GlContext::available()) GlExtensions::setup();
}

std::string Model::fileName() const {
    return modelFileName;
}

void Model::clear() {
    geometry.drop();
    vertices.clear();
    triangles.clear();
    meshes.clear();
    materials.clear();
    joints.clear();
    totalTime = 0;
}

bool Model::fail(const char* message) {
    logToStderr(message);
    clear();
    return false;
}

bool Model::load(const std::string& fileName) {
    if (fileName.empty()) return false;
    modelFileName = fileName;
    logToStdout("Loading: " + fileName);
    std::vector<unsigned char> bytes;
    ReadFileResult read = readWholeFile(fileName, bytes, LARGEST_MODEL_FILE, "a model file");
    if (read.status == ReadFileStatus::CannotOpen) {
        logToStderr("FAIL: failed to open model file \"" + fileName + "\"");
        clear();
        return false;
    }
    if (!read.ok()) {
        // A directory or a FIFO named by the database is a modder's slip, not a reason to stop.
        logToStderr("FAIL: failed to read model file \"" + fileName + "\": " + read.reason);
        clear();
        return false;
    }
    // Exactly the file's size, so any read past the end is caught by the sanitizer build.
    bytes.shrink_to_fit();
    return loadFromBuffer(bytes.data(), bytes.size());
}

bool Model::loadFromBuffer(const unsigned char* data, std::size_t size) {
    clear();
    ByteReader in(data, size);
    if (!in.room(10) || std::memcmp(data, "MS3D000000", 10) != 0) return fail("FAIL: Header error");
    in.skip(10);
    if (!in.room(4)) return fail(truncated);
    std::int32_t version = in.s32();
    if (version < 3 || version > 4) {
        logToStderr("FAIL: Incorrect version: " + std::to_string(version));
        clear();
        return false;
    }
    static_assert(headerSize == 14, "id and version");

    if (!in.room(2)) return fail(truncated);
    std::size_t vertexCount = in.u16();
    if (!in.roomFor(vertexCount, vertexSize)) return fail(truncated);
    vertices.resize(vertexCount);
    for (Vertex& vertex : vertices) {
        in.skip(1);  // flags
        vertex.position = in.vector();
        vertex.bone = in.s8();
        in.skip(1);  // reference count
    }

    if (!in.room(2)) return fail(truncated);
    std::size_t triangleCount = in.u16();
    if (!in.roomFor(triangleCount, triangleSize)) return fail(truncated);
    triangles.resize(triangleCount);
    for (Triangle& triangle : triangles) {
        in.skip(2);  // flags
        for (int& index : triangle.vertexIndices) {
            index = in.u16();
            if (static_cast<std::size_t>(index) >= vertexCount)
                return fail("FAIL: Triangle vertex index out of range");
        }
        for (Vector3& normal : triangle.normals) normal = in.vector();
        triangle.s = in.vector();
        triangle.t = in.vector();
        in.skip(2);  // smoothing group, group index
    }

    if (!in.room(2)) return fail(truncated);
    std::size_t groupCount = in.u16();
    for (std::size_t g = 0; g < groupCount; ++g) {
        if (!in.room(groupHeaderSize)) return fail(truncated);
        in.skip(1 + 32);  // flags, name
        std::size_t count = in.u16();
        if (!in.roomFor(count, 2) || !in.room(count * 2 + 1)) return fail(truncated);
        Mesh mesh;
        mesh.triangleIndices.resize(count);
        for (int& index : mesh.triangleIndices) {
            index = in.u16();
            if (static_cast<std::size_t>(index) >= triangleCount)
                return fail("FAIL: Group triangle index out of range");
        }
        mesh.material = in.s8();
        meshes.push_back(std::move(mesh));
    }

    if (!in.room(2)) return fail(truncated);
    std::size_t materialCount = in.u16();
    if (!in.roomFor(materialCount, materialSize)) return fail(truncated);
    materials.resize(materialCount);
    for (Material& material : materials) {
        in.skip(32);  // name
        in.floats(material.ambient, 4);
        in.floats(material.diffuse, 4);
        in.floats(material.specular, 4);
        in.floats(material.emissive, 4);
        material.shininess = in.f32();
        in.skip(4 + 1);  // transparency, mode
        material.textureFile = in.text(128);
        for (char& c : material.textureFile)
            if (c == '\\') c = '/';
        in.skip(128);  // alpha map
    }
    for (const Mesh& mesh : meshes)
        if (mesh.material >= static_cast<int>(materialCount))
            return fail("FAIL: Group material index out of range");

    if (!in.room(animationSize)) return fail(truncated);
    float framesPerSecond = in.f32();
    in.skip(4);  // current time
    std::int32_t totalFrames = in.s32();
    // No frame rate means no animation to play, not a division by zero.
    totalTime = framesPerSecond == 0.0f ? 0.0 : totalFrames * 1000.0 / framesPerSecond;
    if (!std::isfinite(totalTime)) totalTime = 0;

    if (!in.room(2)) return fail(truncated);
    std::size_t jointCount = in.u16();
    // First pass: the names, so that parents can be found by name.
    std::vector<std::string> names;
    std::size_t jointsStart = in.position();
    for (std::size_t j = 0; j < jointCount; ++j) {
        if (!in.room(jointHeaderSize)) return fail(truncated);
        in.skip(1);
        names.push_back(in.text(32));
        in.skip(32 + 24);  // parent name, rotation, position
        std::size_t keys = static_cast<std::size_t>(in.u16()) + in.u16();
        if (!in.roomFor(keys, keySize)) return fail(truncated);
        in.skip(keys * keySize);
    }
    // Second pass: everything else; the first pass proved every byte is there.
    in.seek(jointsStart);
    joints.reserve(jointCount);
    for (std::size_t j = 0; j < jointCount; ++j) {
        Joint joint;
        in.skip(1 + 32);  // flags, name
        std::string parentName = in.text(32);
        if (!parentName.empty()) {
            std::size_t p = 0;
            while (p < jointCount && names[p] != parentName) ++p;
            if (p == jointCount) return fail("FAIL: Unable to find parent bone in MS3D file");
            // Poses are built parents first; a parent later in the file (or the joint itself)
            // would leave this joint hanging from a pose not yet computed.
            if (p >= j) return fail("FAIL: Parent bone comes after its child in MS3D file");
            joint.parent = static_cast<int>(p);
        }
        float rotation[3];
        in.floats(rotation, 3);
        joint.relativeRotation = Matrix::fromEulerRadians(rotation);
        joint.relativePosition = in.vector();
        std::size_t rotationKeys = in.u16();
        std::size_t translationKeys = in.u16();
        auto readKeys = [&](std::vector<Keyframe>& keys, std::size_t count) {
            keys.resize(count);
            for (Keyframe& key : keys) {
                key.jointIndex = static_cast<int>(j);
                key.time = in.f32() * 1000.0f;  // seconds to milliseconds
                in.floats(key.parameter, 3);
            }
        };
        readKeys(joint.rotationKeys, rotationKeys);
        readKeys(joint.translationKeys, translationKeys);
        joints.push_back(std::move(joint));
    }
    // Anything after the joints (comments, extra vertex weights) is not used.

    // A bone the skeleton does not have hangs from nothing.
    for (Vertex& vertex : vertices)
        if (vertex.bone < 0 || static_cast<std::size_t>(vertex.bone) >= jointCount) vertex.bone = -1;

    for (Material& material : materials) {
        if (material.textureFile.empty()) continue;
        material.texturePath = resolveTexturePath(modelFileName, material.textureFile);
        material.texture = loadMaterialTexture(material.textureFile);
    }

    setupJoints();
    restart();
    return true;
}

void Model::setupJoints() {
    // The vertices move into their joints' frames: lists made from them before are stale.
    geometry.drop();
    for (Joint& joint : joints) {
        if (joint.parent < 0) {
            joint.absoluteRotation = joint.relativeRotation;
            joint.absolutePosition = joint.relativePosition;
        } else {
            const Joint& parent = joints[joint.parent];
            joint.absoluteRotation = parent.absoluteRotation * joint.relativeRotation;
            joint.absolutePosition =
                parent.absoluteRotation * joint.relativePosition + parent.absolutePosition;
        }
    }
    for (Vertex& vertex : vertices) {
        if (vertex.bone < 0) continue;
        const Joint& joint = joints[vertex.bone];
        vertex.position = joint.absoluteRotation.transpose() * (vertex.position - joint.absolutePosition);
    }
}

std::ostream& operator<<(std::ostream& out, const Model& model) {
    out << "Filename: " << model.modelFileName << "\n";
    out << "Number of vertices: " << model.vertices.size() << "\n";
    for (std::size_t i = 0; i < model.vertices.size(); ++i)
        out << "Vertex " << i << ": " << model.vertices[i].position << "\n";
    out << "\n";

    out << "Number of triangles: " << model.triangles.size() << "\n";
    for (std::size_t i = 0; i < model.triangles.size(); ++i) {
        out << "Triangle " << i << ": ";
        for (int index : model.triangles[i].vertexIndices) out << index << " ";
        out << "\n";
    }
    out << "\n";

    out << "Number of meshes: " << model.meshes.size() << "\n\n";
    for (std::size_t i = 0; i < model.meshes.size(); ++i) {
        const Mesh& mesh = model.meshes[i];
        out << "\nNumber of triangles in mesh " << i << ": " << mesh.triangleIndices.size() << "\n";
        for (std::size_t k = 0; k < mesh.triangleIndices.size(); ++k)
            out << "Mesh " << i << ", triangle index " << k << ": " << mesh.triangleIndices[k] << "\n";
    }

    out << "\nNumber of joints: " << model.joints.size() << "\n\n";
    for (std::size_t i = 0; i < model.joints.size(); ++i) {
        const Joint& joint = model.joints[i];
        out << "\n" << std::string(54, '=') << "\n";
        out << "Joint " << i << ": \n";
        out << "Parent index: " << joint.parent << "\n";
        out << "Local rotation: " << joint.relativeRotation;
        out << "Local position: " << joint.relativePosition << "\n";
        out << "World rotation: " << joint.absoluteRotation;
        out << "World position: " << joint.absolutePosition << "\n";
        out << "Number of rotation keyframes: " << joint.rotationKeys.size() << "\n";
        out << "Number of position keyframes: " << joint.translationKeys.size() << "\n";
        for (std::size_t k = 0; k < joint.rotationKeys.size(); ++k) {
            const Keyframe& key = joint.rotationKeys[k];
            out << "\nJoint " << i << " Rotation Keyframe " << k << ":\n";
            out << "Joint index: " << key.jointIndex << "\n";
            out << "Time: " << key.time << "\n";
            out << "Angles (radians): X: " << key.parameter[0] << " Y: " << key.parameter[1]
                << " Z: " << key.parameter[2] << "\n";
        }
        for (std::size_t k = 0; k < joint.translationKeys.size(); ++k) {
            const Keyframe& key = joint.translationKeys[k];
            out << "\nJoint " << i << " Translation Keyframe " << k << ":\n";
            out << "Joint index: " << key.jointIndex << "\n";
            out << "Time: " << key.time << "\n";
            out << "Translation: X: " << key.parameter[0] << " Y: " << key.parameter[1]
                << " Z: " << key.parameter[2] << "\n";
        }
    }
    return out;
}
