#include "gfx/KeyHintRow.h"

#include "gfx/Widgets.h"

int KeyHintRow::iconWidth(const std::string& icon) {
    if (icon == ESC) return 39;
    if (icon == SPACE || icon == ENTER) return 57;
    if (icon == SHIFT) return 52;
    if (icon == UP || icon == DOWN || icon == LEFT || icon == RIGHT) return 28;
    return 0;
}

KeyHintRow& KeyHintRow::key(const std::string& icon, const std::string& caption, int spacing) {
    x += drawKeyHint(icon, caption, x, y, iconWidth(icon), 2) + spacing;
    return *this;
}

KeyHintRow& KeyHintRow::orKey(const std::string& icon) {
    return key(icon, "/", 2);
}

KeyHintRow& KeyHintRow::shift() {
    x += drawKeyHint(SHIFT, "", x, y, iconWidth(SHIFT), 0) - 4;
    return *this;
}
