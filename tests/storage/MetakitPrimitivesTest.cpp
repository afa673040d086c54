// The building blocks of storage files: numbers, integer column widths, structure texts.
#include <gtest/gtest.h>

#include "MetakitFixtureFiles.h"
#include "pipeline/MetakitJson.h"
#include "storage/ByteCursor.h"
#include "storage/MetakitIntColumn.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitStructure.h"

namespace {

bool readNumber(std::vector<uint8_t> bytes, int64_t& value, bool signedOk = false) {
    ByteCursor cursor(bytes.data(), bytes.size());
    bool ok = signedOk ? cursor.readSignedNumber(value) : cursor.readNumber(value);
    return ok && cursor.atEnd();
}

// The examples of the memo index of long_strings.db and the walks of flat_basic.db.
TEST(StorageNumbers, DecodeMostSignificantGroupFirstWithTheLastByteMarked) {
    const std::pair<std::vector<uint8_t>, int64_t> cases[] = {
        {{0x80}, 0},
        {{0x81}, 1},
        {{0xff}, 127},
        {{0x01, 0x80}, 128},
        {{0x02, 0xac}, 300},
        {{0x4e, 0x91}, 10001},
        {{0x02, 0x38, 0xc1}, 40001},
        {{0x03, 0x7c, 0xb3}, 65075},
        {{0x07, 0x7f, 0x7f, 0x7f, 0xff}, 0x7fffffff},
    };
    for (const auto& c : cases) {
        int64_t value = -5;
        EXPECT_TRUE(readNumber(c.first, value));
        EXPECT_EQ(value, c.second);
    }
}

TEST(StorageNumbers, NegativeNumbersDecodeButAreNoCount) {
    int64_t value = 0;
    EXPECT_TRUE(readNumber({0x00, 0x80}, value, true));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(readNumber({0x00, 0x01, 0x80}, value, true));
    EXPECT_EQ(value, -129);
    EXPECT_FALSE(readNumber({0x00, 0x80}, value));
}

TEST(StorageNumbers, RejectOverlongTooLargeAndUnterminatedNumbers) {
    int64_t value = 0;
    EXPECT_FALSE(readNumber({0x08, 0x00, 0x00, 0x00, 0x80}, value));        // 2^31
    EXPECT_FALSE(readNumber({0x01, 0x00, 0x00, 0x00, 0x00, 0x80}, value));  // 6 groups
    EXPECT_FALSE(readNumber({0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x80}, value, true));
    EXPECT_TRUE(readNumber({0x00, 0x00, 0x00, 0x00, 0x01, 0x80}, value, true));
    EXPECT_FALSE(readNumber({0x01, 0x02}, value));  // no last byte
    EXPECT_FALSE(readNumber({}, value));
    // A failed cursor stays failed and reads nothing more.
    std::vector<uint8_t> bytes = {0x01, 0x81};
    ByteCursor cursor(bytes.data(), 1);
    EXPECT_FALSE(cursor.readNumber(value));
    uint8_t byte = 0;
    EXPECT_FALSE(cursor.readByte(byte));
}

TEST(StorageIntColumns, SmallBlocksUseTheWidthTable) {
    // rows, size -> width; -1 where no writer produces that size
    const int table[7][6] = {
        {8, 16, 1, 32, 2, 4}, {4, 8, 1, 16, 2, -1}, {2, 4, 8, 1, -1, 16},  {2, 4, -1, 8, 1, -1},
        {1, 2, 4, -1, 8, -1}, {1, 2, 4, -1, -1, 8}, {1, 2, -1, 4, -1, -1},
    };
    for (size_t rows = 1; rows <= 7; ++rows)
        for (size_t size = 1; size <= 6; ++size)
            EXPECT_EQ(MetakitIntColumn::widthFor(size, rows), table[rows - 1][size - 1])
                << rows << " rows, " << size << " bytes";
    EXPECT_EQ(MetakitIntColumn::widthFor(0, 5), 0);
    EXPECT_EQ(MetakitIntColumn::widthFor(8, 1), 64);
    EXPECT_EQ(MetakitIntColumn::widthFor(6, 5), -1);  // invalid_int_width.db's count block
    EXPECT_EQ(MetakitIntColumn::widthFor(3, 8), -1);  // 3 bits per row
    EXPECT_EQ(MetakitIntColumn::widthFor(1, 0), -1);
}

// Whatever the writer chooses must read back as the same width, including the padded sizes
// that keep 1..4 rows of sub-byte entries apart from wider ones.
TEST(StorageIntColumns, WriterSizesReadBackAsTheirWidth) {
    for (size_t rows = 1; rows <= 300; ++rows)
        for (int width : {1, 2, 4, 8, 16, 32})
            EXPECT_EQ(MetakitIntColumn::widthFor(MetakitIntColumn::blockSize(rows, width), rows), width)
                << rows << " rows of " << width << " bits";
}

TEST(StorageIntColumns, WidthsFollowTheValueRanges) {
    const std::pair<int32_t, int> cases[] = {
        {0, 0},      {1, 1},       {2, 2},      {3, 2},       {4, 4},          {15, 4},
        {16, 8},     {127, 8},     {-1, 8},     {-128, 8},    {128, 16},       {-129, 16},
        {32767, 16}, {-32768, 16}, {32768, 32}, {-32769, 32}, {INT32_MIN, 32}, {INT32_MAX, 32},
    };
    for (const auto& c : cases) EXPECT_EQ(MetakitIntColumn::widthOf(c.first), c.second) << c.first;
}

TEST(StorageIntColumns, EncodedValuesDecodeInBothByteOrders) {
    const std::vector<std::vector<int32_t>> columns = {
        {0, 1, 0},
        {3, 0, 2, 1, 3},
        {15, 7, 0, 9},
        {-1, 100, -128},
        {300, -300, 0, 32767},
        {INT32_MIN, INT32_MAX, 70000, -70000, 5},
        {7},
    };
    for (bool bigEndian : {false, true})
        for (const auto& values : columns) {
            std::vector<uint8_t> block;
            MetakitIntColumn::encode(values, bigEndian, block);
            MetakitIntColumn column;
            ASSERT_TRUE(column.bind(block.data(), block.size(), values.size(), bigEndian));
            for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(column.get(i), values[i]);
        }
}

// undefined_bits.db: view "trimmed" stores 7, 9, 11 at 4 bits as 97 bb; the high nibble b of
// the second byte is a stale leftover that must not leak into any value.
TEST(StorageIntColumns, LeftoverBitsAfterTheLastEntryAreIgnored) {
    const uint8_t block[] = {0x97, 0xbb};
    MetakitIntColumn column;
    ASSERT_TRUE(column.bind(block, sizeof block, 3, false));
    EXPECT_EQ(column.width, 4);
    EXPECT_EQ(column.get(0), 7);
    EXPECT_EQ(column.get(1), 9);
    EXPECT_EQ(column.get(2), 11);

    MetakitStorage storage;
    ASSERT_TRUE(storage.open(metakit_fixtures::folder() + "/undefined_bits.db"));
    const MetakitView& trimmed = storage.view("trimmed");
    ASSERT_EQ(trimmed.rowCount(), 3u);
    EXPECT_EQ(trimmed.getInt(2, "v"), 11);
    EXPECT_EQ(trimmed.getString(2, "s"), "dddd");
}

// int_small_counts.db, view rows1: one row of every width.
TEST(StorageIntColumns, OneRowOfEveryWidthDecodes) {
    MetakitStorage storage;
    ASSERT_TRUE(storage.open(metakit_fixtures::folder() + "/int_small_counts.db"));
    const MetakitView& rows1 = storage.view("rows1");
    ASSERT_EQ(rows1.rowCount(), 1u);
    const std::pair<const char*, int> expected[] = {{"z", 0},    {"b1", 1},    {"b2", 3},       {"b4", 15},
                                                    {"b8", -10}, {"b16", 300}, {"b32", -100000}};
    for (const auto& e : expected) EXPECT_EQ(rows1.getInt(0, e.first), e.second) << e.first;
}

// long_strings.db: rows 4, 5 and 7 of "body" are memos of 10000, 15000 and 40000 characters,
// row 6 is empty, rows 0..3 (up to 9999 characters) are inline.
TEST(StorageMemos, LargeItemsComeFromTheMemoIndex) {
    MetakitStorage storage;
    ASSERT_TRUE(storage.open(metakit_fixtures::folder() + "/long_strings.db"));
    const MetakitView& docs = storage.view("docs");
    ASSERT_EQ(docs.rowCount(), 8u);
    const size_t lengths[] = {4, 3000, 9000, 9999, 10000, 15000, 0, 40000};
    for (size_t r = 0; r < 8; ++r) EXPECT_EQ(docs.getString(r, "body").size(), lengths[r]) << r;
    EXPECT_EQ(docs.getString(5, "body").find('\0'), std::string::npos);
}

// extend_mode_commits.db: the header still points at the first commit; the tails are right.
TEST(StorageCommits, TheNewestStateComesFromTheTailsNotTheHeader) {
    std::vector<uint8_t> bytes =
        metakit_fixtures::readBytes(metakit_fixtures::folder() + "/extend_mode_commits.db");
    ASSERT_GT(bytes.size(), 8u);
    uint32_t headerLength = (bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7];
    EXPECT_LT(headerLength, bytes.size());
    MetakitStorage newest, first;
    ASSERT_TRUE(newest.decode(bytes.data(), bytes.size()));
    ASSERT_TRUE(first.decode(bytes.data(), headerLength));
    EXPECT_NE(MetakitJson::toJson(newest), MetakitJson::toJson(first));
}

TEST(StorageStructure, ParsesTheLenientForms) {
    std::vector<MetakitProperty> fields;
    std::string error;
    ASSERT_TRUE(MetakitStructure::parse("v[a,b:s,c:V,d:M,e:l,spare parts[unit cost:I]]", fields, error))
        << error;
    ASSERT_EQ(fields.size(), 1u);
    const std::vector<MetakitProperty>& p = fields[0].subProperties;
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].type, 'S');
    EXPECT_EQ(p[1].type, 'S');
    EXPECT_EQ(p[2].type, 'V');
    EXPECT_TRUE(p[2].subProperties.empty());
    EXPECT_EQ(p[3].type, 'B');
    EXPECT_EQ(p[4].type, 'L');
    EXPECT_EQ(p[5].name, "spare parts");
    EXPECT_EQ(p[5].subProperties[0].name, "unit cost");
    EXPECT_EQ(MetakitStructure::format(fields), "v[a:S,b:S,c[],d:B,e:L,spare parts[unit cost:I]]");
    EXPECT_TRUE(MetakitStructure::parse("", fields, error));
    EXPECT_TRUE(fields.empty());
    EXPECT_TRUE(MetakitStructure::parse("a[],b[x[]]", fields, error));
}

