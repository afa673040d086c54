// The build screen's views as drawn, through the drawing recorder with the game's own font and
// without a display: the
// robot list with its check marks and Enter hint, the player panel, the robot view, the equip
// list with its grey rows, cursors and preview arrows, and the pilot list.

#include <string>
#include <utility>
#include <vector>

#include "../support/GlCallCounter.h"
#include "../support/HeadlessScreen.h"
#include "../support/TextTable.h"
#include "BuildTestSupport.h"
#include "data/Attack.h"
#include "gfx/DrawRecorder.h"

namespace {

using Places = std::vector<std::pair<int, int>>;

const std::string cursor = "textures/UICursor.png";
const std::string darkCursor = "textures/UICursorDark.png";
const std::string up = "textures/UIStatUp.png";
const std::string down = "textures/UIStatDown.png";

class BuildScreenLayoutTest : public BuildScreenTest {
protected:
    void SetUp() override {
        BuildScreenTest::SetUp();
        ASSERT_TRUE(screen.ready());
    }
    void drawView() {
        recorder.clear();
        build.draw();
    }
    // The right-aligned value whose right edge is at x on line y.
    std::string valueAt(int anchorX, int y) const {
        for (const DrawnItem& item : recorder.items)
            if (item.kind == DrawnItem::Text && item.rightAligned && item.anchorX == anchorX && item.y == y)
                return item.text;
        return "";
    }
    const DrawnItem& text(const std::string& value) const {
        const DrawnItem* item = recorder.findText(value);
        EXPECT_NE(item, nullptr) << "\"" << value << "\" is not drawn";
        static const DrawnItem none;
        return item ? *item : none;
    }

    HeadlessScreen screen;
    DrawRecorder recorder;
};

TEST_F(BuildScreenLayoutTest, RobotListShowsNamesCheckMarksAndTheEnterHintOnlyWithACompleteRobot) {
    makeSide(0, 3);
    press(SDLK_DOWN);
    drawView();
    expectTexts(recorder.items, {{12, 5, "BUILD"},
                                 {612, 41, "VIEW ROBOT"},
                                 {12, 41, "ROBOTS"},
                                 {12, 70, "R00"},
                                 {12, 103, "R01"},
                                 {12, 136, "R02"}});
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{0, 112}}));
    EXPECT_TRUE(recorder.imagePlaces("textures/UICheck.png").empty());
    EXPECT_EQ(recorder.findText("Finish building"), nullptr);
    EXPECT_EQ(recorder.findText("PLAYER"), nullptr) << "no player panel against the computer";
    expectTexts(recorder.items, {{212, 41, "ROBOT STATISTICS"},
                                 {212, 216, "PILOT STATISTICS"},
                                 {212, 364, "SQUAD STATISTICS"},
                                 {412, 41, "ROBOT COMPONENTS"},
                                 {412, 70, "HEAD"},
                                 {412, 85, "[EMPTY]"},
                                 {412, 490, "PILOT"}});

    completeByKeys(1, 2);
    drawView();
    EXPECT_EQ(recorder.imagePlaces("textures/UICheck.png"), (Places{{170, 110}}));
    expectTexts(recorder.items, {{412, 85, "Visor"}, {412, 505, "P02"}});
    EXPECT_EQ(valueAt(388, 70), "1040") << "Health: the parts' hit points";
    EXPECT_EQ(valueAt(388, 94), "5000") << "Energy: the reactor's";
    expectTexts(recorder.items, {{388, 142, "4", true}, {388, 166, "12300", true}});
    EXPECT_EQ(valueAt(388, 245), "2") << "the pilot's Reflexes";
    EXPECT_NE(recorder.findText("Finish building"), nullptr);
    const DrawnItem* enter = recorder.findImage("textures/UIKeyEnter.bmp");
    ASSERT_NE(enter, nullptr);
    EXPECT_EQ(enter->x, text("Move cursor").x + text("Move cursor").width + 12);
}

