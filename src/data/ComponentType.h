#pragma once
// The six kinds of robot part. The value doubles as the robot slot the part occupies.

#include <string>

enum ComponentType {
    HEAD = 0,
    TORSO = 1,
    LEFTARM = 2,
    RIGHTARM = 3,
    LEGS = 4,
    REACTOR = 5,
    NO_COMPONENT_TYPE = 6  // a component that was never loaded: it fits no slot
};

constexpr int COMPONENT_SLOTS = 6;

// "Head", "Torso", ... as the part listings print them; "Invalid component type" otherwise.
std::string componentTypeName(int type);

// The database keyword ("HEAD", "LEGS", ...), exact and case-sensitive; any other text is a head.
ComponentType componentTypeFromKeyword(const std::string& keyword);
