// Frame benchmark: renders the title screen, the rules screen's map page with its 3D preview,
// the build screen's equip list, a busy screen (40 labels, 20 images), the battle's dispatch and
// the battle screen at its busiest (the largest map with a robot on every start tile, target
// selection with its attack table), with the font, image, text and geometry caches on, then off,
// and an empty frame (clear and swap) for reference. Per scene it prints the OpenGL calls and the
// vertices sent one call at a time per frame (counted by the benchmark itself, GlCallCount), and
// the median processor time per frame of the whole process (the software renderer's threads
// included) and of the main thread, beside the wall time. Then the texture objects and resident
// memory of the battle screen at frame 1 and frame 1,000. The battle's 3D view is also measured
// alone, so that what the panels cost shows beside it. With --check it skips the thousand frames
// and ends with status 1 when a scene goes over its budget of calls or vertices (BenchmarkScene);
// --functions lists each scene's calls in one frame by function; --only=TEXT measures only the
// scenes whose name holds TEXT, without the thousand frames (for a profiler). Not part of the game.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <time.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <unistd.h>

#include <fstream>

#include "BenchmarkScenes.h"
#include "GlCallCount.h"
#include "battle/BattleScreen.h"
#include "gfx/FontCache.h"
#include "gfx/GeometryCache.h"
#include "gfx/GlContext.h"
#include "gfx/ImageCache.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextCache.h"

namespace {

// What one scene costs per frame: calls and immediate vertices (the same every frame of a still
// scene: their mean), and the median milliseconds of processor and wall time.
struct FrameCost {
    double calls = 0;
    double vertices = 0;
    double processMs = 0;
    double threadMs = 0;
    double wallMs = 0;
    long primitives = -1;  // primitives (mostly triangles) the renderer was given, -1 when unknown
};

// The primitives one frame hands the renderer, by a GL_PRIMITIVES_GENERATED query where the
// driver has one (OpenGL 3.0), in a frame of its own outside the counted ones.
long primitivesInFrame(const std::function<void()>& draw) {
    using GenQueries = void (*)(GLsizei, GLuint*);
    using DeleteQueries = void (*)(GLsizei, const GLuint*);
    using BeginQuery = void (*)(GLenum, GLuint);
    using EndQuery = void (*)(GLenum);
    using GetQueryObject = void (*)(GLuint, GLenum, GLuint*);
    static auto gen = reinterpret_cast<GenQueries>(SDL_GL_GetProcAddress("glGenQueries"));
    static auto remove = reinterpret_cast<DeleteQueries>(SDL_GL_GetProcAddress("glDeleteQueries"));
    static auto begin = reinterpret_cast<BeginQuery>(SDL_GL_GetProcAddress("glBeginQuery"));
    static auto end = reinterpret_cast<EndQuery>(SDL_GL_GetProcAddress("glEndQuery"));
    static auto result = reinterpret_cast<GetQueryObject>(SDL_GL_GetProcAddress("glGetQueryObjectuiv"));
    const GLenum primitivesGenerated = 0x8C87;
    if (!gen || !remove || !begin || !end || !result) return -1;
    GLuint query = 0;
    gen(1, &query);
    while (glGetError() != GL_NO_ERROR) {}
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin(primitivesGenerated, query);
    draw();
    end(primitivesGenerated);
    GLuint primitives = 0;
    result(query, 0x8866 /* GL_QUERY_RESULT */, &primitives);
    remove(1, &query);
    SDL_GL_SwapBuffers();
    TextCache::nextFrame();
    return glGetError() == GL_NO_ERROR ? long(primitives) : -1;
}

double cpuMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

FrameCost measureFrames(int frames, const std::function<void()>& draw) {
    std::vector<double> process, thread, wall;
    draw();  // one frame to warm up (and fill the caches when they are on)
    SDL_GL_SwapBuffers();
    glFinish();
    TextCache::nextFrame();
    const GlCallCount::Totals before = GlCallCount::now();
    for (int i = 0; i < frames; ++i) {
        const double processStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        const double threadStart = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        const auto wallStart = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        SDL_GL_SwapBuffers();
        glFinish();
        TextCache::nextFrame();
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count());
        thread.push_back(cpuMs(CLOCK_THREAD_CPUTIME_ID) - threadStart);
        process.push_back(cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart);
    }
    const GlCallCount::Totals after = GlCallCount::now();
    FrameCost cost;
    cost.calls = double(after.calls - before.calls) / frames;
    cost.vertices = double(after.immediateVertices - before.immediateVertices) / frames;
    cost.processMs = median(process);
    cost.threadMs = median(thread);
    cost.wallMs = median(wall);
    cost.primitives = primitivesInFrame(draw);
    return cost;
}

