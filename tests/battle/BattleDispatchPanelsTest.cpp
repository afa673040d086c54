// The dispatch layout drawn headless: title, player header, squad list with its cursor, the
// statistics of the robot on the list line, and the key hints of the three dispatch sub-states.

#include "BattlePanelsFixture.h"

namespace {

class BattleDispatchPanelsTest : public BattlePanelsFixture {
protected:
    Robot* first = nullptr;
    Robot* second = nullptr;

    void SetUp() override {
        BattlePanelsFixture::SetUp();
        first = addRobot(0, "Alpha");
        second = addRobot(0, "Bravo", {}, "Jab Arm", "Beam Arm", "Big Reactor");
        addRobot(1, "Enemy");
    }
};

TEST_F(BattleDispatchPanelsTest, SquadListStatisticsAndHintsOfOneHuman) {
    auto items = drawFrame();
    const DrawnItem* title = textAt(items, 12, 5);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "DISPATCH");
    EXPECT_EQ(title->pointSize, 30);
    EXPECT_EQ(findText(items, "PLAYER"), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIWideColumnDark.bmp", 0, 40, 1024, 703), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIColumnDark.bmp", 0, 40, 200, 703), nullptr);
    EXPECT_EQ(countImages(items, "textures/UIColumnDark.bmp"), 1);
    EXPECT_EQ(findText(items, "MAP VIEW")->x, 212);
    EXPECT_EQ(findText(items, "MAP VIEW")->y, 41);
    EXPECT_EQ(findText(items, "ROBOTS")->y, 41);
    EXPECT_EQ(findText(items, "ROBOT STATISTICS")->y, 501);

    // Only the dispatching side's robots, one line each.
    expectTexts(items, {{12, 70, "Alpha"}, {12, 103, "Bravo"}});
    EXPECT_EQ(findText(items, "Enemy"), nullptr);
    expectStatRow(items, "Health", 530, "1000");
    expectStatRow(items, "Energy", 550, "5000");
    expectStatRow(items, "Armor", 570, "200");
    expectStatRow(items, "Move", 590, "4");
    expectStatRow(items, "Weight", 610, "11000");
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 0, 79, 7, 16), nullptr);
    // No robot down yet: Enter is not offered.
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Main menu", "[Space]", "Select robot", "[Up]", "/",
                                        "[Down]", "Move cursor", "[Shift]", "Robot status"}));

    press(SDLK_DOWN);
    items = drawFrame();
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 0, 112, 7, 16), nullptr);
    expectStatRow(items, "Energy", 550, "200000");

    dispatchLine(1, 1, 0);
    items = drawFrame();
    EXPECT_EQ(keyHints(items), (std::vector<std::string>{"[Esc]", "Main menu", "[Space]", "Select robot",
                                                         "[Up]", "/", "[Down]", "Move cursor", "[Shift]",
                                                         "Robot status", "[Enter]", "Finish dispatching"}));
}

TEST_F(BattleDispatchPanelsTest, PlacingAndFacingDimTheListCursorAndChangeTheHints) {
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchPosition);
    auto items = drawFrame();
    EXPECT_NE(findImageAt(items, "textures/UICursorDark.png", 0, 79, 7, 16), nullptr);
    EXPECT_EQ(countImages(items, "textures/UICursor.png"), 0);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Remove robot", "[Space]", "Confirm position", "[Up]", "/",
                                        "[Down]", "/", "[Left]", "/", "[Right]", "Move cursor"}));
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, DispatchFacing);
    items = drawFrame();
    EXPECT_NE(findImageAt(items, "textures/UICursorDark.png", 0, 79, 7, 16), nullptr);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Position robot", "[Space]", "Confirm facing", "[Up]",
                                        "Face north", "[Down]", "Face south", "[Left]", "Face west",
                                        "[Right]", "Face east"}));
    // The spacing of a row: 12 pixels after a whole hint, 2 after a "/" key.
    std::vector<DrawnItem> icons = keyIcons(items);
    ASSERT_EQ(icons.size(), 6u);
    EXPECT_EQ(icons[0].x, 8);
    EXPECT_EQ(icons[1].x, 8 + 39 + 2 + measuredWidth("Position robot", 18) + 12);
}

TEST_F(BattleDispatchPanelsTest, TwoHumansSeeWhoseDispatchItIs) {
    data.sides[1].controller = SideSetup::HUMAN;
    auto items = drawFrame();
    const DrawnItem* player = textAt(items, 940, 16);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->text, "PLAYER");
    EXPECT_EQ(player->pointSize, 18);
    const int playerWidth = player->width;  // `items` is drawn anew below
    const DrawnItem* number = textAt(items, 942 + playerWidth, 5);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->text, "1");
    EXPECT_EQ(number->pointSize, 30);

    dispatchLine(0, 0, 0);
    press(SDLK_RETURN);
    ASSERT_EQ(screen.dispatchSide, 1);
    items = drawFrame();
    const DrawnItem* secondNumber = textAt(items, 942 + playerWidth, 5);
    ASSERT_NE(secondNumber, nullptr);
    EXPECT_EQ(secondNumber->text, "2");
    EXPECT_EQ(textOf(items, 12, 70), "Enemy");
    EXPECT_EQ(findText(items, "Alpha"), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 0, 79, 7, 16), nullptr);
}

TEST_F(BattleDispatchPanelsTest, EnterIsOfferedToASideThatCanPlaceNoRobotAtAll) {
    useMap("WALLED");  // side 1's one start tile is a wall
    data.sides[1].controller = SideSetup::HUMAN;
    dispatchLine(0, 0, 0);
    press(SDLK_RETURN);
    ASSERT_EQ(screen.dispatchSide, 1);
    std::vector<std::string> hints = keyHints(drawFrame());
    ASSERT_GE(hints.size(), 2u);
    EXPECT_EQ(hints[hints.size() - 2], "[Enter]");
    EXPECT_EQ(hints.back(), "Finish dispatching");
}

TEST_F(BattleDispatchPanelsTest, StatusFromTheListLeadsBackToTheDispatchMenu) {
    press(SDLK_DOWN);
    press(SDLK_LSHIFT);
    ASSERT_EQ(screen.state, StatusView);
    auto items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 5), "Bravo");
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Dispatch menu", "[Up]", "/", "[Down]", "Move cursor"}));
}

}  // namespace
