#include "ai/ComputerPlayer.h"

#include <algorithm>
#include <array>
#include <map>

#include "data/Component.h"
#include "data/GameData.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitView.h"
#include "data/Pilot.h"
#include "data/Robot.h"

namespace {

// The template categories of the `ai` view, each filling one slot.
enum Category { MELEE_LEFT, MELEE_RIGHT, RANGED_LEFT, RANGED_RIGHT, REACTORS, LEGS_CATEGORY, TORSOS, HEADS,
                CATEGORY_COUNT };

Category categoryOf(const std::string& type) {
    static const std::array<const char*, HEADS> names = {
        "Melee Arms Left", "Melee Arms Right", "Ranged Arms Left", "Ranged Arms Right",
        "Reactors", "Legs", "Torsos"};
    for (size_t i = 0; i < names.size(); ++i)
        if (type == names[i]) return static_cast<Category>(i);
    return HEADS;   // any other text is a head category
}

using Categories = std::array<std::vector<const Component*>, CATEGORY_COUNT>;

Categories readTemplates(const MetakitView& view, const std::map<std::string, Component>& catalogue) {
    Categories categories;
    for (size_t row = 0; row < view.rowCount(); ++row) {
        auto& category = categories[categoryOf(view.getString(row, "type"))];
        const MetakitView& names = view.getSubview(row, "components");
        for (size_t i = 0; i < names.rowCount(); ++i) {
            auto found = catalogue.find(names.getString(i, "name"));
            if (found != catalogue.end()) category.push_back(&found->second);   // unknown names are skipped
        }
    }
    return categories;
}

int bestAttackSkill(const Pilot* pilot) {
    return std::max(pilot->meleeAttack, pilot->rangedAttack);
}

// Puts a copy of the first part of the category that still fits into the slot.
bool tryEquip(int slot, const std::vector<const Component*>& category, Robot& robot, int& weight, int maxWeight) {
    for (const Component* candidate : category) {
        if (weight + candidate->weight <= maxWeight) {
            robot.setComponent(slot, candidate);
            weight += candidate->weight;
            return true;
        }
    }
    return false;
}

}  // namespace

ComputerPlayer::ComputerPlayer(GameData& data) : gameData(data) {}

void ComputerPlayer::buildSquad() {
    buildSquad("data.db");
}

void ComputerPlayer::buildSquad(const std::string& databasePath) {
    MetakitStorage storage;
    storage.open(databasePath);   // an unreadable file leaves every category empty
    Categories categories = readTemplates(storage.view("ai"), gameData.components);

    SideSetup& side = gameData.sides[1];
    std::vector<Pilot*> pilots;
    for (Pilot* pilot : side.pilots)
        if (pilot) pilots.push_back(pilot);
    std::stable_sort(pilots.begin(), pilots.end(),
                     [](const Pilot* a, const Pilot* b) { return bestAttackSkill(a) > bestAttackSkill(b); });

    int weight = 0;
    // A squad larger than the pilot pool stops at the last pilot; the rest stay bare.
    for (size_t i = 0; weight < side.maxSquadWeight && i < side.squad.size() && i < pilots.size(); ++i) {
        Robot* robot = side.squad[i];
        if (!robot) break;
        Pilot* pilot = pilots[i];
        robot->setPilot(pilot);
        bool melee = pilot->meleeAttack > pilot->rangedAttack;
        const std::array<std::pair<int, Category>, COMPONENT_SLOTS> order = {{
            {LEFTARM, melee ? MELEE_LEFT : RANGED_LEFT},
            {RIGHTARM, melee ? MELEE_RIGHT : RANGED_RIGHT},
            {REACTOR, REACTORS},
            {LEGS, LEGS_CATEGORY},
            {TORSO, TORSOS},
            {HEAD, HEADS},
        }};
        for (const auto& step : order)
            if (!tryEquip(step.first, categories[step.second], *robot, weight, side.maxSquadWeight)) return;
        robot->hp = robot->getMaxHp();
        robot->ep = robot->getMaxEp();
        robot->movePoints = robot->getMove();
    }
}

void ComputerPlayer::deploySquad() {
    if (!gameData.currentMap) return;
    const CellList& cells = gameData.currentMap->startZone(1);
    auto& squad = gameData.sides[1].squad;
    for (const auto& cell : cells) {
        auto waiting = std::find_if(squad.begin(), squad.end(),
                                    [](const Robot* robot) { return robot && robot->x == -1 && robot->y == -1; });
        if (waiting == squad.end()) return;
        Robot* robot = *waiting;
        robot->x = cell.first;
        robot->y = cell.second;
        if (std::find(gameData.roster.begin(), gameData.roster.end(), robot) == gameData.roster.end())
            gameData.roster.push_back(robot);
    }
}

void ComputerPlayer::takeTurn(Robot& robot) {
    hitMarkers.clear();
    targets.clear();
    path.clear();
    robot.ep = robot.getMaxEp();
    robot.movePoints = robot.getMove();
    for (auto& part : robot.components)
        if (part) part->cooldownLeft = 0;
}
