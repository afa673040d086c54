// Runs the built content tool from outside, as a modder would, and looks at its exit status,
// its output and the files it leaves behind.

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../support/RunProgram.h"
#include "../support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class GearwardDataCli : public testing::Test {
protected:
    TempDir scratch{"data-tool"};
    const fs::path& dir = scratch.path();

    std::string file(const std::string& name, const std::string& content) const {
        return scratch.file(name, content);
    }
    std::string path(const std::string& name) const { return scratch.path(name); }

    ProgramRun run(const std::vector<std::string>& args) const {
        std::vector<std::string> command = {GEARWARD_TOOLS_DIR "/gearward-data"};
        command.insert(command.end(), args.begin(), args.end());
        return runProgram(command);
    }
};

bool roundTrips(const YAML::Node& fixture) {
    std::string description = fixture["description"].as<std::string>();
    for (const char* type : {":L", ":F", ":D", ":B"}) {
        if (description.find(type) != std::string::npos) return false;
    }
    return fixture["commits"].as<int>() == 1 && fixture["byte_order"].as<std::string>() == "little";
}

}  // namespace

TEST_F(GearwardDataCli, UsageErrorsExitWithStatus2) {
    ProgramRun none = run({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("usage: gearward-data dump FILE\n"), std::string::npos) << none.err;
    EXPECT_NE(none.err.find("usage: gearward-data check FILE\n"), std::string::npos) << none.err;

    ProgramRun unknown = run({"undump", "x"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.rfind("gearward-data: unknown command \"undump\"\n", 0), 0u);

    EXPECT_EQ(run({"dump"}).err, "usage: gearward-data dump FILE\n");
    EXPECT_EQ(run({"dump", "a", "b"}).status, 2);
    EXPECT_EQ(run({"check"}).err, "usage: gearward-data check FILE\n");
    ProgramRun build = run({"build", path("only.yaml")});
    EXPECT_EQ(build.status, 2);
    EXPECT_EQ(build.err, "usage: gearward-data build INPUT [INPUT...] OUTPUT\n");

    ProgramRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("gearward-data build INPUT [INPUT...] OUTPUT"), std::string::npos);
}

TEST_F(GearwardDataCli, UnreadableFilesGiveOneLineAndStatus2) {
    const std::string missing = path("missing.db");
    const std::string garbage = GEARWARD_FIXTURES_DIR "/metakit/malformed/garbage.db";
    for (const char* command : {"dump", "check"}) {
        for (const std::string& file : {missing, garbage, dir.string()}) {
            ProgramRun result = run({command, file});
            EXPECT_EQ(result.status, 2) << command << " " << file;
            EXPECT_EQ(result.out, "") << command << " " << file;
            EXPECT_EQ(result.err.rfind(file + ": ", 0), 0u) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
}

// dump then build gives back every single-commit file of strings, integers and subviews byte
// for byte; only the unused high bits of a packed integer column's last byte may differ, and
// the tool writes those as zero.
TEST_F(GearwardDataCli, DumpThenBuildRoundTripsTheFixtures) {
    int tried = 0;
    for (const auto& entry : fs::directory_iterator(GEARWARD_FIXTURES_DIR "/metakit")) {
        if (entry.path().extension() != ".json") continue;
        YAML::Node fixture = YAML::LoadFile(entry.path().string());
        if (!roundTrips(fixture)) continue;
        std::string original = fs::path(entry.path()).replace_extension(".db").string();
        SCOPED_TRACE(original);
        ++tried;

        ProgramRun dump = run({"dump", original});
        ASSERT_EQ(dump.status, 0) << dump.err;
        YAML::Node dumped = YAML::Load(dump.out);
        EXPECT_EQ(dumped["description"].as<std::string>(), fixture["description"].as<std::string>());
        EXPECT_EQ(dumped["views"].size(), fixture["views"].size());

        std::string json = file("dump.json", dump.out);
        std::string rebuilt = path("rebuilt.db");
        ProgramRun build = run({"build", json, rebuilt});
        ASSERT_EQ(build.status, 0) << build.err;
        EXPECT_EQ(build.err, "");

        std::string before = readAll(original);
        std::string after = readAll(rebuilt);
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            unsigned char was = before[i];
            unsigned char now = after[i];
            ASSERT_EQ((was ^ now) & now, 0) << "byte " << i;
            if (entry.path().stem() != "undefined_bits") {
                ASSERT_EQ(was, now) << "byte " << i;
            }
        }
        EXPECT_EQ(run({"dump", rebuilt}).out, dump.out);
    }
    EXPECT_GE(tried, 10);
}

TEST_F(GearwardDataCli, BuildMergesContentSources) {
    std::string attacks = file("attacks.yaml", "attack:\n  - {name: Laser, damage: 30}\n");
    std::string names = file("names.yaml", "# names\npilot: [Ada, Bram]\nrobot: [Anvil]\n");
    std::string output = path("data.db");
    ProgramRun build = run({"build", attacks, names, output});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out + build.err, "");

    ProgramRun dump = run({"dump", output});
    ASSERT_EQ(dump.status, 0);
    YAML::Node views = YAML::Load(dump.out)["views"];
    ASSERT_EQ(views.size(), 7u);
    EXPECT_EQ(views[0]["name"].as<std::string>(), "attack");
    EXPECT_EQ(views[0]["rows"][0]["damage"].as<int>(), 30);
    EXPECT_EQ(views[4]["rows"][1]["name"].as<std::string>(), "Bram");
    EXPECT_EQ(views[5]["rows"].size(), 1u);
    EXPECT_EQ(views[6]["rows"].size(), 0u);
}

TEST_F(GearwardDataCli, FailedBuildWritesNothing) {
    std::string output = path("data.db");
    std::string good = file("good.yaml", "pilot: [Ada]\n");
    struct Case {
        std::vector<std::string> inputs;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{file("broken.yaml", "pilot:\n  - [Ada\n")}, 1, path("broken.yaml") + ":3: "},
        {{file("typo.yaml", "attack:\n  - {name: Laser, damage: high}\n")},
         1,
         path("typo.yaml") + ":2: attack[0].damage expects a 32-bit integer, not \"high\"\n"},
        {{good, file("again.yaml", "\npilot: [Bram]\n")},
         1,
         path("again.yaml") + ":2: view \"pilot\" is already given at " + good + ":1\n"},
        {{good, path("absent.yaml")}, 2, path("absent.yaml") + ": cannot open: "},
        {{good, dir.string()}, 2, dir.string() + ": cannot read: not a regular file (a directory)\n"},
        {{file("dump.json", "{\"views\": []}\n"), good}, 1, path("dump.json") + ":1: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inputs.back());
        // First with no output file, then over an existing one, which must survive untouched.
        fs::remove(output);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::string> args = {"build"};
            args.insert(args.end(), c.inputs.begin(), c.inputs.end());
            args.push_back(output);
            ProgramRun result = run(args);
            EXPECT_EQ(result.status, c.status);
            EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            if (pass == 0) {
                EXPECT_FALSE(fs::exists(output));
                file("data.db", "previous content");
            } else {
                EXPECT_EQ(readAll(output), "previous content");
            }
        }
        // Nothing else was left beside it either (no temporary file).
        for (const auto& entry : fs::directory_iterator(dir)) {
            EXPECT_EQ(entry.path().filename().string().find("data.db."), std::string::npos);
        }
    }

    ProgramRun unwritable = run({"build", good, path("no-such-folder/data.db")});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(unwritable.err.rfind(path("no-such-folder/data.db") + ": cannot ", 0), 0u) << unwritable.err;
}

TEST_F(GearwardDataCli, CheckListsProblemsWithStatus1) {
    std::string content = file("content.yaml",
                               "component:\n  - {name: Arm, type: ARM, actions: [Laser]}\n"
                               "map:\n  - {name: DOWNTOWN}\n");
    std::string output = path("data.db");
    ASSERT_EQ(run({"build", content, output}).status, 0);
    ProgramRun check = run({"check", output});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(check.out,
              "component[0].type: \"ARM\" is not HEAD, TORSO, LEFTARM, RIGHTARM, LEGS or REACTOR\n"
              "component[0].actions[0].action: \"Laser\" is no attack\n"
              "pilot: 0 names, at least 20 are needed\n"
              "robot: 0 names, at least 20 are needed\n"
              "map[0].start1: no start tile\n"
              "map[0].start2: no start tile\n");
}
