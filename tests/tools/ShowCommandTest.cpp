// `gearward-data show FILE`, run as a modder runs it: the listing of what the game loads, and
// the exit status for a file that cannot be read.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "../data/TestDatabase.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun show(const std::string& file) {
    ToolRun run;
    std::string command = std::string(GEARWARD_TOOLS_DIR) + "/gearward-data show '" + file + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class ShowCommandTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::ifstream(std::string(GEARWARD_TOOLS_DIR) + "/gearward-data"))
            GTEST_SKIP() << "gearward-data has not been built";
    }
};

TEST_F(ShowCommandTest, ListsTerrainMapsAndNameCounts) {
    std::string database = buildTestDatabase("maps.yaml");
    ASSERT_FALSE(database.empty());
    ToolRun run = show(database);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output,
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

TEST_F(ShowCommandTest, ListsAttacksAndComponentsWithTheirModels) {
    std::string database = buildTestDatabase("catalogue.yaml");
    ASSERT_FALSE(database.empty());
    ToolRun run = show(database);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("\nATTACK: Laser\nEnergy: 700\n"), std::string::npos);
    EXPECT_NE(run.output.find("\nCOMPONENT: Odd Legs\nType: Head\n"), std::string::npos);
    EXPECT_NE(run.output.find("Attacks: Laser, Fist, \nModel files: no-such-arm.ms3d, "), std::string::npos);
    EXPECT_EQ(run.output.find("Ghost Beam"), std::string::npos);
}

TEST_F(ShowCommandTest, AnUnreadableFileExitsWithTwo) {
    EXPECT_EQ(show(missingDatabasePath()).status, 2);
    // A file that is not a database at all.
    EXPECT_EQ(show(std::string(GEARWARD_TESTS_DIR) + "/data/fixtures/maps.yaml").status, 2);
}

}  // namespace
