// Runs the built match simulator from outside, as a modder would: its match lines, the summary
// line's exact form, reproducible seeds, and one-line errors with exit status 2.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../support/RunProgram.h"
#include "../support/TempDir.h"

namespace {

struct SimRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output
    std::string err;
};

class GearwardSimCli : public testing::Test {
protected:
    TempDir dir{"sim"};

    std::string file(const std::string& name, const std::string& content) const {
        return dir.file(name, content);
    }

    SimRun run(const std::vector<std::string>& args) const {
        std::vector<std::string> command = {GEARWARD_TOOLS_DIR "/gearward-sim"};
        command.insert(command.end(), args.begin(), args.end());
        // From another folder: the tool finds the game's data.db by its own location.
        ProgramRun ran = runProgram(command, dir.path().string());
        SimRun result;
        result.status = ran.status;
        std::istringstream lines(ran.out);
        for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
        result.err = ran.err;
        return result;
    }

    // A usage error: status 2, nothing on standard output, one line on standard error.
    void expectError(const std::vector<std::string>& args, const std::string& part) const {
        SimRun result = run(args);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_TRUE(result.lines.empty()) << args[0];
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
    }
};

const std::regex MATCH_LINE(
    R"re(seed (\d+) map "([^"]+)" winner (side0|side1|draw|stalemate) turns (\d+) left (\d+) (\d+)( stalled "[a-z ]+")?)re");
const std::regex TABLE_ROW(R"((.+?) +(\d+) +(\d+) +(\d+) +(\d+) +(\d+) +(\d+\.\d%|-) +(\d+\.\d|-) +(\d+))");
const std::regex SUMMARY(
    R"(matches (\d+) side0 (\d+) side1 (\d+) draws (\d+) stalemates (\d+) slowest-turn-ms \d+\.\d{3})");

TEST_F(GearwardSimCli, PlaysTheShippedMapsInTurnAndEndsWithTheSummary) {
    SimRun result = run({"--matches", "6", "--seed", "10"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 13u);  // six matches, the table's heading and five maps, the summary
    const std::vector<std::string> maps = {"DOWNTOWN", "QUARRY",     "RIVERSIDE",
                                           "THE PIT",  "TIMBERLINE", "DOWNTOWN"};
    int counted[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 6; ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(result.lines[i], match, MATCH_LINE)) << result.lines[i];
        EXPECT_EQ(match[1], std::to_string(10 + i));
        EXPECT_EQ(match[2], maps[i]);
        const std::string winner = match[3];
        ++counted[winner == "side0" ? 0 : winner == "side1" ? 1 : winner == "draw" ? 2 : 3];
        // The loser has nobody left.
        if (winner == "side0") {
            EXPECT_EQ(match[6], "0");
        }
        if (winner == "side1") {
            EXPECT_EQ(match[5], "0");
        }
    }
    // The table: a row per map in the order played, its counts adding up to the matches above.
    EXPECT_EQ(result.lines[6].rfind("map ", 0), 0u) << result.lines[6];
    int tabled[4] = {0, 0, 0, 0};
    for (size_t row = 0; row < 5; ++row) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(result.lines[7 + row], match, TABLE_ROW)) << result.lines[7 + row];
        EXPECT_EQ(match[1], maps[row]);
        EXPECT_EQ(match[2], row == 0 ? "2" : "1");
        for (int i = 0; i < 4; ++i) tabled[i] += std::stoi(match[3 + i]);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabled[i], counted[i]);
    std::smatch summary;
    ASSERT_TRUE(std::regex_match(result.lines[12], summary, SUMMARY)) << result.lines[12];
    EXPECT_EQ(summary[1], "6");
    EXPECT_EQ(std::stoi(summary[2]), counted[0]);
    EXPECT_EQ(std::stoi(summary[3]), counted[1]);
    EXPECT_EQ(std::stoi(summary[4]), counted[2]);
    EXPECT_EQ(std::stoi(summary[5]), counted[3]);
}

TEST_F(GearwardSimCli, TheSameSeedsPlayTheSameMatches) {
    const std::vector<std::string> args = {
        "--map", "THE PIT", "--map",      "QUARRY",     "--matches",
        "3",     "--seed",  "4294967295", "--database", GEARWARD_GAME_DIR "/data.db"};
    SimRun first = run(args);
    SimRun second = run(args);
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(first.lines.size(), 7u);  // three matches, a table of two maps, the summary
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(first.lines[i], second.lines[i]);
    // Seeds wrap round; the maps given alternate.
    EXPECT_EQ(first.lines[0].rfind("seed 4294967295 map \"THE PIT\" ", 0), 0u) << first.lines[0];
    EXPECT_EQ(first.lines[1].rfind("seed 0 map \"QUARRY\" ", 0), 0u) << first.lines[1];
    EXPECT_EQ(first.lines[2].rfind("seed 1 map \"THE PIT\" ", 0), 0u) << first.lines[2];
}

