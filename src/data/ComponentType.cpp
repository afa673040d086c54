#include "data/ComponentType.h"

std::string componentTypeName(int type) {
    switch (type) {
    case HEAD:
        return "Head";
    case TORSO:
        return "Torso";
    case LEFTARM:
        return "Left Arm";
    case RIGHTARM:
        return "Right Arm";
    case LEGS:
        return "Legs";
    case REACTOR:
        return "Reactor";
    default:
        return "Invalid component type";
    }
}

ComponentType componentTypeFromKeyword(const std::string& keyword) {
    if (keyword == "TORSO") return TORSO;
    if (keyword == "LEFTARM") return LEFTARM;
    if (keyword == "RIGHTARM") return RIGHTARM;
    if (keyword == "LEGS") return LEGS;
    if (keyword == "REACTOR") return REACTOR;
    return HEAD;  // "HEAD" and every unknown text, "Legs" included
}
