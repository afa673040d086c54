#pragma once
// The random source of the name shuffle. Every draw reseeds the C library generator from the
// millisecond tick count and then takes one rand() value, so draws within the same millisecond
// repeat themselves. It is the only place the generator is ever seeded: pilot generation and the
// battle's rolls continue from the last of these seeds.

#include <cstdint>
#include <string>
#include <vector>

class NameShuffleRandom {
public:
    using TickSource = uint32_t (*)();

    // The game reads SDL_GetTicks(); tests hand in a clock of their own.
    explicit NameShuffleRandom(TickSource ticks = nullptr);

    // srand(ticks()), then rand() % bound. A bound below 1 gives 0 without drawing.
    int operator()(int bound);

    // Swaps element i with element draw(i + 1) for i = 1, 2, ... in increasing order.
    void shuffle(std::vector<std::string>& names);

private:
    TickSource ticks;
};
