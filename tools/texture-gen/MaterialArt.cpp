#include "MaterialArt.h"

#include "Canvas.h"
#include "ImageWriter.h"
#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace {
const int N = MaterialArt::size;
const float twoPi = 6.28318530718f;

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// A per-pixel grain in [-1, 1] that repeats with the texture.
float grain(const Noise& noise, int x, int y) {
    return noise.value(float(x), float(y), N, N) * 2.0f - 1.0f;  // exactly one lattice value per pixel
}

// Fills the canvas with base colour times (1 + amount * (noise - 0.5) * 2).
void mottle(Canvas& c, const Noise& noise, const Colour& base, float amount, int cells, int octaves,
            float grainAmount) {
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float v = (noise.fractal(x, y, cells, N, octaves) - 0.5f) * 2.0f;
            c.at(x, y) = scaled(base, 1.0f + amount * v + grainAmount * grain(noise, x, y));
        }
}

// An ellipse turned by `angle` radians, painted with wrap-around.
void fillTurnedEllipse(Canvas& c, float cx, float cy, float rx, float ry, float angle, const Colour& colour) {
    float cs = std::cos(angle), sn = std::sin(angle);
    auto inside = [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        float u = (dx * cs + dy * sn) / rx, v = (-dx * sn + dy * cs) / ry;
        return u * u + v * v <= 1.0f;
    };
    float r = std::max(rx, ry);
    c.fillShape(inside, colour, cx - r, cy - r, cx + r, cy + r, true);
}

// A small dome: light on its upper left, shadow on its lower right.
void rivet(Canvas& c, float x, float y, const Colour& base) {
    c.fillEllipse(x + 0.6f, y + 0.7f, 2.2f, 2.2f, Colour{0, 0, 0, 0.35f}, true);
    c.fillEllipse(x, y, 1.9f, 1.9f, scaled(base, 0.8f), true);
    c.fillEllipse(x - 0.5f, y - 0.5f, 1.0f, 1.0f, scaled(base, 1.25f), true);
}

// A bevelled seam line: a dark groove with a highlight on the side facing the light.
void seamH(Canvas& c, float y, float x0, float x1) {
    c.fillRect(x0, y, x1, y + 1, Colour{0.12f, 0.13f, 0.15f, 0.75f}, true);
    c.fillRect(x0, y + 1, x1, y + 2, Colour{1, 1, 1, 0.28f}, true);
}
void seamV(Canvas& c, float x, float y0, float y1) {
    c.fillRect(x, y0, x + 1, y1, Colour{0.12f, 0.13f, 0.15f, 0.75f}, true);
    c.fillRect(x + 1, y0, x + 2, y1, Colour{1, 1, 1, 0.28f}, true);
}

Canvas asphaltBase(uint32_t seed) {
    Canvas c(N, N);
    Noise noise(seed);
    mottle(c, noise, rgb(54, 56, 59), 0.12f, 4, 4, 0.10f);
    for (int i = 0; i < 700; ++i) {
        int x = noise.range(0, N - 1), y = noise.range(0, N - 1);
        float v = noise.next();
        Colour speck = v < 0.5f ? rgb(96, 97, 100) : rgb(28, 29, 31);
        c.blend(x, y, speck, 0.7f);
    }
    return c;
}
}  // namespace

const std::vector<MaterialArt::Entry>& MaterialArt::all() {
    static const std::vector<Entry> entries = {
        {"armor_plate.bmp", armorPlate},
        {"armor_dark.bmp", armorDark},
        {"hazard_stripes.bmp", hazardStripes},
        {"circuit.bmp", circuit},
        {"visor.bmp", visor},
        {"tread.bmp", tread},
        {"grass.bmp", grass},
        {"road.bmp", road},
        {"asphalt.bmp", asphalt},
        {"concrete.bmp", concrete},
        {"brick.bmp", brick},
        {"windows.bmp", windows},
        {"water.bmp", water},
        {"rubble.bmp", rubble},
        {"foliage.bmp", foliage},
        {"bark.bmp", bark},
        {"sand.bmp", sand},
    };
    return entries;
}

bool MaterialArt::writeAll(const std::string& dir, std::string& error) {
    for (const Entry& e : all())
        if (!ImageWriter::saveBmp(e.paint(), dir + "/" + e.file, error)) return false;
    return true;
}

