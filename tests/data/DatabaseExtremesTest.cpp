// Attack patterns turned with the attacker's facing, cooldowns run down by spent energy and a
// robot's totals, with the database's extreme values among them.

#include <gtest/gtest.h>

#include <climits>

#include "data/BattleRules.h"
#include "data/Robot.h"

namespace {

using Offset = std::pair<int, int>;

TEST(PatternTurningTest, EntriesTurnWithTheFacing) {
    // From (4, 4): (0, 1) and (0, 2) reach (5, 4) and (6, 4) facing east, (4, 5) and (4, 6) south.
    EXPECT_EQ(turnPatternEntry(FACING_EAST, 0, 1), Offset(1, 0));
    EXPECT_EQ(turnPatternEntry(FACING_EAST, 0, 2), Offset(2, 0));
    EXPECT_EQ(turnPatternEntry(FACING_SOUTH, 0, 2), Offset(0, 2));
    // (1, 1) reaches (3, 5) facing south and (5, 3) facing north.
    EXPECT_EQ(turnPatternEntry(FACING_SOUTH, 1, 1), Offset(-1, 1));
    EXPECT_EQ(turnPatternEntry(FACING_NORTH, 1, 1), Offset(1, -1));
    EXPECT_EQ(turnPatternEntry(FACING_WEST, 1, 2), Offset(-2, -1));
}

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
    EXPECT_EQ(robot.getComponent(TORSO)->cooldownLeft, 0);   // ready parts stay ready
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

}  // namespace
