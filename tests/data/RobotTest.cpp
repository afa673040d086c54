// Pilots and robots: setter refusals, values derived from the parts, cooldowns, and component
// copies that share attacks and models but count their own cooldown.

#include <gtest/gtest.h>

#include "data/Attack.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "gfx/Model.h"

namespace {

Component part(ComponentType type, int hp, int ep, int ap, int weight, int move) {
    Component c;
    c.type = type;
    c.name = componentTypeName(type);
    c.hp = hp;
    c.ep = ep;
    c.ap = ap;
    c.weight = weight;
    c.move = move;
    return c;
}

TEST(PilotTest, SkillSettersRefuseValuesOutsideZeroToTen) {
    Pilot pilot;
    EXPECT_EQ(pilot.getSide(), -1);
    EXPECT_TRUE(pilot.setDefense(10));
    EXPECT_FALSE(pilot.setDefense(11));
    EXPECT_EQ(pilot.getDefense(), 10);
    EXPECT_TRUE(pilot.setDefense(0));
    EXPECT_FALSE(pilot.setDefense(-1));
    EXPECT_EQ(pilot.getDefense(), 0);

    EXPECT_FALSE(pilot.setReflexes(11));
    EXPECT_FALSE(pilot.setMeleeAttack(-1));
    EXPECT_TRUE(pilot.setRangedAttack(7));
    EXPECT_EQ(pilot.getReflexes(), 0);
    EXPECT_EQ(pilot.getMeleeAttack(), 0);
    EXPECT_EQ(pilot.getRangedAttack(), 7);

    EXPECT_FALSE(pilot.setSide(-1));
    EXPECT_TRUE(pilot.setSide(1));
    EXPECT_EQ(pilot.getSide(), 1);
}

TEST(RobotTest, SettersRefuseBadSidesSlotsAndAbsentValues) {
    Robot robot;
    EXPECT_EQ(robot.getName(), "<EMPTY>");
    EXPECT_FALSE(robot.setSide(2));
    EXPECT_FALSE(robot.setSide(-1));
    EXPECT_EQ(robot.getSide(), 0);
    EXPECT_TRUE(robot.setSide(1));
    EXPECT_EQ(robot.getSide(), 1);

    EXPECT_FALSE(robot.setPilot(nullptr));
    Pilot pilot;
    EXPECT_TRUE(robot.setPilot(&pilot));
    EXPECT_EQ(robot.getPilot(), &pilot);

    Component head = part(HEAD, 1, 0, 0, 0, 0);
    EXPECT_FALSE(robot.setComponent(-1, &head));
    EXPECT_FALSE(robot.setComponent(6, &head));
    EXPECT_FALSE(robot.setComponent(0, nullptr));
    EXPECT_EQ(robot.getComponent(0), nullptr);
    EXPECT_EQ(robot.getComponent(6), nullptr);
    EXPECT_EQ(robot.getComponent(-1), nullptr);
    EXPECT_TRUE(robot.setComponent(0, &head));
    ASSERT_NE(robot.getComponent(0), nullptr);
    EXPECT_NE(robot.getComponent(0), &head);  // the robot keeps its own copy
}

TEST(RobotTest, DerivedValuesCountOnlyTheReactorsEnergyAndTheLegsMove) {
    Robot robot;
    Component arm = part(LEFTARM, 200, 3000, 20, 2000, 5);
    robot.setComponent(LEFTARM, &arm);
    EXPECT_EQ(robot.getMaxEp(), 0);  // no reactor, whatever the arm carries
    EXPECT_EQ(robot.getMove(), 0);   // no legs

    Component legs = part(LEGS, 300, 50, 30, 3000, 3);
    Component reactor = part(REACTOR, 50, 4000, 5, 1500, 9);
    robot.setComponent(LEGS, &legs);
    robot.setComponent(REACTOR, &reactor);
    EXPECT_EQ(robot.getMove(), 3);
    EXPECT_EQ(robot.getMaxEp(), 4000);
    EXPECT_EQ(robot.getMaxHp(), 550);
    EXPECT_EQ(robot.getAp(), 55);
    EXPECT_EQ(robot.getWeight(), 6500);

    robot.components[LEGS] = nullptr;  // the build screen empties a slot directly
    EXPECT_EQ(robot.getMove(), 0);
    EXPECT_EQ(robot.getWeight(), 3500);
}

TEST(RobotTest, CompleteNeedsAllSixPartsAndAPilot) {
    Robot robot;
    Pilot pilot;
    Component any = part(HEAD, 1, 1, 1, 1, 1);
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
        EXPECT_FALSE(robot.isComplete());
        robot.setComponent(slot, &any);
    }
    EXPECT_FALSE(robot.isComplete());
    robot.setPilot(&pilot);
    EXPECT_TRUE(robot.isComplete());
    robot.components[TORSO] = nullptr;
    EXPECT_FALSE(robot.isComplete());
}

