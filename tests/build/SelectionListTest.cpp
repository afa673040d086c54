// The equip list and the pilot list by key presses: the candidate order, the weight limit at
// and over its edge, "[EMPTY]", the refill to the new maxima, and taking a pilot from another
// robot.

#include "BuildTestSupport.h"

namespace {

std::vector<std::string> namesOf(const std::vector<const Component*>& parts) {
    std::vector<std::string> names;
    for (const Component* part : parts) names.push_back(part->getName());
    return names;
}

TEST_F(BuildScreenTest, CandidatesAreLightestFirstAndEqualWeightsInNameOrder) {
    EXPECT_EQ(namesOf(candidatesFor(data, HEAD)), (std::vector<std::string>{"Visor", "Dome A", "Dome B"}));
    EXPECT_EQ(namesOf(candidatesFor(data, LEGS)), std::vector<std::string>{"Strider"});
    // Many parts of one weight keep their name order too.
    for (char c = 'a'; c <= 'z'; ++c) addPart(std::string("Arm ") + c, LEFTARM, 2000, 1);
    std::vector<std::string> arms = namesOf(candidatesFor(data, LEFTARM));
    ASSERT_EQ(arms.size(), 27u);
    EXPECT_EQ(arms[0], "Arm a");
    EXPECT_EQ(arms[25], "Arm z");
    EXPECT_EQ(arms[26], "Blade Left") << "'B' sorts after every 'A'";
}

TEST_F(BuildScreenTest, TheEquipListIsBuiltWhenItOpensAndStopsAtEmpty) {
    makeSide(0, 1);
    press(SDLK_SPACE, 2);
    ASSERT_EQ(build.view, BuildScreen::SELECTION_LIST);
    EXPECT_EQ(namesOf(build.candidates), (std::vector<std::string>{"Visor", "Dome A", "Dome B"}));
    press(SDLK_DOWN, 9);
    EXPECT_EQ(build.cursor[2], 3) << "the [EMPTY] row";
    press(SDLK_UP, 9);
    EXPECT_EQ(build.cursor[2], 0);
    press(SDLK_DOWN);
    press(SDLK_ESCAPE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(data.sides[0].squad[0]->getComponent(HEAD), nullptr);
    press(SDLK_DOWN, 5);
    press(SDLK_SPACE);
    EXPECT_EQ(build.cursor[2], 0) << "the list opens on its first row";
    EXPECT_EQ(namesOf(build.candidates), std::vector<std::string>{"Core"});
}

TEST_F(BuildScreenTest, ASlotTypeWithoutPartsHasOnlyTheEmptyRow) {
    makeSide(0, 1);
    data.components.erase("Hull");
    press(SDLK_SPACE);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_TRUE(build.candidates.empty());
    press(SDLK_DOWN);
    EXPECT_EQ(build.cursor[2], 0);
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(build.cursor[1], TORSO) << "back on the slot just changed";
}

class WeightLimitTest : public BuildScreenTest {
protected:
    void SetUp() override {
        BuildScreenTest::SetUp();
        addPart("Light Legs", LEGS, 1500, 10);
        addPart("Mid Legs", LEGS, 2000, 20);
        addPart("Exact Legs", LEGS, 2500, 25);
        addPart("Heavy Legs", LEGS, 2600, 26);
        makeSide(0, 2);
        // Rows: Light 1500, Mid 2000, Exact 2500, Heavy 2600, Strider 3000, [EMPTY].
        build.squadWeight = 49000;  // 50000 allowed
    }
    // Opens the legs list of robot 0 from the robot list and presses Space on `row`.
    void equipLegs(int row) {
        build.view = BuildScreen::ROBOT_VIEW;
        build.cursor[1] = LEGS;
        press(SDLK_SPACE);
        press(SDLK_DOWN, row);
        press(SDLK_SPACE);
    }
    Robot& robot() { return *data.sides[0].squad[0]; }
};

TEST_F(WeightLimitTest, AnEmptySlotRefusesAPartOverTheLimit) {
    equipLegs(1);
    EXPECT_EQ(build.view, BuildScreen::SELECTION_LIST) << "refused: the list stays open";
    EXPECT_EQ(robot().getComponent(LEGS), nullptr);
    EXPECT_EQ(build.squadWeight, 49000);
    press(SDLK_UP);  // 1500 would make 50500: refused as well
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::SELECTION_LIST);
    press(SDLK_DOWN, 9);
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(robot().getComponent(LEGS), nullptr);
    EXPECT_EQ(build.squadWeight, 49000);
}

TEST_F(WeightLimitTest, ReplacingAPartCountsOnlyTheDifference) {
    build.squadWeight = 47500;
    equipLegs(0);  // 1500 in: 49000
    ASSERT_EQ(build.squadWeight, 49000);
    equipLegs(3);  // 49000 - 1500 + 2600 = 50100: refused
    EXPECT_EQ(build.view, BuildScreen::SELECTION_LIST);
    EXPECT_EQ(robot().getComponent(LEGS)->getName(), "Light Legs");
    EXPECT_EQ(build.squadWeight, 49000);
    press(SDLK_UP, 2);  // 49000 - 1500 + 2000 = 49500: allowed
    press(SDLK_SPACE);
    EXPECT_EQ(robot().getComponent(LEGS)->getName(), "Mid Legs");
    EXPECT_EQ(build.squadWeight, 49500);
    equipLegs(2);  // 49500 - 2000 + 2500 = 50000: exactly the limit is allowed
    EXPECT_EQ(robot().getComponent(LEGS)->getName(), "Exact Legs");
    EXPECT_EQ(build.squadWeight, 50000);
    equipLegs(2);  // the same part again: a fresh copy, the same weight
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(build.squadWeight, 50000);
}

TEST_F(WeightLimitTest, EmptyRowRemovesThePartOrJustReturns) {
    build.squadWeight = 47500;
    equipLegs(0);
    equipLegs(5);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(robot().getComponent(LEGS), nullptr);
    EXPECT_EQ(build.squadWeight, 47500);
    equipLegs(5);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW) << "an empty slot emptied still returns";
    EXPECT_EQ(build.squadWeight, 47500);
}

