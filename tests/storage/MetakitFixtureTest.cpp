// Every storage golden file, decoded, re-encoded and cut short.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

#include "MetakitFixtureFiles.h"
#include "pipeline/MetakitJson.h"
#include "storage/MetakitDecoder.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitWriter.h"

namespace {

using namespace metakit_fixtures;

class StorageFixture : public ::testing::TestWithParam<std::string> {
protected:
    std::string name() const { return GetParam(); }
    std::string dbPath() const { return folder() + "/" + name() + ".db"; }
    YAML::Node json() const { return YAML::LoadFile(folder() + "/" + name() + ".json"); }
    int commits() const { return json()["commits"].as<int>(); }
    char byteOrder() const { return json()["byte_order"].as<std::string>() == "big" ? 'B' : 'L'; }

    std::vector<MetakitView> contentFromJson() const {
        std::vector<MetakitView> views;
        std::string error;
        EXPECT_TRUE(MetakitJson::fromYaml(json(), views, error)) << error;
        return views;
    }
};

TEST_P(StorageFixture, DecodesToExactlyItsJson) {
    MetakitStorage storage;
    std::string error;
    ASSERT_TRUE(storage.open(dbPath(), &error)) << error;
    EXPECT_EQ(MetakitJson::toJson(storage), expectedDump(name()));
    EXPECT_EQ(storage.byteOrder, byteOrder());
    EXPECT_EQ(storage.description, json()["description"].as<std::string>());
}

// The writer reproduces a fresh single-commit file byte for byte; only the bits the files' own
// library leaves undefined (found by the reader in the golden file) are not compared. Files with
// two commits keep their history and are checked by WrittenFileReadsBackToTheJson instead.
class SingleCommitFixture : public StorageFixture {};

TEST_P(SingleCommitFixture, WritingAfreshReproducesTheFileByteForByte) {
    ASSERT_EQ(commits(), 1);
    std::vector<uint8_t> expected = readBytes(dbPath());
    std::vector<uint8_t> undefinedBits;
    MetakitDecoder decoder;
    decoder.undefinedBits = &undefinedBits;
    MetakitStorage reference;
    std::string error;
    ASSERT_TRUE(decoder.decode(expected.data(), expected.size(), reference, error)) << error;

    std::vector<uint8_t> written;
    ASSERT_TRUE(MetakitWriter::encode(contentFromJson(), byteOrder(), written, &error)) << error;
    ASSERT_EQ(written.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(written[i] & ~undefinedBits[i], expected[i] & ~undefinedBits[i])
            << "first difference at offset " << i;
        EXPECT_EQ(written[i] & undefinedBits[i], 0) << "undefined bits are written as zeros";
    }
}

TEST_P(StorageFixture, WrittenFileReadsBackToTheJson) {
    for (char order : {'L', 'B'}) {
        std::vector<uint8_t> written;
        std::string error;
        ASSERT_TRUE(MetakitWriter::encode(contentFromJson(), order, written, &error)) << error;
        MetakitStorage storage;
        ASSERT_TRUE(storage.decode(written.data(), written.size(), &error)) << error;
        std::string dump = MetakitJson::toJson(storage);
        std::string expected = expectedDump(name());
        if (order != byteOrder() && !written.empty()) {
            std::string from = order == 'B' ? "\"little\"" : "\"big\"";
            std::string to = order == 'B' ? "\"big\"" : "\"little\"";
            expected.replace(expected.find(from), from.size(), to);
        }
        EXPECT_EQ(dump, expected) << "byte order " << order;
    }
}

// Each prefix goes into a heap buffer of exactly its size, so a read past the end is caught
// by the address sanitizer. A prefix may only decode if it ends where a commit ended.
TEST_P(StorageFixture, EveryTruncationIsRejectedOrDecodedSafely) {
    std::vector<uint8_t> bytes = readBytes(dbPath());
    const size_t size = bytes.size();
    std::set<size_t> lengths;
    if (size <= 16384) {
        for (size_t n = 0; n <= size; ++n) lengths.insert(n);
    } else {
        // Large files: a stride, everything near both ends and near every 4 KiB boundary.
        for (size_t n = 0; n <= size; n += 61) lengths.insert(n);
        lengths.insert(size);
        for (size_t n = 0; n < 600; ++n) lengths.insert(n), lengths.insert(size - 1 - n);
        for (size_t b = 4096; b < size; b += 4096)
            for (size_t n = b - 24; n < b + 24 && n < size; ++n) lengths.insert(n);
    }
    size_t decoded = 0;
    for (size_t n : lengths) {
        std::unique_ptr<uint8_t[]> prefix(new uint8_t[n ? n : 1]);
        if (n) std::memcpy(prefix.get(), bytes.data(), n);
        MetakitStorage storage;
        std::string error;
        if (storage.decode(prefix.get(), n, &error)) {
            ++decoded;
            EXPECT_TRUE(n == 0 || n == size || commits() > 1) << "prefix of " << n << " bytes decoded";
        } else {
            EXPECT_TRUE(storage.views.empty());
            EXPECT_FALSE(error.empty());
        }
    }
    EXPECT_GE(decoded, size ? 2u : 1u);  // the empty prefix and the whole file
}

// Every byte replaced by a few telling values (for files over 1 KiB the header and the last
// 128 bytes, where the walks and tails are; the fuzzer covers the rest); decoding must stay
// inside the buffer and never hang, whatever it decides.
TEST_P(StorageFixture, EverySingleByteCorruptionIsHandledSafely) {
    std::vector<uint8_t> bytes = readBytes(dbPath());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.size() > 1024 && i >= 32 && i + 128 < bytes.size()) continue;
        for (uint8_t value :
             {uint8_t(0x00), uint8_t(0x7f), uint8_t(0x80), uint8_t(0xff), uint8_t(bytes[i] ^ 0x01)}) {
            std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
            std::memcpy(copy.get(), bytes.data(), bytes.size());
            copy[i] = value;
            MetakitStorage storage;
            std::string error;
            if (!storage.decode(copy.get(), bytes.size(), &error)) {
                EXPECT_TRUE(storage.views.empty());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GoldenFiles, StorageFixture, ::testing::ValuesIn(goodNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });
INSTANTIATE_TEST_SUITE_P(GoldenFiles, SingleCommitFixture, ::testing::ValuesIn(singleCommitNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(StorageFixtures, FolderHoldsTheGoldenFiles) {
    EXPECT_GE(goodNames().size(), 19u);
    EXPECT_EQ(singleCommitNames().size(), goodNames().size() - 2) << "all but the two edited files";
    EXPECT_GE(malformedNames().size(), 22u);
}

class MalformedFile : public ::testing::TestWithParam<std::string> {};

TEST_P(MalformedFile, IsRejectedAsAWhole) {
    std::vector<uint8_t> bytes = readBytes(folder() + "/malformed/" + GetParam() + ".db");
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    MetakitStorage storage;
    std::string error;
    EXPECT_FALSE(storage.decode(copy.get(), bytes.size(), &error));
    EXPECT_TRUE(storage.views.empty());
    EXPECT_TRUE(storage.description.empty());
    EXPECT_NE(error.find("not a valid storage file: "), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
}

INSTANTIATE_TEST_SUITE_P(DamagedFiles, MalformedFile, ::testing::ValuesIn(malformedNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