Canvas MaterialArt::armorPlate() {
    // Light painted plates, 64 pixels square, in two bands whose joints are staggered; rivets run
    // along every plate edge.
    Canvas c(N, N);
    Noise noise(101);
    const Colour paint = rgb(170, 176, 182);
    mottle(c, noise, paint, 0.05f, 4, 4, 0.025f);
    // Each plate gets its own slight tint, as if painted separately.
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            bool bandA = y >= 32 && y < 96;
            int plate = bandA ? ((x + 112) % N) / 64 : 2 + ((x + 80) % N) / 64;
            float tint = 1.0f + 0.04f * (plate % 2 ? 1 : -1) * (plate < 2 ? 1 : 0.6f);
            Colour& p = c.at(x, y);
            p = scaled(p, tint);
        }
    seamH(c, 32, 0, N);
    seamH(c, 96, 0, N);
    for (int x : {16, 80}) seamV(c, x, 32, 96);
    for (int x : {48, 112}) {
        seamV(c, x, 96, N);
        seamV(c, x, 0, 32);
    }
    for (float x = 8; x < N; x += 16) {
        rivet(c, x, 37, paint);
        rivet(c, x, 91, paint);
        rivet(c, x, 101, paint);
        rivet(c, x, 27, paint);
    }
    for (int x : {16, 80})
        for (float y : {48.0f, 64.0f, 80.0f}) {
            rivet(c, x - 5, y, paint);
            rivet(c, x + 6, y, paint);
        }
    for (int x : {48, 112})
        for (float y : {112.0f, 128.0f, 144.0f}) {
            rivet(c, x - 5, y, paint);
            rivet(c, x + 6, y, paint);
        }
    // Grime gathers low on each plate.
    c.shade([&](int x, int y) { return 0.94f + 0.08f * noise.fractal(x, y, 2, N, 3); });
    return c;
}

Canvas MaterialArt::armorDark() {
    // Brushed gunmetal: long faint horizontal streaks, then scratches in random directions.
    Canvas c(N, N);
    Noise noise(202);
    const Colour metal = rgb(60, 64, 71);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float broad = noise.fractal(x, y, 2, N, 3) - 0.5f;
            float streak = noise.stretched(x, y, 2, 48, N) - 0.5f;
            c.at(x, y) = scaled(metal, 1.0f + 0.22f * broad + 0.16f * streak + 0.04f * grain(noise, x, y));
        }
    for (int i = 0; i < 34; ++i) {
        float x = noise.next() * N, y = noise.next() * N;
        float angle = noise.next() * twoPi, length = 4 + noise.next() * 14;
        float bright = 0.25f + 0.35f * noise.next();
        c.drawLine(x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, 0.7f,
                   Colour{0.62f, 0.65f, 0.7f, bright}, true);
    }
    return c;
}

Canvas MaterialArt::hazardStripes() {
    // Yellow and black at 45 degrees, 16 pixels each; 32 divides 128, so the stripes meet across
    // every edge. Worn paint lets dark metal through in places.
    Canvas c(N, N);
    Noise noise(303);
    const Colour yellow = rgb(238, 188, 24), black = rgb(26, 26, 28);
    c.fillRect(0, 0, N, N, black);
    c.fillShape([](float x, float y) { return std::fmod(x + y, 32.0f) < 16.0f; }, yellow, 0, 0, N, N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float wear = noise.fractal(x, y, 8, N, 3);
            Colour& p = c.at(x, y);
            p = scaled(p, 0.93f + 0.1f * noise.fractal(x, y, 4, N, 2) + 0.03f * grain(noise, x, y));
            if (wear > 0.68f) p = mix(p, rgb(70, 66, 60), clamp01((wear - 0.68f) * 8.0f) * 0.8f);
        }
    return c;
}

