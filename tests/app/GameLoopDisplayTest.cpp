// The real frame loop on the virtual X server, driven by key events pushed from the frame hook,
// with the picture read back where the title menu puts its pieces.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../support/DisplayWindow.h"
#include "../support/KeyEvent.h"
#include "app/GameLoop.h"
#include "app/TitleScreen.h"
#include "data/GameData.h"
#include "data/Terrain.h"
#include "gfx/Camera.h"
#include "gfx/FontCache.h"
#include "gfx/ImageCache.h"
#include "gfx/Model.h"

namespace {

void push(SDLKey sym, Uint8 type = SDL_KEYDOWN, int mod = KMOD_NONE) {
    SDL_Event event = keyEvent(sym, type, mod);
    SDL_PushEvent(&event);
}

void tap(SDLKey sym) {
    push(sym, SDL_KEYDOWN);
    push(sym, SDL_KEYUP);
}

// Average brightness of a window rectangle in the back buffer.
double meanIn(int x, int y, int w, int h) {
    std::vector<unsigned char> pixels(size_t(w) * size_t(h) * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 768 - (y + h), w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    double sum = 0;
    for (unsigned char value : pixels) sum += value;
    return sum / double(pixels.size());
}

// What the test saw on the way, checked after the loop has ended.
struct Seen {
    int lastFrame = -1;
    bool hadMap = false;
    bool hadTerrainModels = false;
    double columnMean = 0, rightOfColumnMean = 0, backdropBrightest = 0;
    int newGameBrightest = 0, quitBrightest = 0, logoBrightest = 0;
    double cursorAtFirst = 0, cursorBackground = 0, cursorAtSecondAfterDown = 0, cursorAtFirstAfterDown = 0;
    double yawBefore = 0, yawWhileTurning = 0;
    int creditsPage = -1, creditsTitleBrightest = 0, creditsHeaderBrightest = 0,
        creditsMenuColumnBrightest = 0;
    int rulesMode = -1, rulesTitleBrightest = 0;
    int modeAfterRulesEscape = -1, resumeAfterRulesEscape = -1, modeAfterResume = -1;
    bool reloadSeen = false;
    int pageAfterReload = -1;
    int quitFrame = -2;
    int strangeModeTextBrightest = 0, strangeModeMenuBrightest = 255, modeAfterSpaceInStrangeMode = -1;
};

TEST(GameLoopDisplayTest, TitleMenuCreditsRulesAndQuitThroughTheRealLoop) {
    Seen seen;
    testing::internal::CaptureStdout();
    int step = 0;
    int waitUntil = 0;
    int status = runGame([&](GameLoopFrame& loop) {
        seen.lastFrame = loop.frame;
        if (loop.frame < waitUntil) return;
        waitUntil = loop.frame + 2;  // let each step's events take effect for a frame
        GameData& data = loop.gameData;
        switch (step++) {
        case 0:
            seen.hadMap = data.currentMap != nullptr;
            seen.hadTerrainModels = false;
            if (data.currentMap)
                for (const auto& row : data.currentMap->grid)
                    for (const Terrain* terrain : row)
                        if (terrain && terrain->model && !terrain->model->meshes.empty())
                            seen.hadTerrainModels = true;
            seen.columnMean = meanIn(0, 400, 300, 300);
            seen.rightOfColumnMean = meanIn(300, 0, 724, 768);
            seen.backdropBrightest = brightestIn(300, 0, 724, 768);
            seen.logoBrightest = brightestIn(82, 100, 120, 80);
            seen.newGameBrightest = brightestIn(85, 220, 120, 28);
            seen.quitBrightest = brightestIn(85, 330, 60, 28);
            seen.cursorAtFirst = meanIn(72, 226, 7, 16);
            seen.cursorBackground = meanIn(72, 400, 7, 16);
            seen.yawBefore = loop.titleCamera.yaw;
            push(SDLK_KP4);  // turn the title camera
            push(SDLK_DOWN);
            break;
        case 1:
            seen.yawWhileTurning = loop.titleCamera.yaw;
            seen.cursorAtSecondAfterDown = meanIn(72, 281, 7, 16);
            seen.cursorAtFirstAfterDown = meanIn(72, 226, 7, 16);
            push(SDLK_KP4, SDL_KEYUP);
            push(SDLK_DOWN, SDL_KEYUP);
            tap(SDLK_SPACE);  // CREDITS
            break;
        case 2:
            seen.creditsPage = loop.titleScreen.page;
            seen.creditsTitleBrightest = brightestIn(12, 5, 100, 30);
            seen.creditsHeaderBrightest = brightestIn(12, 40, 60, 20);
            seen.creditsMenuColumnBrightest = brightestIn(85, 220, 100, 28);
            tap(SDLK_ESCAPE);
            tap(SDLK_UP);
            tap(SDLK_SPACE);  // NEW GAME
            break;
        case 3:
            seen.rulesMode = data.mode;
            seen.rulesTitleBrightest = brightestIn(12, 5, 80, 30);
            tap(SDLK_ESCAPE);
            break;
        case 4:
            seen.modeAfterRulesEscape = data.mode;
            seen.resumeAfterRulesEscape = data.resumeMode;
            tap(SDLK_SPACE);  // RESUME GAME
            break;
        case 5:
            seen.modeAfterResume = data.mode;
            tap(SDLK_ESCAPE);
            break;
        case 6:
            tap(SDLK_DOWN);
            tap(SDLK_SPACE);  // END GAME
            break;
        case 7:
            seen.reloadSeen = !data.reloadRequested && loop.titleScreen.page == 0;
            seen.pageAfterReload = loop.titleScreen.page;
            data.mode = 9;  // no screen has this mode
            tap(SDLK_SPACE);
            break;
        case 8:
            seen.strangeModeTextBrightest = brightestIn(100, 50, 300, 40);
            seen.strangeModeMenuBrightest = brightestIn(85, 220, 120, 28);
            seen.modeAfterSpaceInStrangeMode = data.mode;
            data.mode = TitleMode;
            tap(SDLK_DOWN);
            tap(SDLK_DOWN);
            tap(SDLK_SPACE);  // QUIT
            seen.quitFrame = loop.frame;
            break;
        default:
            break;
        }
    });
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 0);

    EXPECT_EQ(step, 9) << "the loop ended before the menu reached QUIT";
    // Left columns dark but present, labels white, cursor brighter than the column behind it.
    EXPECT_GT(seen.newGameBrightest, 200);
    EXPECT_GT(seen.quitBrightest, 200);
    EXPECT_GT(seen.logoBrightest, 200);
    EXPECT_GT(seen.cursorAtFirst, seen.cursorBackground + 20);
    EXPECT_GT(seen.cursorAtSecondAfterDown, seen.cursorBackground + 20);
    EXPECT_NEAR(seen.cursorAtFirstAfterDown, seen.cursorBackground, 5);
    if (seen.hadTerrainModels)
        EXPECT_GT(seen.backdropBrightest, 30) << "the DOWNTOWN backdrop should show right of the menu";
    else
        EXPECT_EQ(seen.backdropBrightest, 0)
            << "without DOWNTOWN's terrain models nothing is drawn right of the menu";
    // The keypad reached the title camera.
    EXPECT_LT(seen.yawWhileTurning, seen.yawBefore);
    // Credits: the page's own title and headers, and no menu.
    EXPECT_EQ(seen.creditsPage, 2);
    EXPECT_GT(seen.creditsTitleBrightest, 200);
    EXPECT_GT(seen.creditsHeaderBrightest, 150);
    EXPECT_LT(seen.creditsMenuColumnBrightest, 200);
    // NEW GAME, Escape from the rules page, RESUME GAME, END GAME.
    EXPECT_EQ(seen.rulesMode, RulesMode);
    EXPECT_GT(seen.rulesTitleBrightest, 200);
    EXPECT_EQ(seen.modeAfterRulesEscape, TitleMode);
    EXPECT_EQ(seen.resumeAfterRulesEscape, RulesMode);
    EXPECT_EQ(seen.modeAfterResume, RulesMode);
    EXPECT_TRUE(seen.reloadSeen);
    EXPECT_EQ(seen.pageAfterReload, 0);
    // A mode no screen has shows only its warning; keys other than Escape leave it as it is.
    EXPECT_GT(seen.strangeModeTextBrightest, 200);
    EXPECT_EQ(seen.strangeModeMenuBrightest, 0);
    EXPECT_EQ(seen.modeAfterSpaceInStrangeMode, 9);
    EXPECT_EQ(seen.lastFrame, seen.quitFrame) << "no frame may be drawn after QUIT";
    // The models' extension checks report once, when the database has models.
    if (seen.hadMap) {
        EXPECT_NE(out.find("OK: GL_ARB_multitexture available\n"), std::string::npos) << out;
        EXPECT_NE(out.find("OK: Shader file read successfully\n"), std::string::npos) << out;
        EXPECT_EQ(out.find("OK: GL_ARB_multitexture available\n"),
                  out.rfind("OK: GL_ARB_multitexture available\n"));
    }
    // The loop shut its libraries down behind it.
    EXPECT_EQ(FontCache::size(), 0u);
    EXPECT_EQ(ImageCache::size(), 0u);
}

}  // namespace
