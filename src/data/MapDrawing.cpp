// The 3D drawing of a map and of the tile cursor. Tile (x, y) is centred at (4x + 4, 0, 4y + 4).

#include <GL/gl.h>

#include "data/Map.h"
#include "data/SearchlightBeam.h"
#include "data/Terrain.h"
#include "gfx/DrawRecorder.h"
#include "gfx/GlContext.h"
#include "gfx/Matrix.h"
#include "gfx/Model.h"
#include "gfx/ModelBatch.h"
#include "gfx/Widgets.h"

void Map::draw() const {
    // Headless (tests, tools): nothing to draw with, and no GL call may be made.
    if (!GlContext::available()) return;
    // The tiles share the models' drawing state, set once for the whole map.
    ModelBatch batch;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (size_t y = 0; y < grid.size(); ++y) {
        glTranslatef(0, 0, 4);
        glPushMatrix();
        for (size_t x = 0; x < grid[y].size(); ++x) {
            glTranslatef(4, 0, 0);
            const Terrain* terrain = grid[y][x];
            if (!terrain) continue;
            // An unturned tile needs no matrix of its own.
            const bool turned = terrain->rotation != 0;
            if (turned) {
                glPushMatrix();
                glRotatef(float(terrain->rotation), 0, 1, 0);
            }
            if (terrain->model) {
                // The model is shared by every tile of this terrain: set its light each time.
                Vector3 light = Matrix::fromEulerDegrees(0, -terrain->rotation, 0) * Vector3(1, 0, 1) +
                                Vector3(-4.0 * double(x), 0, -4.0 * double(y));
                terrain->model->lightDirection = light;
                terrain->model->draw();
            }
            if (turned) glPopMatrix();
        }
        glPopMatrix();
    }
    glPopMatrix();
}

void Map::drawTileCursor(int x, int y) const {
    if (DrawRecorder::active()) {
        // One item for the whole cursor: its tile and the glowing square over it.
        DrawnItem item;
        item.kind = DrawnItem::TileCursor;
        item.tileX = x;
        item.tileY = y;
        item.worldX = 4.0 * x + 2;
        item.worldY = 0.02;
        item.worldZ = 4.0 * y + 2;
        item.worldWidth = 4;
        item.worldDepth = 4;
        item.alpha = 0.25;
        DrawRecorder::report(item);
    }
    if (!GlContext::available()) return;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    paintTranslucentQuad(4.0 * x + 2, 0.02, 4.0 * y + 2, 4, 4, 1, 1, 1, 0.25);
    glTranslatef(4.0f * x + 4 - 1.5f, 0, 4.0f * y + 4 - 1.5f);

    struct Beam {
        float dx, dz, aboutX, aboutZ;
    };
    static const Beam beams[4] = {
        {0, 0, 5, -7.5f},
        {0, 3, -7.5f, -5},
        {3, 0, 7.5f, 5},
        {3, 3, -5, 7.5f},
    };
    for (const Beam& beam : beams) {
        glPushMatrix();
        glTranslatef(beam.dx, 0, beam.dz);
        glRotatef(beam.aboutX, 1, 0, 0);
        glRotatef(beam.aboutZ, 0, 0, 1);
        SearchlightBeam::draw();
        glPopMatrix();
    }
    glPopMatrix();
}