Canvas MaterialArt::circuit() {
    // A dark green board with bright cyan traces on an 8-pixel grid, solder pads at their ends
    // and a few dark chips on top.
    Canvas c(N, N);
    Noise noise(404);
    mottle(c, noise, rgb(14, 60, 36), 0.14f, 4, 3, 0.05f);
    const Colour trace = rgb(60, 228, 240);
    const int dirs[8][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
    for (int t = 0; t < 26; ++t) {
        float x = 4 + 8 * noise.range(0, 15), y = 4 + 8 * noise.range(0, 15);
        int dir = noise.range(0, 3);
        int segments = noise.range(2, 5);
        c.fillEllipse(x, y, 2.4f, 2.4f, trace, true);
        c.fillEllipse(x, y, 1.0f, 1.0f, rgb(10, 40, 24), true);
        for (int s = 0; s < segments; ++s) {
            int steps = noise.range(1, 4);
            float nx = x + dirs[dir][0] * 8 * steps, ny = y + dirs[dir][1] * 8 * steps;
            c.drawLine(x, y, nx, ny, 1.6f, trace, true);
            x = nx;
            y = ny;
            // Turn by 45 degrees at most, as board traces do.
            int turn = noise.range(0, 2);
            if (turn == 1)
                dir = dir < 4 ? 4 + (dir + 1) % 4 : dir - 4;
            else if (turn == 2)
                dir = dir < 4 ? 4 + dir : (dir - 4 + 1) % 4;
        }
        c.fillEllipse(x, y, 2.4f, 2.4f, trace, true);
        c.fillEllipse(x, y, 1.0f, 1.0f, rgb(10, 40, 24), true);
    }
    for (int i = 0; i < 3; ++i) {
        float x = 8 + 8 * noise.range(0, 13), y = 8 + 8 * noise.range(0, 13);
        float w = 16 + 8 * noise.range(0, 1), h = 12 + 4 * noise.range(0, 1);
        for (float px = x + 3; px < x + w - 1; px += 4) {
            c.fillRect(px, y - 3, px + 2, y, rgb(190, 196, 200), true);
            c.fillRect(px, y + h, px + 2, y + h + 3, rgb(190, 196, 200), true);
        }
        c.fillRect(x + 1, y + 1, x + w + 1, y + h + 1, Colour{0, 0, 0, 0.5f}, true);
        c.fillRect(x, y, x + w, y + h, rgb(24, 27, 30), true);
        c.fillRect(x, y, x + w, y + 1, rgb(52, 56, 62), true);
        c.fillEllipse(x + 3, y + 3, 1.2f, 1.2f, rgb(70, 74, 80), true);
    }
    return c;
}

Canvas MaterialArt::visor() {
    // Hot red-orange glass: a glow that drifts across the surface, dark scan lines every 4 rows
    // and a faint bright band like a reflection.
    Canvas c(N, N);
    Noise noise(505);
    const Colour hot = rgb(255, 138, 40), deep = rgb(200, 40, 16);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float glow = noise.fractal(x, y, 2, N, 3);
            Colour p = mix(deep, hot, clamp01(glow * 1.3f - 0.1f));
            float band = 0.5f + 0.5f * std::sin(twoPi * (y + x) / N);  // whole waves both ways
            p = mix(p, rgb(255, 210, 150), 0.18f * band * band * band);
            if (y % 4 == 3)
                p = scaled(p, 0.55f);
            else if (y % 4 == 0)
                p = scaled(p, 1.08f);
            c.at(x, y) = p;
        }
    return c;
}

Canvas MaterialArt::tread() {
    // Rubber ridges across the track every 16 pixels: lit top edge, flat face, shadowed foot.
    Canvas c(N, N);
    Noise noise(606);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            int r = y % 16;
            Colour p;
            if (r < 3 || r > 12)
                p = rgb(20, 20, 22);  // groove
            else if (r == 3)
                p = rgb(74, 74, 78);
            else if (r == 12)
                p = rgb(30, 30, 33);
            else
                p = mix(rgb(52, 52, 56), rgb(40, 40, 44), (r - 4) / 7.0f);
            float wear = noise.fractal(x, y, 4, N, 3);
            p = scaled(p, 0.9f + 0.2f * wear + 0.06f * grain(noise, x, y));
            c.at(x, y) = p;
        }
    // A centre channel splits every ridge.
    c.fillRect(62, 0, 66, N, Colour{0.08f, 0.08f, 0.09f, 0.85f});
    return c;
}

