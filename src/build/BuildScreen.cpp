#include "build/BuildScreen.h"

#include "data/GameData.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

BuildScreen::BuildScreen(GameData& gameData)
    : gameData(&gameData), camera(Vector3(0, 0, 0), 40, -45, 90, true)
{
    reset(gameData);
}

void BuildScreen::reset(GameData& data)
{
    gameData = &data;
    side = 0;
    squadWeight = 0;
    view = 0;
    cursor[0] = cursor[1] = cursor[2] = 0;
    camera = Camera(Vector3(0, 0, 0), 40, -45, 90, true);
}

void BuildScreen::handleEvent(SDL_Event event)
{
    // Only the robot view shows a model for the keypad to turn; the list keeps its camera still.
    if (view == 1)
        camera.handleEvent(event);
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
        gameData->resumeMode = BuildMode;
        gameData->mode = TitleMode;
    }
}

void BuildScreen::draw() const
{
    drawColumnBackdrop(3);
    TextLabel("BUILD", 12, 5).draw();
    KeyHintRow().key(KeyHintRow::ESC, "Main menu");
}
