// Loading attacks, components and terrain from a database: duplicate names, unresolved names,
// type keywords, the shared model cache and the modders' listings.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "../support/TempDir.h"
#include "TestDatabase.h"
#include "data/GameData.h"
#include "gfx/Model.h"

namespace {

const std::string BOX = std::string(GEARWARD_FIXTURES_DIR) + "/ms3d/Box.ms3d";

class CatalogueTest : public testing::Test {
protected:
    void SetUp() override {
        std::string path = buildTestDatabase("catalogue.yaml");
        ASSERT_FALSE(path.empty());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        loaded = data.load(path);
        loadOutput = testing::internal::GetCapturedStdout();
        loadErrors = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(loaded);
    }

    const Component& component(const std::string& name) {
        auto found = data.components.find(name);
        EXPECT_NE(found, data.components.end()) << name;
        return found->second;
    }

    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }

    GameData data;
    bool loaded = false;
    std::string loadOutput;
    std::string loadErrors;
};

TEST_F(CatalogueTest, LaterRowOfTheSameNameReplacesTheEarlier) {
    ASSERT_EQ(data.attacks.size(), 3u);
    EXPECT_EQ(data.attacks.at("Laser").getDamage(), 400);
    EXPECT_EQ(data.attacks.at("Laser").getDescription(), "long beam");
    ASSERT_EQ(data.components.size(), 7u);
    EXPECT_EQ(component("Brick Torso").getHp(), 600);
}

TEST_F(CatalogueTest, CataloguesIterateInByteOrder) {
    std::string names;
    for (const auto& entry : data.components) names += entry.first + "|";
    EXPECT_EQ(names, "Brick Torso|Claw Arm|Laser Arm|Odd Legs|Scout Head|Small Reactor|Walker Legs|");
}

TEST_F(CatalogueTest, AttackPatternsKeepTheirRowOrder) {
    const Attack& laser = data.attacks.at("Laser");
    EXPECT_EQ(laser.getRange(), (CellList{{0, 1}, {0, 2}, {-1, 3}}));
    EXPECT_EQ(laser.getAoe(), (CellList{{0, 0}}));
    EXPECT_FALSE(laser.isMelee());
    EXPECT_TRUE(data.attacks.at("Fist").isMelee());
    EXPECT_TRUE(data.attacks.at("Dud").getAoe().empty());
}

TEST_F(CatalogueTest, TypeKeywordsAreExactAndUnknownTextIsAHead) {
    EXPECT_EQ(component("Scout Head").getType(), HEAD);
    EXPECT_EQ(component("Brick Torso").getType(), TORSO);
    EXPECT_EQ(component("Laser Arm").getType(), LEFTARM);
    EXPECT_EQ(component("Claw Arm").getType(), RIGHTARM);
    EXPECT_EQ(component("Walker Legs").getType(), LEGS);
    EXPECT_EQ(component("Small Reactor").getType(), REACTOR);
    EXPECT_EQ(component("Odd Legs").getType(), HEAD);  // "Legs" is not "LEGS"
    EXPECT_EQ(Component().getType(), NO_COMPONENT_TYPE);
}

TEST_F(CatalogueTest, UnresolvedActionLeavesAnAbsentEntryAndNoCatalogueEntry) {
    const auto& attacks = component("Laser Arm").getAttacks();
    ASSERT_EQ(attacks.size(), 3u);
    EXPECT_EQ(attacks[0], &data.attacks.at("Laser"));
    EXPECT_EQ(attacks[1], nullptr);
    EXPECT_EQ(attacks[2], &data.attacks.at("Fist"));
    EXPECT_EQ(data.attacks.count("Ghost Beam"), 0u);
}

TEST_F(CatalogueTest, OneModelPerFileSharedByComponentsAndTerrain) {
    Model* box = component("Scout Head").models.at(0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->fileName(), BOX);
    EXPECT_EQ(component("Laser Arm").models.at(1), box);
    EXPECT_EQ(data.terrains.at("Road").getModel(), box);
    EXPECT_EQ(data.modelCache.size(), 4u);  // Box, and three files that do not exist
    EXPECT_EQ(count(loadOutput, "Loading: " + BOX + "\n"), 1u);
}

TEST_F(CatalogueTest, AModelThatFailsToLoadIsCachedAndNotTriedAgain) {
    // Both torso rows name the same missing file.
    ASSERT_EQ(data.modelCache.count("no-such-torso.ms3d"), 1u);
    EXPECT_EQ(component("Brick Torso").models.at(0), data.modelCache.at("no-such-torso.ms3d").get());
    EXPECT_EQ(count(loadErrors, "FAIL: failed to open model file \"no-such-torso.ms3d\"\n"), 1u);
    EXPECT_TRUE(component("Claw Arm").models.empty());
}

// A model name that names a folder or a FIFO is a modder's slip: one line each, the part keeps
// an empty model as for a missing file, and the rest of the database still loads.
TEST(CatalogueFolderModelsTest, FoldersAndFifosAreRefusedLikeMissingModels) {
    std::string path = buildTestDatabase("folder-models.yaml");
    ASSERT_FALSE(path.empty());
    TempDir scratch("folder-models");
    std::filesystem::create_directory(scratch.path() / "models");
    ASSERT_EQ(mkfifo(scratch.path("pipe.ms3d").c_str(), 0600), 0);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(scratch.path());
    GameData data;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool loaded = data.load(path);
    testing::internal::GetCapturedStdout();
    std::string errors = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);

    ASSERT_TRUE(loaded);
    EXPECT_EQ(data.components.size(), 4u);
    EXPECT_EQ(data.terrains.size(), 2u);
    EXPECT_EQ(errors,
              "FAIL: failed to read model file \".\": cannot read: not a regular file (a directory)\n"
              "FAIL: failed to read model file \"models\": cannot read: not a regular file (a directory)\n"
              "FAIL: failed to read model file \"pipe.ms3d\": cannot read: not a regular file\n");
    for (const char* name : {".", "models", "pipe.ms3d"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(data.modelCache.count(name), 1u);
        EXPECT_EQ(data.modelCache.at(name)->vertices.size(), 0u);
    }
    EXPECT_EQ(data.terrains.at("Road").getModel(), data.modelCache.at("models").get());
    EXPECT_GT(data.modelCache.at(BOX)->vertices.size(), 0u);
}

TEST_F(CatalogueTest, TerrainListing) {
    std::ostringstream out;
    out << data.terrains.at("Road") << data.terrains.at("Tower");
    EXPECT_EQ(
        out.str(),
        "TERRAIN: Road\nTraversable: 1\nModel file: " + BOX +
            "\nDescription: flat and fast\n"
            "TERRAIN: Tower\nTraversable: 0\nModel file: no-such-tower.ms3d\nDescription: no way through\n");
    EXPECT_EQ(data.terrains.at("Road").getRotation(), 90);
}

TEST(ComponentTypeTest, DisplayNames) {
    EXPECT_EQ(componentTypeName(HEAD), "Head");
    EXPECT_EQ(componentTypeName(RIGHTARM), "Right Arm");
    EXPECT_EQ(componentTypeName(REACTOR), "Reactor");
    EXPECT_EQ(componentTypeName(NO_COMPONENT_TYPE), "Invalid component type");
    EXPECT_EQ(componentTypeName(-1), "Invalid component type");
}

}  // namespace
