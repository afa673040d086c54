#pragma once
// The match-setup screen (mode 1), entered from the title's "NEW GAME". Four pages: the opponent
// (page 0), side 0's limits (page 1), side 1's limits (page 2) and the map (page 3), with the
// highlighted map turning in a preview on the right. Space on page 3 creates both squads' bare
// robots and their pilots and hands over to the build screen (mode 2).
//
// The values edited live in GameData (side 1's controller, each side's three limits,
// currentMap); the screen keeps only its page and one highlighted entry per page, which stay as
// they are while the player is elsewhere and are cleared only by reset().

#include <SDL/SDL.h>

#include "gfx/Camera.h"

class GameData;
class Map;
class SideSetup;

class RulesScreen {
public:
    static constexpr int OPPONENT_PAGE = 0;
    static constexpr int SIDE0_LIMITS_PAGE = 1;
    static constexpr int SIDE1_LIMITS_PAGE = 2;
    static constexpr int MAP_PAGE = 3;

    GameData* gameData;
    int page = OPPONENT_PAGE;
    Camera camera;                    // the map preview's camera
    int selection[4] = {0, 0, 0, 0};  // highlighted entry of each page

    explicit RulesScreen(GameData& gameData);
    void reset(GameData& gameData);
    // Every event reaches the preview camera (the keypad turns it on every page); key presses
    // then act on the current page. Changes state only, never draws.
    void handleEvent(SDL_Event event);
    // The current page; on page 3 the highlighted map also becomes currentMap. Not const: the
    // preview advances its camera.
    void draw();

    // The map on row `index` of the map list (catalogue order), or nullptr.
    Map* mapAt(int index) const;

private:
    void handleLimitsKey(SDLKey key, bool shift, SideSetup& limits, int& entry);
    void startBuilding();
    void drawLimits(int side, int y0) const;
    void drawMapList();
    void drawKeyHints() const;
};

// One Left/Right step of a limit (entry 0 squad size, 1 squad weight, 2 skill points), with or
// without Shift: the new value, or the old one when the step would leave the bounds (a step is
// refused whole, never shortened).
int steppedLimit(int entry, int value, int direction, bool shift);
