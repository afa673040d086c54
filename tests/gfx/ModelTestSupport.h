#pragma once
// Loading test models from memory through exact-size heap buffers, so that the sanitizer build
// catches any read past the end.
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Model.h"

inline bool loadExact(Model& model, const std::vector<unsigned char>& bytes, std::size_t size) {
    std::unique_ptr<unsigned char[]> exact(new unsigned char[size == 0 ? 1 : size]);
    if (size > 0) std::memcpy(exact.get(), bytes.data(), size);
    return model.loadFromBuffer(exact.get(), size);
}

inline bool loadExact(Model& model, const std::vector<unsigned char>& bytes) {
    return loadExact(model, bytes, bytes.size());
}

inline std::vector<unsigned char> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string fixturePath(const std::string& name) {
    return std::string(GEARWARD_FIXTURES_DIR) + "/ms3d/" + name;
}
