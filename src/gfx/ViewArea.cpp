#include "gfx/ViewArea.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "gfx/GlContext.h"
#include "gfx/Mode2D.h"
#include "gfx/ScreenSize.h"

void enterViewArea(int x, int y, int width, int height) {
    if (!GlContext::available()) return;
    suspend2DMode();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, double(float(width) / float(height)), 0.1, 1024);
    glViewport(x, y, width, height);
    glMatrixMode(GL_MODELVIEW);
}

void leaveViewArea() {
    if (!GlContext::available()) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, double(float(SCREEN_WIDTH) / float(SCREEN_HEIGHT)), 0.1, 1024);
    glMatrixMode(GL_MODELVIEW);
}
