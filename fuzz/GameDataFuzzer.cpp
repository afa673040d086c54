// Loads arbitrary database bytes the way the game loads data.db, then walks everything a match
// reads from the catalogues: the maps' cells and start zones, every listing, a reset, pilots.
// Model names from the bytes are looked up from the working folder like the game's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "data/GameData.h"
#include "storage/MetakitStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    MetakitStorage storage;
    if (!storage.decode(bytes, size)) return 0;
    GameData data;
    data.load(storage);
    data.reset();

    std::ostringstream out;
    for (const auto& entry : data.attacks) out << entry.second;
    for (const auto& entry : data.components) out << entry.second;
    for (const auto& entry : data.terrains) out << entry.second;
    for (const auto& entry : data.maps) {
        const Map& map = entry.second;
        out << map;
        for (int y = -1; y <= map.getHeight(); ++y)
            for (int x = -1; x <= map.getWidth(); ++x)
                if (const Terrain* terrain = map.terrainAt(x, y)) out << terrain->isTraversable();
        for (int side = -1; side <= 2; ++side) out << map.startZone(side).size();
    }

    // However few names the bytes hold, every pilot is made and every skill point placed.
    data.sides[0].skillPointTotal = 400;
    data.generatePilots();
    for (const Pilot* pilot : data.sides[0].pilots)
        if (pilot->reflexes + pilot->meleeAttack + pilot->rangedAttack + pilot->defense != 40) std::abort();
    return 0;
}
