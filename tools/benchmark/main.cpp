// Frame-time benchmark: renders the title screen, the rules screen's map page with its 3D
// preview, the build screen's equip list, a busy screen (40 labels, 20 images) and the battle
// screen at its busiest (the largest map full of robots, target selection with its attack table)
// for a number of frames with the font, image and text caches on, then off, and an empty frame
// (clear and swap) for reference; prints the median milliseconds per frame of each, then the
// texture objects and resident memory of the battle screen at frame 1 and frame 1,000. The battle's
// 3D view is also timed alone, so that what the panels cost (the difference) shows beside what the
// software renderer spends on the map and the robots. Not part of the game.

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

#include <fstream>

#include "app/GameLoop.h"
#include "app/TitleScreen.h"
#include "battle/BattleMapView.h"
#include "battle/BattleScreen.h"
#include "build/BuildScreen.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/GameData.h"
#include "data/Map.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "gfx/Camera.h"
#include "gfx/DrawImage.h"
#include "gfx/FontCache.h"
#include "gfx/GeometryCache.h"
#include "gfx/GlContext.h"
#include "gfx/ImageCache.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextCache.h"
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
        TextCache::nextFrame();
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
    TextCache::clear();
    FontCache::clear();
    ImageCache::clear();
    GeometryCache::clear();
    GeometryCache::enabled = on;
    FontCache::enabled = on;
    ImageCache::enabled = on;
    TextCache::enabled = on;
}

// Texture objects alive in the context: every name up to the next one OpenGL would hand out.
long textureObjects() {
    GLuint next = 0;
    glGenTextures(1, &next);
    glDeleteTextures(1, &next);
    long alive = 0;
    for (GLuint name = 1; name < next; ++name)
        if (glIsTexture(name)) ++alive;
    return alive;
}

