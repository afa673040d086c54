#include "gfx/TextLabel.h"

#include <cstdio>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include "gfx/FontCache.h"
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
        std::fprintf(stderr, "SDL not initialized.\n");
        return *this;
    }
    if (TTF_WasInit() == 0) {
        std::fprintf(stderr, "SDL_ttf not initialized.\n");
        return *this;
    }

    TTF_Font* font = FontCache::acquire(fontFile, pointSize, style);
    if (!font) {
        std::fprintf(stderr, "Couldn't load font \"%s\".\n", fontFile.c_str());
        return *this;
    }

    SDL_Color colour;
    colour.r = colorByte(red);
    colour.g = colorByte(green);
    colour.b = colorByte(blue);
    colour.unused = 0;

    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), colour);
    if (!rendered) {
        std::fprintf(stderr, "Couldn't render text.\n");
        FontCache::release(font);
        return *this;
    }
    renderedWidth = rendered->w;
    renderedHeight = rendered->h;

    float coords[4];
    GLuint texture = surfaceToTexture(rendered, coords);
    if (texture == 0)
        std::fprintf(stderr, "Couldn't create text texture, texture may be too big.\n");
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