TEST(StorageStructure, RejectsMalformedTexts) {
    const char* bad[] = {
        "item[name:S", "item[name:S]]",       "item[:S]", "item[name:Q]",         "item[name:]",   ",a:S",
        "a:S,",        "item[name:S,Name:I]", "a:S,A:I",  "tree[name:S,kids[^]]", "item[name:SS]", "a[]x",
    };
    for (const char* text : bad) {
        std::vector<MetakitProperty> fields;
        std::string error;
        EXPECT_FALSE(MetakitStructure::parse(text, fields, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_TRUE(fields.empty()) << text;
    }
}

TEST(StorageStructure, NestingIsCappedAtItsLimit) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "v" + std::to_string(i) + "[";
        text += "x:I";
        return text + std::string(size_t(depth), ']');
    };
    std::vector<MetakitProperty> fields;
    std::string error;
    EXPECT_TRUE(MetakitStructure::parse(nested(MetakitStructure::maxDepth), fields, error)) << error;
    EXPECT_FALSE(MetakitStructure::parse(nested(MetakitStructure::maxDepth + 1), fields, error));
    // Far deeper than any stack allows unchecked.
    EXPECT_FALSE(MetakitStructure::parse(nested(200000), fields, error));
}

TEST(StorageStructure, ViewStructuresNameOneView) {
    MetakitView view;
    std::string error;
    ASSERT_TRUE(MetakitStructure::parseView("squad[name:S,members[callsign:S,rank:I]]", view, error));
    EXPECT_EQ(view.name, "squad");
    EXPECT_EQ(view.structure(), "squad[name:S,members[callsign:S,rank:I]]");
    EXPECT_FALSE(MetakitStructure::parseView("a[x:I],b[y:I]", view, error));
    EXPECT_FALSE(MetakitStructure::parseView("a:I", view, error));
}

}  // namespace
