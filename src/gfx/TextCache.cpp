#include "gfx/TextCache.h"

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
#include "gfx/Log.h"
#include "gfx/TextureUpload.h"

bool TextCache::enabled = true;

std::map<TextCache::Key, TextCache::Entry>& TextCache::entries() {
    static std::map<Key, Entry> kept;
    return kept;
}

unsigned& TextCache::frame() {
    static unsigned current = 0;
    return current;
}

unsigned long& TextCache::renderCount() {
    static unsigned long count = 0;
    return count;
}

unsigned long TextCache::renderings() {
    return renderCount();
}

namespace {

bool renderText(const std::string& fontFile, int pointSize, int style, SDL_Color colour,
                const std::string& text, RenderedText& out) {
    TTF_Font* font = FontCache::acquire(fontFile, pointSize, style);
    if (!font) {
        logToStderr("Couldn't load font \"" + fontFile + "\".");
        return false;
    }
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), colour);
    if (!rendered) {
        logToStderr("Couldn't render text.");
        FontCache::release(font);
        return false;
    }
    out.width = rendered->w;
    out.height = rendered->h;
    out.texture = surfaceToTexture(rendered, out.coords);
    if (out.texture == 0) logToStderr("Couldn't create text texture, texture may be too big.");
    SDL_FreeSurface(rendered);
    FontCache::release(font);
    out.kept = false;
    return true;
}

}  // namespace

bool TextCache::acquire(const std::string& fontFile, int pointSize, int style, std::uint8_t r, std::uint8_t g,
                        std::uint8_t b, const std::string& text, RenderedText& out) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        logToStderr("SDL not initialized.");
        return false;
    }
    if (TTF_WasInit() == 0) {
        logToStderr("SDL_ttf not initialized.");
        return false;
    }
    SDL_Color colour;
    colour.r = r;
    colour.g = g;
    colour.b = b;
    colour.unused = 0;
    if (!enabled) {
        ++renderCount();
        return renderText(fontFile, pointSize, style, colour, text, out);
    }

    Key key(fontFile, pointSize, style, std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b, text);
    auto found = entries().find(key);
    if (found != entries().end()) {
        found->second.lastFrame = frame();
        out = found->second.text;
        return true;
    }
    ++renderCount();
    if (!renderText(fontFile, pointSize, style, colour, text, out)) return false;
    // A texture that failed to upload is not kept: the next draw tries again.
    if (out.texture == 0) return true;
    if (entries().size() >= MAX_ENTRIES) evictOldest();
    out.kept = true;
    Entry entry;
    entry.text = out;
    entry.lastFrame = frame();
    entries().emplace(key, entry);
    return true;
}

void TextCache::release(const RenderedText& text) {
    if (!text.kept && text.texture != 0) glDeleteTextures(1, &text.texture);
}

void TextCache::evictOldest() {
    auto oldest = entries().begin();
    for (auto it = entries().begin(); it != entries().end(); ++it)
        if (it->second.lastFrame < oldest->second.lastFrame) oldest = it;
    if (oldest == entries().end()) return;
    glDeleteTextures(1, &oldest->second.text.texture);
    entries().erase(oldest);
}

void TextCache::nextFrame() {
    unsigned now = ++frame();
    for (auto it = entries().begin(); it != entries().end();) {
        if (now - it->second.lastFrame > KEEP_FRAMES) {
            glDeleteTextures(1, &it->second.text.texture);
            it = entries().erase(it);
        } else {
            ++it;
        }
    }
}

void TextCache::clear() {
    for (auto& entry : entries()) glDeleteTextures(1, &entry.second.text.texture);
    entries().clear();
}

void TextCache::forget() {
    entries().clear();
}

std::size_t TextCache::size() {
    return entries().size();
}
