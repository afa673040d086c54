// The squads on the map and the move-order list.

#include <GL/gl.h>

#include <algorithm>

#include "data/GameData.h"
#include "gfx/GlContext.h"
#include "gfx/ModelBatch.h"
#include "gfx/TextLabel.h"

void GameData::drawSquadRobots() const {
    if (!GlContext::available()) return;
    // The robots share the models' drawing state, set once for all of them.
    ModelBatch batch;
    glMatrixMode(GL_MODELVIEW);
    for (const SideSetup& side : sides) {
        for (const Robot* robot : side.squad) {
            // Robots not yet placed on the map are at -1.
            if (!robot || robot->x < 0 || robot->y < 0) continue;
            glPushMatrix();
            glTranslatef(4.0f * robot->x + 4, 3.75f, 4.0f * robot->y + 4);
            glScalef(0.1f, 0.1f, 0.1f);
            robot->draw();
            glPopMatrix();
        }
    }
}

void GameData::drawMoveOrder(int x, int y) const {
    size_t count = roster.size();
    if (count == 0) return;
    // A turn index outside the roster still lists every robot once, starting at its remainder.
    size_t first = turnIndex < 0 ? 0 : size_t(turnIndex) % count;
    // The list stops at the last line that ends above the key-hint row (y 743): a long roster
    // would otherwise run over the hints and off the screen. The next robots to act stay listed.
    const int lines = std::max(0, (743 - y) / 20);
    int line = 0;
    for (size_t i = 0; i < count && line < lines; ++i) {
        const Robot* robot = roster[(first + i) % count];
        if (!robot || robot->hp <= 0) continue;
        TextLabel(toString(robot->side + 1) + "/" + robot->name, x, y + 20 * line).size(18).draw();
        ++line;
    }
}
