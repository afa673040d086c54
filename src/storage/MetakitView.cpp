#include "storage/MetakitView.h"

#include "storage/MetakitStructure.h"

namespace {
const MetakitView emptyView;
}

// Names match case-insensitively, as in the files' own library (a file cannot hold two names
// that differ only in case), so a modder's "Name" still reads as "name".
int MetakitView::propertyIndex(const std::string& property) const {
    for (size_t i = 0; i < properties.size(); ++i)
        if (properties[i].name == property) return static_cast<int>(i);
    for (size_t i = 0; i < properties.size(); ++i)
        if (MetakitStructure::sameName(properties[i].name, property)) return static_cast<int>(i);
    return -1;
}

std::string MetakitView::getString(size_t row, const std::string& property) const {
    int index = propertyIndex(property);
    if (index < 0 || row >= rows.size() || size_t(index) >= rows[row].size()) return "";
    char type = properties[index].type;
    if (type != 'S' && type != 'B') return "";
    return rows[row][index].bytes;
}

int32_t MetakitView::getInt(size_t row, const std::string& property) const {
    int index = propertyIndex(property);
    if (index < 0 || row >= rows.size() || size_t(index) >= rows[row].size()) return 0;
    char type = properties[index].type;
    if (type != 'I' && type != 'L') return 0;
    return static_cast<int32_t>(rows[row][index].integer);
}

const MetakitView& MetakitView::getSubview(size_t row, const std::string& property) const {
    int index = propertyIndex(property);
    if (index < 0 || row >= rows.size() || size_t(index) >= rows[row].size()) return emptyView;
    if (properties[index].type != 'V' || rows[row][index].subview.empty()) return emptyView;
    return rows[row][index].subview.front();
}

std::string MetakitView::structure() const {
    return name + "[" + MetakitStructure::format(properties) + "]";
}
