#include "storage/MetakitDecoder.h"

#include <cstring>

#include "storage/ByteCursor.h"
#include "storage/MetakitIntColumn.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitStructure.h"

namespace {

constexpr size_t markSize = 8;
constexpr size_t smallestFile = markSize * 3;

uint64_t readFixed64(const uint8_t* p, bool bigEndian) {
    uint64_t v = 0;
    for (int b = 0; b < 8; ++b) v |= uint64_t(p[bigEndian ? 7 - b : b]) << (8 * b);
    return v;
}

// How many property records a copy of these properties makes, nested ones included.
size_t propertyWeight(const std::vector<MetakitProperty>& properties) {
    size_t weight = properties.size();
    for (const MetakitProperty& p : properties) weight += propertyWeight(p.subProperties);
    return weight;
}

}  // namespace

bool MetakitDecoder::fail(const std::string& message) {
    if (error.empty()) error = message;
    return false;
}

bool MetakitDecoder::failIn(const MetakitProperty& property, const std::string& message) {
    return fail(message + " in column '" + property.name + "'");
}

bool MetakitDecoder::chargeCells(size_t count) {
    if (count > cellLimit - cellsUsed)
        return fail("more than " + std::to_string(cellLimit) + " values in the file");
    cellsUsed += count;
    return true;
}

bool MetakitDecoder::decode(const uint8_t* bytes, size_t size, MetakitStorage& storage,
                            std::string& errorOut) {
    storage.views.clear();
    storage.byteOrder = 'L';
    storage.description.clear();
    file = bytes;
    fileSize = size;
    cellsUsed = 0;
    valueBytesUsed = 0;
    error.clear();
    if (undefinedBits) undefinedBits->assign(size, 0);
    if (size == 0) return true;  // a storage that never had a view is an empty file

    Reference rootWalk;
    char byteOrder = 'L';
    if (!locateRootWalk(rootWalk, byteOrder)) {
        errorOut = error;
        return false;
    }
    bigEndian = byteOrder == 'B';

    std::string description;
    std::vector<MetakitProperty> fields;
    MetakitView root;
    if (!readRootWalk(rootWalk, description, fields, root)) {
        errorOut = error;
        return false;
    }

    // Each top-level view is a subview property of the root's single row.
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].type != 'V') continue;
        std::vector<MetakitView>& sub = root.rows[0][i].subview;
        MetakitView view = sub.empty() ? MetakitView() : std::move(sub.front());
        view.name = fields[i].name;
        view.properties = fields[i].subProperties;
        storage.views.push_back(std::move(view));
    }
    storage.byteOrder = byteOrder;
    storage.description = description;
    return true;
}

// The root walk: a reserved 0, the description, one row, and that row's references (one
// subview column per top-level view), with nothing left over.
bool MetakitDecoder::readRootWalk(const Reference& rootWalk, std::string& description,
                                  std::vector<MetakitProperty>& fields, MetakitView& root) {
    ByteCursor walk(rootWalk.data, rootWalk.size);
    int64_t reserved = 0, descLength = 0, rowCount = 0;
    const uint8_t* descBytes = nullptr;
    if (!walk.readNumber(reserved) || reserved != 0) return fail("bad reserved number in the root walk");
    if (!walk.readNumber(descLength) || !walk.readBytes(size_t(descLength), descBytes))
        return fail("description runs past the root walk");
    description.assign(reinterpret_cast<const char*>(descBytes), size_t(descLength));
    std::string structureError;
    if (!MetakitStructure::parse(description, fields, structureError))
        return fail("bad description: " + structureError);
    if (!walk.readNumber(rowCount) || rowCount != 1) return fail("root row count is not 1");
    if (!readRows(walk, 1, fields, root)) return false;
    if (!walk.atEnd()) return fail("root walk has trailing bytes");
    return true;
}

namespace {

// What the two tails at the end of a file say.
struct Tails {
    uint32_t walkLength = 0;
    uint32_t walkPosition = 0;
    uint32_t offset = 0;  // from the skip tail back to the header
};

// Reads the tails from the 2 x markSize bytes before `end`, the end of a file of `fileSize` bytes;
// "" when they are there, else why not.
std::string readTails(const uint8_t* end, size_t fileSize, Tails& tails) {
    if (fileSize < smallestFile) return "file too short (" + std::to_string(fileSize) + " bytes)";
    const uint8_t* last = end - 2 * markSize;
    ByteCursor commitTail(last + markSize, markSize);
    uint8_t mark = 0;
    commitTail.readByte(mark);
    commitTail.readBE24(tails.walkLength);
    commitTail.readBE32(tails.walkPosition);
    if (mark != 0x80 || tails.walkLength == 0 || tails.walkPosition == 0) return "no commit tail at the end";
    ByteCursor skipTail(last + 4, 4);
    skipTail.readBE32(tails.offset);
    if (last[0] != 0x80 || last[1] || last[2] || last[3] || tails.offset == 0)
        return "no skip tail before the commit tail";
    if (tails.offset > fileSize - 2 * markSize || tails.offset < markSize)
        return "skip tail points outside the file";
    return "";
}

}  // namespace

