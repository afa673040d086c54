// Runs "gearward-data model" on real and broken model files, as a modder would.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

struct ModelRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

ModelRun runModelCommand(const std::string& file) {
    std::string base = testing::TempDir() + "gearward-model-command";
    std::string command = std::string("'") + GEARWARD_TOOLS_DIR + "/gearward-data' model '" + file + "' >'" +
                          base + ".out' 2>'" + base + ".err'";
    ModelRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readAll(base + ".out");
    run.err = readAll(base + ".err");
    std::remove((base + ".out").c_str());
    std::remove((base + ".err").c_str());
    return run;
}

const std::string gun = std::string(GEARWARD_FIXTURES_DIR) + "/ms3d/gun.ms3d";

TEST(ModelCommandTest, ListsAModelThatLoads) {
    ModelRun run = runModelCommand(gun);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("Loading: " + gun + "\nFilename: " + gun + "\nNumber of vertices: 194\n", 0), 0u)
        << run.out.substr(0, 200);
    EXPECT_NE(run.out.find("\nNumber of triangles: 327\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nNumber of joints: 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nJoint 0 Translation Keyframe 4:\n"), std::string::npos);
}

TEST(ModelCommandTest, ReportsAModelThatDoesNotLoad) {
    std::string cut = testing::TempDir() + "gearward-cut.ms3d";
    std::string bytes = readAll(gun);
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 1);
    ModelRun truncated = runModelCommand(cut);
    std::remove(cut.c_str());
    EXPECT_EQ(truncated.status, 1);
    EXPECT_EQ(truncated.err, "FAIL: Unexpected end of file\n");
    EXPECT_NE(truncated.out.find("Number of vertices: 0\n"), std::string::npos);

    ModelRun missing = runModelCommand("/nonexistent/robot.ms3d");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "FAIL: failed to open model file \"/nonexistent/robot.ms3d\"\n");
}

}  // namespace
