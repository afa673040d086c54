// The battle layout drawn headless through the drawing recorder: the frame below the map, the
// robot and target statistics, the action menu with its grey lines and cursors, the attack
// table, the delay panel, the key hints of every battle sub-state, the end screen, and no
// OpenGL call from any sub-state without a context.

#include "BattlePanelsFixture.h"

#include <utility>

#include "../support/GlCallCounter.h"
#include "battle/BattlePanels.h"

namespace {

const char* const ACTION_TEXTS[ACTION_LINES] = {"MOVE", "FACE", "ATTACK", "DELAY", "STATUS", "END TURN"};

class BattlePanelsTest : public HeroFriendEnemyFixture<BattlePanelsFixture> {
protected:
    // The value drawn right-aligned against the "/" + maximum label of a statistics line.
    void expectValueOverMaximum(const std::vector<DrawnItem>& items, const std::string& name, int y,
                                const std::string& value, const std::string& maximum) {
        SCOPED_TRACE(name);
        const DrawnItem* label = textAt(items, 12, y);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, name);
        EXPECT_EQ(label->pointSize, 20);
        const DrawnItem* limit = textAt(items, 188, y + 5);
        ASSERT_NE(limit, nullptr);
        EXPECT_EQ(limit->text, "/" + maximum);
        EXPECT_TRUE(limit->rightAligned);
        EXPECT_EQ(limit->pointSize, 14);
        EXPECT_EQ(limit->style, TTF_STYLE_BOLD);
        EXPECT_EQ(limit->x + limit->width, 188);
        EXPECT_GT(limit->width, 0);
        const DrawnItem* current = textAt(items, 188 - limit->width, y);
        ASSERT_NE(current, nullptr) << "the current value sits right against the maximum";
        EXPECT_EQ(current->text, value);
        EXPECT_TRUE(current->rightAligned);
        EXPECT_EQ(current->pointSize, 20);
        EXPECT_EQ(current->x + current->width, 188 - limit->width);
    }

    // The six menu lines at their places; `grey` lists which are drawn grey.
    void expectMenu(const std::vector<DrawnItem>& items, std::vector<bool> grey) {
        for (int line = 0; line < ACTION_LINES; ++line) {
            SCOPED_TRACE(ACTION_TEXTS[line]);
            const DrawnItem* label = textAt(items, 212, 563 + 24 * line);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text, ACTION_TEXTS[line]);
            EXPECT_EQ(label->pointSize, 24);
            if (grey[size_t(line)])
                EXPECT_TRUE(isGrey(*label));
            else
                EXPECT_TRUE(isWhite(*label));
        }
    }

    // The one column cursor of the second column, bright or dark, at line `line`.
    void expectMenuCursor(const std::vector<DrawnItem>& items, bool bright, int line) {
        const char* file = bright ? "textures/UICursor.png" : "textures/UICursorDark.png";
        const char* other = bright ? "textures/UICursorDark.png" : "textures/UICursor.png";
        EXPECT_NE(findImageAt(items, file, 200, 569 + 24 * line, 7, 16), nullptr);
        for (const DrawnItem& item : items)
            EXPECT_FALSE(item.kind == DrawnItem::Image && item.text == other && item.x == 200) << item.y;
    }
};

