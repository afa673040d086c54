#include "gfx/Timer.h"

#include <SDL.h>

namespace {
bool held = false;
std::uint32_t heldTicks = 0;
}  // namespace

void Timer::holdClock(std::uint32_t ticks) {
    held = true;
    heldTicks = ticks;
}

void Timer::releaseClock() {
    held = false;
}

std::uint32_t Timer::now() {
    return held ? heldTicks : SDL_GetTicks();
}

void Timer::reset() {
    startTicks = 0;
    accumulated = 0;
    stopped = true;
}

void Timer::start() {
    if (!stopped) return;
    startTicks = now();
    stopped = false;
}

void Timer::stop() {
    if (stopped) return;
    accumulated += now() - startTicks;
    stopped = true;
}

std::uint32_t Timer::elapsed() const {
    if (stopped) return accumulated;
    // Unsigned arithmetic keeps this right across the tick counter's wrap.
    return now() + accumulated - startTicks;
}
