#pragma once
// Opened fonts kept for the run, one per (file, point size, style). Opening the font file is by
// far the dearest step of drawing a label, and every label of every frame needs one. A font that
// fails to open is not remembered, so the next label tries again and reports again.

#include <map>
#include <string>
#include <tuple>

#include <SDL/SDL_ttf.h>

class FontCache {
public:
    // Switch for the frame benchmark only: off, every use opens and closes the font file.
    static bool enabled;

    // The font with its style already set, or null when the file cannot be opened.
    // Hand it back with release() when done.
    static TTF_Font* acquire(const std::string& file, int pointSize, int style);
    static void release(TTF_Font* font);

    // Closes every kept font; must run before TTF_Quit.
    static void clear();
    static size_t size();

private:
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, TTF_Font*>& fonts();
};
