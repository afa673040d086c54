// Reading storage files as the game's loaders do, and the reader's limits.
#include <gtest/gtest.h>

#include <filesystem>

#include "MetakitCraftedFile.h"
#include "MetakitFixtureFiles.h"
#include "storage/MetakitDecoder.h"
#include "storage/MetakitStorage.h"

namespace {

using namespace metakit_crafted;

MetakitStorage openFixture(const std::string& name) {
    MetakitStorage storage;
    std::string error;
    EXPECT_TRUE(storage.open(metakit_fixtures::folder() + "/" + name + ".db", &error)) << error;
    return storage;
}

// game_content.db, read the way the game's loaders read it.
TEST(StorageReading, ViewsRowsAndPropertiesByName) {
    MetakitStorage storage = openFixture("game_content");
    const MetakitView& maps = storage.view("map");
    ASSERT_GT(maps.rowCount(), 0u);
    bool downtown = false;
    for (size_t r = 0; r < maps.rowCount(); ++r) {
        if (maps.getString(r, "name") != "DOWNTOWN") continue;
        downtown = true;
        const MetakitView& layout = maps.getSubview(r, "layout");
        ASSERT_GT(layout.rowCount(), 0u);
        EXPECT_FALSE(layout.getString(0, "row").empty());
        const MetakitView& start = maps.getSubview(r, "start1");
        ASSERT_GT(start.rowCount(), 0u);
        EXPECT_GE(start.getInt(0, "x"), 0);
    }
    EXPECT_TRUE(downtown);
    EXPECT_GE(storage.view("pilot").rowCount(), 20u);
}

TEST(StorageReading, AbsentThingsReadAsEmptyValues) {
    MetakitStorage storage = openFixture("subviews");
    const MetakitView& squad = storage.view("squad");
    ASSERT_EQ(squad.rowCount(), 4u);
    EXPECT_EQ(squad.getString(0, "nosuch"), "");
    EXPECT_EQ(squad.getInt(0, "nosuch"), 0);
    EXPECT_EQ(squad.getSubview(0, "nosuch").rowCount(), 0u);
    EXPECT_EQ(squad.getString(99, "name"), "");  // row out of range
    EXPECT_EQ(squad.getSubview(99, "members").rowCount(), 0u);
    EXPECT_EQ(squad.getInt(0, "name"), 0);  // wrong type
    EXPECT_EQ(squad.getString(2, "members"), "");
    EXPECT_EQ(squad.getSubview(2, "members").rowCount(), 40u);
    EXPECT_EQ(squad.getSubview(1, "members").getString(0, "callsign"), "Wolf");
    EXPECT_EQ(squad.getSubview(0, "members").rowCount(), 0u);
    const MetakitView& none = storage.view("nosuch");
    EXPECT_EQ(none.rowCount(), 0u);
    EXPECT_TRUE(none.properties.empty());
    // Names match regardless of case, as in the files' own library.
    EXPECT_EQ(squad.getString(1, "NAME"), squad.getString(1, "name"));
    EXPECT_EQ(squad.propertyIndex("Members"), 1);
    EXPECT_EQ(&storage.view("Squad"), &squad);
}

TEST(StorageReading, MissingOrUnreadableFilesGiveNoViews) {
    MetakitStorage storage = openFixture("flat_basic");
    ASSERT_FALSE(storage.views.empty());
    std::string error;
    EXPECT_FALSE(storage.open(metakit_fixtures::folder() + "/no_such_file.db", &error));
    EXPECT_TRUE(storage.views.empty());
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    ASSERT_TRUE(storage.open(metakit_fixtures::folder() + "/flat_basic.db"));
    EXPECT_FALSE(storage.open(metakit_fixtures::folder(), &error));  // a directory
    EXPECT_TRUE(storage.views.empty());
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(storage.open(metakit_fixtures::folder() + "/malformed/garbage.db"));
    EXPECT_TRUE(storage.views.empty());
}

TEST(StorageReading, AnEmptyFileIsAStorageWithoutViews) {
    MetakitStorage storage;
    std::string error;
    EXPECT_TRUE(storage.decode(nullptr, 0, &error));
    EXPECT_TRUE(storage.views.empty());
    EXPECT_EQ(storage.description, "");
}

// Hand-made files: a view "v[a:I]" of `rows` rows whose column is all zeros, so the rows
// take no bytes at all.
std::vector<uint8_t> zeroRows(uint64_t rows, const std::string& structure = "v[a:I]") {
    std::vector<uint8_t> walk = {0x80};
    append(walk, number(rows));
    walk.push_back(0x80);  // the column: no block
    return oneView(structure, walk);
}

TEST(StorageLimits, RowCountsAreCappedBeforeAnythingIsAllocated) {
    std::vector<uint8_t> file = zeroRows(5000);
    MetakitStorage storage;
    std::string error;
    ASSERT_TRUE(storage.decode(file.data(), file.size(), &error)) << error;
    EXPECT_EQ(storage.view("v").rowCount(), 5000u);
    EXPECT_EQ(storage.view("v").getInt(4999, "a"), 0);

    file = zeroRows(MetakitDecoder::maxRowsPerView + 1);
    EXPECT_FALSE(storage.decode(file.data(), file.size(), &error));
    EXPECT_NE(error.find("rows"), std::string::npos) << error;

    MetakitDecoder decoder;
    decoder.rowLimit = 4999;
    file = zeroRows(5000);
    EXPECT_FALSE(decoder.decode(file.data(), file.size(), storage, error));
    EXPECT_TRUE(storage.views.empty());
}

TEST(StorageLimits, TheWholeFileHasACellBudget) {
    // 3 views of 400 rows of 2 properties: 2400 cells.
    CraftedFile crafted;
    std::vector<uint8_t> refs;
    std::vector<uint8_t> walk = {0x80};
    append(walk, number(400));
    walk.insert(walk.end(), {0x80, 0x80});
    for (int i = 0; i < 3; ++i) append(refs, crafted.add(walk));
    std::vector<uint8_t> file = crafted.finish("a[x:I,y:I],b[x:I,y:I],c[x:I,y:I]", refs);
    MetakitDecoder decoder;
    MetakitStorage storage;
    std::string error;
    decoder.cellLimit = 2500;  // the rows plus a little for the views themselves
    EXPECT_TRUE(decoder.decode(file.data(), file.size(), storage, error)) << error;
    decoder.cellLimit = 2400;
    EXPECT_FALSE(decoder.decode(file.data(), file.size(), storage, error));
    EXPECT_NE(error.find("values"), std::string::npos) << error;
}

// Many subviews pointing at one shared string block would multiply the file's bytes.
TEST(StorageLimits, SharedBlocksCannotMultiplyTheValueBytes) {
    CraftedFile crafted;
    std::vector<uint8_t> text(1000, 'x');
    text.back() = 0;
    std::vector<uint8_t> dataRef = crafted.add(text);
    std::vector<uint8_t> sizeRef = crafted.add({0xe8, 0x03});  // one 16-bit size: 1000
    std::vector<uint8_t> subWalk = {0x80, 0x81};
    append(subWalk, dataRef);
    append(subWalk, sizeRef);
    subWalk.push_back(0x80);  // no memos
    const size_t parents = 200;
    std::vector<uint8_t> column;
    for (size_t i = 0; i < parents; ++i) append(column, subWalk);
    std::vector<uint8_t> walk = {0x80};
    append(walk, number(parents));
    append(walk, crafted.add(column));
    std::vector<uint8_t> file = oneView("v[s[t:S]]", walk, crafted);

    MetakitStorage storage;
    std::string error;
    ASSERT_TRUE(storage.decode(file.data(), file.size(), &error)) << error;
    EXPECT_EQ(storage.view("v").getSubview(199, "s").getString(0, "t").size(), 999u);
    MetakitDecoder decoder;
    decoder.extraValueByteLimit = 100 * 1000;
    EXPECT_FALSE(decoder.decode(file.data(), file.size(), storage, error));
}

TEST(StorageLimits, SubviewColumnsNeedTwoBytesPerRow) {
    CraftedFile crafted;
    std::vector<uint8_t> walk = {0x80, 0x83};
    append(walk, crafted.add({0x80, 0x80, 0x80, 0x80, 0x80}));  // 3 rows, 5 bytes
    std::vector<uint8_t> file = oneView("v[s[]]", walk, crafted);
    MetakitStorage storage;
    std::string error;
    EXPECT_FALSE(storage.decode(file.data(), file.size(), &error));
}

TEST(StorageValidation, ItemsAndMemosMustAgreeWithTheirBlocks) {
    // One S column of 2 rows: data "ab\0" (3 bytes), sizes at 4 bits, then a memo index.
    auto file = [](std::vector<uint8_t> sizes, std::vector<uint8_t> memoIndex, bool withMemo) {
        CraftedFile crafted;
        std::vector<uint8_t> memoRef = crafted.add({'m', 0});
        std::vector<uint8_t> walk = {0x80, 0x82};
        append(walk, crafted.add({'a', 'b', 0}));
        append(walk, crafted.add(sizes));
        if (withMemo) {
            std::vector<uint8_t> index = memoIndex;
            append(index, memoRef);
            append(walk, crafted.add(index));
        } else {
            walk.push_back(0x80);
        }
        return oneView("v[t:S]", walk, crafted);
    };
    MetakitStorage storage;
    std::vector<uint8_t> good = file({0x03}, {}, false);  // sizes 3, 0 at 4 bits
    ASSERT_TRUE(storage.decode(good.data(), good.size()));
    EXPECT_EQ(storage.view("v").getString(0, "t"), "ab");
    std::vector<uint8_t> memo = file({0x03}, {0x81}, true);  // row 1 is a memo
    ASSERT_TRUE(storage.decode(memo.data(), memo.size()));
    EXPECT_EQ(storage.view("v").getString(1, "t"), "m");

    std::vector<uint8_t> bad[] = {
        file({0x02}, {}, false),           // sizes add up to 2, data is 3
        file({0x30}, {}, false),           // 0 then 3: fine, but...
        file({0x03}, {0x80}, true),        // memo on row 0, which has an inline item
        file({0x03}, {0x82}, true),        // memo on row 2 of 2
        file({0x03}, {0x00, 0x80}, true),  // negative gap
    };
    EXPECT_TRUE(storage.decode(bad[1].data(), bad[1].size()));  // ...is a valid layout
    for (size_t i : {0u, 2u, 3u, 4u}) {
        EXPECT_FALSE(storage.decode(bad[i].data(), bad[i].size())) << i;
        EXPECT_TRUE(storage.views.empty());
    }
}

TEST(StorageValidation, RootAndSubviewWalksMustBeConsumedExactly) {
    CraftedFile crafted;
    std::vector<uint8_t> walk = {0x80, 0x80, 0x80};  // a trailing byte after an empty view
    std::vector<uint8_t> file = oneView("v[a:I]", walk, crafted);
    MetakitStorage storage;
    EXPECT_FALSE(storage.decode(file.data(), file.size()));
    std::vector<uint8_t> fine = oneView("v[a:I]", {0x80, 0x80});
    EXPECT_TRUE(storage.decode(fine.data(), fine.size()));
}

}  // namespace