// One frame's calls by function, most called first.
std::vector<std::pair<std::string, long>> callsByFunction(const std::function<void()>& draw) {
    const auto before = GlCallCount::perFunction();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    auto after = GlCallCount::perFunction();
    for (auto& entry : after)
        for (const auto& old : before)
            if (old.first == entry.first) entry.second -= old.second;
    after.erase(
        std::remove_if(after.begin(), after.end(), [](const auto& entry) { return entry.second <= 0; }),
        after.end());
    std::sort(after.begin(), after.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    SDL_GL_SwapBuffers();
    TextCache::nextFrame();
    return after;
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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    bool check = false;
    bool listFunctions = false;
    std::string only;  // measure only the scenes whose name holds this (for a profiler)
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--check")
            check = true;
        else if (argument == "--functions")
            listFunctions = true;
        else if (argument.rfind("--only=", 0) == 0)
            only = argument.substr(7);
        else
            positional.push_back(argument);
    }
    int frames = positional.size() > 0 ? std::atoi(positional[0].c_str()) : 200;
    if (frames < 1) frames = 1;
    std::string folder = positional.size() > 1 ? positional[1] : GEARWARD_GAME_DIR;
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

    long textures[2] = {0, 0};
    long memory[2] = {0, 0};
    std::size_t geometry[2] = {0, 0};
    unsigned long compiled[2] = {0, 0};
    bool battleShown = false;
    std::vector<std::vector<std::pair<std::string, long>>> functions;  // per scene, one frame, caches on
    std::vector<BenchmarkScene> scenes;
    std::vector<FrameCost> costs[2];  // caches off, on; one per scene
    {
        BenchmarkScenes set;
        for (const BenchmarkScene& scene : set.scenes)
            if (scene.name.find(only) != std::string::npos) scenes.push_back(scene);
        battleShown = set.battleShown;
        BattleScreen& battle = set.battleScreen();
        for (int cached = 1; cached >= 0; --cached) {
            setCaches(cached == 1);
            for (const BenchmarkScene& scene : scenes) {
                costs[cached].push_back(measureFrames(frames, scene.draw));
                if (cached == 1 && listFunctions) functions.push_back(callsByFunction(scene.draw));
            }
        }

        // A thousand frames of the still battle screen, caches on: nothing may pile up. Not when
        // only the budgets are checked.
        setCaches(true);
        for (int frame = 1; battleShown && !check && only.empty() && frame <= 1000; ++frame) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            const bool last = frame == 1000;
            battle.draw();
            SDL_GL_SwapBuffers();
            TextCache::nextFrame();
            if (frame == 1 || last) {
                textures[last ? 1 : 0] = textureObjects();
                memory[last ? 1 : 0] = residentKilobytes();
                geometry[last ? 1 : 0] = GeometryCache::size();
                compiled[last ? 1 : 0] = GeometryCache::compilations();
            }
        }
    }
    FrameCost empty = measureFrames(frames, []() {});

    std::printf(
        "per frame, over %d frames (%s): OpenGL calls, vertices sent one call at a time, median\n"
        "milliseconds of processor time (whole process, main thread) and of wall time, primitives\n",
        frames, folder.c_str());
    if (!GlCallCount::available()) std::printf("(OpenGL calls are counted on x86-64 only: 0 here)\n");
    std::printf("  %-26s %-6s %8s %8s %9s %9s %9s %10s\n", "scene", "caches", "calls", "vertices", "process",
                "thread", "wall", "primitives");
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        for (int cached = 1; cached >= 0; --cached) {
            const FrameCost& cost = costs[cached][i];
            std::printf("  %-26s %-6s %8.0f %8.0f %9.3f %9.3f %9.3f %10ld\n",
                        cached ? scenes[i].name.c_str() : "", cached ? "on" : "off", cost.calls,
                        cost.vertices, cost.processMs, cost.threadMs, cost.wallMs, cost.primitives);
        }
    }
    std::printf("  %-26s %-6s %8.0f %8.0f %9.3f %9.3f %9.3f\n", "empty frame (clear, swap)", "", empty.calls,
                empty.vertices, empty.processMs, empty.threadMs, empty.wallMs);
    if (!battleShown) std::printf("  battle: no map or no robot in this database, not measured\n");
    if (battleShown && !check && only.empty()) {
        std::printf(
            "battle screen, caches on: texture objects %ld at frame 1, %ld at frame 1000; "
            "resident memory %ld kB at frame 1, %ld kB at frame 1000\n",
            textures[0], textures[1], memory[0], memory[1]);
        std::printf(
            "battle screen, caches on: models with kept geometry %zu at frame 1, %zu at frame 1000; "
            "geometry compiled %lu times by frame 1, %lu by frame 1000\n",
            geometry[0], geometry[1], compiled[0], compiled[1]);
    }
    for (std::size_t i = 0; i < functions.size(); ++i) {
        std::printf("%s, caches on, calls per function in one frame:\n", scenes[i].name.c_str());
        for (const auto& entry : functions[i])
            std::printf("  %-32s %8ld\n", entry.first.c_str(), entry.second);
    }

    int status = 0;
    if (check && GlCallCount::available()) {
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            const BenchmarkScene& scene = scenes[i];
            const FrameCost& cost = costs[1][i];
            if (scene.callBudget > 0 && cost.calls > scene.callBudget) {
                std::printf("over budget: %s makes %.0f OpenGL calls a frame, more than %ld\n",
                            scene.name.c_str(), cost.calls, scene.callBudget);
                status = 1;
            }
            if (scene.vertexBudget > 0 && cost.vertices > scene.vertexBudget) {
                std::printf("over budget: %s sends %.0f vertices one call at a time a frame, more than %ld\n",
                            scene.name.c_str(), cost.vertices, scene.vertexBudget);
                status = 1;
            }
        }
        if (status == 0) std::printf("every scene within its call budget\n");
    }

    TextCache::clear();
    FontCache::clear();
    ImageCache::clear();
    GeometryCache::clear();
    TTF_Quit();
    SDL_Quit();
    return status;
}
