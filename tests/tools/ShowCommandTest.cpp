// `gearward-data show FILE`, run as a modder runs it: the listing of what the game loads, and
// the exit status for a file that cannot be read.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../data/TestDatabase.h"
#include "../support/RunProgram.h"
#include "../support/TempDir.h"

namespace {

// What the game would load from `file`; standard error is not part of the listing.
ProgramRun show(const std::string& file) {
    return runProgram({GEARWARD_TOOLS_DIR "/gearward-data", "show", file});
}

TEST(ShowCommandTest, ListsTerrainMapsAndNameCounts) {
    std::string database = buildTestDatabase("maps.yaml");
    ASSERT_FALSE(database.empty());
    ProgramRun run = show(database);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "\nTERRAIN: Grass\nTraversable: 1\nModel file: \nDescription: \n"
              "\nTERRAIN: Sand\nTraversable: 1\nModel file: \nDescription: \n"
              "\nTERRAIN: Wall\nTraversable: 0\nModel file: \nDescription: \n"
              "\nMAP: DESERT\nDescription: \nSize: 2 x 2\nStart zone 1: (0, 0) \nStart zone 2: \n"
              "Sand Sand \nSand Sand \n"
              "\nMAP: DOWNTOWN\nDescription: grass with walls\nSize: 4 x 4\n"
              "Start zone 1: (0, 0) (1, 0) \nStart zone 2: (3, 2) (2, 2) (3, 1) \n"
              "Grass Grass Wall Grass \nGrass (none) (none) Grass \nGrass Grass \nGrass Grass Grass Grass \n"
              "\nMAP: VOID\nDescription: nothing here\nSize: 0 x 0\nStart zone 1: \nStart zone 2: \n"
              "\nPilot names: 0\nRobot names: 0\n");
}

TEST(ShowCommandTest, ListsAttacksAndComponentsWithTheirModels) {
    std::string database = buildTestDatabase("catalogue.yaml");
    ASSERT_FALSE(database.empty());
    ProgramRun run = show(database);
    EXPECT_EQ(run.status, 0);
    for (const char* block :
         {"\nATTACK: Laser\nEnergy: 700\nCooldown: 1200\nAccuracy: 75\nDamage: 400\nDescription: long beam\n"
          "Type: Ranged\nRange: (0, 1) (0, 2) (-1, 3) \nAOE: (0, 0) \n",
          "\nATTACK: Dud\nEnergy: 1\nCooldown: 0\nAccuracy: 1\nDamage: 1\nDescription: strikes nothing\n"
          "Type: Ranged\nRange: (0, 1) \nAOE: \n",
          "\nCOMPONENT: Laser Arm\nType: Left Arm\nHP: 200\nEP: 0\nAP: 20\nWeight:2000\nMove: 0\n"
          "Description: left beam\nAttacks: Laser, Fist, \nModel files: no-such-arm.ms3d, ",
          "\nCOMPONENT: Odd Legs\nType: Head\n"})
        EXPECT_NE(run.out.find(block), std::string::npos) << block;
    EXPECT_EQ(run.out.find("Ghost Beam"), std::string::npos);
}

TEST(ShowCommandTest, AnUnreadableFileExitsWithTwo) {
    EXPECT_EQ(show(missingDatabasePath()).status, 2);
    // A file that is not a database at all.
    EXPECT_EQ(show(std::string(GEARWARD_TESTS_DIR) + "/data/fixtures/maps.yaml").status, 2);
}

// The fuzz seed whose model names are folders, shown from a folder where each of those names is
// a folder (models are found beside the database): one line each, and the whole listing follows.
TEST(ShowCommandTest, ModelNamesThatAreFoldersAreReportedAndTheListingGoesOn) {
    TempDir scratch("show");
    for (const char* folder : {"models", "content", "src"})
        std::filesystem::create_directory(scratch.path() / folder);
    std::string database = scratch.path("data.db");
    std::filesystem::copy_file(GEARWARD_FIXTURES_DIR "/fuzz/folder_models.db", database);
    ProgramRun run = show(database);
    EXPECT_EQ(run.status, 0) << run.err;
    std::string expected;
    for (const char* folder : {".", "models", "content", "src", "models/", "./"})
        expected += std::string("FAIL: failed to read model file \"") + folder +
                    "\": cannot read: not a regular file (a directory)\n";
    EXPECT_EQ(run.err, expected);
    EXPECT_NE(run.out.find("\nCOMPONENT: Small Reactor\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nMAP: DOWNTOWN\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nRobot names: 2\n"), std::string::npos);
}

}  // namespace
