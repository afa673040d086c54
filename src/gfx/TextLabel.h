#pragma once
// A piece of text on screen, in window pixels. Labels are built, configured by a chain of setters
// and drawn within one frame:  TextLabel("QUIT", 85, 330).size(24).draw();

#include <string>

#include "gfx/ToString.h"

class TextLabel {
public:
    // The font every label is drawn in unless told otherwise, a file of the game folder.
    static constexpr const char* GAME_FONT = "UniversCondensed.ttf";

    std::string text;
    int x = 0;  // left edge; for a right-aligned label its right edge until drawn
    int y = 0;  // top edge
    std::string fontFile = GAME_FONT;
    int pointSize = 30;
    int style = 0;  // SDL_ttf style bits
    double red = 1.0;
    double green = 1.0;
    double blue = 1.0;
    bool rightAligned = false;
    int renderedWidth = 0;  // size of the most recent rendering
    int renderedHeight = 0;

    TextLabel() = default;
    TextLabel(const char* text, int x, int y) : text(toString(text)), x(x), y(y) {}
    TextLabel(const std::string& text, int x, int y) : text(toString(text)), x(x), y(y) {}

    TextLabel& rightAlign();
    TextLabel& bold();
    TextLabel& size(int points);
    TextLabel& font(const std::string& file);
    TextLabel& color(double r, double g, double b);

    int width() const { return renderedWidth; }

    // Renders and draws now. A right-aligned label moves its x to its left edge. Without an
    // OpenGL context nothing is drawn, but the text is still measured (when SDL_ttf is up) and
    // moved as if drawn. Either way the active DrawRecorder, if any, is told.
    TextLabel& draw();

    // One colour component as a byte of the rendered text: the component times 255 in extended
    // precision, truncated (so 0.6 gives 152 and 0.8 gives 204). Components outside 0..1 are
    // held to that range first.
    static unsigned char colorByte(double component);

private:
    void render();
    void measure();
    void report(int givenX) const;
};