TEST_F(BuildScreenLayoutTest, SquadWeightLineAndThePlayerPanelOfTwoHumans) {
    makeSide(0, 1);
    makeSide(1, 2);
    data.sides[1].controller = SideSetup::HUMAN;
    build.squadWeight = 12345;
    drawView();
    EXPECT_EQ(recorder.textAt(212, 390), "Weight");
    const DrawnItem& limit = text("/50000");
    EXPECT_TRUE(limit.rightAligned);
    EXPECT_EQ(limit.anchorX, 388);
    EXPECT_EQ(limit.y, 394);
    EXPECT_EQ(limit.pointSize, 14);
    EXPECT_EQ(valueAt(386 - limit.width, 390), "12345");
    const DrawnItem& player = text("PLAYER");
    EXPECT_EQ(player.x, 940);
    EXPECT_EQ(player.y, 16);
    EXPECT_EQ(player.pointSize, 18);
    EXPECT_EQ(recorder.textAt(940 + player.width + 2, 5), "1");

    completeByKeys(0, 0);
    press(SDLK_RETURN);
    drawView();
    EXPECT_EQ(recorder.textAt(940 + text("PLAYER").width + 2, 5), "2");
    EXPECT_EQ(recorder.textAt(12, 70), "R10");
    EXPECT_EQ(valueAt(386 - text("/50000").width, 390), "0");
}

TEST_F(BuildScreenLayoutTest, AnEmptySquadEntryIsShownAsSuch) {
    makeSide(0, 2);
    data.sides[0].squad[1] = nullptr;
    drawView();
    expectTexts(recorder.items, {{100, 120, "shouldn't see this: NULL robot"}, {12, 70, "R00"}});
}

TEST_F(BuildScreenLayoutTest, RobotViewShowsTheSlotsAndThePartOrPilotOfTheRow) {
    Attack& punch = data.attacks["Punch"];
    punch.name = "Punch";
    punch.damage = 30;
    data.components["Blade Left"].attacks = {nullptr, &punch};
    makeSide(0, 1);
    completeByKeys(0, 4);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 2);
    drawView();
    expectTexts(recorder.items, {{12, 5, "R00"},
                                 {612, 41, "VIEW COMPONENT"},
                                 {12, 41, "ROBOT STATISTICS"},
                                 {212, 41, "ROBOT COMPONENTS"},
                                 {212, 210, "LEFT ARM"},
                                 {212, 225, "Blade Left"}});
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 231}}));
    expectTexts(recorder.items, {{412, 41, "COMPONENT STATISTICS"}, {412, 261, "COMPONENT ATTACKS"}});
    EXPECT_EQ(valueAt(588, 150), "2000") << "the part's weight";
    EXPECT_EQ(recorder.textAt(412, 290), "Punch") << "the absent attack is skipped";
    EXPECT_EQ(valueAt(588, 310), "30");
    EXPECT_EQ(recorder.findText("[NO ATTACKS]"), nullptr);
    EXPECT_NE(recorder.findText("Component list"), nullptr);
    EXPECT_NE(recorder.findText("Squad list"), nullptr);

    press(SDLK_DOWN, 4);
    drawView();
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 511}}));
    expectTexts(recorder.items, {{412, 70, "Reflexes"}, {588, 70, "4", true}, {412, 290, "[NO ATTACKS]"}});
}

TEST_F(BuildScreenLayoutTest, EquipListGreysWhatIsTooHeavyAndMarksTheEquippedPart) {
    makeSide(0, 1);
    press(SDLK_SPACE, 3);       // Visor on the head
    build.squadWeight = 49500;  // the Visor's 300 among it
    press(SDLK_SPACE);
    drawView();
    expectTexts(recorder.items, {{212, 41, "EQUIP COMPONENT"}, {212, 70, "HEAD"}});
    EXPECT_EQ(text("HEAD").pointSize, 14);
    const DrawnItem* visor = recorder.textItemAt(212, 85);
    const DrawnItem* domeA = recorder.textItemAt(212, 115);
    ASSERT_NE(visor, nullptr);
    ASSERT_NE(domeA, nullptr);
    EXPECT_EQ(visor->text, "Visor");
    EXPECT_EQ(visor->pointSize, 24);
    EXPECT_DOUBLE_EQ(visor->red, 1.0);
    EXPECT_EQ(domeA->text, "Dome A");
    EXPECT_DOUBLE_EQ(domeA->red, 0.6) << "49500 - 300 + 1000 > 50000";
    EXPECT_DOUBLE_EQ(domeA->green, 0.6);
    expectTexts(recorder.items, {{212, 145, "Dome B"}, {212, 175, "[EMPTY]"}});
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{200, 91}}));
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 91}}));
    EXPECT_TRUE(recorder.imagePlaces(up).empty()) << "the part already there changes nothing";
    EXPECT_TRUE(recorder.imagePlaces(down).empty());
    EXPECT_NE(recorder.findText("Robot status"), nullptr);
    EXPECT_NE(recorder.findText("Equip component"), nullptr);

    // An empty slot: the dark cursor sits on [EMPTY].
    press(SDLK_ESCAPE);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    drawView();
    expectTexts(recorder.items, {{212, 70, "TORSO"}, {212, 115, "[EMPTY]"}});
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{200, 121}}));
}

