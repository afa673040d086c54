// The shipped data.db, read back with the game's own storage reader: whether its numbers make
// the game playable within the fixed rules (squad weight limits, energy per tile, the computer's
// greedy squad building, deployment zones).

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <queue>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ai/ComputerPlayer.h"
#include "data/GameData.h"
#include "pipeline/ContentChecker.h"
#include "storage/MetakitStorage.h"

namespace {

const char* const slotTypes[] = {"HEAD", "TORSO", "LEFTARM", "RIGHTARM", "LEGS", "REACTOR"};
const int defaultSquadSize = 4;
const int defaultSquadWeight = 50000;
const int smallestSquadWeight = 10000;
const int largestSquadWeight = 100000;
const int weightStep = 1000;  // the rules screen changes the limit in steps of 1000
const int largestSquadSize = 10;

using Cell = std::pair<int, int>;

// "models/<prefix><lowercase-hyphenated>.ms3d", the naming the model generator follows.
bool isModelFileName(const std::string& file, const std::string& prefix) {
    const std::string head = "models/" + prefix;
    const std::string tail = ".ms3d";
    if (file.size() <= head.size() + tail.size()) return false;
    if (file.compare(0, head.size(), head) != 0) return false;
    if (file.compare(file.size() - tail.size(), tail.size(), tail) != 0) return false;
    std::string stem = file.substr(head.size(), file.size() - head.size() - tail.size());
    if (stem.front() == '-' || stem.back() == '-' || stem.find("--") != std::string::npos) return false;
    for (char c : stem) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
    }
    return true;
}

struct Part {
    std::string name;
    std::string type;
    int weight = 0;
    int hp = 0;
    int ep = 0;
    int move = 0;
};

class DatabaseContent : public ::testing::Test {
protected:
    static MetakitStorage storage;
    static bool opened;
    static std::string openError;

    static void SetUpTestSuite() {
        opened = storage.open(std::string(GEARWARD_GAME_DIR) + "/data.db", &openError);
    }

    void SetUp() override { ASSERT_TRUE(opened) << "build/game/data.db: " << openError; }

    static const MetakitView& view(const char* name) { return storage.view(name); }

    static std::vector<Cell> cells(const MetakitView& zone) {
        std::vector<Cell> result;
        for (size_t i = 0; i < zone.rowCount(); ++i) {
            result.emplace_back(zone.getInt(i, "x"), zone.getInt(i, "y"));
        }
        return result;
    }

    static std::map<std::string, Part> parts() {
        std::map<std::string, Part> result;
        const MetakitView& v = view("component");
        for (size_t r = 0; r < v.rowCount(); ++r) {
            Part p;
            p.name = v.getString(r, "name");
            p.type = v.getString(r, "type");
            p.weight = v.getInt(r, "weight");
            p.hp = v.getInt(r, "hp");
            p.ep = v.getInt(r, "ep");
            p.move = v.getInt(r, "move");
            result[p.name] = p;
        }
        return result;
    }

    static int lightestOfType(const std::map<std::string, Part>& all, const std::string& type,
                              bool heaviest = false) {
        int best = heaviest ? 0 : INT_MAX;
        for (const auto& entry : all) {
            if (entry.second.type != type) continue;
            best = heaviest ? std::max(best, entry.second.weight) : std::min(best, entry.second.weight);
        }
        return best;
    }
};

MetakitStorage DatabaseContent::storage;
bool DatabaseContent::opened = false;
std::string DatabaseContent::openError;

TEST_F(DatabaseContent, PassesTheContentChecker) {
    std::vector<std::string> problems = ContentChecker::check(storage);
    std::string all;
    for (const std::string& line : problems) all += line + "\n";
    EXPECT_TRUE(problems.empty()) << all;
}

