#include "Canvas.h"

#include <algorithm>
#include <cmath>

Colour rgb(int r, int g, int b, float a) {
    return Colour{r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Colour mix(const Colour& a, const Colour& b, float t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour scaled(const Colour& c, float factor) {
    return Colour{c.r * factor, c.g * factor, c.b * factor, c.a};
}

Canvas::Canvas(int width, int height, Colour fill)
    : w(std::max(width, 1)), h(std::max(height, 1)), pixels(static_cast<size_t>(w) * h, fill) {}

Colour& Canvas::at(int x, int y) {
    return pixels[static_cast<size_t>(y) * w + x];
}

const Colour& Canvas::at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * w + x];
}

Colour& Canvas::wrappedAt(int x, int y) {
    x %= w;
    y %= h;
    if (x < 0) x += w;
    if (y < 0) y += h;
    return at(x, y);
}

void Canvas::blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h || coverage <= 0) return;
    Colour& d = at(x, y);
    float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    float outA = a + d.a * (1 - a);
    if (outA <= 0) {
        d = Colour{0, 0, 0, 0};
        return;
    }
    d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
    d.a = outA;
}

void Canvas::fillShape(const Inside& inside, const Colour& c, float x0, float y0, float x1, float y1,
                       bool wrapped) {
    const int samples = 4;
    int px0 = static_cast<int>(std::floor(x0)), py0 = static_cast<int>(std::floor(y0));
    int px1 = static_cast<int>(std::ceil(x1)), py1 = static_cast<int>(std::ceil(y1));
    for (int py = py0; py < py1; ++py) {
        for (int px = px0; px < px1; ++px) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    if (inside(px + (sx + 0.5f) / samples, py + (sy + 0.5f) / samples)) ++hits;
            if (hits == 0) continue;
            float coverage = hits / float(samples * samples);
            if (wrapped) {
                int wx = ((px % w) + w) % w, wy = ((py % h) + h) % h;
                blend(wx, wy, c, coverage);
            } else {
                blend(px, py, c, coverage);
            }
        }
    }
}

void Canvas::fillRect(float x0, float y0, float x1, float y1, const Colour& c, bool wrapped) {
    fillShape([=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, c, x0, y0, x1, y1,
              wrapped);
}

void Canvas::fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Colour& c) {
    auto inside = [=](float x, float y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        float cx = std::clamp(x, x0 + radius, x1 - radius);
        float cy = std::clamp(y, y0 + radius, y1 - radius);
        float dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
    fillShape(inside, c, x0, y0, x1, y1);
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, const Colour& c, bool wrapped) {
    if (rx <= 0 || ry <= 0) return;
    auto inside = [=](float x, float y) {
        float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    };
    fillShape(inside, c, cx - rx, cy - ry, cx + rx, cy + ry, wrapped);
}

void Canvas::fillPolygon(const std::vector<float>& xy, const Colour& c) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 1; i < n; ++i) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    // Even-odd crossing test.
    auto inside = [&xy, n](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
    fillShape(inside, c, minX, minY, maxX, maxY);
}

void Canvas::drawLine(float x0, float y0, float x1, float y1, float width, const Colour& c, bool wrapped) {
    float half = width / 2;
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    auto inside = [=](float x, float y) {
        float t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
        t = std::clamp(t, 0.0f, 1.0f);
        float ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
        return ex * ex + ey * ey <= half * half;
    };
    fillShape(inside, c, std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
              std::max(y0, y1) + half, wrapped);
}

void Canvas::shade(const std::function<float(int x, int y)>& f) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour& c = at(x, y);
            float k = f(x, y);
            c.r *= k;
            c.g *= k;
            c.b *= k;
        }
}
