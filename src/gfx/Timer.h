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
};
