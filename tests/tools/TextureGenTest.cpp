// texture-gen run from outside, as the build runs it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const std::string tool = std::string(GEARWARD_TOOLS_DIR) + "/texture-gen";
const std::string gameDir = GEARWARD_GAME_DIR;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string scratchDir(const char* tag) {
    std::string dir = std::string(GEARWARD_BINARY_DIR) + "/texture-gen-test-" + tag + "-" + std::to_string(getpid());
    std::system(("rm -rf '" + dir + "'").c_str());
    return dir;
}

int run(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}
}

TEST(TextureGen, RebuildsTheSameFilesByteForByte) {
    std::string dir = scratchDir("again");
    ASSERT_EQ(run(tool + " --font " + gameDir + "/UniversCondensed.ttf " + dir), 0);
    for (const char* name : {"UIKeySpace.bmp", "UICursor.png", "UIWideColumnDark.bmp", "SearchlightTexture.bmp",
                             "circuit.bmp", "rubble.bmp", "foliage.bmp"}) {
        SCOPED_TRACE(name);
        std::string fresh = readAll(dir + "/" + name);
        EXPECT_FALSE(fresh.empty());
        EXPECT_EQ(fresh, readAll(gameDir + "/textures/" + name));
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

TEST(TextureGen, MissingFontFailsWithOneLineAndWritesNothing) {
    std::string dir = scratchDir("nofont");
    std::string log = dir + ".log";
    int status = run(tool + " --font /nonexistent/font.ttf " + dir + " 2> " + log);
    EXPECT_EQ(status, 1);
    std::string message = readAll(log);
    EXPECT_EQ(message.rfind("texture-gen: ", 0), 0u) << message;
    EXPECT_NE(message.find("/nonexistent/font.ttf"), std::string::npos);
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line";
    EXPECT_FALSE(exists(dir));
    std::remove(log.c_str());
}

TEST(TextureGen, RejectsMissingArguments) {
    EXPECT_EQ(run(tool + " 2>/dev/null"), 2);
    EXPECT_EQ(run(tool + " --font 2>/dev/null"), 2);
}