long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The largest map (by tiles) with a robot of each side on every start tile, each carrying parts
// spread over the catalogue, and side 0's first robot aiming its first attack.
bool setUpBattle(GameData& gameData, BattleScreen& battle) {
    const Map* largest = nullptr;
    for (const auto& entry : gameData.maps) {
        const Map& map = entry.second;
        if (!largest || map.getWidth() * map.getHeight() > largest->getWidth() * largest->getHeight())
            largest = &map;
    }
    if (!largest) return false;
    gameData.currentMap = const_cast<Map*>(largest);
    std::vector<const Component*> bySlot[COMPONENT_SLOTS];
    for (const auto& entry : gameData.components) {
        int slot = int(entry.second.getType());
        if (slot >= 0 && slot < COMPONENT_SLOTS) bySlot[slot].push_back(&entry.second);
    }
    int made = 0;
    for (int side = 0; side < 2; ++side) {
        for (const auto& tile : largest->startZone(side)) {
            Robot* robot = gameData.createRobot();
            robot->name = "Robot " + toString(made);
            robot->setSide(side);
            for (int slot = 0; slot < COMPONENT_SLOTS; ++slot)
                if (!bySlot[slot].empty()) robot->setComponent(slot, bySlot[slot][size_t(made) % bySlot[slot].size()]);
            Pilot* pilot = gameData.createPilot();
            pilot->name = "Pilot " + toString(made);
            pilot->side = side;
            gameData.sides[size_t(side)].pilots.push_back(pilot);
            robot->setPilot(pilot);
            robot->hp = robot->getMaxHp();
            robot->ep = robot->getMaxEp();
            robot->movePoints = robot->getMove();
            robot->x = tile.first;
            robot->y = tile.second;
            robot->facing = side == 0 ? FACING_NORTH : FACING_SOUTH;
            gameData.sides[size_t(side)].squad.push_back(robot);
            gameData.roster.push_back(robot);
            ++made;
        }
    }
    if (gameData.roster.empty()) return false;
    gameData.mode = BattleMode;
    gameData.turnIndex = 0;
    Robot* acting = gameData.roster[0];
    battle.selectedRobot = acting;
    battle.cursor[RobotSelect] = acting->x;
    battle.cursor2[RobotSelect] = acting->y;
    battle.battleCamera.setHomeView(Vector3(4.0 * largest->getWidth() / 2, 0, 4.0 * largest->getHeight() / 2), 65,
                                    0, 45);
    battle.cursor[AttackComponent] = 0;
    battle.cursor[AttackChoice] = 0;
    battle.state = TargetSelect;
    const Attack* attack = battle.chosenAttack();
    if (!attack || attack->getRange().empty()) {
        battle.state = ActionMenu;
        return true;
    }
    auto offset = turnPatternEntry(acting->facing, attack->getRange()[0].first, attack->getRange()[0].second);
    battle.cursor[TargetSelect] = acting->x + offset.first;
    battle.cursor2[TargetSelect] = acting->y + offset.second;
    return true;
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

    double result[2][6];
    long textures[2] = {0, 0};
    long memory[2] = {0, 0};
    std::size_t geometry[2] = {0, 0};
    unsigned long compiled[2] = {0, 0};
    bool battleShown = false;
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

        // The battle in a match of its own, after the build screen is done with the first.
        GameData battleData;
        battleData.load();
        BattleScreen battle(battleData);
        battleShown = setUpBattle(battleData, battle);
        auto battleFrame = [&]() { battle.draw(); };
        auto battleViewFrame = [&]() { drawBattleMapView(battle); };

        for (int cached = 1; cached >= 0; --cached) {
            setCaches(cached == 1);
            result[cached][0] = medianFrameMs(frames, titleFrame);
            result[cached][1] = medianFrameMs(frames, rulesFrame);
            result[cached][2] = medianFrameMs(frames, equipFrame);
            result[cached][3] = medianFrameMs(frames, busyScreen);
            result[cached][4] = battleShown ? medianFrameMs(frames, battleFrame) : 0;
            result[cached][5] = battleShown ? medianFrameMs(frames, battleViewFrame) : 0;
        }

        // A thousand frames of the still battle screen, caches on: nothing may pile up.
        setCaches(true);
        for (int frame = 1; battleShown && frame <= 1000; ++frame) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            battle.draw();
            SDL_GL_SwapBuffers();
            TextCache::nextFrame();
            if (frame == 1 || frame == 1000) {
                textures[frame == 1 ? 0 : 1] = textureObjects();
                memory[frame == 1 ? 0 : 1] = residentKilobytes();
                geometry[frame == 1 ? 0 : 1] = GeometryCache::size();
                compiled[frame == 1 ? 0 : 1] = GeometryCache::compilations();
            }
        }
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
    if (battleShown) {
        std::printf("  battle, full map + panels caches on %8.3f   caches off %8.3f   (%.1f times)\n", result[1][4],
                    result[0][4], result[1][4] > 0 ? result[0][4] / result[1][4] : 0.0);
        std::printf("  battle 3D view alone      caches on %8.3f   caches off %8.3f\n", result[1][5], result[0][5]);
        const double panelsOn = result[1][4] - result[1][5];
        const double panelsOff = result[0][4] - result[0][5];
        std::printf("  battle panels, difference caches on %8.3f   caches off %8.3f   (%.1f times)\n", panelsOn,
                    panelsOff, panelsOn > 0 ? panelsOff / panelsOn : 0.0);
    } else {
        std::printf("  battle: no map or no robot in this database, not measured\n");
    }
    std::printf("  empty frame (clear, swap)           %8.3f\n", empty);
    if (battleShown) {
        std::printf("battle screen, caches on: texture objects %ld at frame 1, %ld at frame 1000; "
                    "resident memory %ld kB at frame 1, %ld kB at frame 1000\n",
                    textures[0], textures[1], memory[0], memory[1]);
        std::printf("battle screen, caches on: models with kept geometry %zu at frame 1, %zu at frame 1000; "
                    "geometry compiled %lu times by frame 1, %lu by frame 1000\n",
                    geometry[0], geometry[1], compiled[0], compiled[1]);
    }

    TextCache::clear();
    FontCache::clear();
    ImageCache::clear();
    GeometryCache::clear();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
