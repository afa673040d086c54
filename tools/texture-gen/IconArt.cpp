#include "IconArt.h"

#include "Canvas.h"

#include <cmath>

namespace {
const float pi = 3.14159265f;

// Inside a gear of `teeth` teeth centred on (cx, cy): the rim radius, raised to the tip radius
// over the middle of every tooth; the hub hole left empty.
bool insideGear(float x, float y, float cx, float cy, float rim, float tip, float hole, int teeth) {
    float dx = x - cx, dy = y - cy;
    float r = std::sqrt(dx * dx + dy * dy);
    if (r < hole || r > tip) return false;
    if (r <= rim) return true;
    float angle = std::atan2(dy, dx) + pi;  // 0..2 pi
    float phase = std::fmod(angle / (2 * pi) * teeth, 1.0f);
    return phase > 0.25f && phase < 0.75f;
}
}  // namespace

Canvas IconArt::icon(int size) {
    Canvas c(size, size);
    const float s = static_cast<float>(size);
    const float mid = s / 2;

    // The tile: near-black blue with a cyan rim, as the interface's panels.
    c.fillRoundedRect(0.02f * s, 0.02f * s, 0.98f * s, 0.98f * s, 0.16f * s, rgb(70, 195, 235));
    c.fillRoundedRect(0.045f * s, 0.045f * s, 0.955f * s, 0.955f * s, 0.14f * s, rgb(16, 24, 36));
    c.shade([&](int, int y) { return 1.25f - 0.5f * y / s; });

    // The gear in steel, a shadow first so it stands off the tile.
    auto gear = [&](float offset) {
        return [=](float x, float y) {
            return insideGear(x, y, mid + offset, mid + offset, 0.33f * s, 0.41f * s, 0.0f, 10);
        };
    };
    c.fillShape(gear(0.015f * s), Colour{0, 0, 0, 0.6f}, 0, 0, s, s);
    c.fillShape(gear(0), rgb(150, 162, 176), 0, 0, s, s);
    c.fillEllipse(mid, mid, 0.27f * s, 0.27f * s, rgb(96, 108, 124));

    // The robot's head: a rounded block with a glowing visor slit.
    c.fillRoundedRect(0.33f * s, 0.34f * s, 0.67f * s, 0.66f * s, 0.06f * s, rgb(44, 54, 68));
    c.fillRoundedRect(0.37f * s, 0.44f * s, 0.63f * s, 0.52f * s, 0.03f * s, rgb(150, 240, 255));
    c.fillRect(0.37f * s, 0.44f * s, 0.63f * s, 0.46f * s, rgb(230, 252, 255));
    c.fillRect(0.47f * s, 0.27f * s, 0.53f * s, 0.34f * s, rgb(44, 54, 68));
    c.fillEllipse(mid, 0.26f * s, 0.035f * s, 0.035f * s, rgb(255, 170, 60));

    // The arc: a warm band along the lower right of the gear.
    auto arc = [=](float x, float y) {
        float dx = x - mid, dy = y - mid;
        float r = std::sqrt(dx * dx + dy * dy);
        float angle = std::atan2(dy, dx);  // 0 points right, pi/2 down
        return r > 0.43f * s && r < 0.47f * s && angle > -0.35f && angle < 2.2f;
    };
    c.fillShape(arc, rgb(255, 170, 60), 0, 0, s, s);
    return c;
}
