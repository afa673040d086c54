#include "data/SearchlightBeam.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL_image.h>

#include "gfx/Log.h"
#include "gfx/Mode2D.h"
#include "gfx/TextureUpload.h"

namespace {

GLuint beamTexture = 0;
bool beamLoaded = false;

}  // namespace

bool SearchlightBeam::loaded() {
    return beamLoaded;
}

void SearchlightBeam::forget() {
    beamTexture = 0;
    beamLoaded = false;
}

bool SearchlightBeam::load() {
    SDL_Surface* image = IMG_Load("textures/SearchlightTexture.bmp");
    if (!image) {
        logToStdout("Error: Searchlight texture not found");
        return false;
    }
    bool alpha = image->format->Amask != 0 || (image->flags & SDL_SRCCOLORKEY);
    SDL_Surface* converted = convertSurface(image, alpha);
    if (!converted) {
        // A failed conversion leaves the image with us.
        SDL_FreeSurface(image);
        return false;
    }
    GLenum format = converted->format->BitsPerPixel == 32 ? GL_RGBA : GL_RGB;
    glGenTextures(1, &beamTexture);
    glBindTexture(GL_TEXTURE_2D, beamTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, format, converted->w, converted->h, format, GL_UNSIGNED_BYTE,
                      converted->pixels);
    SDL_FreeSurface(converted);
    beamLoaded = true;
    return true;
}

void SearchlightBeam::draw() {
    suspend2DMode();
    if (!beamLoaded && !load()) return;

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, beamTexture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glColor4f(1, 1, 1, 0.9f);
    // Four quads crossed at 45-degree steps look round from every side.
    for (int i = 0; i < 4; ++i) {
        glPushMatrix();
        glRotatef(45.0f * i, 0, 1, 0);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(1, 1);
        glVertex2f(-0.25f, 0);
        glTexCoord2f(1, 0);
        glVertex2f(0.25f, 0);
        glTexCoord2f(0, 1);
        glVertex2f(-0.5f, 50);
        glTexCoord2f(0, 0);
        glVertex2f(0.5f, 50);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