TEST_F(DatabaseContent, AttacksAreUsableByEveryRobot) {
    const MetakitView& attacks = view("attack");
    ASSERT_GE(attacks.rowCount(), 12u);
    int smallestReactor = INT_MAX;
    for (const auto& entry : parts()) {
        if (entry.second.type == "REACTOR") smallestReactor = std::min(smallestReactor, entry.second.ep);
    }
    int melee = 0;
    int areas = 0;
    for (size_t r = 0; r < attacks.rowCount(); ++r) {
        SCOPED_TRACE(attacks.getString(r, "name"));
        // The attack table leaves about 200 pixels at 24 points before the damage column.
        EXPECT_LE(attacks.getString(r, "name").size(), 14u);
        melee += attacks.getInt(r, "isMelee") != 0;
        EXPECT_GT(attacks.getInt(r, "damage"), 0);
        EXPECT_GT(attacks.getInt(r, "energy"), 0);
        // Every weapon must be affordable on the weakest reactor, or a part would be dead weight.
        EXPECT_LE(attacks.getInt(r, "energy"), smallestReactor);
        EXPECT_GE(attacks.getInt(r, "accuracy"), 1);
        EXPECT_LE(attacks.getInt(r, "accuracy"), 100);
        EXPECT_GE(attacks.getInt(r, "cooldown"), 0);
        std::vector<Cell> range = cells(attacks.getSubview(r, "range"));
        std::vector<Cell> aoe = cells(attacks.getSubview(r, "aoe"));
        EXPECT_FALSE(range.empty());
        // The computer centres every area on its target's own tile, so an area that leaves out
        // its centre would never touch the robot the computer aims at.
        EXPECT_NE(std::find(aoe.begin(), aoe.end(), Cell(0, 0)), aoe.end());
        areas += aoe.size() > 1;
        // Splash may catch friends, never the robot that fires: range and area patterns turn
        // together, so the sum of a range and an area entry must never come back to (0, 0).
        for (const Cell& target : range) {
            for (const Cell& hit : aoe) {
                EXPECT_FALSE(target.first + hit.first == 0 && target.second + hit.second == 0)
                    << "aimed at (" << target.first << ", " << target.second << ")";
            }
        }
    }
    EXPECT_GE(melee, 4);
    EXPECT_GE(int(attacks.rowCount()) - melee, 4);
    EXPECT_GE(areas, 3);
}

TEST_F(DatabaseContent, EverySlotOffersRealChoices) {
    const MetakitView& v = view("component");
    std::map<std::string, int> perType;
    std::set<int> legMoves;
    std::set<std::string> modelFiles;
    for (size_t r = 0; r < v.rowCount(); ++r) {
        std::string name = v.getString(r, "name");
        std::string type = v.getString(r, "type");
        SCOPED_TRACE(name);
        ++perType[type];
        // The equip list writes names at 24 points in a 188-pixel column.
        EXPECT_LE(name.size(), 14u);
        EXPECT_GT(v.getInt(r, "weight"), 0);
        EXPECT_GT(v.getInt(r, "hp"), 0);
        // Energy and move count only on reactors and legs; elsewhere the build screen's preview
        // would show arrows for a change that never happens.
        if (type == "REACTOR")
            EXPECT_GE(v.getInt(r, "ep"), 2000);
        else
            EXPECT_EQ(v.getInt(r, "ep"), 0);
        if (type == "LEGS") {
            EXPECT_GE(v.getInt(r, "move"), 2);
            EXPECT_LE(v.getInt(r, "move"), 6);
            legMoves.insert(v.getInt(r, "move"));
        } else {
            EXPECT_EQ(v.getInt(r, "move"), 0);
        }
        if (type == "LEFTARM" || type == "RIGHTARM") {
            EXPECT_GE(v.getSubview(r, "actions").rowCount(), 1u) << "an arm without a weapon";
        }
        const MetakitView& models = v.getSubview(r, "models");
        ASSERT_EQ(models.rowCount(), 1u);
        std::string file = models.getString(0, "model");
        EXPECT_TRUE(isModelFileName(file, "")) << file;
        EXPECT_TRUE(modelFiles.insert(file).second) << file << " is used twice";
    }
    for (const char* type : slotTypes) EXPECT_GE(perType[type], 4) << type;
    EXPECT_TRUE(legMoves.count(2) && legMoves.count(6));
    EXPECT_GE(legMoves.size(), 4u);
}

