#pragma once
// Screen tests without a display: SDL_ttf up and the built game folder as working directory, so
// labels are measured with the game's own font while nothing is drawn (no OpenGL context).
// Pair it with a DrawRecorder to check a screen's whole layout:
//   HeadlessScreen screen;  ASSERT_TRUE(screen.ready());
//   DrawRecorder recorder;  titleScreen.draw();

#include <SDL/SDL_ttf.h>

#include "InGameFolder.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"

class HeadlessScreen {
public:
    HeadlessScreen() { fontLibrary = TTF_WasInit() || TTF_Init() == 0; }
    ~HeadlessScreen() {
        FontCache::clear();
        if (TTF_WasInit()) TTF_Quit();
    }
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    // The game folder is the working directory, SDL_ttf is up and there is no OpenGL context.
    bool ready() const { return gameFolder.ok() && fontLibrary && !GlContext::available(); }

private:
    InGameFolder gameFolder;
    bool fontLibrary = false;
};
