#pragma once
// A log of what the screens draw, for tests that check labels, images and positions without a
// display. While a recorder is active, every drawing primitive (TextLabel::draw, drawImage, the
// translucent quads, the map's tile cursor, arrows and 3D text) appends one item describing what
// it drew. With no OpenGL context the primitives still report but make no GL call, so a screen's
// whole layout can be checked with SDL_VIDEODRIVER=dummy.
//
//   DrawRecorder recorder;          // active from here to the end of the scope
//   titleScreen.draw();
//   const DrawnItem* quit = recorder.findText("QUIT");

#include <string>
#include <utility>
#include <vector>

struct DrawnItem {
    enum Kind { Text, Image, Quad, TileCursor, Arrow, Text3D };
    Kind kind = Text;

    // Text and Text3D: the text. Image: the image file as the screen named it.
    std::string text;

    // Window pixels (Text, Image): left and top edges as drawn (a right-aligned label reports
    // its final left edge), and the drawn size (text: the rendered or measured width and height).
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Text: the font as asked for.
    std::string fontFile;
    int pointSize = 0;
    int style = 0;  // SDL_ttf style bits
    bool rightAligned = false;
    int anchorX = 0;  // the x the label was given: its right edge when right-aligned

    // Colour of text, quads, arrows and 3D text (components 0..1).
    double red = 1.0;
    double green = 1.0;
    double blue = 1.0;
    double alpha = 1.0;

    // World units (Quad, TileCursor, Arrow, Text3D): position, extent and heading. A quad lies at
    // height worldY from (worldX, worldZ) to (worldX + worldWidth, worldZ + worldDepth); the tile
    // cursor reports its tile in tileX, tileY; an arrow its centre, width, depth and angle.
    double worldX = 0.0;
    double worldY = 0.0;
    double worldZ = 0.0;
    double worldWidth = 0.0;
    double worldDepth = 0.0;
    double angle = 0.0;  // degrees about the vertical axis
    int tileX = 0;
    int tileY = 0;
};

class DrawRecorder {
public:
    std::vector<DrawnItem> items;

    // Becomes the active recorder; the one active before it comes back when this one goes.
    DrawRecorder();
    ~DrawRecorder();
    DrawRecorder(const DrawRecorder&) = delete;
    DrawRecorder& operator=(const DrawRecorder&) = delete;

    void clear() { items.clear(); }

    // The first item of the kind with exactly this text (or image file), or nullptr.
    const DrawnItem* findText(const std::string& text) const;
    const DrawnItem* findImage(const std::string& file) const;
    // The first Text item whose left edge is drawn at exactly (x, y), or nullptr; textAt gives
    // its text, or "" when there is none.
    const DrawnItem* textItemAt(int x, int y) const;
    std::string textAt(int x, int y) const;
    // The left and top edges of every drawing of the image file, in drawing order.
    std::vector<std::pair<int, int>> imagePlaces(const std::string& file) const;
    // Every item of one kind, in drawing order.
    std::vector<DrawnItem> ofKind(DrawnItem::Kind kind) const;
    // The texts of every Text item, in drawing order.
    std::vector<std::string> texts() const;

    // The recorder in force, or nullptr when nothing records (the game itself).
    static DrawRecorder* active();
    // Called by the drawing primitives.
    static void report(const DrawnItem& item);

private:
    DrawRecorder* previous = nullptr;
};
