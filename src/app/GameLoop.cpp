#include "app/GameLoop.h"

#include <cstdlib>
#include <string>

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "ai/ComputerPlayerFactory.h"
#include "app/TitleScreen.h"
#include "battle/BattleScreen.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "data/SearchlightBeam.h"
#include "gfx/Camera.h"
#include "gfx/DrawImage.h"
#include "gfx/FontCache.h"
#include "gfx/GeometryCache.h"
#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/ImageCache.h"
#include "gfx/Log.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextCache.h"
#include "gfx/TextLabel.h"
#include "gfx/ViewArea.h"
#include "setup/RulesScreen.h"
#include "storage/MetakitStorage.h"

namespace {

[[noreturn]] void fail(const char* what) {
    logToStderr(std::string("Error: ") + what + SDL_GetError());
    std::exit(1);
}

void startVideo() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) == -1) fail("Couldn't initialize SDL: ");
    std::atexit(SDL_Quit);
    // The standard streams already reach the terminal here; there is no console device to reopen.
    SDL_WM_SetCaption("Gearward Arc", nullptr);

    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) fail("Couldn't get video information: ");
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, info->vfmt->BitsPerPixel, SDL_OPENGL | SDL_FULLSCREEN))
        fail("Couldn't set video mode: ");
    SDL_ShowCursor(0);

    // A new context: nothing made in an earlier one is valid here.
    ImageCache::forget();
    TextCache::forget();
    GeometryCache::forget();
    SearchlightBeam::forget();
    GlExtensions::reset();
    GlContext::setAvailable(true);

    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, float(SCREEN_WIDTH) / float(SCREEN_HEIGHT), 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0, 0, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (TTF_Init() == -1) fail("Couldn't initialize SDL_ttf: ");
}

}  // namespace

void drawTitleBackdrop(GameData& gameData, Camera& camera) {
    // Headless the camera still moves; only the drawing is left out.
    if (!GlContext::available()) {
        camera.apply();
        return;
    }
    // Right of the 300-pixel menu column.
    enterViewArea(300, 0, SCREEN_WIDTH - 300, SCREEN_HEIGHT);
    camera.apply();
    // Without a "DOWNTOWN" map in the database there is simply no backdrop.
    if (gameData.currentMap) gameData.currentMap->draw();
    leaveViewArea();
}

