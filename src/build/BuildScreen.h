#pragma once
// The squad-building screen (mode 2).
//
// For now a minimal screen: it draws the three-column backdrop with its "BUILD" title, hands
// events to its model camera in the robot view, and Escape returns to the title menu with `resumeMode` 2. Equipping
// robots and assigning pilots are built by a later issue.

#include <SDL/SDL.h>

#include "gfx/Camera.h"

class GameData;

class BuildScreen {
public:
    GameData* gameData;
    int side = 0;
    int squadWeight = 0;
    int view = 0;
    int cursor[3] = {0, 0, 0};
    Camera camera;

    explicit BuildScreen(GameData& gameData);
    void reset(GameData& gameData);
    void handleEvent(SDL_Event event);
    void draw() const;
};
