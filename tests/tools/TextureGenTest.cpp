// texture-gen run from outside, as the build runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../support/RunProgram.h"
#include "../support/TempDir.h"

namespace {
const std::string tool = std::string(GEARWARD_TOOLS_DIR) + "/texture-gen";
const std::string gameDir = GEARWARD_GAME_DIR;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(TextureGen, RebuildsTheSameFilesByteForByte) {
    TempDir scratch("texture-gen");
    std::string dir = scratch.path("out");
    ProgramRun run = runProgram({tool, "--font", gameDir + "/UniversCondensed.ttf", dir});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"UIKeySpace.bmp", "UICursor.png", "UIWideColumnDark.bmp",
                             "SearchlightTexture.bmp", "circuit.bmp", "rubble.bmp", "foliage.bmp"}) {
        SCOPED_TRACE(name);
        std::string fresh = readAll(dir + "/" + name);
        EXPECT_FALSE(fresh.empty());
        EXPECT_EQ(fresh, readAll(gameDir + "/textures/" + name));
    }
}

TEST(TextureGen, MissingFontFailsWithOneLineAndWritesNothing) {
    TempDir scratch("texture-gen");
    std::string dir = scratch.path("out");
    ProgramRun run = runProgram({tool, "--font", "/nonexistent/font.ttf", dir});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("texture-gen: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("/nonexistent/font.ttf"), std::string::npos);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
    EXPECT_FALSE(std::filesystem::exists(dir));
}

TEST(TextureGen, RejectsMissingArguments) {
    EXPECT_EQ(runProgram({tool}).status, 2);
    EXPECT_EQ(runProgram({tool, "--font"}).status, 2);
}
