#include "battle/BattleScreen.h"

#include "ai/ComputerPlayer.h"
#include "battle/BattlePanels.h"
#include "battle/BattleStateTable.h"
#include "data/BattleRules.h"
#include "data/GameData.h"
#include "data/Map.h"
#include "gfx/Mode2D.h"

BattleScreen::BattleScreen(GameData& gameData)
    : gameData(&gameData), battleCamera(Vector3(0, 0, 0), 0, -90, 90, true),
      statusCamera(Vector3(0, 0, 0), 0, -90, 90, true) {
    reset(gameData);
}

void BattleScreen::reset(GameData& data) {
    gameData = &data;
    state = DispatchSelect;
    for (int i = 0; i < BATTLE_STATES; ++i) {
        cursor[i] = 0;
        cursor2[i] = 0;
    }
    // The reset that comes with it destroys the last match's robots: nothing may point at them.
    selectedRobot = nullptr;
    battleCamera = Camera(Vector3(30, 5, 25), 60, -90, 0, true);
    statusCamera = Camera(Vector3(0, 0, 0), 40, -45, 90, true);
    dispatchSide = 0;
    hitMarkers.clear();
    showComputerMarkers = false;
}

void BattleScreen::handleEvent(SDL_Event event) {
    const BattleStateRow& row = battleStateRow(state);
    // The keypad steers the camera of the view on screen, whatever else the key does.
    if (row.layout == BattleLayout::Status)
        statusCamera.handleEvent(event);
    else
        battleCamera.handleEvent(event);
    if (event.type != SDL_KEYDOWN) return;
    if (row.onKey) (this->*row.onKey)(event.key.keysym.sym);
}

Robot* BattleScreen::actingRobot() const {
    const auto& roster = gameData->roster;
    if (gameData->turnIndex < 0 || size_t(gameData->turnIndex) >= roster.size()) return nullptr;
    return roster[size_t(gameData->turnIndex)];
}

void BattleScreen::restartMarkers() {
    markerTimer.reset();
    markerTimer.start();
    markerTime = int(markerTimer.elapsed());
}

const std::vector<HitMarker>& BattleScreen::shownMarkers() const {
    static const std::vector<HitMarker> none;
    if (!showComputerMarkers) return hitMarkers;
    return gameData->computerPlayer ? gameData->computerPlayer->hitMarkers : none;
}

void BattleScreen::leaveForTitle() {
    gameData->resumeMode = gameData->mode;
    gameData->mode = TitleMode;
}

bool BattleScreen::moveListLine(int& line, int count, SDLKey key) {
    if (key == SDLK_UP) {
        if (line > 0) --line;
        return true;
    }
    if (key == SDLK_DOWN) {
        if (line < count - 1) ++line;
        return true;
    }
    return false;
}

bool BattleScreen::facingOfArrow(SDLKey key, int& facing) {
    switch (key) {
    case SDLK_UP:
        facing = FACING_NORTH;
        return true;
    case SDLK_DOWN:
        facing = FACING_SOUTH;
        return true;
    case SDLK_RIGHT:
        facing = FACING_EAST;
        return true;
    case SDLK_LEFT:
        facing = FACING_WEST;
        return true;
    default:
        return false;
    }
}

bool BattleScreen::moveMapCursor(int slot, SDLKey key) {
    const Map* map = gameData->currentMap;
    int width = map ? map->getWidth() : 0;
    int height = map ? map->getHeight() : 0;
    int& x = cursor[slot];
    int& y = cursor2[slot];
    switch (key) {
    case SDLK_UP:
        if (y > 0) --y;
        break;
    case SDLK_DOWN:
        if (y < height - 1) ++y;
        break;
    case SDLK_LEFT:
        if (x > 0) --x;
        break;
    case SDLK_RIGHT:
        if (x < width - 1) ++x;
        break;
    default:
        return false;
    }
    return true;
}

void BattleScreen::draw() {
    // The panels keep the 2D state from one label or image to the next.
    Held2DMode held;
    switch (battleStateRow(state).layout) {
    case BattleLayout::Dispatch:
        drawDispatchLayout(*this);
        break;
    case BattleLayout::Battle:
        drawBattleLayout(*this);
        break;
    case BattleLayout::Status:
        drawStatusView(*this);
        break;
    }
}
