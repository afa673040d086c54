#include "gfx/Text3D.h"

#include <GL/gl.h>

#include "gfx/Camera.h"
#include "gfx/DrawRecorder.h"
#include "gfx/GlContext.h"
#include "gfx/Mode2D.h"
#include "gfx/TextCache.h"
#include "gfx/TextLabel.h"
#include "gfx/Vector3.h"

namespace {

// Column-major: the text's x along the camera's right, its y along the camera's up and its
// normal towards the eye, with `point` as origin.
void facingTransform(const Camera& camera, const Vector3& point, double matrix[16]) {
    Vector3 normal = (camera.eye() - point).normalized();
    Vector3 right = cross(camera.up(), normal).normalized();
    Vector3 up = cross(normal, right).normalized();
    const Vector3 columns[4] = {right, up, normal, point};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) matrix[4 * c + r] = columns[c][r];
        matrix[4 * c + 3] = c == 3 ? 1.0 : 0.0;
    }
}

}  // namespace

void drawText3D(const Camera& camera, const Vector3& point, const std::string& text, double alpha) {
    RenderedText rendered;
    bool drawable = false;
    suspend2DMode();
    if (GlContext::available())
        drawable = TextCache::acquire(TextLabel::GAME_FONT, 24, 0, 255, 255, 255, text, rendered);
    if (DrawRecorder::active()) {
        DrawnItem item;
        item.kind = DrawnItem::Text3D;
        item.text = text;
        item.worldX = point.x;
        item.worldY = point.y;
        item.worldZ = point.z;
        item.width = rendered.width;
        item.height = rendered.height;
        item.alpha = alpha;
        DrawRecorder::report(item);
    }
    if (!drawable) return;

    double matrix[16];
    facingTransform(camera, point, matrix);
    const double w = rendered.width;
    const double h = rendered.height;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, rendered.texture);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMultMatrixd(matrix);
    glColor4d(1, 1, 1, alpha);
    glScaled(TEXT3D_SCALE, TEXT3D_SCALE, TEXT3D_SCALE);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(rendered.coords[0], rendered.coords[1]);
    glVertex2d(-w / 2, h / 2);
    glTexCoord2f(rendered.coords[2], rendered.coords[1]);
    glVertex2d(w / 2, h / 2);
    glTexCoord2f(rendered.coords[0], rendered.coords[3]);
    glVertex2d(-w / 2, -h / 2);
    glTexCoord2f(rendered.coords[2], rendered.coords[3]);
    glVertex2d(w / 2, -h / 2);
    glEnd();
    glPopMatrix();
    glPopAttrib();
    glColor4d(1, 1, 1, 1);
    TextCache::release(rendered);
}
