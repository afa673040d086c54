// The title and credits pages laid out through the drawing recorder, with the game's own font and
// no display: every label, image and cursor where the title menu puts it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <SDL/SDL_ttf.h>

#include "../support/GlCallCounter.h"
#include "../support/HeadlessScreen.h"
#include "app/TitleScreen.h"
#include "data/GameData.h"
#include "gfx/DrawRecorder.h"

namespace {

// One line per item with everything the layout fixes (not the font's measured text widths).
std::string describe(const DrawnItem& item) {
    std::ostringstream out;
    if (item.kind == DrawnItem::Image) {
        out << "image " << item.text << " " << item.x << "," << item.y << " " << item.width << "x"
            << item.height;
    } else if (item.kind == DrawnItem::Text) {
        out << "text \"" << item.text << "\" " << item.x << "," << item.y << " size " << item.pointSize
            << (item.style == TTF_STYLE_BOLD ? " bold"
                : item.style == 0            ? ""
                                             : " style?")
            << (item.rightAligned ? " right" : "") << " colour " << item.red << "," << item.green << ","
            << item.blue << " font " << item.fontFile;
    } else {
        out << "other item " << item.kind;
    }
    return out.str();
}

std::vector<std::string> describeAll(const DrawRecorder& recorder) {
    std::vector<std::string> lines;
    for (const DrawnItem& item : recorder.items) lines.push_back(describe(item));
    return lines;
}

std::string text(const std::string& what, int x, int y, int size, const std::string& rest = " colour 1,1,1",
                 const std::string& font = "UniversCondensed.ttf") {
    std::ostringstream out;
    out << "text \"" << what << "\" " << x << "," << y << " size " << size << rest << " font " << font;
    return out.str();
}

std::string logoLetter(const std::string& letter, int x) {
    return text(letter, x, 100, 72, " colour 1,1,1", "Eurofurence.ttf");
}

std::string image(const std::string& file, int x, int y, int w, int h) {
    std::ostringstream out;
    out << "image " << file << " " << x << "," << y << " " << w << "x" << h;
    return out.str();
}

std::vector<std::string> menuPage(const char* first, const char* second, int selection) {
    return {
        image("textures/UIColumnDark.bmp", 0, 0, 300, 768),
        text("G E A R W A R D", 85, 80, 24),
        logoLetter("A", 82),
        logoLetter("R", 132),
        logoLetter("C", 163),
        text(first, 85, 220, 24),
        text(second, 85, 275, 24),
        text("QUIT", 85, 330, 24),
        image("textures/UICursor.png", 72, 226 + 55 * selection, 7, 16),
    };
}

class TitleScreenLayoutTest : public testing::Test {
protected:
    HeadlessScreen screen;
    GameData gameData;
    TitleScreen title{gameData};

    void SetUp() override { ASSERT_TRUE(screen.ready()); }
};

TEST_F(TitleScreenLayoutTest, StartMenuWithTheCursorOnEachEntry) {
    for (int selection = 0; selection < 3; ++selection) {
        title.selection[0] = selection;
        DrawRecorder recorder;
        title.draw();
        EXPECT_EQ(describeAll(recorder), menuPage("NEW GAME", "CREDITS", selection))
            << "selection " << selection;
        // Every label was measured with the game font.
        for (const DrawnItem& label : recorder.ofKind(DrawnItem::Text)) {
            EXPECT_GT(label.width, 0) << label.text;
            EXPECT_GT(label.height, 0) << label.text;
        }
    }
}

TEST_F(TitleScreenLayoutTest, InGameMenuShowsResumeGameInWhite) {
    title.page = 1;
    title.selection[1] = 1;
    title.selection[0] = 2;  // the start menu's selection is not this page's
    DrawRecorder recorder;
    title.draw();
    EXPECT_EQ(describeAll(recorder), menuPage("RESUME GAME", "END GAME", 1));
    const DrawnItem* resume = recorder.findText("RESUME GAME");
    ASSERT_NE(resume, nullptr);
    EXPECT_EQ(resume->red, 1.0);
    EXPECT_EQ(resume->green, 1.0);
    EXPECT_EQ(resume->blue, 1.0);
}

TEST_F(TitleScreenLayoutTest, CreditsPage) {
    title.page = 2;
    DrawRecorder recorder;
    title.draw();
    const std::string header = " bold colour 0.8,0.8,0.8";
    std::vector<std::string> expected = {
        text("CREDITS", 12, 5, 30),
        image("textures/UIWideColumnDark.bmp", 0, 40, 1024, 703),
        image("textures/UIColumnDark.bmp", 0, 40, 200, 703),
        image("textures/UIWideColumn.bmp", 0, 40, 1024, 20),
        text("GEARWARD ARC v1.0", 212, 41, 14, header),
        image("textures/UIColumn.bmp", 0, 40, 200, 20),
        text("DESIGN", 12, 41, 14, header),
        image("textures/UIColumn.bmp", 0, 65, 200, 20),
        text("PROGRAMMING", 12, 66, 14, header),
        image("textures/UIColumn.bmp", 0, 90, 200, 20),
        text("ART", 12, 91, 14, header),
    };
    std::vector<std::string> drawn = describeAll(recorder);
    ASSERT_EQ(drawn.size(), expected.size() + 4) << testing::PrintToString(drawn);
    EXPECT_EQ(std::vector<std::string>(drawn.begin(), drawn.begin() + long(expected.size())), expected);

    // The two credit lines: their words are ours, their places and sizes are the page's. Both fit
    // the 200-pixel column, so nothing spills into the open backdrop beside it.
    const DrawnItem& author = recorder.items[expected.size()];
    const DrawnItem& contact = recorder.items[expected.size() + 1];
    EXPECT_EQ(author.kind, DrawnItem::Text);
    EXPECT_EQ(author.x, 12);
    EXPECT_EQ(author.y, 120);
    EXPECT_EQ(author.pointSize, 24);
    EXPECT_EQ(contact.kind, DrawnItem::Text);
    EXPECT_EQ(contact.x, 12);
    EXPECT_EQ(contact.y, 145);
    EXPECT_EQ(contact.pointSize, 18);
    for (const DrawnItem* line : {&author, &contact}) {
        EXPECT_FALSE(line->text.empty());
        EXPECT_GT(line->width, 0) << line->text;
        EXPECT_LE(line->x + line->width, 200) << "\"" << line->text << "\" runs past its column";
    }

    // The key-hint row: Escape, "Main menu".
    EXPECT_EQ(describe(recorder.items[expected.size() + 2]), image("textures/UIKeyEsc.bmp", 8, 743, 39, 25));
    EXPECT_EQ(describe(recorder.items[expected.size() + 3]), text("Main menu", 8 + 39 + 2, 744, 18));
}

TEST(TitleScreenHeadlessTest, DrawsWithNoVideoModeAtAllWithoutTouchingOpenGl) {
    // No SDL video, no SDL_ttf, no context: every page still lays itself out and reports.
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    GameData gameData;
    TitleScreen title(gameData);
    long callsBefore = GlCallCounter::count();
    for (int page = 0; page < 3; ++page) {
        title.page = page;
        DrawRecorder recorder;
        testing::internal::CaptureStderr();
        title.draw();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "page " << page;
        EXPECT_EQ(recorder.items.size(), page == 2 ? 15u : 9u) << "page " << page;
    }
    EXPECT_EQ(GlCallCounter::count(), callsBefore);
}

}  // namespace
