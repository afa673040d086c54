#include "storage/MetakitStorage.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "storage/MetakitDecoder.h"
#include "storage/MetakitStructure.h"

namespace {
const MetakitView emptyView;

// Larger files are refused outright: positions in the file are 31-bit numbers.
constexpr std::streamoff largestFile = 0x7fffffff;
}  // namespace

bool MetakitStorage::open(const std::string& path, std::string* error) {
    views.clear();
    byteOrder = 'L';
    description.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        if (error) *error = "cannot read: not a regular file";
        return false;
    }
    in.seekg(0, std::ios::end);
    std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length < 0 || !in) {
        if (error) *error = "cannot read: not a regular file";
        return false;
    }
    if (length > largestFile) {
        if (error) *error = "file too large for a storage file";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length)) {
        if (error) *error = "cannot read the whole file";
        return false;
    }
    return decode(bytes.data(), bytes.size(), error);
}

bool MetakitStorage::decode(const uint8_t* data, size_t size, std::string* error) {
    MetakitDecoder decoder;
    std::string reason;
    if (decoder.decode(data, size, *this, reason)) return true;
    if (error) *error = "not a valid storage file: " + reason;
    return false;
}

// Like property names, view names match regardless of case when there is no exact match.
const MetakitView& MetakitStorage::view(const std::string& name) const {
    for (const MetakitView& v : views)
        if (v.name == name) return v;
    for (const MetakitView& v : views)
        if (MetakitStructure::sameName(v.name, name)) return v;
    return emptyView;
}
