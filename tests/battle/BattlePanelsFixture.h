#pragma once
// The battle tests' world drawn headless: the game's font measures the labels, the drawing
// recorder logs what the battle screen draws, and helpers find labels, images and the key-hint
// row in that log.

#include <cmath>
#include <string>
#include <vector>

#include <SDL/SDL_ttf.h>

#include "../support/HeadlessScreen.h"
#include "../support/TextTable.h"
#include "BattleFixture.h"
#include "gfx/DrawRecorder.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"

class BattlePanelsFixture : public BattleFixture {
protected:
    HeadlessScreen headless;

    void SetUp() override {
        ASSERT_TRUE(headless.ready());
        BattleFixture::SetUp();
    }

    // Everything one frame of the battle screen draws.
    std::vector<DrawnItem> drawFrame() {
        DrawRecorder recorder;
        screen.draw();
        return recorder.items;
    }

    static std::vector<const DrawnItem*> textsNamed(const std::vector<DrawnItem>& items,
                                                    const std::string& text) {
        std::vector<const DrawnItem*> found;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Text && item.text == text) found.push_back(&item);
        return found;
    }

    // The text label drawn at (x, y) as given (its right edge for a right-aligned one).
    static const DrawnItem* textAt(const std::vector<DrawnItem>& items, int x, int y) {
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Text && item.anchorX == x && item.y == y) return &item;
        return nullptr;
    }
    // The text of that label, or "(nothing at x, y)" so that a missing label fails its
    // comparison instead of stopping the test program.
    static std::string textOf(const std::vector<DrawnItem>& items, int x, int y) {
        const DrawnItem* item = textAt(items, x, y);
        return item ? item->text : "(nothing at " + std::to_string(x) + ", " + std::to_string(y) + ")";
    }

    static const DrawnItem* findText(const std::vector<DrawnItem>& items, const std::string& text) {
        std::vector<const DrawnItem*> found = textsNamed(items, text);
        return found.empty() ? nullptr : found.front();
    }

    // A statistics line: the name at column + 12 and the value right-aligned against
    // column + 188, both at `size` points.
    static void expectStatRow(const std::vector<DrawnItem>& items, int column, const std::string& name, int y,
                              const std::string& value, int size) {
        SCOPED_TRACE(name);
        const DrawnItem* label = textAt(items, column + 12, y);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, name);
        EXPECT_EQ(label->pointSize, size);
        const DrawnItem* shown = textAt(items, column + 188, y);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text, value);
        EXPECT_TRUE(shown->rightAligned);
        EXPECT_EQ(shown->pointSize, size);
        EXPECT_EQ(shown->x + shown->width, column + 188);
    }
    // The same in the first column at 20 points.
    static void expectStatRow(const std::vector<DrawnItem>& items, const std::string& name, int y,
                              const std::string& value) {
        expectStatRow(items, 0, name, y, value, 20);
    }

    static const DrawnItem* findImageAt(const std::vector<DrawnItem>& items, const std::string& file, int x,
                                        int y, int w, int h) {
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Image && item.text == file && item.x == x && item.y == y &&
                item.width == w && item.height == h)
                return &item;
        return nullptr;
    }

    static int countImages(const std::vector<DrawnItem>& items, const std::string& file) {
        int count = 0;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Image && item.text == file) ++count;
        return count;
    }

    static bool isGrey(const DrawnItem& item) {
        return std::fabs(item.red - 0.6) < 1e-9 && std::fabs(item.green - 0.6) < 1e-9 &&
               std::fabs(item.blue - 0.6) < 1e-9;
    }
    static bool isWhite(const DrawnItem& item) {
        return item.red == 1.0 && item.green == 1.0 && item.blue == 1.0;
    }

    // The key-hint row as words: an icon by its key's name, a caption as itself, in drawing order.
    static std::vector<std::string> keyHints(const std::vector<DrawnItem>& items) {
        std::vector<std::string> row;
        for (const DrawnItem& item : items) {
            if (item.kind == DrawnItem::Image && item.y == 743)
                row.push_back(iconName(item.text));
            else if (item.kind == DrawnItem::Text && item.y == 744)
                row.push_back(item.text);
        }
        return row;
    }

    // The icons of the key-hint row, in drawing order.
    static std::vector<DrawnItem> keyIcons(const std::vector<DrawnItem>& items) {
        std::vector<DrawnItem> icons;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Image && item.y == 743) icons.push_back(item);
        return icons;
    }

    // The width the game's font gives a text at a size and style.
    int measuredWidth(const std::string& text, int size, bool bold = false) {
        DrawRecorder recorder;
        TextLabel label(text, 0, 0);
        label.size(size);
        if (bold) label.bold();
        label.draw();
        return label.width();
    }

private:
    static std::string iconName(const std::string& file) {
        if (file == KeyHintRow::ESC) return "[Esc]";
        if (file == KeyHintRow::SPACE) return "[Space]";
        if (file == KeyHintRow::ENTER) return "[Enter]";
        if (file == KeyHintRow::SHIFT) return "[Shift]";
        if (file == KeyHintRow::UP) return "[Up]";
        if (file == KeyHintRow::DOWN) return "[Down]";
        if (file == KeyHintRow::LEFT) return "[Left]";
        if (file == KeyHintRow::RIGHT) return "[Right]";
        return "[" + file + "]";
    }
};
