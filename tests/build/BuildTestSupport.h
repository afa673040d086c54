#pragma once
// A match as the rules screen leaves it for the build screen, with a small catalogue made in
// place: bare named robots, ten pilots per side, and the build screen driven by key presses.

#include <gtest/gtest.h>

#include <string>

#include "../support/KeyEvent.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"

class BuildScreenTest : public testing::Test {
protected:
    void SetUp() override {
        // Three heads (two of equal weight), and one part for every other slot.
        addPart("Visor", HEAD, 300, 40);
        addPart("Dome B", HEAD, 1000, 80);
        addPart("Dome A", HEAD, 1000, 70);
        addPart("Hull", TORSO, 4000, 500);
        addPart("Blade Left", LEFTARM, 2000, 100);
        addPart("Blade Right", RIGHTARM, 2000, 100);
        addPart("Strider", LEGS, 3000, 300).move = 4;
        addPart("Core", REACTOR, 1000, 0).ep = 5000;
    }

    Component& addPart(const std::string& name, ComponentType type, int weight, int hp) {
        Component& part = data.components[name];
        part.name = name;
        part.type = type;
        part.weight = weight;
        part.hp = hp;
        return part;
    }

    // Side `side` with `robots` bare robots R<side><i> and ten pilots P<side><i>.
    void makeSide(int side, int robots) {
        SideSetup& setup = data.sides[size_t(side)];
        setup.maxSquadSize = robots;
        for (int i = 0; i < robots; ++i) {
            Robot* robot = data.createRobot();
            robot->name = "R" + std::to_string(side) + std::to_string(i);
            robot->setSide(side);
            setup.squad.push_back(robot);
        }
        for (int i = 0; i < GameData::PILOTS_PER_SIDE; ++i) {
            Pilot* pilot = data.createPilot();
            pilot->name = "P" + std::to_string(side) + std::to_string(i);
            pilot->side = side;
            pilot->reflexes = i;
            setup.pilots.push_back(pilot);
        }
    }

    void press(SDLKey sym, int count = 1) {
        for (int i = 0; i < count; ++i) build.handleEvent(keyEvent(sym));
    }

    // From the robot list: robot `robot` gets the lightest part in every slot and pilot `pilot`;
    // back in the robot list afterwards.
    void completeByKeys(int robot, int pilot) {
        press(SDLK_UP, 10);
        press(SDLK_DOWN, robot);
        press(SDLK_SPACE);
        for (int slot = 0; slot < 6; ++slot) {
            press(SDLK_SPACE, 2);  // open the list, take its first row
            press(SDLK_DOWN);
        }
        press(SDLK_SPACE);
        press(SDLK_DOWN, pilot);
        press(SDLK_SPACE);
        press(SDLK_ESCAPE);
    }

    GameData data;
    BuildScreen build{data};
};
