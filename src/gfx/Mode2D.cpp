#include "gfx/Mode2D.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "gfx/ScreenSize.h"

void enter2DMode() {
    // Before a video mode exists there is no surface to ask; the game's window size is the answer.
    int width = SCREEN_WIDTH;
    int height = SCREEN_HEIGHT;
    if (SDL_Surface* screen = SDL_GetVideoSurface()) {
        width = screen->w;
        height = screen->h;
    }

    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glViewport(0, 0, width, height);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, 0.0, 1.0);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void leave2DMode() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void drawTexturedQuad(const float coords[4], int x, int y, int w, int h) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(coords[0], coords[1]);
    glVertex2i(x, y);
    glTexCoord2f(coords[2], coords[1]);
    glVertex2i(x + w, y);
    glTexCoord2f(coords[0], coords[3]);
    glVertex2i(x, y + h);
    glTexCoord2f(coords[2], coords[3]);
    glVertex2i(x + w, y + h);
    glEnd();
}
