#pragma once
// Deterministic randomness for the texture generator: a small seeded generator (the same seed
// always paints the same texture, on every machine) and value noise that repeats exactly every
// `period` pixels, so that noisy materials tile without a seam.

#include <cstdint>

class Noise {
public:
    explicit Noise(uint32_t seed);

    // Next pseudo-random value in [0, 1).
    float next();
    // Next integer in [lo, hi].
    int range(int lo, int hi);

    // Smooth value noise in [0, 1] with a lattice of `cells` cells across `period` pixels; it wraps
    // around at multiples of `period` in both directions.
    float value(float x, float y, int cells, int period) const;
    // The same with its own number of cells across (x) and down (y): stretched features that still
    // repeat every `period` pixels.
    float stretched(float x, float y, int cellsX, int cellsY, int period) const;
    // Sum of octaves of value(), starting at `cells` and doubling, each at half the weight; [0, 1].
    float fractal(float x, float y, int cells, int period, int octaves) const;
    float stretchedFractal(float x, float y, int cellsX, int cellsY, int period, int octaves) const;

private:
    float lattice(int x, int y, int octaveSalt) const;

    uint32_t seed;
    uint64_t state;
};
