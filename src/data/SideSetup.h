#pragma once
// One side's settings and squad: side 0 is player 1, side 1 is player 2 or the computer.
// The lists only refer to robots and pilots; GameData owns them.

#include <vector>

class Pilot;
class Robot;

class SideSetup {
public:
    static constexpr int COMPUTER = 0;
    static constexpr int HUMAN = 1;

    int controller = COMPUTER;  // only side 1's is ever changed
    int maxSquadSize = 4;
    int maxSquadWeight = 50000;
    int skillPointTotal = 300;  // spread over the side's ten pilots
    std::vector<Robot*> squad;
    std::vector<Pilot*> pilots;

    // Back to the values above; forgets the squad and pilots without destroying them.
    void reset();
};
