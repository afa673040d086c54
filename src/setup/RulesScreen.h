#pragma once
// The match-setup screen (mode 1), entered from the title's "NEW GAME".
//
// For now this is the screen's first page only, so that starting a game is never a dead end: it
// draws the two-column backdrop with its "RULES" title, hands every event to its preview camera,
// and Escape returns to the title menu with `resumeMode` 1, so "RESUME GAME" comes back here.
// Choosing the opponent, the limits and the map is built by a later issue.

#include <SDL/SDL.h>

#include "gfx/Camera.h"

class GameData;

class RulesScreen {
public:
    GameData* gameData;
    int page = 0;                          // 0 opponent select (the only page so far)
    Camera camera;                         // the map preview's camera
    int selection[4] = {0, 0, 0, 0};

    explicit RulesScreen(GameData& gameData);
    void reset(GameData& gameData);
    void handleEvent(SDL_Event event);
    void draw() const;
};
