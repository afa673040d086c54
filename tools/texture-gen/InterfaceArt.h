#pragma once
// The interface images: column backdrops, header bars, cursors, marks, key icons, and the
// searchlight beam texture of the map's tile cursor. Key names are drawn with the game font so
// the icons match the captions beside them.

#include <string>

class Canvas;

class InterfaceArt {
public:
    explicit InterfaceArt(std::string fontPath);

    // Writes every interface image into `dir` (which must exist). Stops at the first failure and
    // returns false with a one-line reason in `error`.
    bool writeAll(const std::string& dir, std::string& error) const;

    static Canvas wideColumnDark();
    static Canvas columnDark();
    static Canvas headerBar(int width);
    static Canvas cursor(bool active);
    static Canvas checkMark();
    static Canvas statArrow(bool up);
    static Canvas searchlight();
    // A key cap of the given size with a word on it, or (arrowDegrees >= 0) an arrow pointing
    // 0 = up, 90 = right, 180 = down, 270 = left.
    bool keyIcon(Canvas& canvas, const std::string& word, float arrowDegrees, std::string& error) const;

private:
    std::string fontPath;
};