TEST_F(DatabaseContent, WeightLimitsLeaveRealChoices) {
    std::map<std::string, Part> all = parts();
    int lightest = 0;
    int heaviest = 0;
    for (const char* type : slotTypes) {
        lightest += lightestOfType(all, type);
        heaviest += lightestOfType(all, type, true);
    }
    // The smallest limit fields one light robot, but not two.
    EXPECT_LE(lightest, smallestSquadWeight);
    EXPECT_GT(2 * lightest, smallestSquadWeight);
    // The default limit cannot hold four of the heaviest robots: the player has to choose.
    EXPECT_GT(defaultSquadSize * heaviest, defaultSquadWeight);
    // Even at the largest limit ten of the heaviest do not fit.
    EXPECT_GT(largestSquadSize * heaviest, largestSquadWeight);
}

TEST_F(DatabaseContent, TerrainHasOpenAndBlockingTypesAndRotatedVariants) {
    const MetakitView& v = view("terrain");
    ASSERT_GE(v.rowCount(), 6u);
    int open = 0;
    std::map<std::string, std::set<int>> rotationsByModel;
    for (size_t r = 0; r < v.rowCount(); ++r) {
        SCOPED_TRACE(v.getString(r, "name"));
        open += v.getInt(r, "traversable") != 0;
        int rotation = v.getInt(r, "rotation");
        EXPECT_EQ(rotation % 90, 0);
        std::string model = v.getString(r, "model");
        EXPECT_TRUE(isModelFileName(model, "terrain-")) << model;
        // Two terrain types sharing a model must differ in rotation, or one is redundant.
        EXPECT_TRUE(rotationsByModel[model].insert(rotation).second) << model;
    }
    EXPECT_GE(open, 3);
    EXPECT_GE(int(v.rowCount()) - open, 3);
    bool rotatedVariant = false;
    for (const auto& entry : rotationsByModel) rotatedVariant = rotatedVariant || entry.second.size() > 1;
    EXPECT_TRUE(rotatedVariant);
}

