#pragma once
// Decodes the bytes of a storage file into views. The newest state is found from the tails at
// the end of the file; every walk, reference and column block is checked against the file's
// bytes before it is used, and the work a file can ask for is capped (see the limits below),
// so a damaged or hostile file fails with an error instead of reading outside the buffer,
// recursing without bound or allocating from a number it merely claims.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/MetakitView.h"

class ByteCursor;
class MetakitStorage;

class MetakitDecoder {
public:
    // Rows of any one view instance (a view, or one row's subview).
    static constexpr size_t maxRowsPerView = 1000000;
    // Cells of the whole file: every row counts once per property (at least once), and every
    // subview once per property it carries. Zero-width columns take no bytes per row, so
    // without this cap a tiny file could claim billions of rows.
    static constexpr size_t maxCells = 4000000;
    // String and byte values may share blocks, so their total is capped too: the file's own
    // size plus this much.
    static constexpr size_t maxExtraValueBytes = 64u << 20;

    // The limits in force (tests lower them to reach them cheaply).
    size_t rowLimit = maxRowsPerView;
    size_t cellLimit = maxCells;
    size_t extraValueByteLimit = maxExtraValueBytes;

    // Decodes `size` bytes into `storage` (replacing its content). On failure the storage is
    // left with no views and `error` says why.
    bool decode(const uint8_t* bytes, size_t size, MetakitStorage& storage, std::string& error);

    // The bytes at the end of a file that hold its commit tail and the skip tail before it.
    static constexpr size_t TAILS_SIZE = 16;
    // Checks those tails alone (`tails` holds the last TAILS_SIZE bytes of a file of `fileSize`
    // bytes, or the whole file when it is shorter): a reader tests them before it reads the rest.
    // An empty file has none and needs none.
    // False with the reason decode would give when they are not there.
    static bool checkTails(const uint8_t* tails, size_t tailsSize, size_t fileSize, std::string& error);

    // When set, decode also marks (as set bits, one byte per file byte) the bits that carry no
    // content: the unused high bits after the last entry of 1, 2 and 4-bit blocks, which the
    // files' own library fills with leftovers. Comparing two files for the same content must
    // ignore them.
    std::vector<uint8_t>* undefinedBits = nullptr;

private:
    struct Reference {
        size_t size = 0;
        const uint8_t* data = nullptr;
    };
    // The references of one property in a walk: one, or for S/B data, sizes and memo index.
    struct PropertyReferences {
        Reference values;
        Reference sizes;
        Reference memos;
    };

    const uint8_t* file = nullptr;
    size_t fileSize = 0;
    size_t base = 0;   // the header's offset; positions in the file are relative to it
    size_t limit = 0;  // the skip tail's offset; every block lies before it
    bool bigEndian = false;
    size_t cellsUsed = 0;
    size_t valueBytesUsed = 0;
    std::string error;

    bool fail(const std::string& message);
    bool failIn(const MetakitProperty& property, const std::string& message);
    bool locateRootWalk(Reference& rootWalk, char& byteOrder);
    bool readRootWalk(const Reference& rootWalk, std::string& description,
                      std::vector<MetakitProperty>& fields, MetakitView& root);
    bool readReference(ByteCursor& walk, Reference& reference);
    bool readView(ByteCursor& walk, const std::vector<MetakitProperty>& properties, MetakitView& view);
    bool readRows(ByteCursor& walk, size_t rowCount, const std::vector<MetakitProperty>& properties,
                  MetakitView& view);
    bool checkColumn(const MetakitProperty& property, const PropertyReferences& refs, size_t rowCount);
    bool decodeColumn(const MetakitProperty& property, const PropertyReferences& refs, size_t column,
                      MetakitView& view);
    bool decodeItems(const MetakitProperty& property, const PropertyReferences& refs, size_t column,
                     MetakitView& view);
    bool decodeSubviews(const MetakitProperty& property, const Reference& block, size_t column,
                        MetakitView& view);
    bool chargeCells(size_t count);
    void markUndefinedBits(const Reference& block, size_t rowCount);
};