Canvas MaterialArt::grass() {
    // Patches of lighter and darker turf under a few thousand short blades.
    Canvas c(N, N);
    Noise noise(707);
    mottle(c, noise, rgb(58, 108, 40), 0.2f, 4, 4, 0.06f);
    for (int i = 0; i < 1400; ++i) {
        float x = noise.next() * N, y = noise.next() * N;
        float angle = -1.5708f + (noise.next() - 0.5f) * 1.1f;
        float length = 2.5f + noise.next() * 3.5f;
        Colour blade = mix(rgb(36, 84, 28), rgb(122, 176, 66), noise.next());
        blade.a = 0.8f;
        c.drawLine(x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, 0.9f, blade, true);
    }
    return c;
}

Canvas MaterialArt::road() {
    // Asphalt with a dashed centre line running along the texture's vertical axis: dashes of
    // 48 pixels every 64, so a tile shows two and they continue into the next tile.
    Canvas c = asphaltBase(808);
    Noise noise(809);
    // Tyre-worn lanes either side of the line.
    c.shade([](int x, int) {
        float d = std::fabs(x - 64.0f);
        return 1.0f - 0.06f * std::exp(-(d - 32) * (d - 32) / 120.0f);
    });
    for (float y0 : {8.0f, 72.0f}) c.fillRect(61, y0, 67, y0 + 48, rgb(226, 222, 196));
    for (int y = 0; y < N; ++y)
        for (int x = 60; x < 68; ++x) {
            float wear = noise.fractal(x, y, 16, N, 2);
            if (wear > 0.6f) c.at(x, y) = mix(c.at(x, y), rgb(60, 61, 63), clamp01((wear - 0.6f) * 4));
        }
    return c;
}

Canvas MaterialArt::asphalt() {
    return asphaltBase(909);
}

Canvas MaterialArt::concrete() {
    // Four light grey slabs with joints, pitted, with faint stains.
    Canvas c(N, N);
    Noise noise(1010);
    mottle(c, noise, rgb(174, 174, 169), 0.07f, 4, 4, 0.05f);
    c.shade([&](int x, int y) {
        float stain = noise.fractal(x + 17, y + 31, 2, N, 3);
        return 1.0f - 0.12f * clamp01((stain - 0.55f) * 3.0f);
    });
    for (int i = 0; i < 220; ++i) {
        float x = noise.next() * N, y = noise.next() * N;
        c.fillEllipse(x, y, 0.7f, 0.7f, Colour{0.35f, 0.35f, 0.34f, 0.45f}, true);
    }
    for (float p : {32.0f, 96.0f}) {
        seamH(c, p, 0, N);
        seamV(c, p, 0, N);
    }
    return c;
}

Canvas MaterialArt::brick() {
    // Bricks of 32 x 16 (with 2-pixel mortar), every other course shifted by half a brick; each
    // brick has its own shade and a bevel.
    Canvas c(N, N);
    Noise noise(1111);
    const Colour mortar = rgb(168, 162, 150);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            int yy = (y + 12) % N;  // courses offset so that no mortar sits on the texture's edge
            int course = yy / 16;
            int xx = (x + 8 + (course % 2) * 16) % N;
            int bx = xx % 32, by = yy % 16;
            int brickId = course * 4 + xx / 32;
            float fine = grain(noise, x, y);
            if (bx < 2 || by < 2) {
                c.at(x, y) = scaled(mortar, 0.92f + 0.08f * fine);
                continue;
            }
            Noise shade(static_cast<uint32_t>(5000 + brickId));
            float tone = shade.next();
            Colour base = mix(rgb(140, 56, 40), rgb(176, 84, 58), tone);
            if (shade.next() < 0.15f) base = mix(base, rgb(92, 40, 30), 0.6f);
            float f = 1.0f + 0.08f * fine + 0.12f * (noise.fractal(x, y, 8, N, 2) - 0.5f);
            if (by == 2)
                f *= 1.18f;
            else if (by == 15)
                f *= 0.78f;
            if (bx == 2)
                f *= 1.08f;
            else if (bx == 31)
                f *= 0.85f;
            c.at(x, y) = scaled(base, f);
        }
    return c;
}

