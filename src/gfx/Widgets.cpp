#include "gfx/Widgets.h"

#include <GL/gl.h>

#include "gfx/DrawImage.h"
#include "gfx/DrawRecorder.h"
#include "gfx/GlContext.h"
#include "gfx/Mode2D.h"
#include "gfx/ScreenSize.h"
#include "gfx/TextLabel.h"

void drawColumnBackdrop(int columns) {
    drawImage("textures/UIWideColumnDark.bmp", 0, 40, SCREEN_WIDTH, 703);
    for (int k = 0; k < columns; ++k) drawImage("textures/UIColumnDark.bmp", 200 * k, 40, 200, 703);
}

void drawColumnHeader(const std::string& title, int x, int y) {
    drawImage("textures/UIColumn.bmp", x, y, 200, 20);
    TextLabel(title, x + 12, y + 1).size(14).bold().color(0.8, 0.8, 0.8).draw();
}

void drawWideHeader(const std::string& title, int x, int y) {
    drawImage("textures/UIWideColumn.bmp", 0, y, SCREEN_WIDTH, 20);
    TextLabel(title, x + 12, y + 1).size(14).bold().color(0.8, 0.8, 0.8).draw();
}

void drawStatRow(const std::string& name, int value, int x, int y, int size) {
    TextLabel(name, x + 12, y).size(size).draw();
    TextLabel(toString(value), x + 188, y).size(size).rightAlign().draw();
}

int keyHintAdvance(const std::string& caption, int w, int gap, int captionWidth) {
    if (caption.empty()) return w + gap;
    return w + gap + captionWidth;
}

int drawKeyHint(const std::string& icon, const std::string& caption, int x, int y, int w, int gap) {
    drawImage(icon, x, y, w, 25);
    if (caption.empty()) return keyHintAdvance(caption, w, gap, 0);
    TextLabel label(caption, x + w + gap, y + 1);
    label.size(18).draw();
    return keyHintAdvance(caption, w, gap, label.width());
}

void drawTranslucentQuad(double x, double y, double z, double width, double depth, double r, double g,
                         double b, double a) {
    if (DrawRecorder::active()) {
        DrawnItem item;
        item.kind = DrawnItem::Quad;
        item.worldX = x;
        item.worldY = y;
        item.worldZ = z;
        item.worldWidth = width;
        item.worldDepth = depth;
        item.red = r;
        item.green = g;
        item.blue = b;
        item.alpha = a;
        DrawRecorder::report(item);
    }
    paintTranslucentQuad(x, y, z, width, depth, r, g, b, a);
}

void paintTranslucentQuad(double x, double y, double z, double width, double depth, double r, double g,
                          double b, double a) {
    if (!GlContext::available()) return;
    suspend2DMode();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glColor4d(r, g, b, a);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3d(x, y, z);
    glVertex3d(x, y, z + depth);
    glVertex3d(x + width, y, z);
    glVertex3d(x + width, y, z + depth);
    glEnd();
    glDisable(GL_BLEND);
    glPopAttrib();
}
