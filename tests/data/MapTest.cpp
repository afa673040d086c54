// Maps: the per-map legend, the grid bounds (short rows, maps without rows), start zones and
// the modders' listing.

#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "data/GameData.h"

namespace {

class MapTest : public testing::Test {
protected:
    void SetUp() override {
        std::string path = buildTestDatabase("maps.yaml");
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(data.load(path));
        ASSERT_EQ(data.maps.size(), 3u);
    }

    const Map& map(const std::string& name) { return data.maps.at(name); }
    const Terrain* terrain(const std::string& name) { return &data.terrains.at(name); }

    GameData data;
};

TEST_F(MapTest, LegendResolvesEachCharacterToItsTerrain) {
    const Map& downtown = map("DOWNTOWN");
    EXPECT_EQ(downtown.terrainAt(0, 0), terrain("Grass"));
    EXPECT_EQ(downtown.terrainAt(2, 0), terrain("Wall"));  // "#", first character of the symbol "#x"
    EXPECT_EQ(downtown.terrainAt(1, 1), nullptr);          // its "x" never matches
    EXPECT_EQ(downtown.terrainAt(2, 1), nullptr);          // legend names a terrain that does not exist
    EXPECT_EQ(data.terrains.count("Lava"), 0u);
}

TEST_F(MapTest, EachMapHasItsOwnLegendAndLaterSymbolsWin) {
    EXPECT_EQ(map("DOWNTOWN").terrainAt(0, 0), terrain("Grass"));
    EXPECT_EQ(map("DESERT").terrainAt(0, 0), terrain("Sand"));
}

TEST_F(MapTest, SizeComesFromTheFirstRow) {
    EXPECT_EQ(map("DOWNTOWN").getWidth(), 4);
    EXPECT_EQ(map("DOWNTOWN").getHeight(), 4);
    EXPECT_EQ(map("VOID").getWidth(), 0);
    EXPECT_EQ(map("VOID").getHeight(), 0);
    EXPECT_EQ(map("VOID").terrainAt(0, 0), nullptr);
}

TEST_F(MapTest, CellsOutsideTheGridAreNone) {
    const Map& downtown = map("DOWNTOWN");
    EXPECT_EQ(downtown.terrainAt(-1, 0), nullptr);
    EXPECT_EQ(downtown.terrainAt(4, 0), nullptr);
    EXPECT_EQ(downtown.terrainAt(0, -1), nullptr);
    EXPECT_EQ(downtown.terrainAt(0, 4), nullptr);
    EXPECT_EQ(downtown.terrainAt(3, 3), terrain("Grass"));
    // Row 2 holds two cells although the map is four wide.
    EXPECT_EQ(downtown.terrainAt(1, 2), terrain("Grass"));
    EXPECT_EQ(downtown.terrainAt(2, 2), nullptr);
    EXPECT_EQ(downtown.terrainAt(3, 2), nullptr);
}

TEST_F(MapTest, StartZonesInRowOrder) {
    EXPECT_EQ(map("DOWNTOWN").startZone(0), (CellList{{0, 0}, {1, 0}}));
    EXPECT_EQ(map("DOWNTOWN").startZone(1), (CellList{{3, 2}, {2, 2}, {3, 1}}));
    EXPECT_TRUE(map("DESERT").startZone(1).empty());
    EXPECT_TRUE(map("DOWNTOWN").startZone(2).empty());
    EXPECT_TRUE(map("DOWNTOWN").startZone(-1).empty());
}

TEST_F(MapTest, CurrentMapIsDowntownAfterAResetAndNoneWithoutIt) {
    data.reset();
    EXPECT_EQ(data.currentMap, &data.maps.at("DOWNTOWN"));
    GameData empty;
    EXPECT_EQ(empty.currentMap, nullptr);
}

}  // namespace