Canvas MaterialArt::windows() {
    // An office facade: 4 x 4 windows per tile in a concrete frame, some lit warm, the rest dark
    // glass catching a diagonal reflection.
    Canvas c(N, N);
    Noise noise(1212);
    mottle(c, noise, rgb(118, 122, 128), 0.06f, 4, 3, 0.04f);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            float x0 = col * 32 + 5, y0 = row * 32 + 6, x1 = x0 + 22, y1 = y0 + 20;
            bool lit = noise.next() < 0.4f;
            float warmth = noise.next();
            c.fillRect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, rgb(70, 74, 80));
            for (int y = int(y0); y < int(y1); ++y)
                for (int x = int(x0); x < int(x1); ++x) {
                    float t = (y - y0) / (y1 - y0);
                    Colour p;
                    if (lit) {
                        p = mix(rgb(255, 226, 140), rgb(226, 170, 84), t);
                        p = mix(p, rgb(255, 244, 210), 0.3f * warmth);
                        if ((y - int(y0)) % 5 == 4) p = scaled(p, 0.9f);  // blinds
                    } else {
                        p = mix(rgb(58, 74, 96), rgb(26, 34, 46), t);
                        float d = (x - x0) + (y - y0);
                        if (d > 12 && d < 20) p = mix(p, rgb(120, 140, 165), 0.35f);
                    }
                    c.at(x, y) = p;
                }
            c.fillRect(x0 + 10, y0, x0 + 12, y1, rgb(70, 74, 80));           // mullion
            c.fillRect(x0 - 2, y1 + 1, x1 + 2, y1 + 3, rgb(150, 154, 160));  // sill
            c.fillRect(x0 - 2, y1 + 3, x1 + 2, y1 + 4, rgb(80, 84, 90));
        }
    return c;
}

Canvas MaterialArt::water() {
    // Deep blue with light ripples: two sets of waves of whole wavelengths per tile, bent by
    // noise, each drawn as thin bright crest lines.
    Canvas c(N, N);
    Noise noise(1313);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float warp = noise.fractal(x, y, 2, N, 3) * 9.0f;
            float a = 0.5f + 0.5f * std::sin(twoPi * (4 * x + 1 * y) / N + warp);
            float b = 0.5f + 0.5f * std::sin(twoPi * (-2 * x + 5 * y) / N + warp * 0.7f);
            float crest = std::pow(a, 10.0f) * 0.55f + std::pow(b, 14.0f) * 0.4f;
            float depth = noise.fractal(x + 40, y + 40, 2, N, 2);
            Colour p = mix(rgb(16, 58, 112), rgb(34, 96, 158), depth);
            p = mix(p, rgb(160, 212, 244), clamp01(crest));
            c.at(x, y) = scaled(p, 1.0f + 0.03f * grain(noise, x, y));
        }
    return c;
}

Canvas MaterialArt::rubble() {
    // Broken concrete: cells around scattered points (measured across the edges, so the chunks
    // tile), each a chunk with its own tone, a lit upper-left face and dark cracks between; then
    // dust, rust-brown debris and a few bent rods.
    Canvas c(N, N);
    Noise noise(1414);
    const int count = 34;
    float px[count], py[count], tone[count];
    for (int i = 0; i < count; ++i) {
        px[i] = noise.next() * N;
        py[i] = noise.next() * N;
        tone[i] = noise.next();
    }
    auto wrapDelta = [](float d) {
        if (d > N / 2) d -= N;
        if (d < -N / 2) d += N;
        return d;
    };
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float best = 1e9f, second = 1e9f, bdx = 0, bdy = 0;
            int owner = 0;
            for (int i = 0; i < count; ++i) {
                float dx = wrapDelta(x - px[i]), dy = wrapDelta(y - py[i]);
                float d = std::sqrt(dx * dx + dy * dy);
                if (d < best) {
                    second = best;
                    best = d;
                    owner = i;
                    bdx = dx;
                    bdy = dy;
                } else if (d < second) {
                    second = d;
                }
            }
            float edge = clamp01((second - best) / 5.0f);
            Colour p = mix(rgb(104, 102, 98), rgb(176, 173, 166), tone[owner]);
            float facing = best > 0 ? -(bdx + bdy) / (best * 1.414f) : 0;
            p = scaled(p, (0.55f + 0.45f * edge) * (1.0f + 0.18f * facing) + 0.07f * grain(noise, x, y));
            c.at(x, y) = p;
        }
    for (int i = 0; i < 260; ++i) {
        float x = noise.next() * N, y = noise.next() * N, r = 0.6f + noise.next() * 1.4f;
        Colour speck =
            noise.next() < 0.3f ? rgb(120, 78, 50) : mix(rgb(60, 58, 55), rgb(200, 196, 188), noise.next());
        c.fillEllipse(x, y, r, r * 0.8f, speck, true);
    }
    for (int i = 0; i < 4; ++i) {
        float x = noise.next() * N, y = noise.next() * N, angle = noise.next() * twoPi;
        float mx = x + std::cos(angle) * 9, my = y + std::sin(angle) * 9;
        float bend = angle + (noise.next() - 0.5f) * 1.2f;
        c.drawLine(x, y, mx, my, 1.3f, rgb(92, 52, 34), true);
        c.drawLine(mx, my, mx + std::cos(bend) * 7, my + std::sin(bend) * 7, 1.3f, rgb(92, 52, 34), true);
    }
    return c;
}

