#pragma once
// The battle tests' world: the battle.yaml test database loaded into a GameData, robots built
// from its parts with pilots of chosen skills, and the battle screen driven by key presses.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "../data/TestDatabase.h"
#include "../support/KeyEvent.h"
#include "battle/BattleScreen.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

struct Skills {
    int reflexes = 5;
    int melee = 5;
    int ranged = 5;
    int defense = 5;
};

class BattleFixture : public testing::Test {
protected:
    GameData data;
    BattleScreen screen{data};

    void SetUp() override {
        std::string path = buildTestDatabase("battle.yaml");
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(data.load(path));
        useMap("ARENA");
        data.mode = BattleMode;
    }

    void useMap(const std::string& name) {
        auto found = data.maps.find(name);
        ASSERT_NE(found, data.maps.end()) << name;
        data.currentMap = &found->second;
    }

    // A complete robot of `side` in its squad, left full as the build screen leaves it:
    // parts by slot (HEAD, TORSO, LEFTARM, RIGHTARM, LEGS, REACTOR).
    Robot* addRobot(int side, const std::string& name, Skills skills = {},
                    const std::string& left = "Jab Arm", const std::string& right = "Beam Arm",
                    const std::string& reactor = "Reactor") {
        Robot* robot = data.createRobot();
        robot->name = name;
        robot->setSide(side);
        const std::string parts[COMPONENT_SLOTS] = {"Head", "Torso", left, right, "Legs", reactor};
        for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
            auto found = data.components.find(parts[slot]);
            EXPECT_NE(found, data.components.end()) << parts[slot];
            if (found != data.components.end()) robot->setComponent(slot, &found->second);
        }
        Pilot* pilot = data.createPilot();
        pilot->name = name + " pilot";
        pilot->side = side;
        pilot->reflexes = skills.reflexes;
        pilot->meleeAttack = skills.melee;
        pilot->rangedAttack = skills.ranged;
        pilot->defense = skills.defense;
        data.sides[size_t(side)].pilots.push_back(pilot);
        robot->setPilot(pilot);
        robot->hp = robot->getMaxHp();
        robot->ep = robot->getMaxEp();
        robot->movePoints = robot->getMove();
        data.sides[size_t(side)].squad.push_back(robot);
        return robot;
    }

    // Puts a robot on the map and into the roster without going through dispatch.
    void put(Robot* robot, int x, int y, int facing = 0) {
        robot->x = x;
        robot->y = y;
        robot->facing = facing;
        data.roster.push_back(robot);
    }

    // The battle under way with roster[index] acting and its action menu open.
    void openMenuOf(int index) {
        data.turnIndex = index;
        Robot* robot = data.roster[size_t(index)];
        screen.state = RobotSelect;
        screen.cursor[RobotSelect] = robot->x;
        screen.cursor2[RobotSelect] = robot->y;
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, ActionMenu);
        ASSERT_EQ(screen.selectedRobot, robot);
    }

    void press(SDLKey key) { screen.handleEvent(keyEvent(key)); }
    void press(SDLKey key, int times) {
        for (int i = 0; i < times; ++i) press(key);
    }

    // Space on an action menu line, reached with the arrow keys.
    void choose(int line) {
        press(SDLK_UP, ACTION_LINES);
        press(SDLK_DOWN, line);
        press(SDLK_SPACE);
    }

    // The target cursor moved onto (x, y) with the arrow keys, from wherever it is.
    void aimAt(int x, int y) { moveCursor(TargetSelect, x, y); }
    void moveCursor(int slot, int x, int y) {
        while (screen.cursor[slot] < x) press(SDLK_RIGHT);
        while (screen.cursor[slot] > x) press(SDLK_LEFT);
        while (screen.cursor2[slot] < y) press(SDLK_DOWN);
        while (screen.cursor2[slot] > y) press(SDLK_UP);
        ASSERT_EQ(screen.cursor[slot], x);
        ASSERT_EQ(screen.cursor2[slot], y);
    }

    // In DispatchSelect: Space on the list line, Space on (x, y) reached with the arrows, a facing
    // key, Space.
    void dispatchLine(int line, int x, int y, SDLKey facingKey = SDLK_DOWN) {
        ASSERT_EQ(screen.state, DispatchSelect);
        press(SDLK_UP, 10);
        press(SDLK_DOWN, line);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, DispatchPosition);
        moveCursor(DispatchPosition, x, y);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, DispatchFacing);
        press(facingKey);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, DispatchSelect);
    }

    // From the action menu: ATTACK, the component and attack on the given lines, aimed at (x, y).
    void prepareAttack(int componentLine, int attackLine, int x, int y) {
        choose(ActionAttack);
        ASSERT_EQ(screen.state, AttackComponent);
        press(SDLK_DOWN, componentLine);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, AttackChoice);
        press(SDLK_DOWN, attackLine);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, TargetSelect);
        aimAt(x, y);
    }
};

// The scene of the turn and panel tests, over either fixture: Hero and Friend of side 0 at (2, 2)
// and (4, 2), and the Enemy at (2, 5) facing them, in the roster in that order.
template <class Fixture>
class HeroFriendEnemyFixture : public Fixture {
protected:
    Robot* hero = nullptr;
    Robot* friendly = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        Fixture::SetUp();
        hero = this->addRobot(0, "Hero");
        friendly = this->addRobot(0, "Friend");
        enemy = this->addRobot(1, "Enemy");
        this->put(hero, 2, 2);
        this->put(friendly, 4, 2);
        this->put(enemy, 2, 5, FACING_NORTH);
    }
};
