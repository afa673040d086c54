#pragma once
// Rendered text kept as GL textures while it is being drawn, one per (font file, point size,
// style, colour, text). Rendering a label with SDL_ttf and uploading it is the dearest part of
// a frame full of text; a still screen draws the same labels every frame. Text that has not been
// drawn for KEEP_FRAMES frames is deleted, and the cache never holds more than MAX_ENTRIES
// textures (the least recently drawn go first), so changing text cannot make it grow without
// bound. Text that fails to render is not kept, so its message repeats as it would uncached.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include <GL/gl.h>

// One rendering of a text: its texture (0 when the upload failed), the texture coordinates that
// select it and its size in pixels.
struct RenderedText {
    GLuint texture = 0;
    float coords[4] = {0, 0, 0, 0};
    int width = 0;
    int height = 0;
    bool kept = false;  // owned by the cache; otherwise the drawer deletes it after use
};

class TextCache {
public:
    static constexpr unsigned KEEP_FRAMES = 120;
    static constexpr std::size_t MAX_ENTRIES = 1024;

    // Switch for the frame benchmark and the same-picture test: off, every draw renders and
    // uploads the text again and deletes the texture after drawing.
    static bool enabled;

    // The text rendered in the font (opened through FontCache) with colour bytes r, g, b. False
    // when there is nothing to draw: SDL's video or SDL_ttf is not up, the font did not open or
    // SDL_ttf rendered nothing (an empty text does that); the message of that failure is written
    // to standard error. A texture that cannot be made writes its message and still gives true,
    // with texture 0.
    static bool acquire(const std::string& fontFile, int pointSize, int style, std::uint8_t r, std::uint8_t g,
                        std::uint8_t b, const std::string& text, RenderedText& out);
    // After drawing: deletes the texture unless the cache keeps it.
    static void release(const RenderedText& text);

    // One frame has ended: text not drawn for KEEP_FRAMES frames goes.
    static void nextFrame();
    // Deletes every kept texture (needs the GL context that made them).
    static void clear();
    // Drops the entries without touching GL: for when the context they lived in is gone.
    static void forget();
    static std::size_t size();
    // Texts rendered with SDL_ttf since the program started, kept or not: a still screen with
    // the cache on adds none.
    static unsigned long renderings();

private:
    using Key = std::tuple<std::string, int, int, std::uint32_t, std::string>;
    struct Entry {
        RenderedText text;
        unsigned lastFrame = 0;
    };
    static std::map<Key, Entry>& entries();
    static unsigned& frame();
    static unsigned long& renderCount();
    static void evictOldest();
};
