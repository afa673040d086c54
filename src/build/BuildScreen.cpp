#include "build/BuildScreen.h"

#include "ai/ComputerPlayer.h"
#include "data/GameData.h"

BuildScreen::BuildScreen(GameData& gameData)
    : gameData(&gameData), camera(Vector3(0, 0, 0), 40, -45, 90, true) {
    reset(gameData);
}

void BuildScreen::reset(GameData& data) {
    gameData = &data;
    side = 0;
    squadWeight = 0;
    view = ROBOT_LIST;
    cursor[0] = cursor[1] = cursor[2] = 0;
    candidates.clear();
    camera = Camera(Vector3(0, 0, 0), 40, -45, 90, true);
}

Robot* BuildScreen::currentRobot() const {
    const std::vector<Robot*>& squad = gameData->sides[size_t(side)].squad;
    if (cursor[0] < 0 || cursor[0] >= int(squad.size())) return nullptr;
    return squad[size_t(cursor[0])];
}

bool BuildScreen::anyRobotComplete() const {
    for (const Robot* robot : gameData->sides[size_t(side)].squad)
        if (robot && robot->isComplete()) return true;
    return false;
}

void BuildScreen::handleEvent(SDL_Event event) {
    // Only the robot view shows a model for the keypad to turn; the lists keep their camera still.
    if (view == ROBOT_VIEW) camera.handleEvent(event);
    if (event.type != SDL_KEYDOWN) return;
    SDLKey key = event.key.keysym.sym;
    if (view == ROBOT_LIST)
        handleRobotListKey(key);
    else if (view == ROBOT_VIEW)
        handleRobotViewKey(key);
    else if (cursor[1] < PILOT_ROW)
        handleEquipKey(key);
    else
        handlePilotKey(key);
}

void BuildScreen::handleRobotListKey(SDLKey key) {
    int last = int(gameData->sides[size_t(side)].squad.size()) - 1;
    if (key == SDLK_UP && cursor[0] > 0) {
        --cursor[0];
    } else if (key == SDLK_DOWN && cursor[0] < last) {
        ++cursor[0];
    } else if (key == SDLK_SPACE && currentRobot()) {
        cursor[1] = 0;
        view = ROBOT_VIEW;
    } else if (key == SDLK_RETURN) {
        finishBuilding();
    } else if (key == SDLK_ESCAPE) {
        gameData->resumeMode = BuildMode;
        gameData->mode = TitleMode;
    }
}

void BuildScreen::handleRobotViewKey(SDLKey key) {
    if (key == SDLK_UP && cursor[1] > 0) {
        --cursor[1];
    } else if (key == SDLK_DOWN && cursor[1] < PILOT_ROW) {
        ++cursor[1];
    } else if (key == SDLK_SPACE) {
        cursor[2] = 0;
        candidates.clear();
        if (cursor[1] < PILOT_ROW) candidates = candidatesFor(*gameData, cursor[1]);
        view = SELECTION_LIST;
    } else if (key == SDLK_ESCAPE) {
        view = ROBOT_LIST;
    }
}

void BuildScreen::finishBuilding() {
    if (!anyRobotComplete()) return;
    if (side == 0 && gameData->sides[1].controller == SideSetup::HUMAN) {
        // The second player builds on the same screen, from the top of a fresh weight count.
        cursor[0] = cursor[1] = cursor[2] = 0;
        side = 1;
        squadWeight = 0;
        view = ROBOT_LIST;
        return;
    }
    if (gameData->sides[1].controller == SideSetup::COMPUTER && gameData->computerPlayer)
        gameData->computerPlayer->buildSquad();
    gameData->removeIncompleteRobots();
    gameData->mode = BattleMode;
}