TEST_F(BuildScreenTest, EquippingSetsHealthEnergyAndMoveToTheNewMaxima) {
    makeSide(0, 1);
    Robot& robot = *data.sides[0].squad[0];
    completeByKeys(0, 0);
    EXPECT_EQ(robot.getHp(), 40 + 500 + 100 + 100 + 300);
    EXPECT_EQ(robot.getEp(), 5000);
    EXPECT_EQ(robot.movePoints, 4);
    robot.hp = 1;
    robot.ep = 2;
    robot.movePoints = 0;
    press(SDLK_SPACE);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 2);
    press(SDLK_SPACE);  // Dome B instead of Visor
    EXPECT_EQ(robot.getHp(), 80 + 500 + 100 + 100 + 300);
    EXPECT_EQ(robot.getEp(), 5000);
    EXPECT_EQ(robot.movePoints, 4);
    press(SDLK_DOWN, 4);  // the legs: [EMPTY]
    press(SDLK_SPACE);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(robot.getHp(), 80 + 500 + 100 + 100);
    EXPECT_EQ(robot.movePoints, 0);
    press(SDLK_DOWN);  // the reactor: [EMPTY]
    press(SDLK_SPACE);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(robot.getEp(), 0);
}

TEST_F(BuildScreenTest, TakingAnotherRobotsPilotLeavesItWithout) {
    makeSide(0, 3);
    completeByKeys(0, 3);
    Robot& first = *data.sides[0].squad[0];
    Robot& second = *data.sides[0].squad[1];
    ASSERT_TRUE(first.isComplete());
    completeByKeys(1, 3);
    EXPECT_EQ(second.getPilot(), data.sides[0].pilots[3]);
    EXPECT_EQ(first.getPilot(), nullptr);
    EXPECT_FALSE(first.isComplete());
    EXPECT_TRUE(second.isComplete());

    // Another pilot for the second robot: its former one is free again, not given back.
    EXPECT_EQ(build.cursor[0], 1);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 6);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 20);
    EXPECT_EQ(build.cursor[2], 9) << "the last of ten pilots";
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
    EXPECT_EQ(second.getPilot(), data.sides[0].pilots[9]);
    EXPECT_EQ(first.getPilot(), nullptr);
    EXPECT_EQ(data.sides[0].pilots[3]->getReflexes(), 3) << "skills never change here";
}

TEST_F(BuildScreenTest, ThePilotListIsBoundedByThePilotsThereAre) {
    makeSide(0, 1);
    data.sides[0].pilots.resize(3);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 6);
    press(SDLK_SPACE);
    press(SDLK_DOWN, 9);
    EXPECT_EQ(build.cursor[2], 2);
    data.sides[0].pilots.clear();
    press(SDLK_SPACE);
    EXPECT_EQ(build.view, BuildScreen::SELECTION_LIST) << "no pilot to give";
    EXPECT_EQ(data.sides[0].squad[0]->getPilot(), nullptr);
    press(SDLK_ESCAPE);
    EXPECT_EQ(build.view, BuildScreen::ROBOT_VIEW);
}

}  // namespace
