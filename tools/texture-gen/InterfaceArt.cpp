#include "InterfaceArt.h"

#include "Canvas.h"
#include "ImageWriter.h"
#include "Noise.h"
#include "gfx/ScreenSize.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// The interface palette: near-black blue panels, one cyan accent.
const Colour accent = rgb(70, 195, 235);
const Colour accentDim = rgb(38, 98, 122);

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Draws `text` with the font onto the canvas, centred on (cx, cy) by the ink's own bounding box,
// so that words with and without descenders sit the same way on a key.
bool stampText(Canvas& canvas, const std::string& fontPath, const std::string& text, int points, bool bold,
               const Colour& colour, float cx, float cy, std::string& error) {
    TTF_Font* font = TTF_OpenFont(fontPath.c_str(), points);
    if (!font) {
        error = "cannot open the font " + fontPath + ": " + TTF_GetError();
        return false;
    }
    if (bold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* ink = TTF_RenderText_Blended(font, text.c_str(), white);
    TTF_CloseFont(font);
    if (!ink) {
        error = "cannot render \"" + text + "\": " + TTF_GetError();
        return false;
    }
    SDL_LockSurface(ink);
    auto alphaAt = [ink](int x, int y) {
        const Uint8* row = static_cast<const Uint8*>(ink->pixels) + y * ink->pitch;
        Uint32 pixel = 0;
        std::copy(row + 4 * x, row + 4 * x + 4, reinterpret_cast<Uint8*>(&pixel));
        Uint8 r, g, b, a;
        SDL_GetRGBA(pixel, ink->format, &r, &g, &b, &a);
        return a;
    };
    int minX = ink->w, minY = ink->h, maxX = -1, maxY = -1;
    if (ink->format->BytesPerPixel == 4) {
        for (int y = 0; y < ink->h; ++y)
            for (int x = 0; x < ink->w; ++x)
                if (alphaAt(x, y) > 0) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
    }
    if (maxX >= 0) {
        int ox = static_cast<int>(std::lround(cx - (minX + maxX + 1) / 2.0f));
        int oy = static_cast<int>(std::lround(cy - (minY + maxY + 1) / 2.0f));
        for (int y = minY; y <= maxY; ++y)
            for (int x = minX; x <= maxX; ++x) canvas.blend(ox + x, oy + y, colour, alphaAt(x, y) / 255.0f);
    }
    SDL_UnlockSurface(ink);
    SDL_FreeSurface(ink);
    if (maxX < 0) {
        error = "the font drew nothing for \"" + text + "\"";
        return false;
    }
    return true;
}

// A polygon turned by `degrees` clockwise (screen y grows downwards) about (cx, cy).
std::vector<float> turned(std::vector<float> xy, float degrees, float cx, float cy) {
    float a = degrees * 3.14159265f / 180.0f, c = std::cos(a), s = std::sin(a);
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        float x = xy[i] - cx, y = xy[i + 1] - cy;
        xy[i] = cx + x * c - y * s;
        xy[i + 1] = cy + x * s + y * c;
    }
    return xy;
}

struct KeySpec {
    const char* file;
    int width;
    const char* word;
    float arrow;
};

const KeySpec keys[] = {
    {"UIKeyEsc.bmp", 39, "Esc", -1},     {"UIKeySpace.bmp", 57, "Space", -1},
    {"UIKeyEnter.bmp", 57, "Enter", -1}, {"UIKeyShift.bmp", 52, "Shift", -1},
    {"UIKeyUp.bmp", 28, "", 0},          {"UIKeyRight.bmp", 28, "", 90},
    {"UIKeyDown.bmp", 28, "", 180},      {"UIKeyLeft.bmp", 28, "", 270},
};
const int keyHeight = 25;
}  // namespace

InterfaceArt::InterfaceArt(std::string fontPath) : fontPath(std::move(fontPath)) {}

