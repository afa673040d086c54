// Frame-time benchmark: renders the title screen, the rules screen's map page with its 3D
// preview, the build screen's equip list and a busy screen (40 labels, 20 images) for a number of
// frames with the font and image caches on, then off, and an empty frame (clear and swap) for
// reference; prints the median milliseconds per frame of each. Not part of the game.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <unistd.h>

#include "app/GameLoop.h"
#include "app/TitleScreen.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "gfx/Camera.h"
#include "gfx/DrawImage.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/ImageCache.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextLabel.h"
#include "setup/RulesScreen.h"

namespace {

double medianFrameMs(int frames, const std::function<void()>& draw) {
    std::vector<double> times;
    times.reserve(size_t(frames));
    draw();  // one frame to warm up (and fill the caches when they are on)
    SDL_GL_SwapBuffers();
    for (int i = 0; i < frames; ++i) {
        auto start = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        SDL_GL_SwapBuffers();
        glFinish();
        auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void busyScreen() {
    static const char* const images[] = {
        "textures/UIColumnDark.bmp", "textures/UIColumn.bmp",   "textures/UICursor.png",
        "textures/UIKeyEsc.bmp",     "textures/UIKeySpace.bmp",
    };
    for (int i = 0; i < 20; ++i) drawImage(images[i % 5], 40 * (i % 10), 300 + 60 * (i / 10), 36, 50);
    static const int sizes[] = {14, 18, 20, 24};
    for (int i = 0; i < 40; ++i) {
        TextLabel label("Label " + toString(i), 10 + 250 * (i % 4), 10 + 25 * (i / 4));
        label.size(sizes[i % 4]);
        if (i % 3 == 0) label.bold().color(0.8, 0.8, 0.8);
        label.draw();
    }
}

void setCaches(bool on) {
    FontCache::clear();
    ImageCache::clear();
    FontCache::enabled = on;
    ImageCache::enabled = on;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    if (frames < 1) frames = 1;
    std::string folder = argc > 2 ? argv[2] : GEARWARD_GAME_DIR;
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "benchmark-frames: cannot enter the game folder %s\n", folder.c_str());
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "benchmark-frames: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 0, SDL_OPENGL) || TTF_Init() != 0) {
        std::fprintf(stderr, "benchmark-frames: %s\n", SDL_GetError());
        return 1;
    }
    GlContext::setAvailable(true);
    glEnable(GL_DEPTH_TEST);

    double result[2][4];
    {
        GameData gameData;
        gameData.load();
        gameData.selectTitleMap();
        Camera camera(Vector3(30, 10, 20), 30, -60, 45, true);
        TitleScreen title(gameData);
        auto titleFrame = [&]() {
            drawTitleBackdrop(gameData, camera);
            title.draw();
        };

        // The map page as a player reaches it against the computer, the first map highlighted.
        RulesScreen rules(gameData);
        rules.page = RulesScreen::MAP_PAGE;
        auto rulesFrame = [&]() { rules.draw(); };

        // A match set up from that page, and the head list of the first robot, its second row
        // highlighted so that the preview shows its arrows.
        BuildScreen build(gameData);
        SDL_Event space{};
        space.type = SDL_KEYDOWN;
        space.key.keysym.sym = SDLK_SPACE;
        rules.handleEvent(space);
        build.handleEvent(space);
        build.handleEvent(space);
        build.cursor[2] = build.candidates.size() > 1 ? 1 : 0;
        auto equipFrame = [&]() { build.draw(); };

        for (int cached = 1; cached >= 0; --cached) {
            setCaches(cached == 1);
            result[cached][0] = medianFrameMs(frames, titleFrame);
            result[cached][1] = medianFrameMs(frames, rulesFrame);
            result[cached][2] = medianFrameMs(frames, equipFrame);
            result[cached][3] = medianFrameMs(frames, busyScreen);
        }
        setCaches(true);
    }
    double empty = medianFrameMs(frames, []() {});

    std::printf("median ms per frame over %d frames (%s)\n", frames, folder.c_str());
    std::printf("  title screen              caches on %8.3f   caches off %8.3f\n", result[1][0],
                result[0][0]);
    std::printf("  rules map page + preview  caches on %8.3f   caches off %8.3f\n", result[1][1],
                result[0][1]);
    std::printf("  build equip list + model  caches on %8.3f   caches off %8.3f\n", result[1][2],
                result[0][2]);
    std::printf("  40 labels + 20 images     caches on %8.3f   caches off %8.3f\n", result[1][3],
                result[0][3]);
    std::printf("  empty frame (clear, swap)           %8.3f\n", empty);

    FontCache::clear();
    ImageCache::clear();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
