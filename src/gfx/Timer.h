#pragma once
#include <cstdint>

// Millisecond stopwatch on SDL's tick count: the battle's hit markers and every model's
// animation clock. Restart it with reset() then start().
class Timer {
public:
    bool stopped = true;
    std::uint32_t startTicks = 0;
    std::uint32_t accumulated = 0;

    void reset();
    void start();
    void stop();
    std::uint32_t elapsed() const;

    // Every timer's clock held at the given tick count until released: pictures drawn at the
    // same held time show the same frame of every animation (the same-picture test).
    static void holdClock(std::uint32_t ticks);
    static void releaseClock();

private:
    static std::uint32_t now();
};
