#include "gfx/Timer.h"

#include <SDL.h>

void Timer::reset() {
    startTicks = 0;
    accumulated = 0;
    stopped = true;
}

void Timer::start() {
    if (!stopped)
        return;
    startTicks = SDL_GetTicks();
    stopped = false;
}

void Timer::stop() {
    if (stopped)
        return;
    accumulated += SDL_GetTicks() - startTicks;
    stopped = true;
}

std::uint32_t Timer::elapsed() const {
    if (stopped)
        return accumulated;
    // Unsigned arithmetic keeps this right across the tick counter's wrap.
    return SDL_GetTicks() + accumulated - startTicks;
}
