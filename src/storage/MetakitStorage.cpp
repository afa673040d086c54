#include "storage/MetakitStorage.h"

#include "storage/MetakitDecoder.h"
#include "storage/MetakitStructure.h"
#include "storage/ReadFile.h"

namespace {
const MetakitView emptyView;

// Larger files are refused outright: positions in the file are 31-bit numbers.
constexpr size_t largestFile = 0x7fffffff;
}  // namespace

bool MetakitStorage::open(const std::string& path, std::string* error) {
    views.clear();
    byteOrder = 'L';
    description.clear();
    std::vector<uint8_t> bytes;
    ReadFileResult read = readWholeFile(path, bytes, largestFile);
    if (!read.ok()) {
        if (error) *error = read.status == ReadFileStatus::TooLarge ? "file too large for a storage file" : read.reason;
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
