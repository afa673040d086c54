#pragma once
// A battlefield: a grid of terrain built from text rows through the map's own legend, and one
// list of deployment cells per side. Cell (x, y) is column x of row y; y = 0 is the first row.
// Read once from the database; never changes.

#include <array>
#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "data/CellList.h"

class MetakitView;
class Terrain;

// The terrain catalogue a map's legend names its terrains from (GameData::terrains).
using TerrainCatalogue = std::map<std::string, Terrain>;

class Map {
public:
    std::string name;
    std::string description;
    // grid[y][x]; nullptr where the layout character had no legend entry or named no terrain.
    std::vector<std::vector<const Terrain*>> grid;
    std::array<CellList, 2> startZones;  // side 0 from `start1`, side 1 from `start2`

    Map() = default;
    // Reads row `row` of the `map` view; layout characters resolve in `terrains`, which must
    // outlive the map (the grid points into it).
    Map(const MetakitView& view, size_t row, const TerrainCatalogue& terrains);

    bool load(const MetakitView& view, size_t row, const TerrainCatalogue& terrains);

    std::string getName() const { return name; }
    std::string getDescription() const { return description; }
    int getWidth() const;   // length of the first row; 0 without rows
    int getHeight() const;  // number of rows

    // The terrain of cell (x, y), or nullptr off the map, beyond the end of a short row, or on a
    // cell without terrain. Callers treat nullptr as a cell that cannot be entered.
    const Terrain* terrainAt(int x, int y) const;

    // The deployment cells of side 0 or 1 in database order; an empty list for any other side.
    const CellList& startZone(int side) const;

    // Every tile's terrain model at its place (MapDrawing.cpp).
    void draw() const;
    // The cursor on tile (x, y), which need not lie on the map: a faint white square and four
    // light beams leaning out of its corners.
    void drawTileCursor(int x, int y) const;
};

// The modders' listing: one line per row, each cell its terrain's name and a blank
// ("(none)" for a cell without terrain).
std::ostream& operator<<(std::ostream& out, const Map& map);
