#include "setup/RulesScreen.h"

#include <iterator>
#include <string>

#include "data/GameData.h"

RulesScreen::RulesScreen(GameData& gameData)
    : gameData(&gameData), camera(Vector3(0, 0, 0), 0, -90, 90, true) {
    reset(gameData);
}

void RulesScreen::reset(GameData& data) {
    gameData = &data;
    page = OPPONENT_PAGE;
    for (int& entry : selection) entry = 0;
    // The preview's view is also where keypad 5 returns: the constructor's view has the eye on
    // the target, and no zoom step can leave it.
    camera.setHomeView(Vector3(20, 10, 20), 70, -60, 45);
}

int steppedLimit(int entry, int value, int direction, bool shift) {
    // The bounds are tested on the value before the step, so that a step that would cross a
    // bound is refused whole.
    if (entry == 0) {
        if (direction > 0) return value < 10 ? value + 1 : value;
        return value > 1 ? value - 1 : value;
    }
    if (entry == 1) {
        if (direction > 0) {
            if (shift) return value < 90001 ? value + 10000 : value;
            return value < 100000 ? value + 1000 : value;
        }
        if (shift) return value > 19999 ? value - 10000 : value;
        return value > 10000 ? value - 1000 : value;
    }
    if (direction > 0) {
        if (shift) return value < 391 ? value + 10 : value;
        return value < 400 ? value + 1 : value;
    }
    if (shift) return value > 49 ? value - 10 : value;
    return value > 40 ? value - 1 : value;
}

Map* RulesScreen::mapAt(int index) const {
    if (index < 0 || index >= int(gameData->maps.size())) return nullptr;
    return &std::next(gameData->maps.begin(), index)->second;
}

void RulesScreen::handleEvent(SDL_Event event) {
    camera.handleEvent(event);
    if (event.type != SDL_KEYDOWN) return;
    SDLKey key = event.key.keysym.sym;
    bool shift = (event.key.keysym.mod & (KMOD_LSHIFT | KMOD_RSHIFT)) != 0;
    int& entry = selection[page];

    switch (page) {
    case OPPONENT_PAGE:
        if (key == SDLK_UP && entry > 0) {
            --entry;
        } else if (key == SDLK_DOWN && entry < 1) {
            ++entry;
        } else if (key == SDLK_SPACE) {
            gameData->sides[1].controller = entry;
            page = SIDE0_LIMITS_PAGE;
        } else if (key == SDLK_ESCAPE) {
            gameData->resumeMode = RulesMode;
            gameData->mode = TitleMode;
        }
        break;
    case SIDE0_LIMITS_PAGE:
    case SIDE1_LIMITS_PAGE:
        if (key == SDLK_SPACE)
            page = page == SIDE0_LIMITS_PAGE ? SIDE1_LIMITS_PAGE : MAP_PAGE;
        else if (key == SDLK_ESCAPE)
            page = page - 1;
        else
            handleLimitsKey(key, shift, gameData->sides[page == SIDE0_LIMITS_PAGE ? 0 : 1], entry);
        break;
    case MAP_PAGE: {
        int last = int(gameData->maps.size()) - 1;
        if (key == SDLK_UP && entry > 0) {
            --entry;
        } else if (key == SDLK_DOWN && entry < last) {
            ++entry;
        } else if (key == SDLK_SPACE) {
            startBuilding();
            return;
        } else if (key == SDLK_ESCAPE) {
            page = SIDE1_LIMITS_PAGE;
            return;
        }
        // The highlighted map is the one to play even when keys come faster than frames.
        if (Map* map = mapAt(entry)) gameData->currentMap = map;
        break;
    }
    default:
        break;
    }
}

void RulesScreen::handleLimitsKey(SDLKey key, bool shift, SideSetup& limits, int& entry) {
    if (key == SDLK_UP && entry > 0) {
        --entry;
    } else if (key == SDLK_DOWN && entry < 2) {
        ++entry;
    } else if (key == SDLK_LEFT || key == SDLK_RIGHT) {
        int direction = key == SDLK_RIGHT ? 1 : -1;
        int* value = entry == 0   ? &limits.maxSquadSize
                     : entry == 1 ? &limits.maxSquadWeight
                                  : &limits.skillPointTotal;
        *value = steppedLimit(entry, *value, direction, shift);
    }
}

void RulesScreen::startBuilding() {
    // No build or battle without a map: with an empty catalogue Space does nothing.
    Map* map = mapAt(selection[MAP_PAGE]);
    if (!map) return;
    gameData->currentMap = map;

    std::vector<std::string>& names = gameData->robotNames;
    for (int sideIndex = 0; sideIndex < GameData::SIDES; ++sideIndex) {
        SideSetup& side = gameData->sides[size_t(sideIndex)];
        for (int i = 0; i < side.maxSquadSize; ++i) {
            Robot* robot = gameData->createRobot();
            side.squad.push_back(robot);
            // Out of names, the robot keeps its default name rather than reading past the list.
            if (!names.empty()) {
                robot->setName(names.back());
                names.pop_back();
            }
            robot->setSide(sideIndex);
        }
    }
    gameData->generatePilots();
    gameData->mode = BuildMode;
}