bool MetakitDecoder::checkTails(const uint8_t* tails, size_t tailsSize, size_t fileSize, std::string& error) {
    static_assert(TAILS_SIZE == 2 * markSize, "the commit tail and the skip tail");
    if (fileSize == 0) return true;  // a storage that never had a view is an empty file
    Tails read;
    const std::string reason = tailsSize < TAILS_SIZE || fileSize < smallestFile
                                   ? "file too short (" + std::to_string(fileSize) + " bytes)"
                                   : readTails(tails + tailsSize, fileSize, read);
    if (reason.empty()) return true;
    error = "not a valid storage file: " + reason;
    return false;
}

bool MetakitDecoder::locateRootWalk(Reference& rootWalk, char& byteOrder) {
    Tails tails;
    const std::string reason = readTails(file + fileSize, fileSize, tails);
    if (!reason.empty()) return fail(reason);
    const uint32_t walkLength = tails.walkLength;
    const uint32_t walkPosition = tails.walkPosition;
    const uint32_t offset = tails.offset;
    size_t skipAt = fileSize - 2 * markSize;

    base = skipAt - offset;
    limit = skipAt;
    const uint8_t* header = file + base;
    bool little = header[0] == 'J' && header[1] == 'L';
    bool big = header[0] == 'L' && header[1] == 'J';
    if (!(little || big) || header[2] != 0x1a || header[3] != 0x00)
        return fail("no header where the skip tail points");
    byteOrder = big ? 'B' : 'L';

    if (size_t(walkPosition) < markSize || size_t(walkPosition) > offset ||
        size_t(walkLength) > offset - walkPosition)
        return fail("root walk lies outside the data");
    rootWalk.data = file + base + walkPosition;
    rootWalk.size = walkLength;
    return true;
}

bool MetakitDecoder::readReference(ByteCursor& walk, Reference& reference) {
    int64_t size = 0, position = 0;
    if (!walk.readNumber(size)) return fail("bad column size in a walk");
    reference = Reference();
    if (size == 0) return true;
    if (!walk.readNumber(position)) return fail("bad column position in a walk");
    size_t span = limit - base;
    if (size_t(position) < markSize || size_t(position) > span || size_t(size) > span - size_t(position))
        return fail("column block lies outside the data");
    reference.size = size_t(size);
    reference.data = file + base + size_t(position);
    return true;
}

bool MetakitDecoder::readView(ByteCursor& walk, const std::vector<MetakitProperty>& properties,
                              MetakitView& view) {
    int64_t reserved = 0, rowCount = 0;
    if (!walk.readNumber(reserved) || reserved != 0) return fail("bad reserved number in a walk");
    if (!walk.readNumber(rowCount)) return fail("bad row count in a walk");
    return readRows(walk, size_t(rowCount), properties, view);
}

bool MetakitDecoder::readRows(ByteCursor& walk, size_t rowCount,
                              const std::vector<MetakitProperty>& properties, MetakitView& view) {
    if (rowCount == 0) return true;
    if (rowCount > rowLimit)
        return fail("view claims " + std::to_string(rowCount) + " rows (at most " + std::to_string(rowLimit) +
                    ")");

    std::vector<PropertyReferences> refs(properties.size());
    for (size_t i = 0; i < properties.size(); ++i) {
        char type = properties[i].type;
        if (!readReference(walk, refs[i].values)) return false;
        if (type == 'S' || type == 'B') {
            if (refs[i].values.size > 0 && !readReference(walk, refs[i].sizes)) return false;
            if (!readReference(walk, refs[i].memos)) return false;
        }
    }
    // Every block must be plausible for the row count before anything is allocated per row.
    for (size_t i = 0; i < properties.size(); ++i)
        if (!checkColumn(properties[i], refs[i], rowCount)) return false;
    if (!chargeCells(rowCount * (properties.empty() ? 1 : properties.size()))) return false;

    view.rows.assign(rowCount, std::vector<MetakitValue>(properties.size()));
    for (size_t i = 0; i < properties.size(); ++i)
        if (!decodeColumn(properties[i], refs[i], i, view)) return false;
    return true;
}

void MetakitDecoder::markUndefinedBits(const Reference& block, size_t rowCount) {
    int width = MetakitIntColumn::widthFor(block.size, rowCount);
    if (!undefinedBits || width <= 0 || width >= 8) return;
    size_t bits = rowCount * size_t(width);
    if (bits % 8 == 0 || bits / 8 >= block.size) return;
    size_t at = size_t(block.data - file) + bits / 8;
    (*undefinedBits)[at] |= static_cast<uint8_t>(0xff << (bits % 8));
}

