#include "gfx/Mode2D.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "gfx/GlContext.h"
#include "gfx/Model.h"
#include "gfx/ScreenSize.h"

namespace {

bool heldOpen = false;    // a Held2DMode is open
bool stateSet = false;    // ... and the 2D state is set
bool colorKnown = false;  // while it is set: the last colour

float lastColor[4] = {0, 0, 0, 0};
// One quad's corners, drawn from these arrays (the pointers set with the 2D state).
GLint quadVertices[8];
GLfloat quadCoords[8];

void setArrays() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_INT, 0, quadVertices);
    glTexCoordPointer(2, GL_FLOAT, 0, quadCoords);
}

void clearArrays() {
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void set2DState() {
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

void restoreState() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace

void enter2DMode() {
    if (stateSet) return;
    set2DState();
    if (!heldOpen) return;
    stateSet = true;
    colorKnown = false;
    setArrays();
}

void leave2DMode() {
    if (stateSet) return;
    restoreState();
}

void suspend2DMode() {
    if (!stateSet) return;
    clearArrays();
    restoreState();
    stateSet = false;
}

Held2DMode::Held2DMode() {
    if (heldOpen || !GlContext::available() || Model::drawingPath != Model::ARRAYS) return;
    heldOpen = holding = true;
}

Held2DMode::~Held2DMode() {
    if (!holding) return;
    suspend2DMode();
    heldOpen = false;
}

// Always bound: a label or image rendered anew in between may have deleted the last texture and
// made one under the same name.
void bind2DTexture(unsigned int texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
}

void color2D(float red, float green, float blue, float alpha) {
    const float wanted[4] = {red, green, blue, alpha};
    if (stateSet && colorKnown && wanted[0] == lastColor[0] && wanted[1] == lastColor[1] &&
        wanted[2] == lastColor[2] && wanted[3] == lastColor[3])
        return;
    glColor4f(red, green, blue, alpha);
    colorKnown = stateSet;
    for (int i = 0; i < 4; ++i) lastColor[i] = wanted[i];
}

void drawTexturedQuad(const float coords[4], int x, int y, int w, int h) {
    // A strip in the same corner order as it was always sent vertex by vertex.
    const GLint vertices[8] = {x, y, x + w, y, x, y + h, x + w, y + h};
    const GLfloat textureCoords[8] = {coords[0], coords[1], coords[2], coords[1],
                                      coords[0], coords[3], coords[2], coords[3]};
    if (!stateSet && Model::drawingPath == Model::IMMEDIATE) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int corner = 0; corner < 4; ++corner) {
            glTexCoord2f(textureCoords[2 * corner], textureCoords[2 * corner + 1]);
            glVertex2i(vertices[2 * corner], vertices[2 * corner + 1]);
        }
        glEnd();
        return;
    }
    for (int i = 0; i < 8; ++i) {
        quadVertices[i] = vertices[i];
        quadCoords[i] = textureCoords[i];
    }
    if (!stateSet) setArrays();
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    if (!stateSet) clearArrays();
}
