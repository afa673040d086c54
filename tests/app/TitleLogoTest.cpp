// The title's "ARC": three big letters at fixed places that must still read as one word, so their
// ink stands evenly apart; and a game folder without the logo's font still shows them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL/SDL_ttf.h>

#include "../support/HeadlessScreen.h"
#include "../support/TempDir.h"
#include "../support/TestImage.h"
#include "app/TitleScreen.h"
#include "data/GameData.h"
#include "gfx/DrawRecorder.h"
#include "gfx/FontCache.h"
#include "gfx/TextLabel.h"

namespace {

// The first and last columns of a label's ink (alpha over half) in window pixels, as the label
// would be drawn at its reported place.
struct Ink {
    int left = 0;
    int right = -1;
};

Ink inkOf(const DrawnItem& label) {
    Ink ink;
    TTF_Font* font = TTF_OpenFont(label.fontFile.c_str(), label.pointSize);
    if (!font) {
        ADD_FAILURE() << "cannot open " << label.fontFile;
        return ink;
    }
    TTF_SetFontStyle(font, label.style);
    SDL_Color white = {255, 255, 255, 0};
    TestImage glyph = TestImage::fromSurface(TTF_RenderText_Blended(font, label.text.c_str(), white));
    TTF_CloseFont(font);
    if (!glyph.loaded) {
        ADD_FAILURE() << "cannot render \"" << label.text << "\"";
        return ink;
    }
    int left = glyph.width;
    int right = -1;
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (glyph.at(x, y)[3] > 127) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (right < 0) {
        ADD_FAILURE() << "\"" << label.text << "\" has no ink";
        return ink;
    }
    ink.left = label.x + left;
    ink.right = label.x + right;
    return ink;
}

// The logo's letters in drawing order: every 72-point label of the title menu.
std::vector<DrawnItem> logoLetters(const DrawRecorder& recorder) {
    std::vector<DrawnItem> letters;
    for (const DrawnItem& item : recorder.ofKind(DrawnItem::Text))
        if (item.pointSize == 72) letters.push_back(item);
    return letters;
}

// Keeps the working folder of the test and goes back to it.
class BackToFolder {
public:
    BackToFolder() : folder(std::filesystem::current_path()) {}
    ~BackToFolder() {
        std::error_code ignored;
        std::filesystem::current_path(folder, ignored);
    }

private:
    std::filesystem::path folder;
};

TEST(TitleLogoTest, LettersKeepTheirPlacesAndStandEvenlyApart) {
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ready());
    GameData gameData;
    TitleScreen title(gameData);
    DrawRecorder recorder;
    testing::internal::CaptureStderr();
    title.draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    std::vector<DrawnItem> letters = logoLetters(recorder);
    ASSERT_EQ(letters.size(), 3u);
    const char* const names[3] = {"A", "R", "C"};
    const int places[3] = {82, 132, 163};
    Ink ink[3];
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(letters[i].text, names[i]);
        EXPECT_EQ(letters[i].x, places[i]);
        EXPECT_EQ(letters[i].y, 100);
        EXPECT_EQ(letters[i].fontFile, "Eurofurence.ttf");
        ink[i] = inkOf(letters[i]);
    }

    // The blank between A and R and between R and C: neither pair may touch, and the two blanks
    // may differ by less than a stroke of a 72-point letter (about 7 pixels), or the word reads
    // "A RC". The game font gives 12 and -8 here.
    const int betweenAR = ink[1].left - ink[0].right - 1;
    const int betweenRC = ink[2].left - ink[1].right - 1;
    EXPECT_GE(betweenAR, 1);
    EXPECT_GE(betweenRC, 1);
    EXPECT_LE(std::abs(betweenAR - betweenRC), 6) << "A|R " << betweenAR << " px, R|C " << betweenRC << " px";
}

TEST(TitleLogoTest, WithoutItsFontTheLogoIsDrawnInTheGameFontAfterOneLine) {
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ready());
    // A game folder holding the game font but not the logo's.
    TempDir folder("logo-font");
    std::filesystem::copy_file(TextLabel::GAME_FONT, folder.path(TextLabel::GAME_FONT));
    BackToFolder back;
    std::filesystem::current_path(folder.path());
    FontCache::clear();  // fonts are kept by file name, and the names are the same here

    GameData gameData;
    TitleScreen title(gameData);
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame) {
        DrawRecorder recorder;
        title.draw();
        std::vector<DrawnItem> letters = logoLetters(recorder);
        ASSERT_EQ(letters.size(), 3u);
        for (const DrawnItem& letter : letters) {
            EXPECT_EQ(letter.fontFile, TextLabel::GAME_FONT);
            EXPECT_GT(letter.width, 0) << letter.text << " was not measured";
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Couldn't load font \"Eurofurence.ttf\": the logo is drawn in UniversCondensed.ttf.\n");
    FontCache::clear();
}

}  // namespace
