// The JSON form of storage content: printing, reading back, and the errors a modder sees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "pipeline/MetakitJson.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitWriter.h"

namespace {

bool load(const std::string& text, std::vector<MetakitView>& views, std::string& error) {
    YAML::Node root;
    return MetakitJson::parse(text, root, error) && MetakitJson::fromYaml(root, views, error);
}

std::string loadError(const std::string& text) {
    std::vector<MetakitView> views;
    std::string error;
    EXPECT_FALSE(load(text, views, error)) << text;
    EXPECT_TRUE(views.empty());
    return error;
}

TEST(StorageJson, RealsPrintWithTheFewestDigitsThatReadBack) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {1.5, "1.5"},
        {-2.25, "-2.25"},
        {0.1, "0.1"},
        {1e16, "1e+16"},
        {1e15, "1000000000000000.0"},
        {0.0001, "0.0001"},
        {1e-05, "1e-05"},
        {1e100, "1e+100"},
        {-1e-300, "-1e-300"},
        {10000000000.0, "10000000000.0"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {3.141592653589793, "3.141592653589793"},
        {double(0.1f), "0.10000000149011612"},
        {5e-324, "5e-324"},
    };
    for (const auto& c : cases) EXPECT_EQ(MetakitJson::formatReal(c.first), c.second);
    EXPECT_EQ(MetakitJson::formatReal(NAN), "NaN");
    EXPECT_EQ(MetakitJson::formatReal(-HUGE_VAL), "-Infinity");

    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isnan(value)) continue;
        double back = 0;
        std::string text = MetakitJson::formatReal(value);
        ASSERT_TRUE(MetakitJson::parseReal(text, back)) << text;
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    }
}

TEST(StorageJson, NumbersParseStrictly) {
    int64_t integer = 0;
    EXPECT_TRUE(MetakitJson::parseInteger("-9223372036854775808", integer));
    EXPECT_EQ(integer, INT64_MIN);
    EXPECT_TRUE(MetakitJson::parseInteger("9223372036854775807", integer));
    for (const char* bad :
         {"9223372036854775808", "-9223372036854775809", "", "-", "1.0", "0x10", " 1", "1e3"})
        EXPECT_FALSE(MetakitJson::parseInteger(bad, integer)) << bad;
    double real = 0;
    for (const char* good : {"1", "-1.5e-3", "NaN", "Infinity", "-Infinity", ".inf", "1E+2"})
        EXPECT_TRUE(MetakitJson::parseReal(good, real)) << good;
    for (const char* bad : {"", "abc", "0x1p3", "1.5x", " 1", "nan(1)"})
        EXPECT_FALSE(MetakitJson::parseReal(bad, real)) << bad;
}

TEST(StorageJson, StringsAreEscapedAndKeepTheirUtf8) {
    EXPECT_EQ(MetakitJson::quote("plain"), "\"plain\"");
    EXPECT_EQ(MetakitJson::quote("a\"b\\c\n\t\x01\x7f"), "\"a\\\"b\\\\c\\n\\t\\u0001\x7f\"");
    EXPECT_EQ(MetakitJson::quote("Größe ✓ 🤖"), "\"Größe ✓ 🤖\"");
    // Bytes that are no UTF-8 (a lone continuation, an overlong form, a cut sequence, an
    // encoded surrogate) get escapes of their own.
    EXPECT_EQ(MetakitJson::quote("\x80"), "\"\\udc80\"");
    EXPECT_EQ(MetakitJson::quote("\xc0\xaf"), "\"\\udcc0\\udcaf\"");
    EXPECT_EQ(MetakitJson::quote("a\xe2\x9c"), "\"a\\udce2\\udc9c\"");
    EXPECT_EQ(MetakitJson::quote("\xed\xa0\x80"), "\"\\udced\\udca0\\udc80\"");
}

// Any bytes in a string survive print, parse and write.
TEST(StorageJson, ArbitraryStringBytesRoundTrip) {
    MetakitStorage storage;
    MetakitView view;
    view.name = "t";
    MetakitProperty text;
    text.name = "text";
    view.properties = {text};
    const std::string samples[] = {"Größe",           "\x80\xff",  "x\xc3",  "\xed\xb2\x80",
                                   "ctl\x01\x1f\"\\", "tab\there", "日本語", "\\udc80 typed by hand"};
    for (const std::string& sample : samples) {
        MetakitValue value;
        value.bytes = sample;
        view.rows.push_back({value});
    }
    storage.views = {view};
    std::vector<MetakitView> back;
    std::string error;
    ASSERT_TRUE(load(MetakitJson::toJson(storage), back, error)) << error;
    ASSERT_EQ(back.size(), 1u);
    for (size_t r = 0; r < std::size(samples); ++r) EXPECT_EQ(back[0].getString(r, "text"), samples[r]) << r;
}

