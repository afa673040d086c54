// gearward-sim's default database: the installed game's, else the build tree's game folder, else
// the working directory's.

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/TempDir.h"
#include "DefaultDatabase.h"

namespace fs = std::filesystem;

TEST(DefaultDatabase, InstalledThenBuildFolderThenWorkingDirectory) {
    TempDir root("sim-database");
    const fs::path prefix = root.path();
    const fs::path installed = prefix / "share" / "games" / "gearward-arc" / "data.db";
    const fs::path built = prefix / "game" / "data.db";
    const fs::path program = prefix / "bin" / "gearward-sim";

    EXPECT_EQ(defaultDatabaseFor(program), "data.db");
    // A folder of that name is no database.
    fs::create_directories(built);
    EXPECT_EQ(defaultDatabaseFor(program), "data.db");
    fs::remove(built);
    root.file("game/data.db", "x");
    EXPECT_EQ(defaultDatabaseFor(program), built.string());
    fs::create_directories(installed.parent_path());
    root.file("share/games/gearward-arc/data.db", "x");
    EXPECT_EQ(defaultDatabaseFor(program), installed.string());
}