TEST(RobotTest, CoolDownRunsCountersDownToZero) {
    Robot robot;
    Component any;
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) robot.setComponent(slot, &any);
    const int before[] = {30, 0, 120, 50, -20, 51};
    const int after[] = {0, 0, 70, 0, -20, 1};  // only counters above 0 run down
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) robot.getComponent(slot)->cooldownLeft = before[slot];
    robot.coolDown(50);
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot)
        EXPECT_EQ(robot.getComponent(slot)->getCooldownLeft(), after[slot]) << "slot " << slot;

    Robot partial;  // a robot still being built has empty slots
    partial.setComponent(HEAD, &any);
    partial.getComponent(HEAD)->cooldownLeft = 10;
    partial.coolDown(4);
    EXPECT_EQ(partial.getComponent(HEAD)->cooldownLeft, 6);
}

TEST(RobotTest, CopiesShareAttacksAndModelsButCoolDownAlone) {
    Attack laser;
    laser.name = "Laser";
    Component catalogueArm = part(RIGHTARM, 200, 0, 20, 2000, 0);
    catalogueArm.attacks = {&laser, nullptr};
    Model model("");  // an empty file name loads nothing and prints nothing
    catalogueArm.models = {&model};

    Robot first;
    Robot second;
    first.setComponent(RIGHTARM, &catalogueArm);
    second.setComponent(RIGHTARM, &catalogueArm);
    Component* a = first.getComponent(RIGHTARM);
    Component* b = second.getComponent(RIGHTARM);
    EXPECT_EQ(a->getAttacks(), catalogueArm.getAttacks());
    EXPECT_EQ(a->getAttacks()[0], &laser);
    EXPECT_EQ(a->models.at(0), &model);
    EXPECT_EQ(b->models.at(0), &model);

    a->cooldownLeft = 500;
    first.coolDown(100);
    EXPECT_EQ(a->cooldownLeft, 400);
    EXPECT_EQ(b->cooldownLeft, 0);
    EXPECT_EQ(catalogueArm.cooldownLeft, 0);
}

TEST(RobotTest, AttackingComponentsInSlotOrderSkippingPartsWithoutAttacks) {
    Attack punch;
    Robot robot;
    Component plain;
    Component armed;
    armed.attacks = {&punch};
    Component broken;  // names only attacks that do not exist
    broken.attacks = {nullptr};
    robot.setComponent(HEAD, &armed);
    robot.setComponent(TORSO, &plain);
    robot.setComponent(LEFTARM, &broken);
    robot.setComponent(RIGHTARM, &armed);
    robot.setComponent(LEGS, &armed);
    robot.setComponent(REACTOR, &plain);
    auto attacking = robot.attackingComponents();
    ASSERT_EQ(attacking.size(), 3u);
    EXPECT_EQ(attacking[0], robot.getComponent(HEAD));
    EXPECT_EQ(attacking[1], robot.getComponent(RIGHTARM));
    EXPECT_EQ(attacking[2], robot.getComponent(LEGS));
}

}  // namespace