TEST_F(DatabaseContent, MapsHaveReachableSeparateStartZones) {
    std::map<std::string, bool> traversable;
    const MetakitView& terrain = view("terrain");
    for (size_t r = 0; r < terrain.rowCount(); ++r) {
        traversable[terrain.getString(r, "name")] = terrain.getInt(r, "traversable") != 0;
    }
    const MetakitView& maps = view("map");
    ASSERT_GE(maps.rowCount(), 4u);
    bool downtown = false;
    for (size_t m = 0; m < maps.rowCount(); ++m) {
        std::string name = maps.getString(m, "name");
        SCOPED_TRACE(name);
        downtown = downtown || name == "DOWNTOWN";
        std::map<char, bool> open;
        const MetakitView& legend = maps.getSubview(m, "terrain");
        for (size_t i = 0; i < legend.rowCount(); ++i) {
            std::string symbol = legend.getString(i, "symbol");
            ASSERT_EQ(symbol.size(), 1u);
            ASSERT_TRUE(traversable.count(legend.getString(i, "name")));
            open[symbol[0]] = traversable[legend.getString(i, "name")];
        }
        std::vector<std::string> rows;
        const MetakitView& layout = maps.getSubview(m, "layout");
        for (size_t i = 0; i < layout.rowCount(); ++i) rows.push_back(layout.getString(i, "row"));
        // At most what the battle's starting camera shows (BattleMapViewTest holds every map to it).
        int height = int(rows.size());
        ASSERT_GE(height, 10);
        int width = int(rows[0].size());
        ASSERT_GE(width, 10);
        auto isOpen = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= width || y >= height || size_t(x) >= rows[y].size()) return false;
            auto found = open.find(rows[y][x]);
            return found != open.end() && found->second;
        };

        std::vector<Cell> zones[2] = {cells(maps.getSubview(m, "start1")),
                                      cells(maps.getSubview(m, "start2"))};
        for (const std::vector<Cell>& zone : zones) {
            std::set<Cell> distinct;
            for (const Cell& c : zone) {
                if (isOpen(c.first, c.second)) distinct.insert(c);
            }
            EXPECT_GE(distinct.size(), 10u);
            // The computer puts robot i on cell i without looking: every cell must be open.
            EXPECT_EQ(distinct.size(), zone.size());
        }
        int closest = INT_MAX;
        for (const Cell& a : zones[0]) {
            for (const Cell& b : zones[1]) {
                closest = std::min(closest, std::abs(a.first - b.first) + std::abs(a.second - b.second));
            }
        }
        // Farther than the longest move plus the reach of a point-blank weapon: turn one is
        // manoeuvre, not a free first strike.
        EXPECT_GE(closest, 8);

        // Every start cell reaches the other side's zone over open ground.
        std::set<Cell> seen{zones[0].front()};
        std::queue<Cell> frontier;
        frontier.push(zones[0].front());
        while (!frontier.empty()) {
            Cell c = frontier.front();
            frontier.pop();
            const Cell steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const Cell& s : steps) {
                Cell next(c.first + s.first, c.second + s.second);
                if (isOpen(next.first, next.second) && seen.insert(next).second) frontier.push(next);
            }
        }
        for (const std::vector<Cell>& zone : zones) {
            for (const Cell& c : zone) {
                EXPECT_TRUE(seen.count(c)) << "(" << c.first << ", " << c.second << ") is cut off";
            }
        }
    }
    EXPECT_TRUE(downtown);
}

TEST_F(DatabaseContent, NamesSufficeAndFitThePilotList) {
    size_t longest[2] = {0, 0};
    const char* const lists[] = {"pilot", "robot"};
    for (int list = 0; list < 2; ++list) {
        SCOPED_TRACE(lists[list]);
        const MetakitView& v = view(lists[list]);
        EXPECT_GE(v.rowCount(), 60u);
        std::set<std::string> distinct;
        for (size_t r = 0; r < v.rowCount(); ++r) {
            std::string name = v.getString(r, "name");
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(distinct.insert(name).second) << name;
            longest[list] = std::max(longest[list], name.size());
        }
    }
    // The build screen writes "pilot/robot" in one 188-pixel column at 24 points: about 17
    // characters of the condensed font.
    EXPECT_LE(longest[0] + 1 + longest[1], 17u);
}

// The computer's squad building, run by the game's own ComputerPlayer on the shipped templates:
// whether the `ai` view gives it complete robots at every limit the rules screen allows.
class ComputerTemplates : public DatabaseContent {
protected:
    std::map<std::string, std::vector<Part>> categories;
    static std::unique_ptr<GameData> game;
    static std::string loadErrors;

    static std::string databasePath() { return std::string(GEARWARD_GAME_DIR) + "/data.db"; }

    static void SetUpTestSuite() {
        DatabaseContent::SetUpTestSuite();
        game = std::make_unique<GameData>();
        // Only the catalogues matter here: the models' own lines are kept out of the test output.
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        game->load(storage);
        testing::internal::GetCapturedStdout();
        loadErrors = testing::internal::GetCapturedStderr();
    }

    static void TearDownTestSuite() { game.reset(); }

    static std::string categoryOf(const std::string& type) {
        static const char* const named[] = {"Melee Arms Left",
                                            "Melee Arms Right",
                                            "Ranged Arms Left",
                                            "Ranged Arms Right",
                                            "Reactors",
                                            "Legs",
                                            "Torsos"};
        for (const char* n : named) {
            if (type == n) return type;
        }
        return "Heads";
    }

