#include "pipeline/ContentChecker.h"

#include <gtest/gtest.h>

#include <map>

#include "pipeline/ContentCompiler.h"

namespace {

std::string names(const std::string& prefix, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += "  - " + prefix + " " + std::to_string(i) + "\n";
    return list;
}

// A small sound database, one YAML fragment per view; each test breaks one of them.
std::map<std::string, std::string> soundContent() {
    return {
        {"attack",
         "attack:\n"
         "  - {name: Laser, energy: 400, range: [[0, 2]], aoe: [[0, 0]]}\n"
         "  - {name: Punch, energy: 1, isMelee: 1, range: [[0, 1]], aoe: [[0, 0]]}\n"},
        {"component",
         "component:\n"
         "  - {name: Head, type: HEAD, models: [head.ms3d]}\n"
         "  - {name: Torso, type: TORSO, models: [torso.ms3d]}\n"
         "  - {name: Fist, type: LEFTARM, actions: [Punch], models: [fist.ms3d]}\n"
         "  - {name: Gun, type: RIGHTARM, actions: [Laser, Punch]}\n"
         "  - {name: Legs, type: LEGS, move: 4, models: [legs.ms3d]}\n"
         "  - {name: Core, type: REACTOR, ep: 2000, models: [core.ms3d]}\n"},
        {"terrain",
         "terrain:\n"
         "  - {name: Ground, traversable: 1, model: ground.ms3d}\n"
         "  - {name: Wall, traversable: 0, model: wall.ms3d}\n"},
        {"map",
         "map:\n"
         "  - name: DOWNTOWN\n"
         "    terrain: [[Ground, .], [Wall, \"#\"]]\n"
         "    start1: [[0, 0], [1, 0]]\n"
         "    start2: [[2, 2], [3, 2]]\n"
         "    layout: [\"..#.\", \".##.\", \"....\"]\n"},
        {"pilot", "pilot:\n" + names("Pilot", 20)},
        {"robot", "robot:\n" + names("Robot", 20)},
        {"ai",
         "ai:\n"
         "  - {type: Legs, components: [Legs]}\n"
         "  - {type: Heads, components: [Head, Core]}\n"},
    };
}

std::vector<MetakitView> build(const std::map<std::string, std::string>& changes = {}) {
    std::map<std::string, std::string> content = soundContent();
    for (const auto& change : changes) content[change.first] = change.second;
    std::string text;
    for (const auto& part : content) text += part.second;
    std::vector<MetakitView> views;
    std::string error;
    EXPECT_TRUE(ContentCompiler::compileText(text, "test.yaml", views, error)) << error;
    return views;
}

using Lines = std::vector<std::string>;

Lines problems(const std::map<std::string, std::string>& changes) {
    return ContentChecker::check(build(changes));
}

MetakitView* viewNamed(std::vector<MetakitView>& views, const std::string& name) {
    for (MetakitView& view : views) {
        if (view.name == name) return &view;
    }
    return nullptr;
}

}  // namespace

TEST(ContentChecker, SoundDatabaseHasNoProblem) {
    EXPECT_EQ(ContentChecker::check(build()), Lines{});
}

TEST(ContentChecker, StructureProblems) {
    std::vector<MetakitView> views = build();
    // A missing view, a missing property, and properties of the wrong type (top level and in a
    // subview); the rules that would read them are skipped rather than guessed at.
    views.erase(views.begin() + 6);  // ai
    MetakitView* attack = viewNamed(views, "attack");
    attack->properties.erase(attack->properties.begin());  // name
    for (auto& row : attack->rows) row.erase(row.begin());
    viewNamed(views, "terrain")->properties[2].type = 'S';               // traversable
    viewNamed(views, "map")->properties[3].subProperties[1].type = 'L';  // start1.y
    EXPECT_EQ(ContentChecker::check(views),
              (Lines{"attack.name: missing property", "terrain.traversable: property has type S, expected I",
                     "map.start1.y: property has type L, expected I", "ai: missing view"}));

    viewNamed(views, "map")->properties[2].type = 'S';  // the legend
    EXPECT_EQ(ContentChecker::check(views)[2],
              "map.terrain: property has type S, expected "
              "V [name S, symbol S]");
    EXPECT_EQ(ContentChecker::check(std::vector<MetakitView>{}).size(), 7u);
}

TEST(ContentChecker, EveryAttackCostsEnergy) {
    EXPECT_EQ(problems({{"attack",
                         "attack:\n"
                         "  - {name: Laser, energy: 0}\n"
                         "  - {name: Punch, energy: -2147483648}\n"
                         "  - {name: Kick, energy: 1}\n"}}),
              (Lines{"attack[0].energy: 0 is not above 0", "attack[1].energy: -2147483648 is not above 0"}));
}