TEST_F(BuildScreenLayoutTest, EquipPreviewShowsPlainDifferencesWithArrows) {
    makeSide(0, 1);
    completeByKeys(0, 0);
    addPart("Lamp", HEAD, 100, 10).ep = 700;
    press(SDLK_SPACE);
    press(SDLK_SPACE);  // the head list: Lamp 100, Visor 300, Dome A, Dome B
    long glCalls = GlCallCounter::count();
    drawView();
    EXPECT_EQ(GlCallCounter::count(), glCalls) << "no OpenGL call without a context";
    ASSERT_EQ(recorder.textAt(212, 85), "Lamp");
    // Health 1040 - 40 + 10; Energy 5000 + 700 though only the reactor gives energy; weight
    // 12300 - 300 + 100.
    expectTexts(recorder.items, {{188, 70, "1010", true},
                                 {188, 94, "5700", true},
                                 {188, 118, "0", true},
                                 {188, 142, "4", true},
                                 {188, 166, "12100", true}});
    EXPECT_EQ(recorder.imagePlaces(down), (Places{{70, 77}, {70, 173}, {70, 397}}));
    EXPECT_EQ(recorder.imagePlaces(up), (Places{{70, 101}}));
    EXPECT_EQ(valueAt(186 - text("/50000").width, 390), "12100");
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{200, 121}}));
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 91}}));

    press(SDLK_DOWN, 4);  // [EMPTY]: the head's values leave
    drawView();
    expectTexts(recorder.items, {{188, 70, "1000", true}, {188, 166, "12000", true}});
    EXPECT_EQ(recorder.imagePlaces(down), (Places{{70, 77}, {70, 173}, {70, 397}}));
    EXPECT_TRUE(recorder.imagePlaces(up).empty());
    EXPECT_EQ(valueAt(588, 150), "0") << "no part: zeros";
    EXPECT_EQ(recorder.textAt(412, 290), "[NO ATTACKS]");
}

TEST_F(BuildScreenLayoutTest, PilotListNamesEachPilotsRobotAndComparesSkills) {
    makeSide(0, 2);
    completeByKeys(1, 3);  // R01 flies P03 (Reflexes 3)
    press(SDLK_UP);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 6);
    press(SDLK_SPACE);  // R00's pilot list, no pilot yet
    press(SDLK_DOWN, 3);
    drawView();
    expectTexts(recorder.items, {{12, 5, "R00"},
                                 {212, 41, "ASSIGN PILOT"},
                                 {212, 70, "PILOT"},
                                 {212, 85, "P00"},
                                 {212, 175, "P03/R01"},
                                 {212, 355, "P09"}});
    EXPECT_TRUE(recorder.imagePlaces(darkCursor).empty()) << "the robot has no pilot";
    EXPECT_EQ(recorder.imagePlaces(cursor), (Places{{200, 181}}));
    EXPECT_EQ(valueAt(188, 245), "3") << "the highlighted pilot's Reflexes";
    EXPECT_EQ(recorder.imagePlaces(up), (Places{{130, 251}}));
    EXPECT_EQ(valueAt(588, 70), "3");
    EXPECT_EQ(recorder.findText("[NO ATTACKS]"), nullptr);
    EXPECT_NE(recorder.findText("Assign pilot"), nullptr);

    // Taken for R00: the line now names R00, and R00's own pilot is marked.
    press(SDLK_SPACE);
    press(SDLK_SPACE);
    press(SDLK_DOWN);
    drawView();
    EXPECT_EQ(recorder.textAt(212, 175), "P03/R00");
    EXPECT_EQ(recorder.imagePlaces(darkCursor), (Places{{200, 181}}));
    EXPECT_EQ(recorder.imagePlaces(down), (Places{{130, 251}}));
    press(SDLK_UP, 5);
    drawView();
    EXPECT_EQ(recorder.imagePlaces(down), (Places{{130, 251}}));
}

}  // namespace
