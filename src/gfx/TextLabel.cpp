#include "gfx/TextLabel.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
#include "gfx/Log.h"
#include "gfx/Mode2D.h"
#include "gfx/TextureUpload.h"

TextLabel& TextLabel::rightAlign()
{
    rightAligned = true;
    return *this;
}

TextLabel& TextLabel::bold()
{
    style = TTF_STYLE_BOLD;
    return *this;
}

TextLabel& TextLabel::size(int points)
{
    pointSize = points;
    return *this;
}

TextLabel& TextLabel::color(double r, double g, double b)
{
    red = r;
    green = g;
    blue = b;
    return *this;
}

unsigned char TextLabel::colorByte(double component)
{
    // The range check keeps the conversion defined (a huge or NaN value would overflow it).
    if (!(component >= 0.0))
        component = 0.0;
    if (component > 1.0)
        component = 1.0;
    long double product = static_cast<long double>(component) * 255.0L;
    return static_cast<unsigned char>(static_cast<short>(product) & 0xFF);
}

TextLabel& TextLabel::draw()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        logToStderr("SDL not initialized.");
        return *this;
    }
    if (TTF_WasInit() == 0) {
        logToStderr("SDL_ttf not initialized.");
        return *this;
    }

    TTF_Font* font = FontCache::acquire(fontFile, pointSize, style);
    if (!font) {
        logToStderr("Couldn't load font \"" + fontFile + "\".");
        return *this;
    }

    SDL_Color colour;
    colour.r = colorByte(red);
    colour.g = colorByte(green);
    colour.b = colorByte(blue);
    colour.unused = 0;

    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), colour);
    if (!rendered) {
        logToStderr("Couldn't render text.");
        FontCache::release(font);
        return *this;
    }
    renderedWidth = rendered->w;
    renderedHeight = rendered->h;

    float coords[4];
    GLuint texture = surfaceToTexture(rendered, coords);
    if (texture == 0)
        logToStderr("Couldn't create text texture, texture may be too big.");
    SDL_FreeSurface(rendered);
    FontCache::release(font);

    if (rightAligned)
        x -= renderedWidth;

    enter2DMode();
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 1, 1);
    drawTexturedQuad(coords, x, y, renderedWidth, renderedHeight);
    leave2DMode();
    glDeleteTextures(1, &texture);
    return *this;
}
