#include "SquadFile.h"

#include <yaml-cpp/yaml.h>

#include "data/ComponentType.h"
#include "data/GameData.h"
#include "storage/ReadFile.h"

namespace {

const char* const SLOT_NAMES[COMPONENT_SLOTS] = {"HEAD", "TORSO", "LEFTARM", "RIGHTARM", "LEGS", "REACTOR"};

bool readSide(const YAML::Node& list, const std::string& where,
              const std::map<std::string, Component>& components, SquadPlan& plan, std::string& error) {
    if (!list.IsSequence()) {
        error = where + ": expects a list of robots";
        return false;
    }
    if (list.size() > static_cast<size_t>(GameData::PILOTS_PER_SIDE)) {
        error = where + ": " + std::to_string(list.size()) + " robots, but a side has only " +
                std::to_string(GameData::PILOTS_PER_SIDE) + " pilots";
        return false;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string robotWhere = where + " robot " + std::to_string(i + 1);
        const YAML::Node& parts = list[i];
        if (!parts.IsSequence()) {
            error = robotWhere + ": expects a list of six part names";
            return false;
        }
        std::array<std::string, COMPONENT_SLOTS> slots;
        for (const YAML::Node& part : parts) {
            if (!part.IsScalar()) {
                error = robotWhere + ": expects part names";
                return false;
            }
            const std::string name = part.Scalar();
            auto found = components.find(name);
            if (found == components.end()) {
                error = robotWhere + ": \"" + name + "\" is no component";
                return false;
            }
            const int slot = found->second.getType();
            if (slot < 0 || slot >= COMPONENT_SLOTS) {
                error = robotWhere + ": \"" + name + "\" has no slot";
                return false;
            }
            if (!slots[static_cast<size_t>(slot)].empty()) {
                error = robotWhere + ": \"" + name + "\" and \"" + slots[static_cast<size_t>(slot)] +
                        "\" both go in the " + SLOT_NAMES[slot] + " slot";
                return false;
            }
            slots[static_cast<size_t>(slot)] = name;
        }
        for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
            if (slots[static_cast<size_t>(slot)].empty()) {
                error = robotWhere + ": no " + SLOT_NAMES[slot] + " part";
                return false;
            }
        }
        plan.push_back(slots);
    }
    return true;
}

}  // namespace

bool readSquadFile(const std::string& path, const std::map<std::string, Component>& components,
                   SquadFile& squads, std::string& error) {
    squads = SquadFile();
    // Read as every other file is, so that a folder or a FIFO given by mistake is refused rather
    // than waited on.
    std::string text;
    ReadFileResult read = readWholeFile(path, text, LARGEST_SQUAD_FILE, "a squad file");
    if (!read.ok()) {
        error = path + ": " + read.reason;
        return false;
    }
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::Exception& problem) {
        error = path + ":" + std::to_string(problem.mark.line + 1) + ": " + problem.msg;
        return false;
    }
    if (!root.IsMap()) {
        error = path + ": expects side0 and/or side1";
        return false;
    }
    for (const auto& entry : root) {
        const std::string key = entry.first.IsScalar() ? entry.first.Scalar() : "";
        if (key != "side0" && key != "side1") {
            error = path + ": \"" + key + "\" is neither side0 nor side1";
            return false;
        }
        SquadPlan plan;
        if (!readSide(entry.second, path + ": " + key, components, plan, error)) return false;
        squads.sides[key == "side0" ? 0 : 1] = plan;
    }
    return true;
}
