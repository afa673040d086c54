// Runs "gearward-data model" on real and broken model files, as a modder would.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "../support/RunProgram.h"
#include "../support/TempDir.h"

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

ProgramRun runModelCommand(const std::string& file) {
    return runProgram({GEARWARD_TOOLS_DIR "/gearward-data", "model", file});
}

const std::string gun = std::string(GEARWARD_FIXTURES_DIR) + "/ms3d/gun.ms3d";

TEST(ModelCommandTest, ListsAModelThatLoads) {
    ProgramRun run = runModelCommand(gun);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("Loading: " + gun + "\nFilename: " + gun + "\nNumber of vertices: 194\n", 0), 0u)
        << run.out.substr(0, 200);
    EXPECT_NE(run.out.find("\nNumber of triangles: 327\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nNumber of joints: 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nJoint 0 Translation Keyframe 4:\n"), std::string::npos);
}

TEST(ModelCommandTest, ReportsAModelThatDoesNotLoad) {
    TempDir scratch("model-command");
    std::string bytes = readAll(gun);
    ASSERT_FALSE(bytes.empty()) << gun << " is missing";
    std::string cut = scratch.file("cut.ms3d", bytes.substr(0, bytes.size() - 1));
    ProgramRun truncated = runModelCommand(cut);
    EXPECT_EQ(truncated.status, 1);
    EXPECT_EQ(truncated.err, "FAIL: Unexpected end of file\n");
    EXPECT_NE(truncated.out.find("Number of vertices: 0\n"), std::string::npos);

    ProgramRun missing = runModelCommand("/nonexistent/robot.ms3d");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "FAIL: failed to open model file \"/nonexistent/robot.ms3d\"\n");
}

// A folder or a FIFO where a model file should be is one line and status 1, never an abort or a
// wait for a writer that never comes.
TEST(ModelCommandTest, RefusesWhatIsNotARegularFile) {
    TempDir scratch("model-command");
    std::string fifo = scratch.path("pipe.ms3d");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& file : {std::string("."), scratch.path().string(), fifo}) {
        SCOPED_TRACE(file);
        ProgramRun run = runModelCommand(file);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind(
                      "FAIL: failed to read model file \"" + file + "\": cannot read: not a regular file", 0),
                  0u)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.out.find("Number of vertices: 0\n"), std::string::npos);
    }
}

}  // namespace