namespace {

// One row per screen, in the order of GameMode: how the loop resets it on a reload, hands it an
// event and draws it. A mode without a row (QuitMode, or a value outside the modes) has no screen.
struct ScreenRow {
    void (*reset)(GameLoopFrame& objects);
    void (*handleEvent)(GameLoopFrame& objects, const SDL_Event& event);
    void (*draw)(GameLoopFrame& objects);
};

void reload(GameLoopFrame& objects);

const ScreenRow SCREENS[] = {
    // TitleMode: the title's backdrop behind its menu; "END GAME" reloads after the frame.
    {[](GameLoopFrame& o) { o.titleScreen.reset(o.gameData); },
     [](GameLoopFrame& o, const SDL_Event& event) { o.titleScreen.handleEvent(event); },
     [](GameLoopFrame& o) {
         drawTitleBackdrop(o.gameData, o.titleCamera);
         o.titleScreen.draw();
         if (o.gameData.reloadRequested) reload(o);
     }},
    // RulesMode
    {[](GameLoopFrame& o) { o.rulesScreen.reset(o.gameData); },
     [](GameLoopFrame& o, const SDL_Event& event) { o.rulesScreen.handleEvent(event); },
     [](GameLoopFrame& o) { o.rulesScreen.draw(); }},
    // BuildMode
    {[](GameLoopFrame& o) { o.buildScreen.reset(o.gameData); },
     [](GameLoopFrame& o, const SDL_Event& event) { o.buildScreen.handleEvent(event); },
     [](GameLoopFrame& o) { o.buildScreen.draw(); }},
    // BattleMode
    {[](GameLoopFrame& o) { o.battleScreen.reset(o.gameData); },
     [](GameLoopFrame& o, const SDL_Event& event) { o.battleScreen.handleEvent(event); },
     [](GameLoopFrame& o) { o.battleScreen.draw(); }},
};
constexpr int SCREEN_COUNT = int(sizeof(SCREENS) / sizeof(SCREENS[0]));
static_assert(SCREEN_COUNT == QuitMode, "a row for every screen, QuitMode after the last");

const ScreenRow* screenOf(int mode) {
    return mode >= 0 && mode < SCREEN_COUNT ? &SCREENS[mode] : nullptr;
}

void reload(GameLoopFrame& objects) {
    MetakitStorage storage;
    storage.open(GameData::DATABASE_FILE);
    objects.gameData.loadNames(storage);
    objects.gameData.reset();
    for (const ScreenRow& screen : SCREENS) screen.reset(objects);
}

void drawFrame(GameLoopFrame& objects) {
    if (const ScreenRow* screen = screenOf(objects.gameData.mode))
        screen->draw(objects);
    else
        TextLabel("Shouldn't see this. <ESC> to quit.", 100, 50).draw();
}

void deliverEvents(GameLoopFrame& objects) {
    GameData& gameData = objects.gameData;
    SDL_Event event;
    // Once "QUIT" is chosen the rest of the queue is left unread.
    while (gameData.mode != QuitMode && SDL_PollEvent(&event)) {
        // Closing the window, Ctrl+C and SIGTERM (which SDL turns into this event) end the game
        // as "QUIT" does.
        if (event.type == SDL_QUIT) {
            gameData.mode = QuitMode;
            break;
        }
        if (const ScreenRow* screen = screenOf(gameData.mode)) {
            screen->handleEvent(objects, event);
        } else if ((event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) &&
                   event.key.keysym.sym == SDLK_ESCAPE) {
            // Only key events carry a key symbol; press or release of Escape quits.
            gameData.mode = QuitMode;
        }
        objects.titleCamera.handleEvent(event);
        // "END GAME" reloads before the next key is seen: a "NEW GAME" queued behind it must
        // start on the fresh game, not be wiped by a reload that waited for the next title frame.
        if (gameData.reloadRequested && gameData.mode != QuitMode) reload(objects);
    }
}

}  // namespace

void runFrames(GameLoopFrame& objects, const FrameHook& afterDraw) {
    bool context = GlContext::available();
    while (objects.gameData.mode != QuitMode) {
        if (context) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFrame(objects);
        if (afterDraw) afterDraw(objects);
        deliverEvents(objects);
        if (context) SDL_GL_SwapBuffers();
        TextCache::nextFrame();
        SDL_Delay(15);
        ++objects.frame;
    }
}

void drawLoadingScreen() {
    drawImage("textures/UIColumnDark.bmp", 0, 300, SCREEN_WIDTH, 60);
    TextLabel("LOADING", 460, 313).size(30).draw();
    if (GlContext::available()) SDL_GL_SwapBuffers();
}

int runGame(const FrameHook& afterDraw) {
    startVideo();
    drawLoadingScreen();
    installComputerPlayerFactory();

    {
        GameData gameData;
        gameData.load();
        gameData.selectTitleMap();

        Camera titleCamera(Vector3(30, 10, 20), 30, -60, 45, true);
        TitleScreen titleScreen(gameData);
        RulesScreen rulesScreen(gameData);
        BuildScreen buildScreen(gameData);
        BattleScreen battleScreen(gameData);
        GameLoopFrame objects{gameData, titleCamera, titleScreen, rulesScreen, buildScreen, battleScreen, 0};
        runFrames(objects, afterDraw);

        // The kept fonts and textures go before the libraries that made them.
        TextCache::clear();
        FontCache::clear();
        ImageCache::clear();
        GeometryCache::clear();
        SearchlightBeam::forget();
        TTF_Quit();
        GlContext::setAvailable(false);
        SDL_Quit();
        // The context is gone: a later one (a test's) must set the extensions up afresh.
        GlExtensions::reset();
    }
    return 0;
}
