#include "data/Map.h"

#include "data/Terrain.h"
#include "storage/MetakitView.h"

Map::Map(const MetakitView& view, size_t row, const TerrainCatalogue& terrains) {
    load(view, row, terrains);
}

bool Map::load(const MetakitView& view, size_t row, const TerrainCatalogue& terrains) {
    name = view.getString(row, "name");
    description = view.getString(row, "description");

    // The legend belongs to this map alone: "." may be road here and sand on the next map.
    // Only the first character of a symbol counts; an empty symbol registers nothing.
    std::map<char, std::string> legend;
    const MetakitView& legendRows = view.getSubview(row, "terrain");
    for (size_t i = 0; i < legendRows.rowCount(); ++i) {
        std::string symbol = legendRows.getString(i, "symbol");
        if (!symbol.empty()) legend.insert_or_assign(symbol[0], legendRows.getString(i, "name"));
    }

    startZones[0] = readCellList(view.getSubview(row, "start1"));
    startZones[1] = readCellList(view.getSubview(row, "start2"));

    grid.clear();
    const MetakitView& layout = view.getSubview(row, "layout");
    for (size_t y = 0; y < layout.rowCount(); ++y) {
        std::string text = layout.getString(y, "row");
        std::vector<const Terrain*> cells;
        cells.reserve(text.size());
        for (char symbol : text) {
            const Terrain* terrain = nullptr;
            auto entry = legend.find(symbol);
            if (entry != legend.end()) {
                auto found = terrains.find(entry->second);
                if (found != terrains.end()) terrain = &found->second;
            }
            cells.push_back(terrain);
        }
        grid.push_back(std::move(cells));
    }
    return true;
}

int Map::getWidth() const {
    return grid.empty() ? 0 : static_cast<int>(grid[0].size());
}

int Map::getHeight() const {
    return static_cast<int>(grid.size());
}

const Terrain* Map::terrainAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= getWidth() || y >= getHeight()) return nullptr;
    const auto& cells = grid[static_cast<size_t>(y)];
    if (static_cast<size_t>(x) >= cells.size()) return nullptr;  // a row shorter than the first
    return cells[static_cast<size_t>(x)];
}

const CellList& Map::startZone(int side) const {
    static const CellList none;
    if (side < 0 || side > 1) return none;
    return startZones[static_cast<size_t>(side)];
}

std::ostream& operator<<(std::ostream& out, const Map& map) {
    for (const auto& cells : map.grid) {
        for (const Terrain* terrain : cells) out << (terrain ? terrain->name : std::string("(none)")) << " ";
        out << "\n";
    }
    return out;
}
