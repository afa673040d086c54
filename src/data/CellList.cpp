#include "data/CellList.h"

#include "storage/MetakitView.h"

CellList readCellList(const MetakitView& cells) {
    CellList result;
    result.reserve(cells.rowCount());
    for (size_t i = 0; i < cells.rowCount(); ++i)
        result.emplace_back(cells.getInt(i, "x"), cells.getInt(i, "y"));
    return result;
}
