#include "pipeline/ContentCompiler.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "../support/TempDir.h"
#include "pipeline/GameSchema.h"

namespace {

std::vector<MetakitView> compile(const std::string& text) {
    std::vector<MetakitView> views;
    std::string error;
    EXPECT_TRUE(ContentCompiler::compileText(text, "content.yaml", views, error)) << error;
    return views;
}

std::string compileError(const std::string& text) {
    std::vector<MetakitView> views;
    std::string error;
    EXPECT_FALSE(ContentCompiler::compileText(text, "content.yaml", views, error));
    return error;
}

const MetakitView& viewNamed(const std::vector<MetakitView>& views, const std::string& name) {
    for (const MetakitView& view : views) {
        if (view.name == name) return view;
    }
    static const MetakitView none;
    ADD_FAILURE() << "no view " << name;
    return none;
}

std::vector<std::pair<int, int>> cells(const MetakitView& view) {
    std::vector<std::pair<int, int>> result;
    for (size_t r = 0; r < view.rowCount(); ++r) {
        result.emplace_back(view.getInt(r, "x"), view.getInt(r, "y"));
    }
    return result;
}

}  // namespace

TEST(ContentCompiler, WritesEverySchemaViewWithEveryPropertyInSchemaOrder) {
    std::vector<MetakitView> views = compile("pilot: [Ada]\nattack: []\n");
    const std::vector<MetakitProperty>& schema = GameSchema::views();
    ASSERT_EQ(views.size(), schema.size());
    for (size_t i = 0; i < schema.size(); ++i) {
        EXPECT_EQ(views[i].name, schema[i].name);
        ASSERT_EQ(views[i].properties.size(), schema[i].subProperties.size());
        for (size_t p = 0; p < views[i].properties.size(); ++p) {
            EXPECT_EQ(views[i].properties[p].name, schema[i].subProperties[p].name);
            EXPECT_EQ(views[i].properties[p].type, schema[i].subProperties[p].type);
        }
    }
    EXPECT_EQ(viewNamed(views, "pilot").rowCount(), 1u);
    EXPECT_EQ(viewNamed(views, "attack").rowCount(), 0u);
    EXPECT_EQ(viewNamed(views, "robot").rowCount(), 0u);
}

// The database another tool wrote for the game has exactly the structure the schema describes.
TEST(ContentCompiler, StructureMatchesTheGameContentFixture) {
    YAML::Node fixture = YAML::LoadFile(GEARWARD_FIXTURES_DIR "/metakit/game_content.json");
    std::string description;
    for (const MetakitView& view : compile("")) {
        description += (description.empty() ? "" : ",") + view.structure();
    }
    EXPECT_EQ(description, fixture["description"].as<std::string>());
}

TEST(ContentCompiler, ShortFormsAndFullMappingsGiveTheSameRows) {
    std::vector<MetakitView> views = compile(R"(
attack:
  - name: Laser            # comments are welcome
    damage: 30
    isMelee: false
    range: [[0, 1], [0, 2], {x: -1, y: 3}]
    aoe:
      - {x: 0, y: 0}
component:
  - name: Arm
    type: LEFTARM
    actions: [Laser, {action: Fist}]
    models: [models/arm.ms3d]
map:
  - name: DOWNTOWN
    terrain: [[Road, "."], {name: Building, symbol: "#"}]
    layout: ["..##", "...."]
)");
    const MetakitView& attack = viewNamed(views, "attack");
    ASSERT_EQ(attack.rowCount(), 1u);
    EXPECT_EQ(attack.getString(0, "name"), "Laser");
    EXPECT_EQ(attack.getInt(0, "damage"), 30);
    EXPECT_EQ(attack.getInt(0, "isMelee"), 0);
    EXPECT_EQ(cells(attack.getSubview(0, "range")),
              (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {-1, 3}}));
    EXPECT_EQ(cells(attack.getSubview(0, "aoe")), (std::vector<std::pair<int, int>>{{0, 0}}));

    const MetakitView& actions = viewNamed(views, "component").getSubview(0, "actions");
    ASSERT_EQ(actions.rowCount(), 2u);
    EXPECT_EQ(actions.getString(0, "action"), "Laser");
    EXPECT_EQ(actions.getString(1, "action"), "Fist");
    EXPECT_EQ(viewNamed(views, "component").getSubview(0, "models").getString(0, "model"), "models/arm.ms3d");

    const MetakitView& map = viewNamed(views, "map");
    const MetakitView& legend = map.getSubview(0, "terrain");
    ASSERT_EQ(legend.rowCount(), 2u);
    EXPECT_EQ(legend.getString(0, "name"), "Road");
    EXPECT_EQ(legend.getString(0, "symbol"), ".");
    EXPECT_EQ(legend.getString(1, "symbol"), "#");
    const MetakitView& layout = map.getSubview(0, "layout");
    ASSERT_EQ(layout.rowCount(), 2u);
    EXPECT_EQ(layout.getString(0, "row"), "..##");
    EXPECT_EQ(layout.getString(1, "row"), "....");
}

