#pragma once
// An RGBA picture in floating point (0..1 per channel) that the texture generator paints on.
// Shapes are given as inside tests and drawn with supersampled coverage, so edges come out
// anti-aliased; the "wrapped" variants also paint the copies one tile away on every side,
// which is what keeps the material textures seamless when they repeat.

#include <functional>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour rgb(int r, int g, int b, float a = 1.0f);
Colour mix(const Colour& a, const Colour& b, float t);
Colour scaled(const Colour& c, float factor);

class Canvas {
public:
    Canvas(int width, int height, Colour fill = Colour{0, 0, 0, 0});

    int width() const { return w; }
    int height() const { return h; }

    Colour& at(int x, int y);
    const Colour& at(int x, int y) const;
    // Coordinates outside the canvas wrap around, as a repeating texture does.
    Colour& wrappedAt(int x, int y);

    // Lays c over the pixel with the given coverage (0..1), alpha-compositing "over".
    void blend(int x, int y, const Colour& c, float coverage);

    using Inside = std::function<bool(float x, float y)>;
    // Paints every pixel in [x0, x1) x [y0, y1) by the share of 4 x 4 sample points inside the shape.
    void fillShape(const Inside& inside, const Colour& c, float x0, float y0, float x1, float y1,
                   bool wrapped = false);

    void fillRect(float x0, float y0, float x1, float y1, const Colour& c, bool wrapped = false);
    void fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Colour& c);
    void fillEllipse(float cx, float cy, float rx, float ry, const Colour& c, bool wrapped = false);
    void fillPolygon(const std::vector<float>& xy, const Colour& c);
    // A straight stroke of the given width with round ends.
    void drawLine(float x0, float y0, float x1, float y1, float width, const Colour& c, bool wrapped = false);

    // Multiplies the colour channels of every pixel by f(x, y) (shading passes).
    void shade(const std::function<float(int x, int y)>& f);

private:
    int w;
    int h;
    std::vector<Colour> pixels;
};
