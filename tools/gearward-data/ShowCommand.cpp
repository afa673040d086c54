// show FILE: loads a database exactly as the game does and lists what the game sees: every
// attack, component and terrain, every map with its size, start zones and rows, and how many
// pilot and robot names there are. Model files are looked up beside FILE, as the game looks
// them up beside its data.db, and their loader lines come first.

#include <unistd.h>

#include <iostream>
#include <string>

#include "Subcommands.h"
#include "data/GameData.h"
#include "storage/MetakitStorage.h"
#include "storage/PrintableText.h"

namespace {

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void writeCells(std::ostream& out, const CellList& cells) {
    for (const auto& cell : cells) out << "(" << cell.first << ", " << cell.second << ") ";
    out << "\n";
}

void writeMap(std::ostream& out, const Map& map) {
    out << "MAP: " << map.getName() << "\n";
    out << "Description: " << map.getDescription() << "\n";
    out << "Size: " << map.getWidth() << " x " << map.getHeight() << "\n";
    out << "Start zone 1: ";
    writeCells(out, map.startZone(0));
    out << "Start zone 2: ";
    writeCells(out, map.startZone(1));
    out << map;
}

}  // namespace

int runShow(const std::vector<std::string>& args) {
    const std::string& path = args[0];
    MetakitStorage storage;
    if (!openStorageOrReport(path, storage)) return 2;
    if (chdir(folderOf(path).c_str()) != 0) {
        std::cerr << printableText(path) << ": cannot enter its folder to find the model files\n";
        return 2;
    }

    GameData data;
    data.load(storage);

    std::ostream& out = std::cout;
    for (const auto& entry : data.attacks) out << "\n" << entry.second;
    for (const auto& entry : data.components) out << "\n" << entry.second;
    for (const auto& entry : data.terrains) out << "\n" << entry.second;
    for (const auto& entry : data.maps) {
        out << "\n";
        writeMap(out, entry.second);
    }
    out << "\nPilot names: " << data.pilotNames.size() << "\n";
    out << "Robot names: " << data.robotNames.size() << "\n";
    out.flush();
    return 0;
}