TEST(ContentChecker, ComponentProblems) {
    EXPECT_EQ(problems({{"component",
                         "component:\n"
                         "  - {name: Head, type: Head, models: [head.ms3d]}\n"
                         "  - {name: Arm, type: LEFTARM, actions: [Punch, Lazer, \"\"]}\n"
                         "  - {name: Legs, type: LEGS, models: [legs.ms3d, \"\"]}\n"
                         "  - {name: Core, type: \"\"}\n"}}),
              (Lines{"component[0].type: \"Head\" is not HEAD, TORSO, LEFTARM, RIGHTARM, LEGS or "
                     "REACTOR",
                     "component[3].type: \"\" is not HEAD, TORSO, LEFTARM, RIGHTARM, LEGS or "
                     "REACTOR",
                     "component[1].actions[1].action: \"Lazer\" is no attack",
                     "component[1].actions[2].action: \"\" is no attack",
                     "component[2].models[1].model: model name is empty"}));
}

TEST(ContentChecker, TerrainModelMustBeNamed) {
    EXPECT_EQ(problems({{"terrain",
                         "terrain:\n"
                         "  - {name: Ground, traversable: 1, model: ground.ms3d}\n"
                         "  - {name: Wall, traversable: 0}\n"}}),
              Lines{"terrain[1].model: model name is empty"});
}

TEST(ContentChecker, MapLayoutAndLegendProblems) {
    EXPECT_EQ(problems({{"map",
                         "map:\n"
                         "  - name: DOWNTOWN\n"
                         "    terrain: [[Ground, .], [Wal, \"#\"], [Wall, \"#x\"]]\n"
                         "    layout: [\"..#.\", \".x#\", \"..?.?\", \"\\t...\"]\n"}}),
              (Lines{"map[0].terrain[1].name: \"Wal\" is no terrain",
                     "map[0].layout[1].row: length 3 differs from the first row's 4",
                     "map[0].layout[2].row: length 5 differs from the first row's 4",
                     "map[0].layout[1].row: character \"x\" at column 1 has no legend entry",
                     "map[0].layout[2].row: character \"?\" at column 2 has no legend entry",
                     "map[0].layout[3].row: character \"\\x09\" at column 0 has no legend entry",
                     "map[0].start1: no start tile", "map[0].start2: no start tile"}));
}

TEST(ContentChecker, StartCellsMustBeOnTheMapAndTraversable) {
    // The layout rows differ in length on purpose: (3, 1) is beyond the short row.
    EXPECT_EQ(
        problems({{"map",
                   "map:\n"
                   "  - name: DOWNTOWN\n"
                   "    terrain: [[Ground, .], [Wall, \"#\"], [Void, \"?\"]]\n"
                   "    start1: [[0, 0], [2, 0], [-1, 0], [4, 0]]\n"
                   "    start2: [[0, 3], [0, -1], [3, 1], [1, 2]]\n"
                   "    layout: [\"..#.\", \"?..\", \"....\"]\n"}}),
        (Lines{"map[0].terrain[2].name: \"Void\" is no terrain",
               "map[0].layout[1].row: length 3 differs from the first row's 4",
               "map[0].start1[1]: cell (2, 0) is \"Wall\", which is not traversable",
               "map[0].start1[2]: cell (-1, 0) is off the map",
               "map[0].start1[3]: cell (4, 0) is off the map", "map[0].start2[0]: cell (0, 3) is off the map",
               "map[0].start2[1]: cell (0, -1) is off the map",
               "map[0].start2[2]: cell (3, 1) is off the map"}));
    // A cell whose character has no legend entry has nothing to stand on.
    EXPECT_EQ(
        problems({{"map",
                   "map:\n"
                   "  - name: DOWNTOWN\n"
                   "    terrain: [[Ground, .]]\n"
                   "    start1: [[1, 0]]\n"
                   "    layout: [\".x\"]\n"}}),
        (Lines{"map[0].layout[0].row: character \"x\" at column 1 has no legend entry",
               "map[0].start1[0]: cell (1, 0) has no terrain to stand on", "map[0].start2: no start tile"}));
    // Every start cell of a map without a layout is off it.
    EXPECT_EQ(problems({{"map", "map:\n  - {name: DOWNTOWN, start2: [[0, 0]]}\n"}}),
              (Lines{"map[0].start2[0]: cell (0, 0) is off the map", "map[0].start1: no start tile"}));
}

TEST(ContentChecker, LegendAndTerrainFollowTheGamesLastRowWins) {
    // The later legend row for "." and the later terrain row named Ground decide the cell.
    EXPECT_EQ(problems({{"terrain",
                         "terrain:\n"
                         "  - {name: Ground, traversable: 1, model: ground.ms3d}\n"
                         "  - {name: Wall, traversable: 0, model: wall.ms3d}\n"
                         "  - {name: Ground, traversable: 0, model: ground.ms3d}\n"},
                        {"map",
                         "map:\n"
                         "  - name: DOWNTOWN\n"
                         "    terrain: [[Wall, .], [Ground, .]]\n"
                         "    start1: [[0, 0]]\n"
                         "    layout: [\".\"]\n"}}),
              (Lines{"terrain[2].name: \"Ground\" duplicates terrain[0]",
                     "map[0].start1[0]: cell (0, 0) is \"Ground\", which is not traversable",
                     "map[0].start2: no start tile"}));
}