TEST(ContentCompiler, LeftOutPropertiesTakeEmptyValues) {
    std::vector<MetakitView> views = compile("component:\n  - name: Bare\n    hp:\n");
    const MetakitView& component = viewNamed(views, "component");
    ASSERT_EQ(component.rowCount(), 1u);
    ASSERT_EQ(component.rows[0].size(), component.properties.size());
    EXPECT_EQ(component.getString(0, "type"), "");
    EXPECT_EQ(component.getInt(0, "hp"), 0);
    EXPECT_EQ(component.getInt(0, "move"), 0);
    // An empty subview still carries its columns, so the file's structure stays the same.
    const MetakitView& actions = component.getSubview(0, "actions");
    EXPECT_EQ(actions.rowCount(), 0u);
    ASSERT_EQ(actions.properties.size(), 1u);
    EXPECT_EQ(actions.properties[0].name, "action");
}

TEST(ContentCompiler, IntegersCoverTheWhole32BitRange) {
    std::vector<MetakitView> views = compile(
        "attack:\n  - {damage: -2147483648, energy: 2147483647, isMelee: true, "
        "accuracy: +7}\n");
    const MetakitView& attack = viewNamed(views, "attack");
    EXPECT_EQ(attack.getInt(0, "damage"), INT32_MIN);
    EXPECT_EQ(attack.getInt(0, "energy"), INT32_MAX);
    EXPECT_EQ(attack.getInt(0, "isMelee"), 1);
    EXPECT_EQ(attack.getInt(0, "accuracy"), 7);
    // Text that merely looks like a number keeps its spelling in a string property.
    EXPECT_EQ(viewNamed(compile("robot: [007, 1e3]\n"), "robot").getString(0, "name"), "007");
}

TEST(ContentCompiler, ErrorsGiveTheSourceAndLine) {
    // Bad YAML.
    EXPECT_EQ(compileError("attack:\n  - name: [Laser\n").substr(0, 15), "content.yaml:3:");
    // Values of the wrong type, at the line of the value.
    EXPECT_EQ(compileError("attack:\n  - name: Laser\n    damage: lots\n"),
              "content.yaml:3: attack[0].damage expects a 32-bit integer, not \"lots\"");
    EXPECT_EQ(compileError("attack:\n  - damage: 2147483648\n"),
              "content.yaml:2: attack[0].damage expects a 32-bit integer, not \"2147483648\"");
    EXPECT_EQ(compileError("attack:\n  - name: {first: Laser}\n"),
              "content.yaml:2: attack[0].name expects a string");
    EXPECT_EQ(compileError("component:\n  - actions: Laser\n"),
              "content.yaml:2: component[0].actions expects a list of rows");
    EXPECT_EQ(compileError("attack:\n  - range: [[0, 1], [0, 1, 2]]\n"),
              "content.yaml:2: attack[0].range[1] expects a mapping or a list of 2 values (x, y)");
    EXPECT_EQ(compileError("map:\n  - layout:\n    - [\"..\"]\n"),
              "content.yaml:3: map[0].layout[0].row expects a string");
    EXPECT_EQ(compileError("pilot:\n  - \"Ada\\0Voss\"\n"),
              "content.yaml:2: pilot[0].name cannot hold a NUL character");
    // Unknown names.
    EXPECT_EQ(compileError("# the attacks\natack:\n  - name: Laser\n"),
              "content.yaml:2: unknown view \"atack\" (the views are attack, component, terrain, "
              "map, pilot, robot, ai)");
    EXPECT_EQ(compileError("attack:\n  - name: Laser\n    damgae: 3\n"),
              "content.yaml:3: unknown property \"damgae\" in attack[0]");
    EXPECT_EQ(compileError("attack:\n  - range:\n      - {x: 0, z: 1}\n"),
              "content.yaml:3: unknown property \"z\" in attack[0].range[0]");
    // Shapes that cannot be rows.
    EXPECT_EQ(compileError("- attack\n"),
              "content.yaml:1: content must be a mapping from view names to lists of rows");
    EXPECT_EQ(compileError("attack: Laser\n"), "content.yaml:1: attack expects a list of rows");
    EXPECT_EQ(compileError("attack:\n  - Laser\n"),
              "content.yaml:2: attack[0] expects a mapping or a list of 9 values (name, "
              "description, damage, energy, accuracy, cooldown, isMelee, range, aoe)");
    // Stray characters the YAML parser would otherwise stall on.
    EXPECT_EQ(compileError("# robots\n, [\n"), "content.yaml:2: unexpected text");
    EXPECT_EQ(compileError("\n\n,"), "content.yaml:3: unexpected text");
    // Nesting deep enough to exhaust the parser's stack is refused, not followed.
    EXPECT_EQ(compileError("pilot:\n  - " + std::string(20000, '[') + std::string(20000, ']')),
              "content.yaml:2: lists or mappings are nested too deeply");
    // The same thing twice in one place.
    EXPECT_EQ(compileError("attack:\n  - name: A\n    name: B\n"),
              "content.yaml:3: attack[0].name is given twice (first at line 2)");
    EXPECT_EQ(compileError("pilot: [A]\nrobot: [B]\npilot: [C]\n"),
              "content.yaml:3: view \"pilot\" is already given at content.yaml:1");
    EXPECT_EQ(compileError("pilot: [A]\n---\nrobot: [B]\n"),
              "content.yaml:2: one source holds one YAML document");
}

