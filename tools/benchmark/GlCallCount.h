#pragma once
// The benchmark's own count of the OpenGL calls it makes: every gl* and glu* function the game's
// library calls, and the extension entry points it asks SDL for, count each call on their way to
// the driver (GlCallCount.cpp and the generated trampolines). Calls replayed from a display list
// are the driver's business and count once, as the glCallList that replays them.

#include <string>
#include <vector>

namespace GlCallCount {

struct Totals {
    long calls = 0;
    long immediateVertices = 0;  // glVertex* calls: vertices sent one call at a time
};

// False where the counters are not built (not x86-64): every count is then 0.
bool available();
// Calls so far, since the program started.
Totals now();
// Per function, calls so far: (name, count), for the functions called at least once.
std::vector<std::pair<std::string, long>> perFunction();

}  // namespace GlCallCount