TEST_F(BattlePanelsTest, RobotSelectDrawsTheFrameTheMoveOrderAndTheStatisticsOnTheCursor) {
    openMenuOf(0);
    press(SDLK_ESCAPE);
    ASSERT_EQ(screen.state, RobotSelect);
    hero->hp = 750;
    hero->ep = 4200;
    hero->movePoints = 3;
    auto items = drawFrame();

    EXPECT_NE(findImageAt(items, "textures/UIColumnDark.bmp", 0, 553, 200, 190), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIColumnDark.bmp", 200, 553, 200, 190), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIColumnDark.bmp", 400, 553, 424, 190), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIColumnDark.bmp", 824, 553, 200, 190), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UIWideColumn.bmp", -200, 533, 1024, 20), nullptr);
    for (auto [title, x] :
         {std::pair<const char*, int>{"ROBOT STATISTICS", 12}, {"ACTIONS", 212}, {"MOVE ORDER", 836}}) {
        const DrawnItem* header = findText(items, title);
        ASSERT_NE(header, nullptr) << title;
        EXPECT_EQ(header->x, x);
        EXPECT_EQ(header->y, 534);
    }
    // The move order from the acting robot on, with side numbers.
    ASSERT_NE(textAt(items, 836, 563), nullptr);
    expectTexts(items, {{836, 563, "1/Hero"}, {836, 583, "1/Friend"}, {836, 603, "2/Enemy"}});

    const DrawnItem* name = textAt(items, 12, 563);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, "Hero");
    EXPECT_EQ(name->pointSize, 20);
    expectValueOverMaximum(items, "Health", 583, "750", "1000");
    expectValueOverMaximum(items, "Energy", 603, "4200", "5000");
    expectStatRow(items, "Armor", 623, "200");
    expectValueOverMaximum(items, "Move", 643, "3", "4");
    expectStatRow(items, "Weight", 663, "11000");

    // Nothing below the second column's header while a robot is being picked.
    EXPECT_EQ(findText(items, "MOVE"), nullptr);
    EXPECT_EQ(findText(items, "STATUS"), nullptr);
    EXPECT_EQ(countImages(items, "textures/UICursor.png"), 0);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Main menu", "[Space]", "Select robot", "[Up]", "/",
                                        "[Down]", "/", "[Left]", "/", "[Right]", "Move cursor"}));

    // An empty tile under the cursor leaves the statistics column with its header alone.
    moveCursor(RobotSelect, 3, 3);
    items = drawFrame();
    EXPECT_EQ(textAt(items, 12, 563), nullptr);
    EXPECT_EQ(findText(items, "Health"), nullptr);
    EXPECT_NE(findText(items, "ROBOT STATISTICS"), nullptr);
}

TEST_F(BattlePanelsTest, AWreckShowsNoHealthAndLeavesTheMoveOrder) {
    enemy->hp = 0;
    data.turnIndex = 0;
    screen.state = RobotSelect;
    screen.cursor[RobotSelect] = 2;
    screen.cursor2[RobotSelect] = 5;
    auto items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 563), "Enemy");
    expectValueOverMaximum(items, "Health", 583, "0", "1000");
    EXPECT_EQ(findText(items, "2/Enemy"), nullptr);
    EXPECT_EQ(textOf(items, 836, 583), "1/Friend");
}

TEST_F(BattlePanelsTest, ActionMenuGreysTheLinesTheActingRobotCannotChoose) {
    openMenuOf(0);
    auto items = drawFrame();
    expectMenu(items, {false, false, false, false, false, false});
    expectMenuCursor(items, true, 0);
    EXPECT_EQ(keyHints(items), (std::vector<std::string>{"[Esc]", "Robot select", "[Space]", "Select action",
                                                         "[Up]", "/", "[Down]", "Move cursor"}));

    press(SDLK_DOWN, 2);
    expectMenuCursor(drawFrame(), true, 2);

    hero->ep = 400;  // the cheapest attack (Hook) costs 200
    expectMenu(drawFrame(), {true, false, false, false, false, false});
    hero->ep = 150;
    expectMenu(drawFrame(), {true, false, true, false, false, false});
    hero->ep = 0;
    expectMenu(drawFrame(), {true, true, true, true, false, false});
    hero->ep = 5000;
    hero->movePoints = 0;
    expectMenu(drawFrame(), {true, false, false, false, false, false});
    // A robot that wrecked itself may only look and end its turn.
    hero->movePoints = 4;
    hero->hp = 0;
    expectMenu(drawFrame(), {true, true, true, true, false, false});
}

TEST_F(BattlePanelsTest, AnotherRobotsMenuHoldsStatusAloneWithTheCursorOnIt) {
    openMenuOf(0);
    press(SDLK_DOWN, 3);
    press(SDLK_ESCAPE);
    moveCursor(RobotSelect, 2, 5);
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, ActionMenu);
    ASSERT_EQ(screen.selectedRobot, enemy);
    auto items = drawFrame();
    const DrawnItem* status = textAt(items, 212, 563);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text, "STATUS");
    EXPECT_EQ(status->pointSize, 24);
    EXPECT_EQ(findText(items, "MOVE"), nullptr);
    EXPECT_EQ(findText(items, "END TURN"), nullptr);
    expectMenuCursor(items, true, 0);
    EXPECT_EQ(textOf(items, 12, 563), "Enemy");
}