TEST_F(GearwardSimCli, TheTurnCapMakesStalematesAndTimingComesBeforeTheSummary) {
    SimRun result = run({"--map", "DOWNTOWN", "--matches", "2", "--turn-cap", "1", "--timing"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 6u);
    EXPECT_NE(
        result.lines[0].find("winner stalemate turns 1 left 4 4 stalled \"still fighting at the turn cap\""),
        std::string::npos)
        << result.lines[0];
    EXPECT_TRUE(std::regex_match(result.lines[3], std::regex(R"(DOWNTOWN +2 +0 +0 +0 +2 +- +- +0)")))
        << result.lines[3];
    EXPECT_TRUE(std::regex_match(
        result.lines[4],
        std::regex(
            R"re(timing map "DOWNTOWN" turns 2 median-ms \d+\.\d{3} worst-ms \d+\.\d{3} match-slowest-median-ms \d+\.\d{3})re")))
        << result.lines[4];
    EXPECT_TRUE(std::regex_match(
        result.lines[5],
        std::regex(R"(matches 2 side0 0 side1 0 draws 0 stalemates 2 slowest-turn-ms \d+\.\d{3})")))
        << result.lines[5];
}

TEST_F(GearwardSimCli, SidesSealedOffStallForWantOfAPath) {
    // The shipped content with one map of two pens across eleven rows of water, out of every
    // weapon's reach.
    std::vector<std::string> build = {GEARWARD_TOOLS_DIR "/gearward-data", "build"};
    for (const char* view : {"ai", "attacks", "components", "names", "terrain"})
        build.push_back(std::string(GEARWARD_SOURCE_DIR "/content/database/") + view + ".yaml");
    std::string rows;
    for (int y = 0; y < 14; ++y)
        rows += std::string(y ? ", " : "") + (y < 2 || y > 11 ? "\"....\"" : "\"~~~~\"");
    build.push_back(file("sealed.yaml",
                         "map:\n  - name: SEALED\n    description: \"\"\n"
                         "    terrain: [{symbol: \".\", name: Grass}, {symbol: \"~\", name: Water}]\n"
                         "    start1: [[0, 13], [3, 13]]\n    start2: [[0, 0], [3, 0]]\n"
                         "    layout: [" +
                             rows + "]\n"));
    build.push_back(dir.path("sealed.db"));
    ASSERT_EQ(runProgram(build).status, 0);
    SimRun result = run({"--database", dir.path("sealed.db"), "--matches", "1", "--turn-cap", "20"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_FALSE(result.lines.empty());
    EXPECT_EQ(
        result.lines[0],
        "seed 1 map \"SEALED\" winner stalemate turns 20 left 2 2 stalled \"no path between the sides\"");
}

TEST_F(GearwardSimCli, HelpPrintsTheUsageAndSucceeds) {
    SimRun result = run({"--matches", "3", "--help"});
    EXPECT_EQ(result.status, 0);
    ASSERT_FALSE(result.lines.empty());
    EXPECT_EQ(result.lines[0].rfind("usage: gearward-sim ", 0), 0u);
    EXPECT_TRUE(result.err.empty());
}

TEST_F(GearwardSimCli, SquadsFromAFile) {
    std::string squads =
        file("squads.yaml",
             "side1:\n  - [Laser R, Cannon L, Fission Core, Strider Legs, Missile Hull, Laser Eye]\n");
    SimRun result = run({"--squads", squads, "--map", "THE PIT", "--matches", "1"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::smatch match;
    ASSERT_TRUE(std::regex_match(result.lines[0], match, MATCH_LINE)) << result.lines[0];
    EXPECT_LE(std::stoi(match[6]), 1);  // side 1 fields one robot
}

TEST_F(GearwardSimCli, MistakesGiveOneLineAndStatus2) {
    expectError({"--map", "NOWHERE"}, "no map \"NOWHERE\"");
    expectError({"--matches", "0"}, "--matches expects a whole number");
    expectError({"--matches", "ten"}, "--matches expects a whole number");
    expectError({"--matches", "99999999999"}, "--matches expects a whole number");
    expectError({"--seed", "-1"}, "--seed expects a whole number");
    expectError({"--seed", "4294967296"}, "--seed expects a whole number");
    expectError({"--turn-cap", "1.5"}, "--turn-cap expects a whole number");
    expectError({"--matches"}, "--matches needs a value");
    expectError({"--fast"}, "unknown option \"--fast\"");
    expectError({"--database", dir.path("missing.db")}, "missing.db: cannot open: No such file or directory");
    expectError({"--database", file("junk.db", "not a database at all, not at all")},
                "junk.db: not a valid storage file: no commit tail");
    expectError({"--database", dir.path().string()}, "cannot read: not a regular file (a directory)");
    expectError({"--squads", file("bad.yaml", "side0:\n  - [Nothing]\n")}, "\"Nothing\" is no component");
    // A raw byte of the file never reaches the terminal.
    expectError({"--squads", file("raw.yaml", "side0:\n  - [No\x01thing]\n")},
                "\"No\\x01thing\" is no component");
    expectError({"--squads", dir.path().string()}, "cannot read: not a regular file (a directory)");
}

}  // namespace
