// The database's extreme values in the battle's arithmetic: attack patterns turned with the
// attacker's facing, cooldowns run down by spent energy and a robot's totals. The worked cases of
// turning are in BattleRulesTest.cpp.

#include <gtest/gtest.h>

#include <climits>

#include "data/BattleRules.h"
#include "data/Robot.h"

namespace {

using Offset = std::pair<int, int>;

TEST(PatternTurningTest, TheLowestDatabaseIntegerTurnsWithoutOverflow) {
    EXPECT_EQ(turnPatternEntry(FACING_SOUTH, INT_MIN, 0), Offset(INT_MAX, 0));
    EXPECT_EQ(turnPatternEntry(FACING_WEST, 0, INT_MIN), Offset(INT_MAX, 0));
    EXPECT_EQ(turnPatternOffset(FACING_SOUTH, INT_MIN, INT_MIN),
              (std::pair<long long, long long>(-static_cast<long long>(INT_MIN), INT_MIN)));
}

TEST(PatternTurningTest, ANegativeEnergyRaisesCooldownsOnlyUpToTheirLimit) {
    Robot robot;
    Component part;
    robot.setComponent(HEAD, &part);
    robot.setComponent(TORSO, &part);
    robot.getComponent(HEAD)->cooldownLeft = INT_MAX - 5;
    robot.coolDown(INT_MIN);
    EXPECT_EQ(robot.getComponent(HEAD)->cooldownLeft, INT_MAX);
    EXPECT_EQ(robot.getComponent(TORSO)->cooldownLeft, 0);  // ready parts stay ready
}

TEST(RobotTotalsTest, SixPartsAtTheIntLimitsHoldTheirTotalsAtTheLimits) {
    Robot robot;
    Component part;
    part.hp = INT_MAX;
    part.ap = INT_MIN;
    part.weight = INT_MAX - 1;
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) robot.setComponent(slot, &part);
    EXPECT_EQ(robot.getMaxHp(), INT_MAX);
    EXPECT_EQ(robot.getAp(), INT_MIN);
    EXPECT_EQ(robot.getWeight(), INT_MAX);
    // Partial sums beyond the limits, a total within them.
    robot.components[HEAD] = nullptr;
    robot.getComponent(RIGHTARM)->hp = -INT_MAX;
    robot.getComponent(LEGS)->hp = -INT_MAX;
    robot.getComponent(REACTOR)->hp = 7;
    EXPECT_EQ(robot.getMaxHp(), 7);
}

TEST(RobotTotalsTest, TwoPartsAtALimitAmongOrdinaryOnesHoldTheTotalAtThatLimit) {
    Robot robot;
    Component part;
    part.hp = 100;
    part.ap = 20;
    part.weight = 1000;
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) robot.setComponent(slot, &part);
    robot.getComponent(HEAD)->hp = INT_MAX;
    robot.getComponent(TORSO)->hp = INT_MAX;
    EXPECT_EQ(robot.getMaxHp(), INT_MAX);
    robot.getComponent(HEAD)->weight = INT_MIN;
    robot.getComponent(TORSO)->weight = INT_MIN;
    EXPECT_EQ(robot.getWeight(), INT_MIN);
    robot.getComponent(HEAD)->ap = INT_MAX;
    robot.getComponent(TORSO)->ap = INT_MAX;
    EXPECT_EQ(robot.getAp(), INT_MAX);
}

}  // namespace