TEST_F(BattlePanelsTest, MoveFaceAndDelayKeepTheMenuUnderADarkCursor) {
    openMenuOf(0);
    choose(ActionMove);
    ASSERT_EQ(screen.state, MoveTarget);
    auto items = drawFrame();
    expectMenu(items, {false, false, false, false, false, false});
    expectMenuCursor(items, false, ActionMove);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Action menu", "[Space]", "Select position", "[Up]", "/",
                                        "[Down]", "/", "[Left]", "/", "[Right]", "Move cursor"}));
    // The statistics stay with the robot, not with the move cursor.
    press(SDLK_DOWN);
    EXPECT_EQ(textOf(drawFrame(), 12, 563), "Hero");

    press(SDLK_ESCAPE);
    choose(ActionFace);
    ASSERT_EQ(screen.state, TurnFacing);
    items = drawFrame();
    expectMenuCursor(items, false, ActionFace);
    EXPECT_EQ(keyHints(items), (std::vector<std::string>{"[Esc]", "Action menu", "[Space]", "Confirm facing",
                                                         "[Up]", "Face north", "[Down]", "Face south",
                                                         "[Left]", "Face west", "[Right]", "Face east"}));
    EXPECT_EQ(findText(items, "ENERGY DELAY"), nullptr);

    press(SDLK_ESCAPE);
    choose(ActionDelay);
    ASSERT_EQ(screen.state, EnergyDelay);
    press(SDLK_RIGHT, 3);
    hero->ep = 4900;
    items = drawFrame();
    expectMenuCursor(items, false, ActionDelay);
    const DrawnItem* title = textAt(items, 412, 563);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "ENERGY DELAY");
    EXPECT_EQ(title->pointSize, 14);
    EXPECT_EQ(title->style, TTF_STYLE_BOLD);
    const DrawnItem* amount = textAt(items, 412, 580);
    ASSERT_NE(amount, nullptr);
    EXPECT_EQ(amount->text, "150");
    EXPECT_EQ(amount->pointSize, 30);
    EXPECT_GT(amount->width, 0);
    const DrawnItem* energy = findText(items, "/4900");
    ASSERT_NE(energy, nullptr);
    EXPECT_EQ(energy->x, 412 + amount->width + 2);
    EXPECT_EQ(energy->y, 593);
    EXPECT_EQ(energy->pointSize, 14);
    EXPECT_EQ(energy->style, TTF_STYLE_BOLD);
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 400, 589, 7, 16), nullptr);
    EXPECT_EQ(keyHints(items), (std::vector<std::string>{"[Esc]", "Action menu", "[Space]", "Confirm delay",
                                                         "[Left]", "Delay -50", "[Right]", "Delay +50"}));
}