TEST(StorageJson, DumpFormReadsBackIntoViews) {
    std::vector<MetakitView> views;
    std::string error;
    ASSERT_TRUE(load(R"({"byte_order": "little", "description": "ignored",
        "views": [{"name": "m", "structure": "m[s:S,i:I,l:L,f:F,d:D,b:B,v[x:I]]",
                   "rows": [{"s": "a", "i": -5, "l": -9223372036854775808, "f": 0.75,
                             "d": 1e-300, "b": "00FFab", "v": [{"x": 1}, {"x": 2}]},
                            {"i": 3}]}]})",
                     views, error))
        << error;
    ASSERT_EQ(views.size(), 1u);
    const MetakitView& m = views[0];
    ASSERT_EQ(m.rowCount(), 2u);
    EXPECT_EQ(m.rows[0][2].integer, INT64_MIN);
    EXPECT_EQ(m.rows[0][3].real, 0.75);
    EXPECT_EQ(m.rows[0][4].real, 1e-300);
    EXPECT_EQ(m.rows[0][5].bytes, std::string("\x00\xff\xab", 3));
    EXPECT_EQ(m.getSubview(0, "v").getInt(1, "x"), 2);
    // Left-out properties take their empty values.
    EXPECT_EQ(m.getString(1, "s"), "");
    EXPECT_EQ(m.getInt(1, "i"), 3);
    EXPECT_EQ(m.getSubview(1, "v").rowCount(), 0u);

    // The same in YAML, with comments.
    ASSERT_TRUE(
        load("views:\n  # the only view\n  - structure: item[name:S,count:I]\n"
             "    rows:\n      - {name: bolt, count: 12}\n      - name: 7\n",
             views, error))
        << error;
    EXPECT_EQ(views[0].getString(1, "name"), "7");
    EXPECT_TRUE(load("views: []", views, error));
    EXPECT_TRUE(views.empty());
}

TEST(StorageJson, MistakesAreReportedWithTheirLine) {
    const std::string head = "views:\n- structure: item[name:S,count:I,f:F,b:B,sub[x:I]]\n  rows:\n";
    auto errorAtLine4 = [&](const std::string& row) {
        std::string error = loadError(head + row);
        EXPECT_EQ(error.rfind("4: ", 0), 0u) << row << " -> " << error;
        return error;
    };
    EXPECT_NE(errorAtLine4("  - {count: abc}").find("count"), std::string::npos);
    errorAtLine4("  - {count: 2147483648}");
    errorAtLine4("  - {count: 1.5}");
    EXPECT_NE(errorAtLine4("  - {colour: red}").find("colour"), std::string::npos);
    errorAtLine4("  - {f: 1e39}");
    errorAtLine4("  - {b: abc}");
    errorAtLine4("  - {b: zz}");
    errorAtLine4("  - {sub: 5}");
    errorAtLine4("  - {sub: [{y: 1}]}");
    errorAtLine4("  - {name: [a, b]}");
    errorAtLine4("  - 5");
    errorAtLine4("  - {name: \"a\\0b\"}");

    EXPECT_EQ(loadError("views:\n- structure: item[name:S\n").rfind("2: ", 0), 0u);
    EXPECT_EQ(loadError("views:\n- name: other\n  structure: item[name:S]\n").rfind("2: ", 0), 0u);
    EXPECT_EQ(loadError("views:\n- structure: a[x:I]\n- structure: A[y:I]\n").rfind("3: ", 0), 0u);
    EXPECT_EQ(loadError("views:\n- structure: a[x:I]\n  colour: red\n").rfind("3: ", 0), 0u);
    EXPECT_EQ(loadError("views:\n- structure: a[x:I]\n  rows: 5\n").rfind("3: ", 0), 0u);
    loadError("byte_order: little\n");
    loadError("views: 5\n");
    loadError("- 1\n- 2\n");
    EXPECT_EQ(loadError("views:\n- {structure: \"a[x:I]\"\n").rfind("3: ", 0), 0u);  // bad YAML
}

}  // namespace