Canvas MaterialArt::foliage() {
    // Layers of overlapping leaves, each with a midrib; leaves further down the pile are darker.
    Canvas c(N, N);
    Noise noise(1515);
    mottle(c, noise, rgb(18, 44, 16), 0.25f, 4, 3, 0.05f);
    const int leaves = 520;
    for (int i = 0; i < leaves; ++i) {
        float x = noise.next() * N, y = noise.next() * N;
        float angle = noise.next() * twoPi;
        float length = 4.5f + noise.next() * 3.0f, width = 2.0f + noise.next() * 1.4f;
        Colour leaf = mix(rgb(38, 92, 30), rgb(96, 152, 52), noise.next());
        leaf = scaled(leaf, 0.5f + 0.5f * float(i) / leaves);
        fillTurnedEllipse(c, x, y, length, width, angle, leaf);
        float dx = std::cos(angle) * length * 0.8f, dy = std::sin(angle) * length * 0.8f;
        c.drawLine(x - dx, y - dy, x + dx, y + dy, 0.5f,
                   Colour{leaf.r * 0.6f, leaf.g * 0.6f, leaf.b * 0.6f, 0.8f}, true);
    }
    return c;
}

Canvas MaterialArt::bark() {
    // Vertical fibres and long fissures: noise with many more cells across the trunk than along
    // it, so that its features run lengthwise.
    Canvas c(N, N);
    Noise noise(1616);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float fibre = noise.stretchedFractal(x, y, 32, 4, N, 3);
            float plates = noise.stretchedFractal(x, y, 8, 2, N, 2);
            float ridge = 1.0f - std::fabs(2.0f * noise.stretchedFractal(x, y, 16, 3, N, 3) - 1.0f);
            Colour p = mix(rgb(70, 48, 32), rgb(128, 96, 66), clamp01(0.1f + 0.5f * fibre + 0.5f * plates));
            if (ridge > 0.8f) p = mix(p, rgb(34, 22, 15), clamp01((ridge - 0.8f) * 7.0f));
            c.at(x, y) = scaled(p, 1.0f + 0.07f * grain(noise, x, y));
        }
    return c;
}

Canvas MaterialArt::sand() {
    // Warm fine grain with soft wind ripples and a scatter of small dark pebbles.
    Canvas c(N, N);
    Noise noise(1717);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float warp = noise.fractal(x, y, 2, N, 2) * 3.0f;
            float ripple = std::sin(twoPi * (1 * x + 6 * y) / N + warp);
            float patch = noise.fractal(x, y, 4, N, 3) - 0.5f;
            Colour p = scaled(rgb(214, 190, 142),
                              1.0f + 0.05f * ripple + 0.12f * patch + 0.07f * grain(noise, x, y));
            c.at(x, y) = p;
        }
    for (int i = 0; i < 40; ++i) {
        float x = noise.next() * N, y = noise.next() * N, r = 0.7f + noise.next();
        c.fillEllipse(x, y, r, r * 0.8f, mix(rgb(120, 104, 82), rgb(170, 150, 118), noise.next()), true);
    }
    return c;
}
