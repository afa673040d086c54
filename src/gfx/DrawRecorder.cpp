#include "gfx/DrawRecorder.h"

namespace {
DrawRecorder* activeRecorder = nullptr;
}

DrawRecorder::DrawRecorder() : previous(activeRecorder) {
    activeRecorder = this;
}

DrawRecorder::~DrawRecorder() {
    activeRecorder = previous;
}

const DrawnItem* DrawRecorder::findText(const std::string& text) const {
    for (const DrawnItem& item : items) {
        if ((item.kind == DrawnItem::Text || item.kind == DrawnItem::Text3D) && item.text == text) {
            return &item;
        }
    }
    return nullptr;
}

const DrawnItem* DrawRecorder::findImage(const std::string& file) const {
    for (const DrawnItem& item : items) {
        if (item.kind == DrawnItem::Image && item.text == file) {
            return &item;
        }
    }
    return nullptr;
}

const DrawnItem* DrawRecorder::textItemAt(int x, int y) const {
    for (const DrawnItem& item : items) {
        if (item.kind == DrawnItem::Text && item.x == x && item.y == y) {
            return &item;
        }
    }
    return nullptr;
}

std::string DrawRecorder::textAt(int x, int y) const {
    const DrawnItem* item = textItemAt(x, y);
    return item ? item->text : "";
}

std::vector<std::pair<int, int>> DrawRecorder::imagePlaces(const std::string& file) const {
    std::vector<std::pair<int, int>> places;
    for (const DrawnItem& item : items) {
        if (item.kind == DrawnItem::Image && item.text == file) {
            places.push_back({item.x, item.y});
        }
    }
    return places;
}

std::vector<DrawnItem> DrawRecorder::ofKind(DrawnItem::Kind kind) const {
    std::vector<DrawnItem> found;
    for (const DrawnItem& item : items) {
        if (item.kind == kind) {
            found.push_back(item);
        }
    }
    return found;
}

std::vector<std::string> DrawRecorder::texts() const {
    std::vector<std::string> found;
    for (const DrawnItem& item : items) {
        if (item.kind == DrawnItem::Text) {
            found.push_back(item.text);
        }
    }
    return found;
}

DrawRecorder* DrawRecorder::active() {
    return activeRecorder;
}

void DrawRecorder::report(const DrawnItem& item) {
    if (activeRecorder != nullptr) {
        activeRecorder->items.push_back(item);
    }
}
