#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "../support/TempDir.h"
#include "pipeline/ContentCompiler.h"
#include "storage/MetakitView.h"
#include "storage/MetakitWriter.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string scratchPath(const std::string& name) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = test ? std::string(test->test_suite_name()) + "_" + test->name() + "_" : "";
    return TempDir::forRun().path(prefix + name);
}

}  // namespace

std::string buildTestDatabase(const std::string& fixtureName) {
    std::string text = readText(std::string(GEARWARD_TESTS_DIR) + "/data/fixtures/" + fixtureName);
    if (text.empty()) {
        ADD_FAILURE() << "fixture " << fixtureName << " is missing";
        return "";
    }
    replaceAll(text, "@FIXTURES@", GEARWARD_FIXTURES_DIR);

    std::vector<MetakitView> views;
    std::string error;
    if (!ContentCompiler::compileText(text, fixtureName, views, error)) {
        ADD_FAILURE() << fixtureName << " does not compile: " << error;
        return "";
    }
    std::string path = scratchPath(fixtureName + ".db");
    if (!MetakitWriter::writeFile(path, views, &error)) {
        ADD_FAILURE() << "cannot write " << path << ": " << error;
        return "";
    }
    return path;
}

std::string missingDatabasePath() {
    std::string path = scratchPath("missing.db");
    std::remove(path.c_str());
    return path;
}
