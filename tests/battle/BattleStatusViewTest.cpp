// The status view drawn headless: the robot's and its pilot's statistics, its component list with
// the cursor, the statistics and attacks of the part on the line, the pilot's line with the robot
// it is assigned to (on either side), and the player header of a two-human match.

#include "BattlePanelsFixture.h"

#include <tuple>

#include "battle/BattlePanels.h"
#include "data/Pilot.h"

namespace {

class BattleStatusViewTest : public BattlePanelsFixture {
protected:
    Robot* hero = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        BattlePanelsFixture::SetUp();
        hero = addRobot(0, "Hero", {7, 6, 4, 3});
        enemy = addRobot(1, "Enemy", {2, 8, 9, 1});
        put(hero, 2, 2);
        put(enemy, 2, 5, FACING_NORTH);
    }

    // The status view of the robot on (x, y), opened from the acting hero's action menu.
    void openStatusAt(int x, int y) {
        openMenuOf(0);
        if (x == hero->x && y == hero->y) {
            choose(ActionStatus);
        } else {
            press(SDLK_ESCAPE);
            moveCursor(RobotSelect, x, y);
            press(SDLK_SPACE);
            press(SDLK_SPACE);
        }
        ASSERT_EQ(screen.state, StatusView);
    }
};

TEST_F(BattleStatusViewTest, ShowsTheRobotItsPilotAndItsParts) {
    openStatusAt(2, 2);
    auto items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 5), "Hero");
    EXPECT_EQ(countImages(items, "textures/UIColumnDark.bmp"), 3);
    EXPECT_EQ(findText(items, "PLAYER"), nullptr);
    EXPECT_EQ(findText(items, "VIEW COMPONENT")->x, 612);
    for (auto [title, x, y] : {std::tuple<const char*, int, int>{"ROBOT STATISTICS", 12, 41},
                               {"PILOT STATISTICS", 12, 216},
                               {"ROBOT COMPONENTS", 212, 41},
                               {"COMPONENT STATISTICS", 412, 41},
                               {"COMPONENT ATTACKS", 412, 261}}) {
        const DrawnItem* header = findText(items, title);
        ASSERT_NE(header, nullptr) << title;
        EXPECT_EQ(header->x, x);
        EXPECT_EQ(header->y, y);
    }
    expectStatRow(items, 0, "Health", 70, "1000", 20);
    expectStatRow(items, 0, "Energy", 94, "5000", 20);
    expectStatRow(items, 0, "Armor", 118, "200", 20);
    expectStatRow(items, 0, "Move", 142, "4", 20);
    expectStatRow(items, 0, "Weight", 166, "11000", 20);
    expectStatRow(items, 0, "Reflexes", 245, "7", 20);
    expectStatRow(items, 0, "Melee Attack", 269, "6", 20);
    expectStatRow(items, 0, "Ranged Attack", 293, "4", 20);
    expectStatRow(items, 0, "Defense", 316, "3", 20);

    const char* titles[] = {"HEAD", "TORSO", "LEFT ARM", "RIGHT ARM", "LEGS", "REACTOR", "PILOT"};
    const char* names[] = {"Head", "Torso", "Jab Arm", "Beam Arm", "Legs", "Reactor", "Hero pilot"};
    for (int line = 0; line < 7; ++line) {
        SCOPED_TRACE(titles[line]);
        const DrawnItem* title = textAt(items, 212, 70 + 70 * line);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text, titles[line]);
        EXPECT_EQ(title->pointSize, 14);
        EXPECT_EQ(title->style, TTF_STYLE_BOLD);
        const DrawnItem* name = textAt(items, 212, 85 + 70 * line);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text, names[line]);
        EXPECT_EQ(name->pointSize, 24);
    }
    // The head on the line: its statistics, and no attacks.
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 200, 91, 7, 16), nullptr);
    expectStatRow(items, 400, "Health", 70, "100", 18);
    expectStatRow(items, 400, "Armor", 110, "20", 18);
    expectStatRow(items, 400, "Weight", 150, "1000", 18);
    EXPECT_EQ(textOf(items, 412, 290), "[NO ATTACKS]");
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Action menu", "[Up]", "/", "[Down]", "Move cursor"}));

    // The right arm: both of its attacks, 140 pixels apart.
    press(SDLK_DOWN, 3);
    items = drawFrame();
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 200, 301, 7, 16), nullptr);
    EXPECT_EQ(textOf(items, 412, 290), "Beam");
    EXPECT_EQ(textAt(items, 412, 290)->pointSize, 18);
    expectStatRow(items, 400, "Damage", 310, "300", 18);
    expectStatRow(items, 400, "Energy", 330, "700", 18);
    expectStatRow(items, 400, "Accuracy", 350, "80", 18);
    expectStatRow(items, 400, "Cooldown", 370, "1200", 18);
    EXPECT_EQ(textOf(items, 412, 430), "Hook");
    expectStatRow(items, 400, "Energy", 470, "200", 18);
    EXPECT_EQ(findText(items, "[NO ATTACKS]"), nullptr);

    // The pilot's line: its skills and the robot it is assigned to.
    press(SDLK_DOWN, 3);
    items = drawFrame();
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 200, 511, 7, 16), nullptr);
    EXPECT_EQ(textOf(items, 412, 170), "Assigned to ");
    const DrawnItem* assigned = textAt(items, 588, 170);
    ASSERT_NE(assigned, nullptr);
    EXPECT_EQ(assigned->text, "Hero");
    EXPECT_TRUE(assigned->rightAligned);
    EXPECT_EQ(assigned->pointSize, 18);
    expectStatRow(items, 400, "Reflexes", 70, "7", 18);
    expectStatRow(items, 400, "Defense", 130, "3", 18);
    EXPECT_EQ(textOf(items, 412, 290), "[NO ATTACKS]");
}

TEST_F(BattleStatusViewTest, AnEnemyPilotIsAssignedToItsOwnRobotDuringTheBattle) {
    openStatusAt(2, 5);
    ASSERT_EQ(screen.selectedRobot, enemy);
    ASSERT_EQ(screen.dispatchSide, 0);
    press(SDLK_DOWN, 6);
    auto items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 5), "Enemy");
    ASSERT_NE(textAt(items, 588, 170), nullptr);
    EXPECT_EQ(textOf(items, 588, 170), "Enemy");
    expectStatRow(items, 400, "Ranged Attack", 110, "9", 18);

    // A pilot in the side's pool that no robot carries.
    Pilot spare;
    spare.side = 1;
    EXPECT_EQ(pilotAssignment(data, spare), "none");
    spare.side = 5;
    EXPECT_EQ(pilotAssignment(data, spare), "none");
}

TEST_F(BattleStatusViewTest, EmptySlotsAndTheSideOfTheRobotInATwoHumanMatch) {
    data.sides[1].controller = SideSetup::HUMAN;
    enemy->components[LEFTARM].reset();
    openStatusAt(2, 5);
    press(SDLK_DOWN, 2);
    auto items = drawFrame();
    const DrawnItem* player = textAt(items, 940, 16);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->text, "PLAYER");
    ASSERT_NE(textAt(items, 942 + player->width, 5), nullptr);
    expectTexts(items, {{942 + player->width, 5, "2"}, {212, 225, "[EMPTY]"}, {412, 290, "[NO ATTACKS]"}});
    EXPECT_EQ(textAt(items, 412, 70), nullptr) << "an empty slot has no statistics";
}

}  // namespace
