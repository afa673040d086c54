#include "setup/RulesScreen.h"

#include "data/GameData.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

RulesScreen::RulesScreen(GameData& gameData)
    : gameData(&gameData), camera(Vector3(0, 0, 0), 0, -90, 90, true)
{
    reset(gameData);
}

void RulesScreen::reset(GameData& data)
{
    gameData = &data;
    page = 0;
    for (int& entry : selection)
        entry = 0;
    // The map preview's view; keypad 5 still returns to the constructor's.
    camera.target = Vector3(20, 10, 20);
    camera.distance = 70;
    camera.yaw = -60;
    camera.polar = 45;
}

void RulesScreen::handleEvent(SDL_Event event)
{
    camera.handleEvent(event);
    if (event.type != SDL_KEYDOWN)
        return;
    if (page == 0 && event.key.keysym.sym == SDLK_ESCAPE) {
        gameData->resumeMode = RulesMode;
        gameData->mode = TitleMode;
    }
}

void RulesScreen::draw() const
{
    drawColumnBackdrop(2);
    TextLabel("RULES", 12, 5).draw();
    KeyHintRow().key(KeyHintRow::ESC, "Main menu");
}
