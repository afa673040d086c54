// The one file reader: whole regular files in, everything else refused with a reason, never a
// wait on a FIFO or an exception.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../support/TempDir.h"
#include "ModelDescription.h"
#include "SquadFile.h"
#include "gfx/GlExtensions.h"
#include "gfx/Model.h"
#include "pipeline/ContentCompiler.h"
#include "storage/MetakitStorage.h"
#include "storage/PrintableText.h"
#include "storage/ReadFile.h"

namespace {

TEST(ReadWholeFile, ReadsEveryByteOfARegularFile) {
    TempDir scratch("read-file");
    std::string content("MS3D\0\xff\n", 7);
    for (int i = 0; i < 20000; ++i) content += char(i * 7);  // past one read's chunk
    std::string path = scratch.file("model.ms3d", content);
    std::vector<unsigned char> bytes = {1, 2, 3};
    ReadFileResult read = readWholeFile(path, bytes, 1 << 20, "a test file");
    ASSERT_TRUE(read.ok()) << read.reason;
    EXPECT_EQ(read.reason, "");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);

    std::string text = "left over";
    ASSERT_TRUE(readWholeFile(scratch.file("empty.vsh", ""), text, 1 << 20, "a test file").ok());
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
        {scratch.path().string(), ReadFileStatus::NotRegularFile,
         "cannot read: not a regular file (a directory)"},
        // Opened without waiting for a writer, then refused.
        {fifo, ReadFileStatus::NotRegularFile, "cannot read: not a regular file"},
        {"/dev/null", ReadFileStatus::NotRegularFile, "cannot read: not a regular file"},
        {scratch.path("absent"), ReadFileStatus::CannotOpen, "cannot open: No such file or directory"},
        {"", ReadFileStatus::CannotOpen, "cannot open: No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string text = "left over";
        ReadFileResult read = readWholeFile(c.path, text, 1 << 20, "a test file");
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.reason, c.reason);
        EXPECT_EQ(text, "");
    }
}

TEST(ReadWholeFile, RefusesAFileOverTheLimitByItsSizeAlone) {
    TempDir scratch("read-file");
    std::string path = scratch.file("big.db", std::string(100, 'x'));
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(readWholeFile(path, bytes, 100, "a test file").ok());
    ReadFileResult read = readWholeFile(path, bytes, 99, "a test file");
    EXPECT_EQ(read.status, ReadFileStatus::TooLarge);
    EXPECT_EQ(read.reason, "too large: 100 bytes, more than the 99 bytes a test file may have");
    EXPECT_TRUE(bytes.empty());

    // Two gibibytes that hold no disk space: refused without reading a byte.
    std::string sparse = scratch.path("sparse.db");
    ASSERT_EQ(truncate(scratch.file("sparse.db", "").c_str(), 2LL << 30), 0);
    read = readWholeFile(sparse, bytes, LARGEST_DATABASE_FILE, "a game database");
    EXPECT_EQ(read.reason, "too large: 2 GiB, more than the 64 MiB a game database may have");
    size_t size = 0;
    read = readFileEnd(sparse, 16, bytes, size, LARGEST_DATABASE_FILE, "a game database");
    EXPECT_EQ(read.status, ReadFileStatus::TooLarge);

    // The end of a file alone, and its size.
    read = readFileEnd(path, 16, bytes, size, 100, "a test file");
    ASSERT_TRUE(read.ok()) << read.reason;
    EXPECT_EQ(size, 100u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(16, 'x'));
    EXPECT_EQ(sizeText(1536ull << 20), "1.5 GiB");
}

TEST(ReadWholeFile, EveryReaderRefusesAFileOverItsOwnLimitAndSaysSo) {
    TempDir scratch("read-file");
    struct Case {
        const char* what;
        std::size_t limit;
        std::function<std::string(const std::string& path)> read;  // the reader's error text
    };
    const Case cases[] = {
        {"a game database", LARGEST_DATABASE_FILE,
         [](const std::string& path) {
             MetakitStorage storage;
             std::string error;
             EXPECT_FALSE(storage.open(path, &error));
             return error;
         }},
        {"a content source", LARGEST_CONTENT_SOURCE,
         [](const std::string& path) {
             std::string text, error;
             EXPECT_FALSE(ContentCompiler::readFile(path, text, error));
             return error;
         }},
        {"a squad file", LARGEST_SQUAD_FILE,
         [](const std::string& path) {
             SquadFile squads;
             std::string error;
             EXPECT_FALSE(readSquadFile(path, {}, squads, error));
             return error;
         }},
        {"a model description", LARGEST_CONTENT_SOURCE,
         [](const std::string& path) {
             try {
                 ModelDescription::fromFile(path);
             } catch (const std::runtime_error& error) {
                 return std::string(error.what());
             }
             return std::string("read");
         }},
        {"a model file", LARGEST_MODEL_FILE,
         [](const std::string& path) {
             Model model("");
             testing::internal::CaptureStderr();
             EXPECT_FALSE(model.load(path));
             return testing::internal::GetCapturedStderr();
         }},
        // Its caller says that the program could not be read.
        {"the vertex program", LARGEST_VERTEX_PROGRAM,
         [](const std::string& path) {
             return std::string(readShaderFile(path.c_str()) ? "read" : "too large: refused");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // One byte over, held by no disk space.
        std::string path = scratch.file("oversized", "");
        ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(c.limit + 1)), 0);
        const std::string error = c.read(path);
        EXPECT_NE(error.find("too large"), std::string::npos) << error;
        const bool stated =
            error.find("refused") != std::string::npos ||
            error.find("more than the " + sizeText(c.limit) + " " + c.what) != std::string::npos;
        EXPECT_TRUE(stated) << error;
    }
}

TEST(PrintableText, EscapesControlsAndBrokenUtf8AndKeepsTheRest) {
    const std::pair<std::string, std::string> cases[] = {
        {"Laser R", "Laser R"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"line\nend\x1b[31m", "line\\x0aend\\x1b[31m"},
        {"Caf\xc3\xa9 \xe2\x96\xb2", "Caf\xc3\xa9 \xe2\x96\xb2"},  // UTF-8 stays
        {"\xff\xc3", "\\xff\\xc3"},                                // a stray byte, a cut sequence
        {"\xc0\xaf\xed\xa0\x80", "\\xc0\\xaf\\xed\\xa0\\x80"},     // overlong, surrogate
        {"\x7f", "\\x7f"},
    };
    for (const auto& c : cases) EXPECT_EQ(printableText(c.first), c.second);
}

}  // namespace