bool MetakitDecoder::checkColumn(const MetakitProperty& property, const PropertyReferences& refs,
                                 size_t rowCount) {
    MetakitIntColumn column;
    switch (property.type) {
    case 'I':
    case 'F':
        if (!column.bind(refs.values.data, refs.values.size, rowCount, bigEndian))
            return failIn(property, "integer block size fits no width");
        markUndefinedBits(refs.values, rowCount);
        return true;
    case 'L':
    case 'D':
        if (refs.values.size != 0 && refs.values.size != 8 * rowCount)
            return failIn(property, "64-bit block has the wrong size");
        return true;
    case 'S':
    case 'B':
        if (refs.values.size > 0 && !column.bind(refs.sizes.data, refs.sizes.size, rowCount, bigEndian))
            return failIn(property, "item sizes block fits no width");
        markUndefinedBits(refs.sizes, rowCount);
        return true;
    case 'V':
        if (refs.values.size / 2 < rowCount) return failIn(property, "subview block too short");
        return true;
    default:
        return failIn(property, "unknown property type");
    }
}

bool MetakitDecoder::decodeColumn(const MetakitProperty& property, const PropertyReferences& refs,
                                  size_t column, MetakitView& view) {
    size_t rowCount = view.rows.size();
    switch (property.type) {
    case 'I':
    case 'F': {
        MetakitIntColumn values;
        values.bind(refs.values.data, refs.values.size, rowCount, bigEndian);
        for (size_t r = 0; r < rowCount; ++r) {
            int32_t v = values.get(r);
            MetakitValue& cell = view.rows[r][column];
            if (property.type == 'I') {
                cell.integer = v;
            } else {
                float f = 0;
                std::memcpy(&f, &v, sizeof f);
                cell.real = f;
            }
        }
        return true;
    }
    case 'L':
    case 'D':
        if (refs.values.size == 0) return true;
        for (size_t r = 0; r < rowCount; ++r) {
            uint64_t bits = readFixed64(refs.values.data + 8 * r, bigEndian);
            MetakitValue& cell = view.rows[r][column];
            if (property.type == 'L') {
                cell.integer = static_cast<int64_t>(bits);
            } else {
                std::memcpy(&cell.real, &bits, sizeof bits);
            }
        }
        return true;
    case 'S':
    case 'B':
        return decodeItems(property, refs, column, view);
    case 'V':
        return decodeSubviews(property, refs.values, column, view);
    default:
        return fail("unknown property type in column '" + property.name + "'");
    }
}

bool MetakitDecoder::decodeItems(const MetakitProperty& property, const PropertyReferences& refs,
                                 size_t column, MetakitView& view) {
    size_t rowCount = view.rows.size();
    MetakitIntColumn sizes;
    if (refs.values.size > 0) sizes.bind(refs.sizes.data, refs.sizes.size, rowCount, bigEndian);

    // Large items live in blocks of their own, listed by the memo index in row order.
    struct Memo {
        size_t row;
        Reference block;
    };
    std::vector<Memo> memos;
    ByteCursor index(refs.memos.data, refs.memos.size);
    for (size_t next = 0; !index.atEnd();) {
        int64_t gap = 0;
        Memo memo;
        if (!index.readNumber(gap)) return failIn(property, "bad memo index");
        if (size_t(gap) >= rowCount - next) return failIn(property, "memo row out of range");
        memo.row = next + size_t(gap);
        if (!readReference(index, memo.block)) return false;
        if (memo.block.size == 0) return failIn(property, "empty memo");
        if (sizes.get(memo.row) != 0) return failIn(property, "memo row also has an inline item");
        memos.push_back(memo);
        next = memo.row + 1;
    }

    size_t offset = 0;
    size_t memoAt = 0;
    for (size_t r = 0; r < rowCount; ++r) {
        int32_t itemSize = sizes.get(r);
        if (itemSize < 0 || size_t(itemSize) > refs.values.size - offset)
            return failIn(property, "item sizes do not match the data block");
        const uint8_t* item = refs.values.data + offset;
        size_t length = size_t(itemSize);
        offset += length;
        if (memoAt < memos.size() && memos[memoAt].row == r) {
            item = memos[memoAt].block.data;
            length = memos[memoAt].block.size;
            ++memoAt;
        }
        if (length > fileSize + extraValueByteLimit - valueBytesUsed)
            return failIn(property, "string values exceed the size limit");
        valueBytesUsed += length;
        if (property.type == 'S' && length > 0) {
            // Text ends at its NUL; an item without one keeps all its bytes.
            const void* nul = std::memchr(item, 0, length);
            if (nul) length = size_t(static_cast<const uint8_t*>(nul) - item);
        }
        if (length > 0) view.rows[r][column].bytes.assign(reinterpret_cast<const char*>(item), length);
    }
    if (offset != refs.values.size) return failIn(property, "item sizes do not add up to the data block");
    return true;
}

bool MetakitDecoder::decodeSubviews(const MetakitProperty& property, const Reference& block, size_t column,
                                    MetakitView& view) {
    size_t rowCount = view.rows.size();
    size_t weight = 1 + propertyWeight(property.subProperties);
    ByteCursor walks(block.data, block.size);
    for (size_t r = 0; r < rowCount; ++r) {
        if (!chargeCells(weight)) return false;
        MetakitView sub;
        sub.name = property.name;
        sub.properties = property.subProperties;
        if (!readView(walks, property.subProperties, sub)) return false;
        view.rows[r][column].subview.push_back(std::move(sub));
    }
    if (!walks.atEnd()) return fail("subview block of column '" + property.name + "' has trailing bytes");
    return true;
}
