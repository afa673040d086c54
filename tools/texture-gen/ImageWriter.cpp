#include "ImageWriter.h"

#include "Canvas.h"

#include <SDL.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <vector>

unsigned char ImageWriter::toByte(float v) {
    if (!(v > 0)) return 0;  // also catches NaN
    if (v >= 1) return 255;
    return static_cast<unsigned char>(std::lround(v * 255.0f));
}

bool ImageWriter::saveBmp(const Canvas& canvas, const std::string& path, std::string& error) {
    int w = canvas.width(), h = canvas.height();
    // Bytes R, G, B in memory order whatever the host's byte order.
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    Uint32 rmask = 0x0000FF, gmask = 0x00FF00, bmask = 0xFF0000;
#else
    Uint32 rmask = 0xFF0000, gmask = 0x00FF00, bmask = 0x0000FF;
#endif
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, rmask, gmask, bmask, 0);
    if (!surface) {
        error = std::string("cannot make a surface: ") + SDL_GetError();
        return false;
    }
    SDL_LockSurface(surface);
    for (int y = 0; y < h; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < w; ++x) {
            const Colour& c = canvas.at(x, y);
            row[3 * x + 0] = toByte(c.r * c.a);
            row[3 * x + 1] = toByte(c.g * c.a);
            row[3 * x + 2] = toByte(c.b * c.a);
        }
    }
    SDL_UnlockSurface(surface);
    bool ok = SDL_SaveBMP(surface, path.c_str()) == 0;
    if (!ok) error = std::string("cannot write ") + path + ": " + SDL_GetError();
    SDL_FreeSurface(surface);
    return ok;
}

namespace {
struct PngFailure {
    std::string message;
};

void pngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    if (failure) failure->message = message;
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}
}  // namespace

namespace {
// The part that libpng may leave by longjmp: it owns no C++ objects, so nothing is skipped.
bool writePng(FILE* file, int w, int h, png_bytep* rows, PngFailure* failure) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, failure, pngError, pngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}  // namespace

bool ImageWriter::savePng(const Canvas& canvas, const std::string& path, std::string& error) {
    int w = canvas.width(), h = canvas.height();
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Colour& c = canvas.at(x, y);
            unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
            p[3] = toByte(c.a);
        }
    std::vector<png_bytep> rows(h);
    for (int y = 0; y < h; ++y) rows[y] = &rgba[static_cast<size_t>(y) * w * 4];

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    PngFailure failure;
    bool written = writePng(file, w, h, rows.data(), &failure);
    bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + (failure.message.empty() ? "" : ": " + failure.message);
        return false;
    }
    return true;
}
