#pragma once
// The battle screen (mode 3).
//
// For now a minimal screen: it draws the current map from its battle camera with the squads'
// robots on it and the move order, and Escape returns to the title menu with `resumeMode` 3.
// Dispatch, turns, attacks and the end of a match are built by a later issue.

#include <SDL/SDL.h>

#include "gfx/Camera.h"

class GameData;

class BattleScreen {
public:
    GameData* gameData;
    int state = 0;
    Camera battleCamera;
    Camera statusCamera;
    int dispatchSide = 0;

    explicit BattleScreen(GameData& gameData);
    void reset(GameData& gameData);
    void handleEvent(SDL_Event event);
    // Moves the battle camera by one frame, as every camera moves when its view is drawn.
    void draw();
};
