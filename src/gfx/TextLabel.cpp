#include "gfx/TextLabel.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/DrawRecorder.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/Log.h"
#include "gfx/Mode2D.h"
#include "gfx/TextCache.h"
#include "gfx/TextureUpload.h"

TextLabel& TextLabel::rightAlign() {
    rightAligned = true;
    return *this;
}

TextLabel& TextLabel::bold() {
    style = TTF_STYLE_BOLD;
    return *this;
}

TextLabel& TextLabel::size(int points) {
    pointSize = points;
    return *this;
}

TextLabel& TextLabel::font(const std::string& file) {
    fontFile = file;
    return *this;
}

TextLabel& TextLabel::color(double r, double g, double b) {
    red = r;
    green = g;
    blue = b;
    return *this;
}

unsigned char TextLabel::colorByte(double component) {
    // The range check keeps the conversion defined (a huge or NaN value would overflow it).
    if (!(component >= 0.0)) component = 0.0;
    if (component > 1.0) component = 1.0;
    long double product = static_cast<long double>(component) * 255.0L;
    return static_cast<unsigned char>(static_cast<short>(product) & 0xFF);
}

TextLabel& TextLabel::draw() {
    int given = x;
    if (GlContext::available())
        render();
    else
        measure();
    report(given);
    return *this;
}

void TextLabel::render() {
    // Rendered once and kept while it is drawn (TextCache), or rendered anew with the cache off.
    RenderedText rendered;
    if (!TextCache::acquire(fontFile, pointSize, style, colorByte(red), colorByte(green), colorByte(blue),
                            text, rendered))
        return;
    renderedWidth = rendered.width;
    renderedHeight = rendered.height;

    if (rightAligned) x -= renderedWidth;

    enter2DMode();
    bind2DTexture(rendered.texture);
    color2D(1, 1, 1, 1);
    drawTexturedQuad(rendered.coords, x, y, renderedWidth, renderedHeight);
    leave2DMode();
    TextCache::release(rendered);
}

void TextLabel::measure() {
    // Without SDL_ttf there is nothing to measure with: the label keeps its size (0 when fresh),
    // as a label that fails to render does.
    if (TTF_WasInit() == 0) return;
    TTF_Font* font = FontCache::acquire(fontFile, pointSize, style);
    if (!font) {
        logToStderr("Couldn't load font \"" + fontFile + "\".");
        return;
    }
    // Empty text renders nothing, so like a failed rendering it leaves the size as it was.
    int w = 0;
    int h = 0;
    bool measured = !text.empty() && TTF_SizeText(font, text.c_str(), &w, &h) == 0;
    FontCache::release(font);
    if (!measured) return;
    // The rendering is exactly the measured size, so the layout matches the drawn one.
    renderedWidth = w;
    renderedHeight = h;
    if (rightAligned) x -= renderedWidth;
}

void TextLabel::report(int givenX) const {
    if (!DrawRecorder::active()) return;
    DrawnItem item;
    item.kind = DrawnItem::Text;
    item.text = text;
    item.x = x;
    item.y = y;
    item.width = renderedWidth;
    item.height = renderedHeight;
    item.fontFile = fontFile;
    item.pointSize = pointSize;
    item.style = style;
    item.rightAligned = rightAligned;
    item.anchorX = givenX;
    item.red = red;
    item.green = green;
    item.blue = blue;
    DrawRecorder::report(item);
}
