// The one file reader: whole regular files in, everything else refused with a reason, never a
// wait on a FIFO or an exception.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "storage/ReadFile.h"
#include "../support/TempDir.h"

namespace {

TEST(ReadWholeFile, ReadsEveryByteOfARegularFile) {
    TempDir scratch("read-file");
    std::string content("MS3D\0\xff\n", 7);
    for (int i = 0; i < 20000; ++i) content += char(i * 7);   // past one read's chunk
    std::string path = scratch.file("model.ms3d", content);
    std::vector<unsigned char> bytes = {1, 2, 3};
    ReadFileResult read = readWholeFile(path, bytes);
    ASSERT_TRUE(read.ok()) << read.reason;
    EXPECT_EQ(read.reason, "");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);

    std::string text = "left over";
    ASSERT_TRUE(readWholeFile(scratch.file("empty.vsh", ""), text).ok());
    EXPECT_EQ(text, "");
}

TEST(ReadWholeFile, RefusesWhatIsNotARegularFile) {
    TempDir scratch("read-file");
    std::string fifo = scratch.path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        ReadFileStatus status;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {".", ReadFileStatus::NotRegularFile, "cannot read: not a regular file (a directory)"},
        {scratch.path().string(), ReadFileStatus::NotRegularFile, "cannot read: not a regular file (a directory)"},
        // Opened without waiting for a writer, then refused.
        {fifo, ReadFileStatus::NotRegularFile, "cannot read: not a regular file"},
        {"/dev/null", ReadFileStatus::NotRegularFile, "cannot read: not a regular file"},
        {scratch.path("absent"), ReadFileStatus::CannotOpen, "cannot open: No such file or directory"},
        {"", ReadFileStatus::CannotOpen, "cannot open: No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string text = "left over";
        ReadFileResult read = readWholeFile(c.path, text);
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.reason, c.reason);
        EXPECT_EQ(text, "");
    }
}

TEST(ReadWholeFile, RefusesAFileOverTheLimit) {
    TempDir scratch("read-file");
    std::string path = scratch.file("big.db", std::string(100, 'x'));
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(readWholeFile(path, bytes, 100).ok());
    ReadFileResult read = readWholeFile(path, bytes, 99);
    EXPECT_EQ(read.status, ReadFileStatus::TooLarge);
    EXPECT_EQ(read.reason, "cannot read: file too large");
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
