#include "storage/MetakitStorage.h"

#include "storage/MetakitDecoder.h"
#include "storage/MetakitStructure.h"
#include "storage/ReadFile.h"

namespace {
const MetakitView emptyView;
}  // namespace

bool MetakitStorage::open(const std::string& path, std::string* error) {
    views.clear();
    byteOrder = 'L';
    description.clear();
    std::string reason;
    // The tails at the end first: a file that is no storage file at all is refused before the
    // rest of it is read.
    std::vector<uint8_t> bytes;
    size_t fileSize = 0;
    ReadFileResult read = readFileEnd(path, MetakitDecoder::TAILS_SIZE, bytes, fileSize,
                                      LARGEST_DATABASE_FILE, "a game database");
    if (read.ok() && !MetakitDecoder::checkTails(bytes.data(), bytes.size(), fileSize, reason)) {
        if (error) *error = reason;
        return false;
    }
    if (read.ok()) read = readWholeFile(path, bytes, LARGEST_DATABASE_FILE, "a game database");
    if (!read.ok()) {
        if (error) *error = read.reason;
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
