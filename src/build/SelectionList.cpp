// The build screen's selection list: the equip list of one slot (the catalogue's parts of that
// type and "[EMPTY]") and the pilot list (the side's pilots). The weight limit is enforced here.

#include <algorithm>

#include "build/BuildScreen.h"
#include "data/GameData.h"

std::vector<const Component*> candidatesFor(const GameData& gameData, int type) {
    std::vector<const Component*> result;
    for (const auto& entry : gameData.components)
        if (entry.second.getType() == type) result.push_back(&entry.second);
    // Stable: parts of equal weight stay in the catalogue's name order, however many there are.
    std::stable_sort(result.begin(), result.end(),
                     [](const Component* a, const Component* b) { return a->getWeight() < b->getWeight(); });
    return result;
}

namespace {

// A robot whose parts changed starts from its new maxima.
void refill(Robot& robot) {
    robot.hp = robot.getMaxHp();
    robot.ep = robot.getMaxEp();
    robot.movePoints = robot.getMove();
}

}  // namespace

void BuildScreen::handleEquipKey(SDLKey key) {
    int emptyRow = int(candidates.size());
    if (key == SDLK_UP && cursor[2] > 0)
        --cursor[2];
    else if (key == SDLK_DOWN && cursor[2] < emptyRow)
        ++cursor[2];
    else if (key == SDLK_SPACE)
        equip();
    else if (key == SDLK_ESCAPE)
        view = ROBOT_VIEW;
}

void BuildScreen::equip() {
    Robot* robot = currentRobot();
    if (!robot || cursor[2] < 0 || cursor[2] > int(candidates.size())) return;
    int slot = cursor[1];
    const Component* old = robot->getComponent(slot);
    int oldWeight = old ? old->getWeight() : 0;

    if (cursor[2] == int(candidates.size())) {
        robot->components[size_t(slot)].reset();
        refill(*robot);
        squadWeight -= oldWeight;
        view = ROBOT_VIEW;
        return;
    }
    const Component* chosen = candidates[size_t(cursor[2])];
    // Refused silently: the row is already shown in grey.
    if (squadWeight - oldWeight + chosen->getWeight() > gameData->sides[size_t(side)].maxSquadWeight) return;
    robot->setComponent(slot, chosen);
    refill(*robot);
    squadWeight = squadWeight - oldWeight + robot->getComponent(slot)->getWeight();
    view = ROBOT_VIEW;
}

void BuildScreen::handlePilotKey(SDLKey key) {
    int last = int(gameData->sides[size_t(side)].pilots.size()) - 1;
    if (key == SDLK_UP && cursor[2] > 0)
        --cursor[2];
    else if (key == SDLK_DOWN && cursor[2] < last)
        ++cursor[2];
    else if (key == SDLK_SPACE)
        assignPilot();
    else if (key == SDLK_ESCAPE)
        view = ROBOT_VIEW;
}

void BuildScreen::assignPilot() {
    Robot* robot = currentRobot();
    SideSetup& setup = gameData->sides[size_t(side)];
    if (!robot || cursor[2] < 0 || cursor[2] >= int(setup.pilots.size())) return;
    Pilot* pilot = setup.pilots[size_t(cursor[2])];
    // A pilot flies one robot: whoever had it is left without.
    for (Robot* other : setup.squad)
        if (other && other->pilot == pilot) other->pilot = nullptr;
    robot->setPilot(pilot);
    view = ROBOT_VIEW;
}
