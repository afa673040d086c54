#pragma once
// Access to the storage golden files under the fixtures folder, shared by the storage tests.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace metakit_fixtures {

inline std::string folder() {
    return std::string(GEARWARD_FIXTURES_DIR) + "/metakit";
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Names (without ".db") of the .db files in a folder, sorted.
inline std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    if (!std::filesystem::is_directory(dir)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".db") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<std::string> goodNames() {
    return namesIn(folder());
}
inline std::vector<std::string> malformedNames() {
    return namesIn(folder() + "/malformed");
}

// The golden files written by a single commit: only those can be reproduced by writing their
// content afresh, since a file edited by a later commit keeps its history.
inline std::vector<std::string> singleCommitNames() {
    std::vector<std::string> names;
    for (const std::string& name : goodNames())
        if (readText(folder() + "/" + name + ".json").find("\n \"commits\": 1,") != std::string::npos)
            names.push_back(name);
    return names;
}

// The fixture's JSON without the keys a dump leaves out (file, notes, commits): what
// MetakitJson::toJson must print for that file.
inline std::string expectedDump(const std::string& name) {
    std::istringstream in(readText(folder() + "/" + name + ".json"));
    std::string line, out;
    while (std::getline(in, line)) {
        if (line.rfind(" \"file\":", 0) == 0 || line.rfind(" \"notes\":", 0) == 0 ||
            line.rfind(" \"commits\":", 0) == 0)
            continue;
        out += line + "\n";
    }
    return out;
}

}  // namespace metakit_fixtures
