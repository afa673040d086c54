#include "gfx/TextureUpload.h"

#include "gfx/Log.h"

namespace {
// Bytes R, G, B, A in memory order on the little-endian machines the game runs on.
const Uint32 redMask = 0x000000FF;
const Uint32 greenMask = 0x0000FF00;
const Uint32 blueMask = 0x00FF0000;
const Uint32 alphaMask = 0xFF000000;
}  // namespace

int smallestPowerOfTwo(int n) {
    int value = 1;
    // Stops at 2^30 so an absurd size cannot overflow; no surface is that large anyway.
    while (value < n && value < (1 << 30)) value *= 2;
    return value;
}

void imageTextureCoords(int width, int height, float coords[4]) {
    coords[0] = 0.0f;
    coords[1] = 0.0f;
    coords[2] = static_cast<float>(static_cast<double>(width) / smallestPowerOfTwo(width));
    coords[3] = static_cast<float>(static_cast<double>(height) / smallestPowerOfTwo(height));
}

GLuint surfaceToTexture(SDL_Surface* image, float coords[4]) {
    if (!image) {
        imageTextureCoords(0, 0, coords);
        return 0;
    }
    int textureWidth = smallestPowerOfTwo(image->w);
    int textureHeight = smallestPowerOfTwo(image->h);
    imageTextureCoords(image->w, image->h, coords);

    SDL_Surface* work = SDL_CreateRGBSurface(SDL_SWSURFACE, textureWidth, textureHeight, 32, redMask,
                                             greenMask, blueMask, alphaMask);
    if (!work) return 0;

    // With per-surface alpha on, the blit would blend instead of copying the alpha channel.
    Uint32 savedFlags = image->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
    Uint8 savedAlpha = image->format->alpha;
    if (savedFlags & SDL_SRCALPHA) SDL_SetAlpha(image, 0, 0);
    SDL_Rect area = {0, 0, static_cast<Uint16>(image->w), static_cast<Uint16>(image->h)};
    SDL_BlitSurface(image, &area, work, &area);
    if (savedFlags & SDL_SRCALPHA) SDL_SetAlpha(image, savedFlags, savedAlpha);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 work->pixels);
    SDL_FreeSurface(work);
    return texture;
}

SDL_Surface* convertSurface(SDL_Surface* image, bool alpha) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        logToStderr("SDL not initialized.");
        return nullptr;
    }
    if (!image) return nullptr;
    int depth = alpha ? 32 : 24;
    Uint32 wantedAlpha = alpha ? alphaMask : 0;
    const SDL_PixelFormat* format = image->format;
    if (format->BitsPerPixel == depth && format->Rmask == redMask && format->Gmask == greenMask &&
        format->Bmask == blueMask && format->Amask == wantedAlpha && !(image->flags & SDL_SRCCOLORKEY))
        return image;

    SDL_Surface* converted = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, depth, redMask,
                                                  greenMask, blueMask, wantedAlpha);
    if (!converted) return nullptr;
    if (alpha) SDL_SetAlpha(image, 0, 255);
    if (SDL_BlitSurface(image, nullptr, converted, nullptr) != 0) {
        // The image stays the caller's, as it does when the new surface cannot be made.
        SDL_FreeSurface(converted);
        return nullptr;
    }
    SDL_FreeSurface(image);
    return converted;
}
