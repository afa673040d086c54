// A screen's texts written as a table: each row a text and where it is drawn, checked by one loop
// that names every row that differs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/DrawRecorder.h"

// A text whose left edge is drawn at (x, y); with `right`, a right-aligned text whose right edge
// is at x.
struct PlacedText {
    int x;
    int y;
    std::string text;
    bool right = false;
};

inline void expectTexts(const std::vector<DrawnItem>& items, const std::vector<PlacedText>& rows) {
    for (const PlacedText& row : rows) {
        const DrawnItem* found = nullptr;
        for (const DrawnItem& item : items) {
            if (item.kind != DrawnItem::Text || item.y != row.y) continue;
            if (row.right ? item.rightAligned && item.anchorX == row.x : item.x == row.x) {
                found = &item;
                break;
            }
        }
        EXPECT_TRUE(found && found->text == row.text)
            << "\"" << row.text << "\" at (" << row.x << ", " << row.y << "): drawn there is "
            << (found ? "\"" + found->text + "\"" : "nothing");
    }
}