    void SetUp() override {
        DatabaseContent::SetUp();
        ASSERT_FALSE(game->components.empty()) << loadErrors;
        std::map<std::string, Part> all = parts();
        const MetakitView& ai = view("ai");
        for (size_t r = 0; r < ai.rowCount(); ++r) {
            const MetakitView& names = ai.getSubview(r, "components");
            std::vector<Part>& category = categories[categoryOf(ai.getString(r, "type"))];
            for (size_t i = 0; i < names.rowCount(); ++i) {
                auto found = all.find(names.getString(i, "name"));
                if (found != all.end()) category.push_back(found->second);
            }
        }
    }

    // How many robots ComputerPlayer::buildSquad completes for a squad whose pilots prefer
    // melee as `melee` says, within `limit`.
    static int completeRobots(int limit, const std::vector<bool>& melee) {
        game->reset();
        SideSetup& side = game->sides[1];
        side.maxSquadWeight = limit;
        for (size_t i = 0; i < melee.size(); ++i) {
            Robot* robot = game->createRobot();
            robot->setSide(1);
            side.squad.push_back(robot);
            // Equal best skills keep the pilots in this order, so robot i gets pilot i.
            Pilot* pilot = game->createPilot();
            pilot->meleeAttack = melee[i] ? 5 : 1;
            pilot->rangedAttack = melee[i] ? 1 : 5;
            side.pilots.push_back(pilot);
        }
        game->computerPlayer->buildSquad(databasePath());
        int complete = 0;
        for (const Robot* robot : side.squad) complete += robot->isComplete();
        return complete;
    }

    static std::vector<bool> pilots(int size, unsigned meleeMask) {
        std::vector<bool> result;
        for (int i = 0; i < size; ++i) result.push_back((meleeMask >> i) & 1u);
        return result;
    }
};

std::unique_ptr<GameData> ComputerTemplates::game;
std::string ComputerTemplates::loadErrors;

TEST_F(ComputerTemplates, EveryCategoryNamesPartsOfItsSlot) {
    const std::map<std::string, std::string> slotOf = {{"Melee Arms Left", "LEFTARM"},
                                                       {"Melee Arms Right", "RIGHTARM"},
                                                       {"Ranged Arms Left", "LEFTARM"},
                                                       {"Ranged Arms Right", "RIGHTARM"},
                                                       {"Reactors", "REACTOR"},
                                                       {"Legs", "LEGS"},
                                                       {"Torsos", "TORSO"},
                                                       {"Heads", "HEAD"}};
    for (const auto& entry : slotOf) {
        SCOPED_TRACE(entry.first);
        ASSERT_TRUE(categories.count(entry.first));
        ASSERT_FALSE(categories.at(entry.first).empty());
        for (const Part& p : categories.at(entry.first)) EXPECT_EQ(p.type, entry.second) << p.name;
    }
}

TEST_F(ComputerTemplates, DefaultLimitsGiveAFullSquadForAnyPilotMix) {
    for (unsigned mask = 0; mask < (1u << defaultSquadSize); ++mask) {
        EXPECT_EQ(completeRobots(defaultSquadWeight, pilots(defaultSquadSize, mask)), defaultSquadSize)
            << "melee pilot mask " << mask;
    }
}

TEST_F(ComputerTemplates, EveryLimitFieldsAtLeastOneRobot) {
    for (int limit = smallestSquadWeight; limit <= largestSquadWeight; limit += weightStep) {
        for (int size = 1; size <= largestSquadSize; ++size) {
            // All-ranged, all-melee and alternating squads.
            for (unsigned mask : {0u, 0x3ffu, 0x155u, 0x2aau}) {
                std::vector<bool> squad = pilots(size, mask);
                int complete = completeRobots(limit, squad);
                EXPECT_GE(complete, 1) << "limit " << limit << ", size " << size;
                // Room for one default robot each means every robot is built.
                if (limit >= size * defaultSquadWeight / defaultSquadSize) {
                    EXPECT_EQ(complete, size) << "limit " << limit << ", size " << size;
                }
            }
        }
    }
}

}  // namespace
