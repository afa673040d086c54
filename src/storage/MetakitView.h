#pragma once
// One Metakit view (a table) as the game reads it: named properties and rows of values.
// Reading a property the view does not have gives "", 0 or an empty subview.

#include <cstdint>
#include <string>
#include <vector>

// A column: its name, its type letter (S I L F D B V) and, for V, the columns of its subviews.
struct MetakitProperty {
    std::string name;
    char type = 'S';
    std::vector<MetakitProperty> subProperties;
};

class MetakitView;

// One cell; which member holds it follows the property type: `integer` for I and L, `real` for
// F and D, `bytes` for S and B, `subview` (exactly one element) for V.
struct MetakitValue {
    int64_t integer = 0;
    double real = 0;
    std::string bytes;
    std::vector<MetakitView> subview;
};

class MetakitView {
public:
    std::string name;
    std::vector<MetakitProperty> properties;
    std::vector<std::vector<MetakitValue>> rows;  // rows[row][property index]

    size_t rowCount() const { return rows.size(); }
    int propertyIndex(const std::string& property) const;  // -1 when absent

    std::string getString(size_t row, const std::string& property) const;
    int32_t getInt(size_t row, const std::string& property) const;
    const MetakitView& getSubview(size_t row, const std::string& property) const;

    // "name[prop:T,...,sub[...]]", the view's part of the file's description.
    std::string structure() const;
};
