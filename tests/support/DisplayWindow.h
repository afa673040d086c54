#pragma once
// Display tests: an OpenGL window on the virtual X server, and pixels read back from it in window
// coordinates (origin at the top left, as the 2D drawing uses).

#include <cstdint>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
#include "gfx/GeometryCache.h"
#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/ImageCache.h"
#include "gfx/TextCache.h"

struct Rgb {
    int r, g, b;
};

// Opens SDL, a 1024 x 768 OpenGL window and SDL_ttf; closes them again, kept fonts and
// textures first.
class DisplayWindow {
public:
    bool open() {
        // A window left open by an earlier test goes first, so this test's context starts
        // with OpenGL's defaults rather than that test's state.
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        if (!SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL)) return false;
        ImageCache::forget();
        TextCache::forget();
        GeometryCache::forget();
        GlExtensions::reset();
        GlContext::setAvailable(true);
        if (TTF_Init() != 0) return false;
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return true;
    }
    ~DisplayWindow() {
        TextCache::clear();
        FontCache::clear();
        ImageCache::clear();
        GeometryCache::clear();
        if (TTF_WasInit()) TTF_Quit();
        GlContext::setAvailable(false);
        SDL_Quit();
    }
};

// The back buffer (what was just drawn) at window pixel (x, y).
inline Rgb pixelAt(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 767 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return Rgb{rgb[0], rgb[1], rgb[2]};
}

// The whole back buffer, rows from the bottom.
inline std::vector<unsigned char> backBuffer() {
    std::vector<unsigned char> pixels(1024 * 768 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The brightest channel value within a window rectangle.
inline int brightestIn(int x, int y, int w, int h) {
    std::vector<unsigned char> pixels(size_t(w) * size_t(h) * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 768 - (y + h), w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int best = 0;
    for (unsigned char value : pixels) best = value > best ? value : best;
    return best;
}

inline bool near(const Rgb& got, int r, int g, int b, int tolerance = 8) {
    return std::abs(got.r - r) <= tolerance && std::abs(got.g - g) <= tolerance &&
           std::abs(got.b - b) <= tolerance;
}

// Saves a solid-colour opaque BMP of the given size.
inline bool writeSolidBmp(const std::string& path, int w, int h, int r, int g, int b) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    if (!surface) return false;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, Uint8(r), Uint8(g), Uint8(b)));
    bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
