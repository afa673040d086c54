#pragma once
// Squads written by hand for the match simulator: a YAML file with a list of robots for side 0
// and/or side 1, each robot the names of its six parts in any order. A side the file leaves out
// is built from the computer's templates.
//
//   side0:
//     - [Laser R, Cannon L, Fission Core, Strider Legs, Missile Hull, Laser Eye]
//   side1:
//     - [Crusher Claw R, Pile Hammer L, Fission Core, Strider Legs, Standard Hull, Sensor Dome]

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/Component.h"

// One side's robots, each as its parts' names in slot order (HEAD to REACTOR).
using SquadPlan = std::vector<std::array<std::string, COMPONENT_SLOTS>>;

struct SquadFile {
    std::array<std::optional<SquadPlan>, 2> sides;  // nothing for a side built from templates
};

// Reads and checks the file against the components catalogue: every name a component, one part
// per slot, all six slots, at most ten robots a side (one pilot each). False with a one-line
// `error` ("FILE: side0 robot 2: ...") when it cannot be used.
bool readSquadFile(const std::string& path, const std::map<std::string, Component>& components,
                   SquadFile& squads, std::string& error);
