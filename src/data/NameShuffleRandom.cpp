#include "data/NameShuffleRandom.h"

#include <SDL.h>

#include <cstdlib>
#include <utility>

namespace {

uint32_t sdlTicks() {
    return SDL_GetTicks();
}

}  // namespace

NameShuffleRandom::NameShuffleRandom(TickSource source) : ticks(source ? source : &sdlTicks) {}

int NameShuffleRandom::operator()(int bound) {
    if (bound < 1) return 0;
    srand(ticks());
    return rand() % bound;
}

void NameShuffleRandom::shuffle(std::vector<std::string>& names) {
    for (size_t i = 1; i < names.size(); ++i) {
        size_t other = static_cast<size_t>((*this)(static_cast<int>(i + 1)));
        std::swap(names[i], names[other]);
    }
}
