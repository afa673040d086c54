#include "app/TitleScreen.h"

#include <GL/gl.h>
#include <SDL/SDL_ttf.h>

#include "data/GameData.h"
#include "gfx/DrawImage.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/KeyHintRow.h"
#include "gfx/Log.h"
#include "gfx/Mode2D.h"
#include "gfx/TextLabel.h"
#include "gfx/Widgets.h"

namespace {

// The face of the logo's three big letters, a file of the game folder.
constexpr const char* LOGO_FONT = "Eurofurence.ttf";

}  // namespace

TitleScreen::TitleScreen(GameData& gameData) : gameData(&gameData) {
    reset(gameData);
}

void TitleScreen::reset(GameData& data) {
    gameData = &data;
    page = 0;
    selection[0] = selection[1] = selection[2] = 0;
}

void TitleScreen::handleEvent(SDL_Event event) {
    if (event.type != SDL_KEYDOWN) return;
    SDLKey key = event.key.keysym.sym;

    if (page == 2) {
        if (key == SDLK_ESCAPE) page = 0;
        return;
    }
    if (page != 0 && page != 1) return;

    switch (key) {
    case SDLK_UP:
        if (selection[page] > 0) --selection[page];
        break;
    case SDLK_DOWN:
        if (selection[page] < 2) ++selection[page];
        break;
    case SDLK_SPACE:
        choose();
        break;
    default:
        break;
    }
}

void TitleScreen::choose() {
    int entry = selection[page];
    if (page == 0) {
        if (entry == 0) {  // NEW GAME
            gameData->mode = RulesMode;
            selection[0] = 0;
            page = 1;
        } else if (entry == 1) {  // CREDITS
            page = 2;
        } else {  // QUIT
            gameData->mode = QuitMode;
        }
    } else {
        if (entry == 0) {  // RESUME GAME
            gameData->mode = gameData->resumeMode;
        } else if (entry == 1) {  // END GAME
            gameData->reloadRequested = true;
            selection[1] = 0;
            page = 0;
            selection[0] = 0;
        } else {  // QUIT
            gameData->mode = QuitMode;
        }
    }
}

void TitleScreen::draw() const {
    // The panels keep the 2D state from one label or image to the next.
    Held2DMode held;
    if (page == 2)
        drawCredits();
    else
        drawMenu();
}

void TitleScreen::drawMenu() const {
    drawImage("textures/UIColumnDark.bmp", 0, 0, 300, 768);

    TextLabel("G E A R W A R D", 85, 80).size(24).draw();
    const std::string logo = logoFont();
    TextLabel("A", 82, 100).size(72).font(logo).draw();
    TextLabel("R", 132, 100).size(72).font(logo).draw();
    TextLabel("C", 163, 100).size(72).font(logo).draw();

    static const char* const entries[2][3] = {
        {"NEW GAME", "CREDITS", "QUIT"},
        {"RESUME GAME", "END GAME", "QUIT"},
    };
    for (int i = 0; i < 3; ++i) TextLabel(entries[page][i], 85, 220 + 55 * i).size(24).draw();

    drawImage("textures/UICursor.png", 72, 226 + 55 * selection[page], 7, 16);
}

// The logo's letters have a face of their own, whose A, R and C stand evenly at their fixed places;
// without that file the game font stands in, so the title still reads.
std::string TitleScreen::logoFont() const {
    if (TTF_WasInit() == 0) return LOGO_FONT;  // nothing is measured or drawn without SDL_ttf
    if (TTF_Font* font = FontCache::acquire(LOGO_FONT, 72, 0)) {
        FontCache::release(font);
        return LOGO_FONT;
    }
    if (!logoFontReported) {
        logToStderr(std::string("Couldn't load font \"") + LOGO_FONT + "\": the logo is drawn in " +
                    TextLabel::GAME_FONT + ".");
        logoFontReported = true;
    }
    return TextLabel::GAME_FONT;
}

void TitleScreen::drawCredits() const {
    // The credits cover the backdrop: nothing of the map may show through.
    if (GlContext::available()) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    TextLabel("CREDITS", 12, 5).draw();
    drawColumnBackdrop(1);
    drawWideHeader("GEARWARD ARC v1.0", 200, 40);
    drawColumnHeader("DESIGN", 0, 40);
    drawColumnHeader("PROGRAMMING", 0, 65);
    drawColumnHeader("ART", 0, 90);
    // Both lines fit the 200-pixel column: nothing may spill over its edge into the open backdrop.
    TextLabel("The Arc team", 12, 120).size(24).draw();
    TextLabel("Bug reports welcome", 12, 145).size(18).draw();
    KeyHintRow().key(KeyHintRow::ESC, "Main menu");
}
