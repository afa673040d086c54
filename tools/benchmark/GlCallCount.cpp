// Counting of the extension entry points: SDL_GL_GetProcAddress is wrapped, and each entry point
// it finds is handed out as a trampoline of its own that counts, then jumps to the real one. The
// library's gl* and glu* functions are counted by trampolines made at build time (gl-wraps.sh).

#include "GlCallCount.h"

#include <cstring>

#include <SDL/SDL.h>

#if defined(GEARWARD_COUNT_GL_CALLS)

extern "C" {
extern const char* const gearwardGlCallNames[];
extern const long gearwardGlCallFunctions;
extern long gearwardGlCallCounts[];

enum { EXTENSION_SLOTS = 32 };
long gearwardGlExtensionCounts[EXTENSION_SLOTS];
void* gearwardGlExtensionTargets[EXTENSION_SLOTS];
void* __real_SDL_GL_GetProcAddress(const char* name);
void* __wrap_SDL_GL_GetProcAddress(const char* name);
}

#define GEARWARD_EXTENSION_SLOT(n)                           \
    asm(".text\n"                                            \
        ".globl gearwardGlExtension" #n                      \
        "\n"                                                 \
        "gearwardGlExtension" #n                             \
        ":\n"                                                \
        "incq gearwardGlExtensionCounts+8*" #n               \
        "(%rip)\n"                                           \
        "jmp *gearwardGlExtensionTargets+8*" #n "(%rip)\n"); \
    extern "C" void gearwardGlExtension##n();

// clang-format lays these eight out differently on each pass, so they keep this layout by hand.
// clang-format off
#define GEARWARD_EIGHT_SLOTS(a, b, c, d, e, f, g, h)                                       \
    GEARWARD_EXTENSION_SLOT(a) GEARWARD_EXTENSION_SLOT(b) GEARWARD_EXTENSION_SLOT(c)      \
    GEARWARD_EXTENSION_SLOT(d) GEARWARD_EXTENSION_SLOT(e) GEARWARD_EXTENSION_SLOT(f)      \
    GEARWARD_EXTENSION_SLOT(g) GEARWARD_EXTENSION_SLOT(h)
// clang-format on
GEARWARD_EIGHT_SLOTS(0, 1, 2, 3, 4, 5, 6, 7)
GEARWARD_EIGHT_SLOTS(8, 9, 10, 11, 12, 13, 14, 15)
GEARWARD_EIGHT_SLOTS(16, 17, 18, 19, 20, 21, 22, 23)
GEARWARD_EIGHT_SLOTS(24, 25, 26, 27, 28, 29, 30, 31)

namespace {

void (*const trampolines[EXTENSION_SLOTS])() = {
    gearwardGlExtension0,  gearwardGlExtension1,  gearwardGlExtension2,  gearwardGlExtension3,
    gearwardGlExtension4,  gearwardGlExtension5,  gearwardGlExtension6,  gearwardGlExtension7,
    gearwardGlExtension8,  gearwardGlExtension9,  gearwardGlExtension10, gearwardGlExtension11,
    gearwardGlExtension12, gearwardGlExtension13, gearwardGlExtension14, gearwardGlExtension15,
    gearwardGlExtension16, gearwardGlExtension17, gearwardGlExtension18, gearwardGlExtension19,
    gearwardGlExtension20, gearwardGlExtension21, gearwardGlExtension22, gearwardGlExtension23,
    gearwardGlExtension24, gearwardGlExtension25, gearwardGlExtension26, gearwardGlExtension27,
    gearwardGlExtension28, gearwardGlExtension29, gearwardGlExtension30, gearwardGlExtension31,
};
std::string extensionNames[EXTENSION_SLOTS];

bool isImmediateVertex(const char* name) {
    return std::strncmp(name, "glVertex", 8) == 0 && name[8] >= '2' && name[8] <= '4';
}

}  // namespace

// An entry point asked for again (a new context) keeps its slot; past the last slot, calls go
// uncounted straight to the driver.
void* __wrap_SDL_GL_GetProcAddress(const char* name) {
    void* real = __real_SDL_GL_GetProcAddress(name);
    if (!real || !name) return real;
    for (int slot = 0; slot < EXTENSION_SLOTS; ++slot) {
        if (extensionNames[slot].empty()) extensionNames[slot] = name;
        if (extensionNames[slot] == name) {
            gearwardGlExtensionTargets[slot] = real;
            return reinterpret_cast<void*>(trampolines[slot]);
        }
    }
    return real;
}

bool GlCallCount::available() {
    return true;
}

GlCallCount::Totals GlCallCount::now() {
    Totals totals;
    for (long i = 0; i < gearwardGlCallFunctions; ++i) {
        totals.calls += gearwardGlCallCounts[i];
        if (isImmediateVertex(gearwardGlCallNames[i])) totals.immediateVertices += gearwardGlCallCounts[i];
    }
    for (int slot = 0; slot < EXTENSION_SLOTS; ++slot) totals.calls += gearwardGlExtensionCounts[slot];
    return totals;
}

std::vector<std::pair<std::string, long>> GlCallCount::perFunction() {
    std::vector<std::pair<std::string, long>> counts;
    for (long i = 0; i < gearwardGlCallFunctions; ++i)
        if (gearwardGlCallCounts[i] > 0) counts.emplace_back(gearwardGlCallNames[i], gearwardGlCallCounts[i]);
    for (int slot = 0; slot < EXTENSION_SLOTS; ++slot)
        if (gearwardGlExtensionCounts[slot] > 0)
            counts.emplace_back(extensionNames[slot], gearwardGlExtensionCounts[slot]);
    return counts;
}

#else

bool GlCallCount::available() {
    return false;
}
GlCallCount::Totals GlCallCount::now() {
    return {};
}
std::vector<std::pair<std::string, long>> GlCallCount::perFunction() {
    return {};
}

#endif
