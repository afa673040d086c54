// Writing fresh storage files: round trips of varied content, refused content, safe files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cmath>
#include <filesystem>
#include <random>

#include "pipeline/MetakitJson.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitWriter.h"

namespace {

namespace fs = std::filesystem;

MetakitProperty property(const std::string& name, char type, std::vector<MetakitProperty> sub = {}) {
    MetakitProperty p;
    p.name = name;
    p.type = type;
    p.subProperties = std::move(sub);
    return p;
}

// Random content of every type, with the values that sit on width and memo boundaries.
class ContentMaker {
public:
    explicit ContentMaker(unsigned seed) : random(seed) {}

    MetakitView view(const std::string& name, int depth) {
        MetakitView v;
        v.name = name;
        size_t count = 1 + pick(5);
        for (size_t i = 0; i < count; ++i) {
            const char types[] = "SILFDBV";
            char type = types[pick(depth > 2 ? 6 : 7)];
            MetakitProperty p = property("p" + std::to_string(i), type);
            if (type == 'V') p.subProperties = view("sub", depth + 1).properties;
            v.properties.push_back(p);
        }
        fillRows(v, depth);
        return v;
    }

private:
    std::mt19937 random;

    size_t pick(size_t n) { return random() % n; }

    void fillRows(MetakitView& v, int depth) {
        const size_t rowChoices[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 50, 300};
        size_t rows = rowChoices[pick(depth > 0 ? 7 : 11)];
        for (size_t r = 0; r < rows; ++r) {
            std::vector<MetakitValue> row(v.properties.size());
            for (size_t p = 0; p < v.properties.size(); ++p) fill(v.properties[p], row[p], depth);
            v.rows.push_back(std::move(row));
        }
    }

    void fill(const MetakitProperty& p, MetakitValue& cell, int depth) {
        const int64_t ints[] = {0,  1,    2,    3,     4,     15,     16,     127,       128,
                                -1, -128, -129, 32767, 32768, -32768, -32769, INT32_MAX, INT32_MIN};
        switch (p.type) {
        case 'I':
            cell.integer = pick(3) ? ints[pick(4)] : ints[pick(18)];
            break;
        case 'L':
            cell.integer = pick(2) ? 0 : int64_t(random()) << 32 | random();
            break;
        case 'F':
            cell.real = pick(3) ? 0.0 : float(int(random() % 2000) - 1000) / 8;
            break;
        case 'D':
            cell.real = pick(3) ? 0.0 : std::ldexp(double(random()), int(pick(200)) - 100);
            break;
        case 'S':
        case 'B': {
            const size_t lengths[] = {0, 0, 1, 5, 99, 100, 101, 9999, 10000, 12000};
            size_t length = lengths[pick(pick(32) ? 7 : 10)];
            for (size_t i = 0; i < length; ++i)
                cell.bytes += p.type == 'S' ? char('a' + pick(26)) : char(pick(256));
            break;
        }
        case 'V': {
            MetakitView sub;
            sub.name = p.name;
            sub.properties = p.subProperties;
            fillRows(sub, depth + 1);
            cell.subview.push_back(std::move(sub));
            break;
        }
        }
    }
};

TEST(StorageWriter, VariedContentReadsBackExactlyInBothByteOrders) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        ContentMaker maker(seed);
        MetakitStorage content;
        for (int v = 0; v < 3; ++v) content.views.push_back(maker.view("view" + std::to_string(v), 0));
        for (char order : {'L', 'B'}) {
            content.byteOrder = order;
            std::vector<uint8_t> bytes;
            std::string error;
            ASSERT_TRUE(MetakitWriter::encode(content.views, order, bytes, &error)) << error;
            MetakitStorage back;
            ASSERT_TRUE(back.decode(bytes.data(), bytes.size(), &error)) << "seed " << seed << ": " << error;
            content.description = back.description;
            ASSERT_EQ(MetakitJson::toJson(back), MetakitJson::toJson(content)) << "seed " << seed;
        }
    }
}

TEST(StorageWriter, NoViewsIsAnEmptyFile) {
    EXPECT_TRUE(MetakitWriter::write({}).empty());
    MetakitView empty;
    empty.name = "nothing";
    std::vector<uint8_t> bytes = MetakitWriter::write({empty});
    MetakitStorage storage;
    ASSERT_TRUE(storage.decode(bytes.data(), bytes.size()));
    EXPECT_EQ(storage.description, "nothing[]");
}

MetakitView nested(int depth) {
    MetakitView view;
    view.name = "level" + std::to_string(depth);
    if (depth == 1) {
        view.properties = {property("leaf", 'I')};
        MetakitValue value;
        value.integer = 42;
        view.rows = {{value}};
        return view;
    }
    MetakitView inner = nested(depth - 1);
    view.properties = {property(inner.name, 'V', inner.properties)};
    MetakitValue value;
    value.subview.push_back(inner);
    view.rows = {{value}};
    return view;
}