Canvas InterfaceArt::wideColumnDark() {
    // The backdrop behind all columns: near black with a faint 40-pixel grid, like a plotting table.
    Canvas c(SCREEN_WIDTH, 703, rgb(9, 12, 16));
    Noise noise(11);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float v = 1.0f - 0.25f * (y / 703.0f);
            Colour base = scaled(rgb(11, 15, 20), v + 0.08f * (noise.value(x, y, 16, 1024) - 0.5f));
            bool grid = (x % 40 == 20) || (y % 40 == 20);
            bool tick = (x % 40 == 20 && y % 40 >= 18 && y % 40 <= 22) ||
                        (y % 40 == 20 && x % 40 >= 18 && x % 40 <= 22);
            if (tick)
                base = mix(base, accentDim, 0.55f);
            else if (grid)
                base = mix(base, rgb(22, 30, 40), 0.8f);
            c.at(x, y) = base;
        }
    return c;
}

Canvas InterfaceArt::columnDark() {
    // One dark glass column: a cool gradient, a faint sheen from the top left, a bright accent
    // line on its right edge (which separates neighbouring columns) and a dim one on its left.
    Canvas c(200, 703);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float t = y / 702.0f;
            Colour base = mix(rgb(22, 29, 39), rgb(13, 17, 23), t);
            float sheen = clamp01(1.0f - (x + y * 0.6f) / 260.0f);
            base = mix(base, rgb(34, 44, 58), 0.5f * sheen * sheen);
            c.at(x, y) = base;
        }
    for (int y = 0; y < c.height(); ++y) {
        c.at(199, y) = mix(accent, accentDim, y / 702.0f);
        c.at(198, y) = mix(c.at(198, y), accentDim, 0.35f);
        c.at(0, y) = mix(c.at(0, y), rgb(40, 52, 66), 0.8f);
    }
    return c;
}

Canvas InterfaceArt::headerBar(int width) {
    // A slightly lighter bar with an accent tab at its left, a thin accent underline and a faint
    // highlight along its top: the titles are drawn on it in light grey.
    Canvas c(width, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < width; ++x) c.at(x, y) = mix(rgb(36, 54, 70), rgb(22, 33, 45), y / 19.0f);
    for (int x = 0; x < width; ++x) {
        c.at(x, 0) = rgb(62, 84, 104);
        c.at(x, 18) = mix(c.at(x, 18), accentDim, 0.6f);
        c.at(x, 19) = accent;
    }
    c.fillRect(0, 0, 4, 19, accent);
    return c;
}

Canvas InterfaceArt::cursor(bool active) {
    // A small tab pointing right at the selected line, with a dark rim so that it reads over
    // light and dark backgrounds alike.
    Canvas c(7, 16);
    std::vector<float> outer = {0, 0.5f, 2.5f, 0.5f, 7.0f, 8.0f, 2.5f, 15.5f, 0, 15.5f};
    std::vector<float> inner = {0, 1.6f, 2.0f, 1.6f, 5.7f, 8.0f, 2.0f, 14.4f, 0, 14.4f};
    c.fillPolygon(outer, Colour{0, 0, 0, active ? 0.7f : 0.5f});
    if (active) {
        c.fillPolygon(inner, rgb(150, 240, 255));
        c.fillRect(0, 1.6f, 1.5f, 14.4f, rgb(230, 252, 255));
    } else {
        // Dimmer than the active tab, yet at least 3:1 against the dark panels.
        c.fillPolygon(inner, rgb(104, 128, 152));
    }
    return c;
}

Canvas InterfaceArt::checkMark() {
    Canvas c(14, 15);
    c.drawLine(2.0f, 8.0f, 5.5f, 11.8f, 4.2f, Colour{0, 0, 0, 0.6f});
    c.drawLine(5.5f, 11.8f, 12.0f, 2.5f, 4.2f, Colour{0, 0, 0, 0.6f});
    c.drawLine(2.0f, 8.0f, 5.5f, 11.8f, 2.4f, rgb(120, 235, 130));
    c.drawLine(5.5f, 11.8f, 12.0f, 2.5f, 2.4f, rgb(120, 235, 130));
    return c;
}

Canvas InterfaceArt::statArrow(bool up) {
    // The arrows show which way a number moves, not whether that is good: the two differ in
    // shape and hue but neither is coloured as a warning.
    Canvas c(15, 12);
    std::vector<float> rim = {7.5f, 0.0f, 15.0f, 12.0f, 0.0f, 12.0f};
    std::vector<float> body = {7.5f, 2.2f, 13.0f, 11.0f, 2.0f, 11.0f};
    if (!up) {
        for (size_t i = 1; i < rim.size(); i += 2) rim[i] = 12.0f - rim[i];
        for (size_t i = 1; i < body.size(); i += 2) body[i] = 12.0f - body[i];
    }
    c.fillPolygon(rim, Colour{0, 0, 0, 0.6f});
    c.fillPolygon(body, up ? rgb(120, 225, 255) : rgb(255, 196, 90));
    return c;
}