TEST(ContentCompiler, MergesSourcesThatGiveDifferentViews) {
    ContentCompiler compiler;
    std::string error;
    ASSERT_TRUE(compiler.addText("pilot: [Ada, Bram]\n", "names.yaml", error)) << error;
    ASSERT_TRUE(compiler.addText("\n\nrobot: [Anvil]\n", "robots.yaml", error)) << error;
    // A view given again is refused with both places, and nothing of that source is kept.
    EXPECT_FALSE(compiler.addText("attack: [{name: Laser}]\npilot: [Cora]\n", "more.yaml", error));
    EXPECT_EQ(error, "more.yaml:2: view \"pilot\" is already given at names.yaml:1");
    std::vector<MetakitView> views = compiler.views();
    EXPECT_EQ(viewNamed(views, "pilot").rowCount(), 2u);
    EXPECT_EQ(viewNamed(views, "robot").getString(0, "name"), "Anvil");
    EXPECT_EQ(viewNamed(views, "attack").rowCount(), 0u);
    // The refused source can be corrected and added again.
    ASSERT_TRUE(compiler.addText("attack: [{name: Laser}]\n", "more.yaml", error)) << error;
    EXPECT_EQ(viewNamed(compiler.views(), "attack").rowCount(), 1u);
}

TEST(ContentCompiler, CompileFileReportsUnreadableFiles) {
    std::vector<MetakitView> views;
    std::string error;
    EXPECT_FALSE(ContentCompiler::compileFile("/nonexistent/content.yaml", views, error));
    EXPECT_EQ(error.rfind("/nonexistent/content.yaml: cannot open: ", 0), 0u) << error;

    TempDir scratch("compiler");
    std::string path = scratch.path("names.yaml");
    std::ofstream(path) << "robot:\n  - Anvil\n  - 42\n";
    ASSERT_TRUE(ContentCompiler::compileFile(path, views, error)) << error;
    EXPECT_EQ(viewNamed(views, "robot").getString(1, "name"), "42");
    std::ofstream(path) << "robot:\n  - [Anvil]\n";
    EXPECT_FALSE(ContentCompiler::compileFile(path, views, error));
    EXPECT_EQ(error, path + ":2: robot[0].name expects a string");
    // A folder named as a source is refused, not read as an empty text.
    EXPECT_FALSE(ContentCompiler::compileFile(scratch.path().string(), views, error));
    EXPECT_EQ(error, scratch.path().string() + ": cannot read: not a regular file (a directory)");
}

// Aliases may repeat content, which modders can use, but a few lines must not expand into a
// database of unbounded size.
TEST(ContentCompiler, AliasesExpandOnlyWithinTheRowLimit) {
    auto repeated = [](int cells, int rows) {
        std::string text = "attack:\n  - &row {name: A, range: [";
        for (int i = 0; i < cells; ++i) text += i == 0 ? "[0, 1]" : ", [0, 1]";
        text += "]}\n";
        for (int i = 1; i < rows; ++i) text += "  - *row\n";
        return text;
    };
    std::vector<MetakitView> views = compile(repeated(100, 100));
    EXPECT_EQ(views[0].rowCount(), 100u);
    EXPECT_EQ(views[0].getSubview(99, "range").rowCount(), 100u);

    std::string error = compileError(repeated(1000, 1000));
    EXPECT_NE(error.find(": too much content: more than 200000 rows in all"), std::string::npos) << error;
}
