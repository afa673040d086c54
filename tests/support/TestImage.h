#pragma once
// Loads an image file the way the game does (SDL_image), or takes a surface already made (a
// rendered label), and keeps its format facts and its pixels as plain RGBA bytes, for tests that
// look at generated art and text.

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

struct TestImage {
    bool loaded = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool hasAlphaChannel = false;
    std::vector<uint8_t> rgba;

    static TestImage load(const std::string& path) { return fromSurface(IMG_Load(path.c_str())); }

    // Takes the surface over and frees it; null gives an image that is not loaded.
    static TestImage fromSurface(SDL_Surface* surface) {
        TestImage image;
        if (!surface) return image;
        image.loaded = true;
        image.width = surface->w;
        image.height = surface->h;
        image.bitsPerPixel = surface->format->BitsPerPixel;
        image.hasAlphaChannel = surface->format->Amask != 0;
        image.rgba.resize(static_cast<size_t>(surface->w) * surface->h * 4);
        SDL_LockSurface(surface);
        int bpp = surface->format->BytesPerPixel;
        for (int y = 0; y < surface->h; ++y)
            for (int x = 0; x < surface->w; ++x) {
                const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
                Uint32 pixel = 0;
                if (bpp == 1)
                    pixel = *p;
                else if (bpp == 2)
                    pixel = *reinterpret_cast<const Uint16*>(p);
                else if (bpp == 3)
                    pixel = SDL_BYTEORDER == SDL_LIL_ENDIAN ? (p[0] | p[1] << 8 | p[2] << 16)
                                                            : (p[2] | p[1] << 8 | p[0] << 16);
                else
                    pixel = *reinterpret_cast<const Uint32*>(p);
                uint8_t* out = &image.rgba[(static_cast<size_t>(y) * surface->w + x) * 4];
                SDL_GetRGBA(pixel, surface->format, &out[0], &out[1], &out[2], &out[3]);
            }
        SDL_UnlockSurface(surface);
        SDL_FreeSurface(surface);
        return image;
    }

    const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    int brightness(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
    int difference(int x0, int y0, int x1, int y1) const {
        const uint8_t* a = at(x0, y0);
        const uint8_t* b = at(x1, y1);
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    }
};