TEST(StorageWriter, NestingWritesToAnyDepthAndReadsBackUpToTheReadersLimit) {
    std::vector<uint8_t> bytes = MetakitWriter::write({nested(32)});
    MetakitStorage storage;
    std::string error;
    ASSERT_TRUE(storage.decode(bytes.data(), bytes.size(), &error)) << error;
    const MetakitView* view = &storage.view("level32");
    for (int level = 31; level >= 1; --level) view = &view->getSubview(0, "level" + std::to_string(level));
    EXPECT_EQ(view->getInt(0, "leaf"), 42);

    bytes = MetakitWriter::write({nested(40)});
    ASSERT_FALSE(bytes.empty());
    EXPECT_FALSE(storage.decode(bytes.data(), bytes.size(), &error));
    EXPECT_NE(error.find("nesting"), std::string::npos) << error;
}

TEST(StorageWriter, RefusesNamesThatCannotBeStored) {
    auto refused = [](std::vector<MetakitView> views) {
        std::vector<uint8_t> bytes = {1};
        std::string error;
        bool ok = MetakitWriter::encode(views, 'L', bytes, &error);
        return !ok && !error.empty() && bytes.empty();
    };
    MetakitView view;
    view.name = "item";
    view.properties = {property("name", 'S'), property("count", 'I')};
    EXPECT_FALSE(refused({view}));
    for (const char* bad : {"", "a,b", "a[b", "c]", "x:y"}) {
        MetakitView named = view;
        named.properties[0].name = bad;
        EXPECT_TRUE(refused({named})) << bad;
        named = view;
        named.name = bad;
        EXPECT_TRUE(refused({named})) << bad;
    }
    MetakitView twice = view;
    twice.properties[1].name = "NAME";
    EXPECT_TRUE(refused({twice}));
    MetakitView other = view;
    other.name = "Item";
    EXPECT_TRUE(refused({view, other}));
    MetakitView typed = view;
    typed.properties[1].type = 'Q';
    EXPECT_TRUE(refused({typed}));
    MetakitView deep = view;
    deep.properties.push_back(property("sub", 'V', {property("a", 'I'), property("A", 'S')}));
    EXPECT_TRUE(refused({deep}));
}

class StorageFileWriting : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::path(GEARWARD_BINARY_DIR) / "storage-writer-test" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static MetakitView item(const std::string& text) {
        MetakitView view;
        view.name = "item";
        view.properties = {property("name", 'S')};
        MetakitValue value;
        value.bytes = text;
        view.rows = {{value}};
        return view;
    }
    size_t filesInDir() const {
        return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
};

TEST_F(StorageFileWriting, ReplacesTheTargetWhole) {
    std::string path = (dir / "data.db").string();
    std::string error;
    ASSERT_TRUE(MetakitWriter::writeFile(path, {item("first")}, &error)) << error;
    ASSERT_TRUE(MetakitWriter::writeFile(path, {item("second")}, &error)) << error;
    MetakitStorage storage;
    ASSERT_TRUE(storage.open(path, &error)) << error;
    EXPECT_EQ(storage.view("item").getString(0, "name"), "second");
    EXPECT_EQ(filesInDir(), 1u);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IRUSR);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
}

TEST_F(StorageFileWriting, AFailedWriteLeavesNoFileBehind) {
    std::string path = (dir / "data.db").string();
    std::string error;
    ASSERT_TRUE(MetakitWriter::writeFile(path, {item("kept")}, &error));
    MetakitView bad = item("lost");
    bad.properties[0].name = "na,me";
    EXPECT_FALSE(MetakitWriter::writeFile(path, {bad}, &error));
    EXPECT_FALSE(error.empty());
    MetakitStorage storage;
    ASSERT_TRUE(storage.open(path));
    EXPECT_EQ(storage.view("item").getString(0, "name"), "kept");
    EXPECT_EQ(filesInDir(), 1u);

    std::string nowhere = (dir / "missing" / "data.db").string();
    EXPECT_FALSE(MetakitWriter::writeFile(nowhere, {item("x")}, &error));
    EXPECT_NE(error.find(nowhere), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(nowhere));
    // A directory in the way: the rename fails and the temporary file is removed.
    fs::create_directories(dir / "taken.db" / "inside");
    EXPECT_FALSE(MetakitWriter::writeFile((dir / "taken.db").string(), {item("x")}, &error));
    EXPECT_EQ(filesInDir(), 2u);
}

}  // namespace
