#pragma once
// Scratch folders for tests that write files: made fresh under the test temporary folder
// (TEST_TMPDIR, else TMPDIR, else /tmp) and removed with everything in them when the object
// goes, so a run leaves nothing behind, even when a test fails half-way.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    // `tag` only makes the folder's name readable; the name is unique either way.
    explicit TempDir(const std::string& tag = "test") {
        std::string pattern = (base() / ("gearward-" + tag + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            folder = pattern;
        else
            ADD_FAILURE() << "cannot make a scratch folder from " << pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return folder; }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // Writes `content` to `name` inside the folder and returns its full path.
    std::string file(const std::string& name, const std::string& content) const {
        std::string full = path(name);
        std::ofstream(full, std::ios::binary) << content;
        return full;
    }

    // The folder tests use when they write nothing that outlives the test binary's run; removed
    // when the program ends.
    static const TempDir& forRun() {
        static const TempDir run("run");
        return run;
    }

private:
    std::filesystem::path folder;

    static std::filesystem::path base() {
        for (const char* name : {"TEST_TMPDIR", "TMPDIR"}) {
            const char* value = std::getenv(name);
            if (value && *value) return value;
        }
        return "/tmp";
    }
};
