#include "gfx/Arrow.h"

#include <GL/gl.h>

#include "gfx/DrawRecorder.h"
#include "gfx/GlContext.h"
#include "gfx/Mode2D.h"

void drawArrow(double x, double y, double z, double width, double depth, double angle, double r, double g,
               double b, double a) {
    suspend2DMode();
    if (DrawRecorder::active()) {
        DrawnItem item;
        item.kind = DrawnItem::Arrow;
        item.worldX = x;
        item.worldY = y;
        item.worldZ = z;
        item.worldWidth = width;
        item.worldDepth = depth;
        item.angle = angle;
        item.red = r;
        item.green = g;
        item.blue = b;
        item.alpha = a;
        DrawRecorder::report(item);
    }
    if (!GlContext::available()) return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // A model drawn before may leave texturing on; the arrow is plain colour.
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(r, g, b, a);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(x, y, z);
    glRotated(angle, 0, 1, 0);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3d(-width / 2, 0, -depth / 2);
    glVertex3d(width / 2, 0, -depth / 2);
    glVertex3d(0, 0, depth / 2);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glPopAttrib();
}
