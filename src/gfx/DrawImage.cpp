#include "gfx/DrawImage.h"

#include <SDL/SDL_image.h>

#include "gfx/DrawRecorder.h"
#include "gfx/GlContext.h"
#include "gfx/ImageCache.h"
#include "gfx/Mode2D.h"
#include "gfx/TextureUpload.h"

namespace {

void drawTexture(GLuint texture, const float coords[4], int x, int y, int w, int h) {
    enter2DMode();
    bind2DTexture(texture);
    color2D(1, 1, 1, 1);
    drawTexturedQuad(coords, x, y, w, h);
    leave2DMode();
}

}  // namespace

void drawImage(const std::string& file, int x, int y, int w, int h) {
    if (DrawRecorder::active()) {
        // What the screen asked for, whether or not the file can be read.
        DrawnItem item;
        item.kind = DrawnItem::Image;
        item.text = file;
        item.x = x;
        item.y = y;
        item.width = w;
        item.height = h;
        DrawRecorder::report(item);
    }
    if (!GlContext::available()) return;

    if (ImageCache::enabled) {
        if (const ImageCache::Entry* kept = ImageCache::find(file)) {
            drawTexture(kept->texture, kept->coords, x, y, w, h);
            return;
        }
    }

    SDL_Surface* image = IMG_Load(file.c_str());
    if (!image) return;
    ImageCache::Entry made;
    made.texture = surfaceToTexture(image, made.coords);
    SDL_FreeSurface(image);

    drawTexture(made.texture, made.coords, x, y, w, h);
    // A texture that could not be made is not kept: the next draw tries again.
    if (ImageCache::enabled && made.texture != 0)
        ImageCache::store(file, made);
    else
        glDeleteTextures(1, &made.texture);
}
