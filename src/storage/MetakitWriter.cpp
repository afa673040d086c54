#include "storage/MetakitWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "storage/MetakitIntColumn.h"
#include "storage/MetakitStructure.h"

namespace {

constexpr size_t largestFile = 0x7fffffff;

void appendNumber(std::vector<uint8_t>& out, size_t value) {
    uint8_t groups[10];
    int count = 0;
    do {
        groups[count++] = value & 0x7f;
        value >>= 7;
    } while (value);
    while (count > 1) out.push_back(groups[--count]);
    out.push_back(groups[0] | 0x80);
}

void appendBE32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

// Lays out one file: blocks go back to back after the header, children before parents.
class Encoder {
public:
    Encoder(bool bigEndian) : bigEndian(bigEndian) { out.assign(8, 0); }

    std::vector<uint8_t> out;
    bool bigEndian;

    // Appends a block and returns its reference for the walk ("size position", or 0 if empty).
    void appendBlock(const std::vector<uint8_t>& block, std::vector<uint8_t>& walk) {
        appendNumber(walk, block.size());
        if (block.empty()) return;
        appendNumber(walk, out.size());
        out.insert(out.end(), block.begin(), block.end());
    }

    // The walk of one view instance; its blocks are appended as they are completed.
    std::vector<uint8_t> serialise(const std::vector<MetakitProperty>& properties,
                                   const std::vector<std::vector<MetakitValue>>& rows) {
        std::vector<uint8_t> walk;
        appendNumber(walk, 0);
        appendNumber(walk, rows.size());
        if (rows.empty()) return walk;
        for (size_t p = 0; p < properties.size(); ++p) {
            const MetakitProperty& property = properties[p];
            switch (property.type) {
            case 'I':
            case 'F': {
                std::vector<int32_t> values;
                for (const auto& row : rows) values.push_back(intPattern(property.type, cell(row, p)));
                std::vector<uint8_t> block;
                MetakitIntColumn::encode(values, bigEndian, block);
                appendBlock(block, walk);
                break;
            }
            case 'L':
            case 'D': {
                std::vector<uint8_t> block;
                for (const auto& row : rows) append64(block, property.type, cell(row, p));
                appendBlock(block, walk);
                break;
            }
            case 'S':
            case 'B':
                serialiseItems(property.type == 'S', p, rows, walk);
                break;
            case 'V': {
                std::vector<uint8_t> block;
                for (const auto& row : rows) {
                    const MetakitValue& value = cell(row, p);
                    static const std::vector<std::vector<MetakitValue>> noRows;
                    const auto& subRows = value.subview.empty() ? noRows : value.subview.front().rows;
                    std::vector<uint8_t> sub = serialise(property.subProperties, subRows);
                    block.insert(block.end(), sub.begin(), sub.end());
                }
                appendBlock(block, walk);
                break;
            }
            }
        }
        return walk;
    }

private:
    static const MetakitValue& cell(const std::vector<MetakitValue>& row, size_t p) {
        static const MetakitValue none;
        return p < row.size() ? row[p] : none;
    }

    static int32_t intPattern(char type, const MetakitValue& value) {
        if (type == 'I') return static_cast<int32_t>(value.integer);
        float f = static_cast<float>(value.real);
        int32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        return bits;
    }

    void append64(std::vector<uint8_t>& block, char type, const MetakitValue& value) {
        uint64_t bits = static_cast<uint64_t>(value.integer);
        if (type == 'D') std::memcpy(&bits, &value.real, sizeof bits);
        for (int b = 0; b < 8; ++b) block.push_back(uint8_t(bits >> (8 * (bigEndian ? 7 - b : b))));
    }

