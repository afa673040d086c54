#pragma once
// One hit attempt shown on the battle map: the tile and the damage dealt, 0 for a miss.

struct HitMarker {
    int x = 0;
    int y = 0;
    int value = 0;
};