TEST(ContentChecker, StartZonesAreNeitherEmptyRepeatedNorShared) {
    EXPECT_EQ(problems({{"map",
                         "map:\n"
                         "  - name: DOWNTOWN\n"
                         "    terrain: [[Ground, .]]\n"
                         "    start1: [[0, 0], [1, 0], [0, 0]]\n"
                         "    start2: [[2, 1], [1, 0], [2, 1]]\n"
                         "    layout: [\"...\", \"...\"]\n"
                         "  - name: LONELY\n"
                         "    terrain: [[Ground, .]]\n"
                         "    start2: [[0, 0]]\n"
                         "    layout: [\".\"]\n"}}),
              (Lines{"map[0].start1[2]: cell (0, 0) is listed twice",
                     "map[0].start2[1]: cell (1, 0) is in start1 too",
                     "map[0].start2[2]: cell (2, 1) is listed twice", "map[1].start1: no start tile"}));
}

TEST(ContentChecker, NumbersTheBattleWorksWithStayWithinBounds) {
    EXPECT_EQ(
        problems({{"attack",
                   "attack:\n"
                   "  - {name: Laser, damage: -1, energy: 1000001, accuracy: 1001, "
                   "cooldown: -5, range: [[0, 1001]], aoe: [[-1001, 0]]}\n"
                   "  - {name: Punch, damage: 1000000, energy: 1000000, accuracy: 1000, "
                   "cooldown: 1000000, range: [[1000, -1000]], aoe: [[0, 0]]}\n"},
                  {"component",
                   "component:\n"
                   "  - {name: Head, type: HEAD, hp: -1, ep: 1000001, ap: -2147483648, "
                   "weight: 2147483647, move: 101, models: [head.ms3d]}\n"
                   "  - {name: Legs, type: LEGS, hp: 1000000, move: 100, models: [legs.ms3d]}\n"
                   "  - {name: Core, type: REACTOR, ep: 1000000, models: [core.ms3d]}\n"}}),
        (Lines{"attack[0].damage: -1 is below 0", "attack[0].energy: 1000001 is above 1000000",
               "attack[0].accuracy: 1001 is above 1000", "attack[0].cooldown: -5 is below 0",
               "component[0].hp: -1 is below 0", "component[0].ep: 1000001 is above 1000000",
               "component[0].ap: -2147483648 is below 0", "component[0].weight: 2147483647 is above 1000000",
               "component[0].move: 101 is above 100",
               "attack[0].range[0]: cell (0, 1001) is more than 1000 tiles away",
               "attack[0].aoe[0]: cell (-1001, 0) is more than 1000 tiles away"}));
}

TEST(ContentChecker, DuplicateNamesWithinAView) {
    EXPECT_EQ(problems({{"attack",
                         "attack:\n  - {name: Laser, energy: 1}\n  - {name: Punch, energy: 1}\n"
                         "  - {name: Laser, energy: 1}\n  - {name: Laser, energy: 1}\n"},
                        {"robot", "robot:\n" + names("Robot", 20) + "  - Robot 3\n"}}),
              (Lines{"attack[2].name: \"Laser\" duplicates attack[0]",
                     "attack[3].name: \"Laser\" duplicates attack[0]",
                     "robot[20].name: \"Robot 3\" duplicates robot[3]"}));
}

TEST(ContentChecker, AiNamesMustBeComponents) {
    EXPECT_EQ(problems({{"ai",
                         "ai:\n  - {type: Legs, components: [Legs, Wheels]}\n"
                         "  - {type: Torsos, components: [laser]}\n"}}),
              (Lines{"ai[0].components[1].name: \"Wheels\" is no component",
                     "ai[1].components[0].name: \"laser\" is no component"}));
}

TEST(ContentChecker, DowntownAndEnoughNames) {
    EXPECT_EQ(problems({{"map", "map:\n  - {name: Downtown}\n"},
                        {"pilot", "pilot:\n" + names("Pilot", 19)},
                        {"robot", "robot: []\n"}}),
              (Lines{"map: no map \"DOWNTOWN\"", "pilot: 19 names, at least 20 are needed",
                     "robot: 0 names, at least 20 are needed", "map[0].start1: no start tile",
                     "map[0].start2: no start tile"}));
}

// A realistic database written by another tool for the game is sound.
TEST(ContentChecker, GameContentFixtureHasNoProblem) {
    MetakitStorage storage;
    std::string error;
    ASSERT_TRUE(storage.open(GEARWARD_FIXTURES_DIR "/metakit/game_content.db", &error)) << error;
    EXPECT_EQ(ContentChecker::check(storage), Lines{});
}
