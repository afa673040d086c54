#include "battle/BattleScreen.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "data/GameData.h"
#include "data/Map.h"
#include "gfx/KeyHintRow.h"
#include "gfx/TextLabel.h"

BattleScreen::BattleScreen(GameData& gameData)
    : gameData(&gameData),
      battleCamera(Vector3(0, 0, 0), 0, -90, 90, true),
      statusCamera(Vector3(0, 0, 0), 0, -90, 90, true)
{
    reset(gameData);
}

void BattleScreen::reset(GameData& data)
{
    gameData = &data;
    state = 0;
    battleCamera = Camera(Vector3(30, 5, 25), 60, -90, 0, true);
    statusCamera = Camera(Vector3(0, 0, 0), 40, -45, 90, true);
    dispatchSide = 0;
}

void BattleScreen::handleEvent(SDL_Event event)
{
    battleCamera.handleEvent(event);
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
        gameData->resumeMode = BattleMode;
        gameData->mode = TitleMode;
    }
}

void BattleScreen::draw()
{
    if (gameData->currentMap) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60, 1024.0f / 768.0f, 0.1, 1024);
        glViewport(0, 0, 1024, 768);
        glMatrixMode(GL_MODELVIEW);
        battleCamera.apply();
        gameData->currentMap->draw();
        gameData->drawSquadRobots();
    }
    TextLabel("BATTLE", 12, 5).draw();
    gameData->drawMoveOrder(12, 60);
    KeyHintRow().key(KeyHintRow::ESC, "Main menu");
}