    void serialiseItems(bool text, size_t p, const std::vector<std::vector<MetakitValue>>& rows,
                        std::vector<uint8_t>& walk) {
        size_t rowCount = rows.size();
        std::vector<uint8_t> data, memoIndex;
        std::vector<int32_t> sizes;
        size_t previousMemo = 0;
        bool anyMemo = false;
        for (size_t r = 0; r < rowCount; ++r) {
            const std::string& bytes = cell(rows[r], p).bytes;
            // Text stops at a NUL and is stored with one; empty text takes no bytes at all.
            size_t length = text ? std::strlen(bytes.c_str()) : bytes.size();
            size_t itemLength = length + (text && length > 0 ? 1 : 0);
            bool memo = itemLength > 10000 || (itemLength > 100 && itemLength > 1000000 / (rowCount + 1));
            if (memo) {
                appendNumber(memoIndex, anyMemo ? r - previousMemo - 1 : r);
                appendNumber(memoIndex, itemLength);
                appendNumber(memoIndex, out.size());
                out.insert(out.end(), bytes.begin(), bytes.begin() + length);
                if (text) out.push_back(0);
                previousMemo = r;
                anyMemo = true;
                sizes.push_back(0);
                continue;
            }
            data.insert(data.end(), bytes.begin(), bytes.begin() + length);
            if (text && length > 0) data.push_back(0);
            sizes.push_back(static_cast<int32_t>(itemLength));
        }
        bool hasData = !data.empty();
        appendBlock(data, walk);
        if (hasData) {
            std::vector<uint8_t> sizeBlock;
            MetakitIntColumn::encode(sizes, bigEndian, sizeBlock);
            appendBlock(sizeBlock, walk);
        }
        appendBlock(memoIndex, walk);
    }
};

bool checkProperties(const std::vector<MetakitProperty>& properties, std::string& error) {
    for (size_t i = 0; i < properties.size(); ++i) {
        const MetakitProperty& p = properties[i];
        if (!MetakitStructure::validName(p.name)) {
            error = "property name '" + p.name + "' cannot be stored";
            return false;
        }
        for (size_t j = 0; j < i; ++j)
            if (MetakitStructure::sameName(properties[j].name, p.name)) {
                error = "duplicate property name '" + p.name + "'";
                return false;
            }
        if (std::string("SILFDBV").find(p.type) == std::string::npos || p.type == 0) {
            error = "property '" + p.name + "' has unknown type";
            return false;
        }
        if (p.type == 'V' && !checkProperties(p.subProperties, error)) return false;
    }
    return true;
}

}  // namespace

bool MetakitWriter::encode(const std::vector<MetakitView>& views, char byteOrder,
                           std::vector<uint8_t>& result, std::string* error) {
    result.clear();
    std::string problem;
    if (byteOrder != 'L' && byteOrder != 'B') problem = "byte order must be 'L' or 'B'";
    // The top-level views are the subview properties of the storage's one root row.
    std::vector<MetakitProperty> root;
    for (const MetakitView& view : views) {
        MetakitProperty p;
        p.name = view.name;
        p.type = 'V';
        p.subProperties = view.properties;
        root.push_back(p);
    }
    if (problem.empty()) checkProperties(root, problem);
    if (!problem.empty()) {
        if (error) *error = problem;
        return false;
    }
    if (views.empty()) return true;  // a storage without views is an empty file

    Encoder encoder(byteOrder == 'B');
    std::string description = MetakitStructure::format(root);
    std::vector<uint8_t> rootWalk;
    appendNumber(rootWalk, 0);
    appendNumber(rootWalk, description.size());
    rootWalk.insert(rootWalk.end(), description.begin(), description.end());
    appendNumber(rootWalk, 1);
    for (const MetakitView& view : views) {
        std::vector<uint8_t> walk = encoder.serialise(view.properties, view.rows);
        encoder.appendBlock(walk, rootWalk);
    }
    std::vector<uint8_t>& out = encoder.out;
    size_t walkPosition = out.size();
    out.insert(out.end(), rootWalk.begin(), rootWalk.end());
    size_t end = out.size();
    if (end + 16 > largestFile || rootWalk.size() >= (1u << 24)) {
        if (error) *error = "content too large for a storage file";
        return false;
    }
    out.insert(out.end(), {0x80, 0, 0, 0});
    appendBE32(out, uint32_t(end));
    out.push_back(0x80);
    for (int shift = 16; shift >= 0; shift -= 8) out.push_back(uint8_t(rootWalk.size() >> shift));
    appendBE32(out, uint32_t(walkPosition));
    std::vector<uint8_t> header = {uint8_t(byteOrder == 'B' ? 'L' : 'J'),
                                   uint8_t(byteOrder == 'B' ? 'J' : 'L'), 0x1a, 0x00};
    appendBE32(header, uint32_t(out.size()));
    std::copy(header.begin(), header.end(), out.begin());
    result = std::move(out);
    return true;
}

std::vector<uint8_t> MetakitWriter::write(const std::vector<MetakitView>& views) {
    std::vector<uint8_t> bytes;
    encode(views, 'L', bytes, nullptr);
    return bytes;
}

bool MetakitWriter::writeFile(const std::string& path, const std::vector<MetakitView>& views,
                              std::string* error) {
    std::vector<uint8_t> bytes;
    if (!encode(views, 'L', bytes, error)) return false;
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        if (error) *error = "cannot create a file beside " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = true;
    std::string reason;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            reason = std::strerror(errno);
        } else {
            done += size_t(n);
        }
    }
    // The file is readable like any other the user creates (a temporary file starts private).
    mode_t mask = umask(0);
    umask(mask);
    if (ok && fchmod(fd, 0666 & ~mask) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (ok && fsync(fd) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (ok && std::rename(name.data(), path.c_str()) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (!ok) {
        std::remove(name.data());
        if (error) *error = "cannot write " + path + ": " + reason;
    }
    return ok;
}
