#include "gfx/DrawRecorder.h"

namespace {
DrawRecorder* activeRecorder = nullptr;
}

DrawRecorder::DrawRecorder() : previous(activeRecorder) { activeRecorder = this; }

DrawRecorder::~DrawRecorder() { activeRecorder = previous; }

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

DrawRecorder* DrawRecorder::active() { return activeRecorder; }

void DrawRecorder::report(const DrawnItem& item) {
    if (activeRecorder != nullptr) {
        activeRecorder->items.push_back(item);
    }
}
