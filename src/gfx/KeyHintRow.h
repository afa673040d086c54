#pragma once
// The row of key hints along the bottom of every screen, drawn left to right from x = 8:
//   KeyHintRow().key(KeyHintRow::ESC, "Main menu").orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");

#include <string>

class KeyHintRow {
public:
    static constexpr const char* ESC = "textures/UIKeyEsc.bmp";
    static constexpr const char* SPACE = "textures/UIKeySpace.bmp";
    static constexpr const char* ENTER = "textures/UIKeyEnter.bmp";
    static constexpr const char* SHIFT = "textures/UIKeyShift.bmp";
    static constexpr const char* UP = "textures/UIKeyUp.bmp";
    static constexpr const char* DOWN = "textures/UIKeyDown.bmp";
    static constexpr const char* LEFT = "textures/UIKeyLeft.bmp";
    static constexpr const char* RIGHT = "textures/UIKeyRight.bmp";

    int x = 8;  // running x: where the next icon starts
    int y = 743;

    // A complete hint, then `spacing` pixels.
    KeyHintRow& key(const std::string& icon, const std::string& caption, int spacing = 12);
    // A key sharing its action with the next one: caption "/" and 2 pixels.
    KeyHintRow& orKey(const std::string& icon);
    // Shift held with the next key: the Shift icon, which the next icon overlaps by 4 pixels.
    KeyHintRow& shift();

    // Drawn width of a key icon (0 for a name that is not a key icon).
    static int iconWidth(const std::string& icon);
};
