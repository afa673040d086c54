#include "data/SideSetup.h"

void SideSetup::reset() {
    controller = COMPUTER;
    maxSquadSize = 4;
    maxSquadWeight = 50000;
    skillPointTotal = 300;
    squad.clear();
    pilots.clear();
}
