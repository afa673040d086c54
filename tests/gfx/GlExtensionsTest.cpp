#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "../support/TempDir.h"
#include "gfx/GlExtensions.h"

namespace {

std::string writeTemp(const std::string& name, const std::string& content) {
    std::string path = std::string(GEARWARD_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

TEST(ReadShaderFileTest, ReadsTheWholeFileWhateverItsLineLengths) {
    std::string program =
        "!!ARBvp1.0\n# " + std::string(300, 'x') + "\nMOV result.position, vertex.position;\nEND\n";
    std::string path = writeTemp("long-lines.vsh", program);
    std::unique_ptr<char[]> text = readShaderFile(path.c_str());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text.get()), program);
    std::remove(path.c_str());
}

TEST(ReadShaderFileTest, LastLineWithoutNewlineAndEmptyFile) {
    std::string path = writeTemp("no-newline.vsh", "!!ARBvp1.0\nEND");
    EXPECT_STREQ(readShaderFile(path.c_str()).get(), "!!ARBvp1.0\nEND");
    std::remove(path.c_str());
    path = writeTemp("empty.vsh", "");
    std::unique_ptr<char[]> empty = readShaderFile(path.c_str());
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty.get(), "");
    std::remove(path.c_str());
}

TEST(ReadShaderFileTest, TextEndsAtItsFirstNul) {
    std::string path = writeTemp("nul.vsh", std::string("!!ARBvp1.0\n\0garbage\n", 21));
    std::unique_ptr<char[]> text = readShaderFile(path.c_str());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::strlen(text.get()), 11u);
    std::remove(path.c_str());
}

TEST(ReadShaderFileTest, UnreadableFileGivesNull) {
    EXPECT_EQ(readShaderFile((std::string(GEARWARD_BINARY_DIR) + "/no-such-shader.vsh").c_str()), nullptr);
    // A folder or a FIFO where the program should be: refused at once, never waited on.
    EXPECT_EQ(readShaderFile(GEARWARD_BINARY_DIR), nullptr);
    EXPECT_EQ(readShaderFile("."), nullptr);
    TempDir scratch("shader");
    std::string fifo = scratch.path("shader.vsh");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readShaderFile(fifo.c_str()), nullptr);
    EXPECT_EQ(readShaderFile(nullptr), nullptr);
}

TEST(GlExtensionsTest, ExtensionNamesAreFoundAsSubstrings) {
    const char* list = "GL_ARB_depth_texture GL_ARB_multitexture_extended GL_ARB_vertex_program";
    EXPECT_TRUE(GlExtensions::hasExtension(list, "GL_ARB_multitexture"));
    EXPECT_TRUE(GlExtensions::hasExtension(list, "GL_ARB_vertex_program"));
    EXPECT_FALSE(GlExtensions::hasExtension(list, "GL_ARB_fragment_program"));
    EXPECT_FALSE(GlExtensions::hasExtension(nullptr, "GL_ARB_multitexture"));
}

}  // namespace
