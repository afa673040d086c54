// The rules screen's pages: the opponent column, the limits blocks, the map list with its 3D
// preview, and each page's key hints.

#include "data/GameData.h"
#include "gfx/DrawImage.h"
#include "gfx/KeyHintRow.h"
#include "gfx/Mode2D.h"
#include "gfx/TextLabel.h"
#include "gfx/ViewArea.h"
#include "gfx/Widgets.h"
#include "setup/RulesScreen.h"

namespace {

const char* const cursorImage = "textures/UICursor.png";
const char* const darkCursorImage = "textures/UICursorDark.png";

// The highlighted map in the view area right of the two columns. Headless, only the camera
// moves on, as it does in every frame of the game.
void drawMapPreview(const Map& map, Camera& camera) {
    enterViewArea(400, 25, 624, 683);
    camera.apply();
    map.draw();
    leaveViewArea();
}

}  // namespace

void RulesScreen::draw() {
    // The panels keep the 2D state from one label or image to the next.
    Held2DMode held;
    drawColumnBackdrop(2);
    TextLabel("RULES", 12, 5).draw();
    drawWideHeader("VIEW MAP", 400, 40);
    drawColumnHeader("OPPONENT SELECT", 0, 40);
    drawColumnHeader("MAP SELECT", 200, 40);
    TextLabel("vs Computer", 12, 70).size(24).draw();
    TextLabel("vs Human", 12, 95).size(24).draw();

    // On page 0 the headers follow the highlighted opponent; later, the one chosen.
    int opponent = page == OPPONENT_PAGE ? selection[OPPONENT_PAGE] : gameData->sides[1].controller;
    drawColumnHeader(opponent == 0 ? "PLAYER LIMITS" : "PLAYER 1 LIMITS", 0, 150);
    drawColumnHeader(opponent == 0 ? "COMPUTER LIMITS" : "PLAYER 2 LIMITS", 0, 400);
    drawImage(page == OPPONENT_PAGE ? cursorImage : darkCursorImage, 0, opponent == 0 ? 77 : 102, 7, 16);

    if (page >= SIDE0_LIMITS_PAGE) drawLimits(0, 180);
    if (page >= SIDE1_LIMITS_PAGE) drawLimits(1, 430);
    if (page == SIDE0_LIMITS_PAGE)
        drawImage(cursorImage, 0, 206 + 60 * selection[page], 7, 16);
    else if (page == SIDE1_LIMITS_PAGE)
        drawImage(cursorImage, 0, 456 + 60 * selection[page], 7, 16);
    else if (page == MAP_PAGE)
        drawMapList();

    drawKeyHints();
}

void RulesScreen::drawLimits(int side, int y0) const {
    const SideSetup& limits = gameData->sides[size_t(side)];
    static const char* const captions[3] = {"MAX SQUAD SIZE", "MAX SQUAD WEIGHT", "PILOT SKILL POINT TOTAL"};
    static const char* const maxima[3] = {"/10", "/100000", "/400"};
    const int values[3] = {limits.maxSquadSize, limits.maxSquadWeight, limits.skillPointTotal};
    for (int k = 0; k < 3; ++k) {
        TextLabel(captions[k], 12, y0 + 60 * k).size(14).bold().draw();
        TextLabel value(toString(values[k]), 12, y0 + 17 + 60 * k);
        value.draw();
        TextLabel(maxima[k], 14 + value.width(), y0 + 30 + 60 * k).size(14).bold().draw();
    }
}

void RulesScreen::drawMapList() {
    int i = 0;
    for (auto& entry : gameData->maps) {
        TextLabel(entry.first, 212, 70 + 33 * i).draw();
        if (i == selection[MAP_PAGE]) {
            // Drawing the preview is also what makes the highlighted map the current one.
            gameData->currentMap = &entry.second;
            drawMapPreview(entry.second, camera);
        }
        ++i;
    }
    drawImage(cursorImage, 200, 79 + 33 * selection[MAP_PAGE], 7, 16);
}

void RulesScreen::drawKeyHints() const {
    bool human = gameData->sides[1].controller == SideSetup::HUMAN;
    KeyHintRow row;
    switch (page) {
    case OPPONENT_PAGE:
        row.key(KeyHintRow::ESC, "Main menu").key(KeyHintRow::SPACE, "Select opponent");
        break;
    case SIDE0_LIMITS_PAGE:
        row.key(KeyHintRow::ESC, "Opponent select").key(KeyHintRow::SPACE, "Confirm limits");
        break;
    case SIDE1_LIMITS_PAGE:
        row.key(KeyHintRow::ESC, human ? "Player 1 limits" : "Player limits")
            .key(KeyHintRow::SPACE, "Confirm limits");
        break;
    default:
        row.key(KeyHintRow::ESC, human ? "Player 2 limits" : "Computer limits")
            .key(KeyHintRow::SPACE, "Select map");
        break;
    }
    row.orKey(KeyHintRow::UP).key(KeyHintRow::DOWN, "Move cursor");
    if (page != SIDE0_LIMITS_PAGE && page != SIDE1_LIMITS_PAGE) return;

    switch (selection[page]) {
    case 0:
        row.key(KeyHintRow::LEFT, "Robots -1").key(KeyHintRow::RIGHT, "Robots +1");
        break;
    case 1:
        // Page 1 leaves 8 pixels before the Shift combinations, page 2 the usual 12.
        row.key(KeyHintRow::LEFT, "Weight -1000")
            .key(KeyHintRow::RIGHT, "Weight +1000", page == SIDE0_LIMITS_PAGE ? 8 : 12);
        row.shift().key(KeyHintRow::LEFT, "Weight -10000").shift().key(KeyHintRow::RIGHT, "Weight +10000");
        break;
    default:
        row.key(KeyHintRow::LEFT, "Skills -1").key(KeyHintRow::RIGHT, "Skills +1");
        row.shift().key(KeyHintRow::LEFT, "Skills -10").shift().key(KeyHintRow::RIGHT, "Skills +10");
        break;
    }
}
