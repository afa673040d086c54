#pragma once
// Writes a Canvas to disk in the two formats the game reads: opaque 24-bit BMP (through SDL) and
// 32-bit RGBA PNG (through libpng). Each returns false and fills `error` with a one-line reason.

#include <string>

class Canvas;

class ImageWriter {
public:
    // Any transparency left in the canvas is laid over black: BMP files are opaque.
    static bool saveBmp(const Canvas& canvas, const std::string& path, std::string& error);
    static bool savePng(const Canvas& canvas, const std::string& path, std::string& error);

    // 0..1 to a byte, rounded and clamped.
    static unsigned char toByte(float v);
};
