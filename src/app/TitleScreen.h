#pragma once
// The title menu (mode 0): the logo and a three-entry menu in the dark column on the left, over
// the map backdrop that the main loop draws to its right. Page 0 is the start menu, page 1 the
// in-game menu (after a game was left with Escape), page 2 the credits.

#include <SDL/SDL.h>

#include <string>

class GameData;

class TitleScreen {
public:
    GameData* gameData;
    int page = 0;                  // 0 start menu, 1 in-game menu, 2 credits
    int selection[3] = {0, 0, 0};  // highlighted entry of each page (page 2 has none)

    explicit TitleScreen(GameData& gameData);
    void reset(GameData& gameData);
    // Key presses only; changes state, never draws.
    void handleEvent(SDL_Event event);
    void draw() const;

private:
    void choose();
    void drawMenu() const;
    void drawCredits() const;
    std::string logoFont() const;

    mutable bool logoFontReported = false;  // the missing logo font is told once, not every frame
};