TEST_F(BattlePanelsTest, AttackTableListsComponentsAttacksAndCooldownWithTheirCursors) {
    openMenuOf(0);
    choose(ActionAttack);
    ASSERT_EQ(screen.state, AttackComponent);
    auto items = drawFrame();
    ASSERT_NE(findText(items, "ATTACK"), nullptr);
    EXPECT_EQ(findText(items, "ATTACK")->x, 212);
    EXPECT_EQ(findText(items, "ACTIONS"), nullptr);
    expectTexts(items, {{212, 563, "Jab Arm"}, {212, 587, "Beam Arm"}});
    EXPECT_EQ(textAt(items, 212, 563)->pointSize, 24);
    EXPECT_TRUE(isWhite(*textAt(items, 212, 587)));
    for (auto [title, x] :
         {std::pair<const char*, int>{"NAME", 412}, {"DMG", 625}, {"ENG", 675}, {"ACC", 725}, {"CLD", 775}}) {
        const DrawnItem* label = textAt(items, x, 563);
        ASSERT_NE(label, nullptr) << title;
        EXPECT_EQ(label->text, title);
        EXPECT_EQ(label->pointSize, 14);
        EXPECT_EQ(label->style, TTF_STYLE_BOLD);
    }
    // The jab arm's one attack the catalogue knows; its unknown second action is left out.
    EXPECT_EQ(textOf(items, 412, 580), "Jab");
    EXPECT_EQ(textAt(items, 412, 604), nullptr);
    for (auto [value, x] :
         {std::pair<const char*, int>{"300", 652}, {"300", 700}, {"80%", 753}, {"400", 798}}) {
        const DrawnItem* shown = textAt(items, x, 583);
        ASSERT_NE(shown, nullptr) << x;
        EXPECT_EQ(shown->text, value);
        EXPECT_TRUE(shown->rightAligned);
        EXPECT_EQ(shown->x + shown->width, x);
        EXPECT_EQ(shown->pointSize, 20);
    }
    const DrawnItem* cooldownTitle = textAt(items, 412, 715);
    ASSERT_NE(cooldownTitle, nullptr);
    EXPECT_EQ(cooldownTitle->text, "COOLDOWN DELAY:");
    EXPECT_EQ(cooldownTitle->style, TTF_STYLE_BOLD);
    const DrawnItem* cooldown = textAt(items, 412 + cooldownTitle->width + 2, 710);
    ASSERT_NE(cooldown, nullptr);
    EXPECT_EQ(cooldown->text, "0");
    EXPECT_EQ(cooldown->pointSize, 20);
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 200, 569, 7, 16), nullptr);
    EXPECT_EQ(countImages(items, "textures/UICursor.png") + countImages(items, "textures/UICursorDark.png"),
              1);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Action menu", "[Space]", "Select attacking component",
                                        "[Up]", "/", "[Down]", "Move cursor"}));

    // The beam arm on the line, with the beam too dear: its row grey, the hook's white.
    press(SDLK_DOWN);
    hero->ep = 500;
    items = drawFrame();
    expectTexts(items, {{412, 580, "Beam"}, {412, 604, "Hook"}});
    EXPECT_TRUE(isGrey(*textAt(items, 412, 580)));
    for (int x : {652, 700, 753, 798}) EXPECT_TRUE(isGrey(*textAt(items, x, 583))) << x;
    EXPECT_TRUE(isWhite(*textAt(items, 412, 604)));
    for (int x : {652, 700, 753, 798}) EXPECT_TRUE(isWhite(*textAt(items, x, 607))) << x;
    EXPECT_EQ(textOf(items, 753, 607), "80%");
    EXPECT_TRUE(isWhite(*textAt(items, 212, 587)));
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 200, 593, 7, 16), nullptr);

    // Cooling down: the component and all its rows grey, the cooldown shown after its title.
    hero->components[RIGHTARM]->cooldownLeft = 350;
    items = drawFrame();
    EXPECT_TRUE(isGrey(*textAt(items, 212, 587)));
    EXPECT_TRUE(isWhite(*textAt(items, 212, 563)));
    EXPECT_TRUE(isGrey(*textAt(items, 412, 604)));
    EXPECT_EQ(textOf(items, 412 + textAt(items, 412, 715)->width + 2, 710), "350");
    hero->components[RIGHTARM]->cooldownLeft = 0;
    hero->ep = 5000;

    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, AttackChoice);
    press(SDLK_DOWN);
    items = drawFrame();
    EXPECT_NE(findText(items, "ATTACK"), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UICursorDark.png", 200, 593, 7, 16), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UICursor.png", 400, 610, 7, 16), nullptr);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Attack component menu", "[Space]", "Select attack", "[Up]",
                                        "/", "[Down]", "Move cursor"}));

    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, TargetSelect);
    items = drawFrame();
    EXPECT_NE(findText(items, "ACTIONS"), nullptr);
    EXPECT_EQ(textOf(items, 412, 604), "Hook");
    EXPECT_NE(findImageAt(items, "textures/UICursorDark.png", 200, 593, 7, 16), nullptr);
    EXPECT_NE(findImageAt(items, "textures/UICursorDark.png", 400, 610, 7, 16), nullptr);
    EXPECT_EQ(countImages(items, "textures/UICursor.png"), 0);
}

TEST_F(BattlePanelsTest, TargetSelectShowsTheTargetsStatisticsAndJoinsItsArrowsTightly) {
    openMenuOf(0);
    screen.selectedRobot->ep = 3000;
    prepareAttack(1, 0, 2, 4);  // the beam, aimed at the empty tile in front of the enemy
    auto items = drawFrame();
    EXPECT_EQ(textAt(items, 12, 563), nullptr) << "no robot on the target cursor";
    aimAt(2, 5);
    enemy->hp = 640;
    items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 563), "Enemy");
    expectValueOverMaximum(items, "Health", 583, "640", "1000");
    aimAt(2, 2);
    items = drawFrame();
    EXPECT_EQ(textOf(items, 12, 563), "Hero");
    expectValueOverMaximum(items, "Energy", 603, "3000", "5000");

    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Attack menu", "[Space]", "Select target", "[Up]", "/",
                                        "[Down]", "/", "[Left]", "/", "[Right]", "Move cursor"}));
    std::vector<DrawnItem> icons = keyIcons(items);
    ASSERT_EQ(icons.size(), 6u);
    const int slash = measuredWidth("/", 18);
    ASSERT_GT(slash, 0);
    for (size_t i = 3; i < 6; ++i) EXPECT_EQ(icons[i].x, icons[i - 1].x + 28 + 2 + slash) << i;
}

