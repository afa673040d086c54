#include "gfx/FontCache.h"

bool FontCache::enabled = true;

std::map<FontCache::Key, TTF_Font*>& FontCache::fonts() {
    static std::map<Key, TTF_Font*> kept;
    return kept;
}

TTF_Font* FontCache::acquire(const std::string& file, int pointSize, int style) {
    if (!enabled) {
        TTF_Font* font = TTF_OpenFont(file.c_str(), pointSize);
        if (font) TTF_SetFontStyle(font, style);
        return font;
    }
    Key key(file, pointSize, style);
    auto found = fonts().find(key);
    if (found != fonts().end()) return found->second;
    TTF_Font* font = TTF_OpenFont(file.c_str(), pointSize);
    if (!font) return nullptr;
    TTF_SetFontStyle(font, style);
    fonts().emplace(key, font);
    return font;
}

void FontCache::release(TTF_Font* font) {
    if (font && !enabled) TTF_CloseFont(font);
}

void FontCache::clear() {
    for (auto& entry : fonts()) TTF_CloseFont(entry.second);
    fonts().clear();
}

size_t FontCache::size() {
    return fonts().size();
}
