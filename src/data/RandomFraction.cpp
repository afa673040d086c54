#include "data/RandomFraction.h"

#include <cstdlib>

double randomFraction() {
    // The rolls were tuned for a generator of 15 bits (0 to 32767). The C library here may give
    // 31 bits, and dividing those by 32767 would leave 0..1 for a few values only: every hit
    // roll would miss. Keeping the low 15 bits gives the intended range on any platform.
    return static_cast<double>(rand() & 0x7FFF) / 32767.0;
}
