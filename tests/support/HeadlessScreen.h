#pragma once
// Screen tests without a display: SDL_ttf up and the built game folder as working directory, so
// labels are measured with the game's own font while nothing is drawn (no OpenGL context).
// Pair it with a DrawRecorder to check a screen's whole layout:
//   HeadlessScreen screen;  ASSERT_TRUE(screen.ready());
//   DrawRecorder recorder;  titleScreen.draw();

#include <string>

#include <unistd.h>

#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
#include "gfx/GlContext.h"

class HeadlessScreen {
public:
    HeadlessScreen()
    {
        char here[4096];
        if (getcwd(here, sizeof here))
            previousDirectory = here;
        inGameFolder = chdir(GEARWARD_GAME_DIR) == 0;
        fontLibrary = TTF_WasInit() || TTF_Init() == 0;
    }
    ~HeadlessScreen()
    {
        FontCache::clear();
        if (TTF_WasInit())
            TTF_Quit();
        if (!previousDirectory.empty() && chdir(previousDirectory.c_str()) != 0) {
            // Nothing better to do: the next test sets its own directory.
        }
    }
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    // The game folder is the working directory, SDL_ttf is up and there is no OpenGL context.
    bool ready() const { return inGameFolder && fontLibrary && !GlContext::available(); }

private:
    std::string previousDirectory;
    bool inGameFolder = false;
    bool fontLibrary = false;
};