TEST_F(BattlePanelsTest, ComputerTurnShowsItsRobotAndWhoIsAllowedToAct) {
    data.turnIndex = 2;
    screen.state = ComputerTurn;
    screen.cursor[ComputerTurn] = 2;
    screen.cursor2[ComputerTurn] = 5;
    screen.selectedRobot = hero;
    auto items = drawFrame();
    expectTexts(items, {{12, 563, "Enemy"}, {836, 563, "2/Enemy"}});
    EXPECT_EQ(findText(items, "MOVE"), nullptr);
    EXPECT_EQ(findText(items, "STATUS"), nullptr);
    EXPECT_NE(findText(items, "ACTIONS"), nullptr);
    EXPECT_EQ(keyHints(items),
              (std::vector<std::string>{"[Esc]", "Main menu", "[Space]", "Allow Enemy to act"}));
}

TEST_F(BattlePanelsTest, EndScreenShowsTheResultOverTheLastViewOfTheBattle) {
    openMenuOf(0);
    screen.state = MatchEnd;
    struct Case {
        int controller;
        int result;
        const char* text;
        int x;
    };
    const Case cases[] = {
        {SideSetup::COMPUTER, Side0Won, "VICTORY", 460},
        {SideSetup::COMPUTER, Side1Won, "DEFEAT", 470},
        {SideSetup::COMPUTER, MatchDraw, "DRAW", 490},
        {SideSetup::HUMAN, Side0Won, "PLAYER 1 WINS", 420},
        {SideSetup::HUMAN, Side1Won, "PLAYER 2 WINS", 420},
        {SideSetup::HUMAN, MatchDraw, "DRAW", 490},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        data.sides[1].controller = c.controller;
        screen.cursor[MatchEnd] = c.result;
        auto items = drawFrame();
        const DrawnItem* result = textAt(items, c.x, 313);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->text, c.text);
        EXPECT_EQ(result->pointSize, 30);
        // The band, then the result over it, after everything else of the battle view.
        ASSERT_GE(items.size(), 2u);
        const DrawnItem& band = items[items.size() - 2];
        EXPECT_EQ(band.text, "textures/UIColumnDark.bmp");
        EXPECT_EQ(band.x, 0);
        EXPECT_EQ(band.y, 300);
        EXPECT_EQ(band.width, 1024);
        EXPECT_EQ(band.height, 60);
        EXPECT_EQ(&items.back(), result);
        EXPECT_EQ(keyHints(items), (std::vector<std::string>{"[Space]", "Main menu"}));
    }
    EXPECT_EQ(matchResultText(7, false), "DRAW");
}

TEST_F(BattlePanelsTest, EndScreenKeepsTheMenuOfTheRobotWhoseTurnItWasWithoutACursor) {
    openMenuOf(0);
    screen.state = MatchEnd;
    screen.cursor[MatchEnd] = Side0Won;
    enemy->hp = 0;
    auto items = drawFrame();
    expectMenu(items, {false, false, false, false, false, false});
    EXPECT_EQ(countImages(items, "textures/UICursor.png") + countImages(items, "textures/UICursorDark.png"),
              0);
    EXPECT_EQ(textOf(items, 12, 563), "Hero");
    EXPECT_NE(findText(items, "ACTIONS"), nullptr);

    screen.selectedRobot = enemy;
    items = drawFrame();
    EXPECT_EQ(textOf(items, 212, 563), "STATUS");
    EXPECT_EQ(findText(items, "MOVE"), nullptr);
}

TEST_F(BattlePanelsTest, NoSubStateCallsOpenGlWithoutAContext) {
    openMenuOf(0);
    screen.hitMarkers.push_back(HitMarker{2, 5, 120});
    const long before = GlCallCounter::count();
    for (int state = 0; state < BATTLE_STATES; ++state) {
        SCOPED_TRACE(state);
        screen.state = state;
        auto items = drawFrame();
        EXPECT_FALSE(items.empty());
    }
    EXPECT_EQ(GlCallCounter::count(), before);
}

}  // namespace