Canvas InterfaceArt::searchlight() {
    // The beam quads map s along the beam (1 at its foot, 0 at its top, 50 units up) and t across
    // it; they are blended additively, so black adds nothing. Bright at the foot, fading upwards,
    // soft at both sides and black on the border rows and columns that clamping repeats.
    const int size = 128;
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float s = x / float(size - 1);
            float t = y / float(size - 1);
            float across = clamp01(1.0f - std::fabs(2.0f * t - 1.0f));
            float profile = std::pow(across, 1.8f) * 0.7f + std::pow(across, 6.0f) * 0.3f;
            // Four crossed quads add up, and the camera usually sees only the lower third of the
            // beam: it fades fast from a bright foot to a faint glow.
            float along = 0.6f * std::pow(s, 5.0f) + 0.4f * std::pow(s, 16.0f);
            float v = clamp01(profile * along);
            if (x == 0 || y == 0 || y == size - 1) v = 0;
            c.at(x, y) = Colour{v * 0.80f, v * 0.93f, v, 1};
        }
    return c;
}

bool InterfaceArt::keyIcon(Canvas& c, const std::string& word, float arrowDegrees, std::string& error) const {
    // A dark key cap on black: light rim, face lit from above, a darker lip at the bottom.
    float w = c.width(), h = c.height();
    c.fillRect(0, 0, w, h, rgb(0, 0, 0));
    c.fillRoundedRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4.0f, rgb(128, 146, 164));
    c.fillRoundedRect(1.5f, 1.5f, w - 1.5f, h - 1.5f, 3.2f, rgb(24, 28, 35));
    Canvas face(c.width(), c.height());
    face.fillRoundedRect(2.0f, 2.0f, w - 2.0f, h - 4.0f, 2.6f, rgb(255, 255, 255));
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float a = face.at(x, y).a;
            c.blend(x, y, mix(rgb(66, 76, 90), rgb(40, 47, 57), y / h), a);
        }
    const Colour ink = rgb(238, 244, 250);
    float cx = w / 2, cy = (h - 2) / 2;
    if (arrowDegrees >= 0) {
        // An arrow pointing up, turned into place: a triangular head on a short shaft.
        std::vector<float> arrow = {cx,        cy - 7.0f, cx + 6.0f, cy - 0.5f, cx + 1.8f,
                                    cy - 0.5f, cx + 1.8f, cy + 6.5f, cx - 1.8f, cy + 6.5f,
                                    cx - 1.8f, cy - 0.5f, cx - 6.0f, cy - 0.5f};
        c.fillPolygon(turned(arrow, arrowDegrees, cx, cy), ink);
        return true;
    }
    return stampText(c, fontPath, word, 12, true, ink, cx, cy, error);
}

bool InterfaceArt::writeAll(const std::string& dir, std::string& error) const {
    auto bmp = [&](const Canvas& canvas, const char* name) {
        return ImageWriter::saveBmp(canvas, dir + "/" + name, error);
    };
    auto png = [&](const Canvas& canvas, const char* name) {
        return ImageWriter::savePng(canvas, dir + "/" + name, error);
    };
    if (!bmp(wideColumnDark(), "UIWideColumnDark.bmp") || !bmp(columnDark(), "UIColumnDark.bmp") ||
        !bmp(headerBar(200), "UIColumn.bmp") || !bmp(headerBar(SCREEN_WIDTH), "UIWideColumn.bmp") ||
        !png(cursor(true), "UICursor.png") || !png(cursor(false), "UICursorDark.png") ||
        !png(checkMark(), "UICheck.png") || !png(statArrow(true), "UIStatUp.png") ||
        !png(statArrow(false), "UIStatDown.png") || !bmp(searchlight(), "SearchlightTexture.bmp"))
        return false;
    for (const KeySpec& key : keys) {
        Canvas canvas(key.width, keyHeight);
        if (!keyIcon(canvas, key.word, key.arrow, error) || !bmp(canvas, key.file)) return false;
    }
    return true;
}
