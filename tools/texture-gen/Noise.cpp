#include "Noise.h"

#include <cmath>

namespace {
uint32_t hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float smooth(float t) {
    return t * t * (3 - 2 * t);
}
}  // namespace

Noise::Noise(uint32_t seed) : seed(seed), state(0x9E3779B97F4A7C15ULL ^ seed) {}

float Noise::next() {
    // splitmix64
    state += 0x9E3779B97F4A7C15ULL;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<float>((z >> 40) / double(1ULL << 24));
}

int Noise::range(int lo, int hi) {
    int n = lo + static_cast<int>(next() * (hi - lo + 1));
    return n > hi ? hi : n;
}

float Noise::lattice(int x, int y, int octaveSalt) const {
    uint32_t h =
        hash(seed ^ hash(static_cast<uint32_t>(x) * 73856093U ^ static_cast<uint32_t>(y) * 19349663U ^
                         static_cast<uint32_t>(octaveSalt) * 83492791U));
    return (h & 0xFFFFFF) / float(0xFFFFFF);
}

float Noise::value(float x, float y, int cells, int period) const {
    return stretched(x, y, cells, cells, period);
}

float Noise::stretched(float x, float y, int cellsX, int cellsY, int period) const {
    if (cellsX < 1) cellsX = 1;
    if (cellsY < 1) cellsY = 1;
    float fx = x * cellsX / period, fy = y * cellsY / period;
    float ix = std::floor(fx), iy = std::floor(fy);
    float tx = smooth(fx - ix), ty = smooth(fy - iy);
    auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    int x0 = wrap(int(ix), cellsX), x1 = wrap(int(ix) + 1, cellsX);
    int y0 = wrap(int(iy), cellsY), y1 = wrap(int(iy) + 1, cellsY);
    int salt = cellsX * 4099 + cellsY;
    float a = lattice(x0, y0, salt), b = lattice(x1, y0, salt);
    float c = lattice(x0, y1, salt), d = lattice(x1, y1, salt);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::fractal(float x, float y, int cells, int period, int octaves) const {
    return stretchedFractal(x, y, cells, cells, period, octaves);
}

float Noise::stretchedFractal(float x, float y, int cellsX, int cellsY, int period, int octaves) const {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += stretched(x, y, cellsX, cellsY, period) * weight;
        total += weight;
        weight *= 0.5f;
        cellsX *= 2;
        cellsY *= 2;
    }
    return total > 0 ? sum / total : 0;
}
