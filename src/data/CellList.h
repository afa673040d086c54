#pragma once
// Lists of (x, y) cells as the database stores them: a subview of `x` and `y` integers, used for
// attack range and area patterns and for map start zones.

#include <utility>
#include <vector>

class MetakitView;

using CellList = std::vector<std::pair<int, int>>;  // (x, y) pairs in database order

CellList readCellList(const MetakitView& cells);
