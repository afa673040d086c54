#include "data/GameData.h"

#include <algorithm>
#include <cstdlib>

#include "data/NameShuffleRandom.h"
#include "gfx/Log.h"
#include "gfx/Model.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitView.h"

ComputerPlayerFactory GameData::computerPlayerFactory = nullptr;

namespace {

constexpr int STARTING_SKILL = 1;
constexpr int SKILLS_PER_PILOT = 4;

void readNames(const MetakitView& view, std::vector<std::string>& names) {
    names.clear();
    names.reserve(view.rowCount());
    for (size_t i = 0; i < view.rowCount(); ++i) names.push_back(view.getString(i, "name"));
}

// The skill a point lands on: 0 Reflexes, 1 Melee Attack, 2 Ranged Attack, 3 Defense.
int& skillOf(Pilot& pilot, int skill) {
    switch (skill) {
    case 0:
        return pilot.reflexes;
    case 1:
        return pilot.meleeAttack;
    case 2:
        return pilot.rangedAttack;
    default:
        return pilot.defense;
    }
}

int reflexesOf(const Robot* robot) {
    return robot && robot->pilot ? robot->pilot->reflexes : -1;
}

}  // namespace

GameData::GameData() {
    for (SideSetup& side : sides) side.reset();
    reset();
}

GameData::~GameData() {
    // The lists that refer to robots and pilots go first, then the robots and pilots, then the
    // catalogues (whose attacks and models the robots' parts point at) by member destruction.
    roster.clear();
    for (SideSetup& side : sides) side.reset();
    computerPlayer.reset();
    ownedRobots.clear();
    ownedPilots.clear();
}

void GameData::load() {
    std::string error;
    // Play goes on with empty catalogues, as with a database that holds no rows; this line tells
    // the player or the modder why.
    if (!load(DATABASE_FILE, &error)) logToStderr("FAIL: " + std::string(DATABASE_FILE) + ": " + error);
}

bool GameData::load(const std::string& path, std::string* error) {
    MetakitStorage storage;
    if (!storage.open(path, error)) return false;
    load(storage);
    return true;
}

void GameData::load(const MetakitStorage& storage) {
    // A later row with the same name replaces the earlier record.
    const MetakitView& attackView = storage.view("attack");
    for (size_t row = 0; row < attackView.rowCount(); ++row) {
        Attack attack;
        attack.load(attackView, row);
        std::string key = attack.name;
        attacks.insert_or_assign(key, std::move(attack));
    }

    const MetakitView& componentView = storage.view("component");
    for (size_t row = 0; row < componentView.rowCount(); ++row) {
        Component component;
        component.load(componentView, row, attacks, modelCache);
        std::string key = component.name;
        components.insert_or_assign(key, std::move(component));
    }

    const MetakitView& terrainView = storage.view("terrain");
    for (size_t row = 0; row < terrainView.rowCount(); ++row) {
        Terrain terrain;
        terrain.load(terrainView, row, modelCache);
        std::string key = terrain.name;
        terrains.insert_or_assign(key, std::move(terrain));
    }

    const MetakitView& mapView = storage.view("map");
    for (size_t row = 0; row < mapView.rowCount(); ++row) {
        Map map(mapView, row, terrains);
        std::string key = map.name;
        maps.insert_or_assign(key, std::move(map));
    }

    loadNames(storage);
}

void GameData::loadNames(const MetakitStorage& storage) {
    readNames(storage.view("pilot"), pilotNames);
    readNames(storage.view("robot"), robotNames);
    NameShuffleRandom random;
    random.shuffle(pilotNames);
    random.shuffle(robotNames);
}

void GameData::reset() {
    mode = TitleMode;
    resumeMode = TitleMode;
    reloadRequested = false;
    selectTitleMap();
    turnIndex = 0;
    roster.clear();
    for (SideSetup& side : sides) side.reset();
    if (computerPlayerFactory)
        computerPlayer = computerPlayerFactory(*this);
    else
        computerPlayer.reset();
    // Nothing refers to the last match's robots and pilots any more.
    ownedRobots.clear();
    ownedPilots.clear();
}

void GameData::selectTitleMap() {
    auto titleMap = maps.find(TITLE_MAP);
    currentMap = titleMap == maps.end() ? nullptr : &titleMap->second;
}

Robot* GameData::createRobot() {
    ownedRobots.push_back(std::make_unique<Robot>());
    return ownedRobots.back().get();
}

Pilot* GameData::createPilot() {
    ownedPilots.push_back(std::make_unique<Pilot>());
    return ownedPilots.back().get();
}

void GameData::generatePilots() {
    for (int sideIndex = 0; sideIndex < SIDES; ++sideIndex) {
        SideSetup& side = sides[static_cast<size_t>(sideIndex)];
        std::vector<Pilot*> fresh;
        for (int i = 0; i < PILOTS_PER_SIDE; ++i) {
            Pilot* pilot = createPilot();
            side.pilots.push_back(pilot);
            fresh.push_back(pilot);
            // More pilots than names: the rest stay nameless rather than read past the list.
            if (!pilotNames.empty()) {
                pilot->name = pilotNames.back();
                pilotNames.pop_back();
            }
            pilot->side = sideIndex;
            pilot->reflexes = pilot->meleeAttack = pilot->rangedAttack = pilot->defense = STARTING_SKILL;
        }

        // Ten pilots hold at most 400 points; a larger total would never finish placing them.
        const int roomLeft = PILOTS_PER_SIDE * SKILLS_PER_PILOT * (Pilot::MAX_SKILL - STARTING_SKILL);
        const int points = std::min(side.skillPointTotal - PILOTS_PER_SIDE * SKILLS_PER_PILOT, roomLeft);
        for (int placed = 0; placed < points;) {
            int p = rand() % PILOTS_PER_SIDE;
            int s = rand() % SKILLS_PER_PILOT;
            int& skill = skillOf(*fresh[static_cast<size_t>(p)], s);
            if (skill < Pilot::MAX_SKILL) {
                ++skill;
                ++placed;
            }
        }
    }
}

void GameData::sortRosterByReflexes() {
    std::stable_sort(roster.begin(), roster.end(),
                     [](const Robot* a, const Robot* b) { return reflexesOf(a) > reflexesOf(b); });
}

void GameData::removeIncompleteRobots() {
    for (SideSetup& side : sides) {
        for (size_t i = side.squad.size(); i-- > 0;) {
            const Robot* robot = side.squad[i];
            if (!robot || !robot->isComplete()) side.squad.erase(side.squad.begin() + static_cast<long>(i));
        }
    }
}
