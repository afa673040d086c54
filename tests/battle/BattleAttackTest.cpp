// Attacks by key presses: range turned with the facing, choosing a component and an attack,
// aiming, paying, the hit and damage rolls of an area in roster order, markers, self-hits, and the
// end of a match in the middle of an area. The shared rules themselves (pattern table, chance,
// damage, one hit attempt) are tested in tests/data/BattleRulesTest.cpp.

#include "BattleFixture.h"

#include <climits>
#include <cstdlib>

#include "data/Attack.h"
#include "data/RandomFraction.h"

namespace {

// Component lines of the default robot: 0 the Jab Arm (left), 1 the Beam Arm (right).
constexpr int JAB_ARM = 0;
constexpr int BEAM_ARM = 1;

class BattleAttackTest : public BattleFixture {
protected:
    Robot* shooter = nullptr;
    Robot* enemy = nullptr;

    void SetUp() override {
        BattleFixture::SetUp();
        shooter = addRobot(0, "Shooter");
        enemy = addRobot(1, "Enemy");
    }

    const Attack& attack(const std::string& name) { return data.attacks.at(name); }
};

TEST_F(BattleAttackTest, RangeIsTurnedWithTheFacingAndCountedFromTheAttacker) {
    put(shooter, 4, 4, FACING_EAST);
    const Attack& beam = attack("Beam");  // range (0, 1), (0, 2)
    EXPECT_TRUE(isInRange(beam, shooter->facing, 4, 4, 5, 4));
    EXPECT_TRUE(isInRange(beam, shooter->facing, 4, 4, 6, 4));
    EXPECT_FALSE(isInRange(beam, shooter->facing, 4, 4, 4, 5));
    EXPECT_FALSE(isInRange(beam, shooter->facing, 4, 4, 4, 4));
    shooter->facing = FACING_SOUTH;
    EXPECT_TRUE(isInRange(beam, shooter->facing, 4, 4, 4, 5));
    EXPECT_TRUE(isInRange(beam, shooter->facing, 4, 4, 4, 6));
    const Attack& hook = attack("Hook");  // range (1, 1)
    EXPECT_TRUE(isInRange(hook, shooter->facing, 4, 4, 3, 5));
    shooter->facing = FACING_NORTH;
    EXPECT_TRUE(isInRange(hook, shooter->facing, 4, 4, 5, 3));
    shooter->facing = FACING_WEST;
    EXPECT_TRUE(isInRange(hook, shooter->facing, 4, 4, 3, 3));
    EXPECT_TRUE(isInRange(attack("Overload"), shooter->facing, 4, 4, 4, 4));
}

TEST_F(BattleAttackTest, AttackNeedsAttackingComponentsAndSkipsUnresolvedAttacks) {
    Robot* bare = addRobot(0, "Bare", {}, "Ghost Arm", "Bare Right", "Big Reactor");
    put(bare, 2, 2);
    put(shooter, 4, 2);
    put(enemy, 2, 3);
    // 200,000 energy, but nothing to attack with: no attacking component, nothing to choose.
    openMenuOf(0);
    int cost = 0;
    EXPECT_FALSE(cheapestAttackCost(*bare, cost));
    choose(ActionAttack);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(bare->ep, 200000);
    // The jab arm lists only its jab: its unknown second attack is no line of the list.
    openMenuOf(1);
    choose(ActionAttack);
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, AttackChoice);
    press(SDLK_DOWN, 3);
    EXPECT_EQ(screen.cursor[AttackChoice], 0);
    EXPECT_EQ(screen.chosenAttack(), &attack("Jab"));
    EXPECT_EQ(usableAttacks(*shooter->components[LEFTARM]).size(), 1u);
}

TEST_F(BattleAttackTest, ComponentAndAttackNeedTheEnergyAndTheComponentReady) {
    put(shooter, 2, 2);
    put(enemy, 2, 4);
    openMenuOf(0);
    shooter->components[LEFTARM]->cooldownLeft = 1;
    choose(ActionAttack);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, AttackComponent);  // the jab arm is cooling down
    press(SDLK_DOWN, 5);
    EXPECT_EQ(screen.cursor[AttackComponent], BEAM_ARM);
    shooter->ep = 699;
    press(SDLK_SPACE);
    ASSERT_EQ(screen.state, AttackChoice);  // the hook (200) is affordable
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, AttackChoice);  // the beam (700) is not
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, TargetSelect);
    EXPECT_EQ(screen.chosenAttack(), &attack("Hook"));
    // Escape walks back, each step to its list's first line.
    press(SDLK_RIGHT);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.state, AttackChoice);
    EXPECT_EQ(screen.cursor[TargetSelect], 2);
    EXPECT_EQ(screen.cursor2[TargetSelect], 2);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.cursor[AttackChoice], 0);
    EXPECT_EQ(screen.state, AttackComponent);
    press(SDLK_ESCAPE);
    EXPECT_EQ(screen.cursor[AttackComponent], 0);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(shooter->ep, 699);
    // A ready component whose every attack is too dear cannot be chosen.
    shooter->components[LEFTARM]->cooldownLeft = 0;
    shooter->ep = 250;  // the jab (300) is too dear, the hook (200) is not
    choose(ActionAttack);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, AttackComponent);
}

TEST_F(BattleAttackTest, OutOfRangeOrAnEmptyAreaPaysNothingAndStays) {
    put(shooter, 2, 2);
    put(enemy, 2, 4);
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 5);  // three ahead: out of range
    screen.hitMarkers.push_back(HitMarker{1, 1, 7});
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, TargetSelect);
    EXPECT_TRUE(screen.hitMarkers.empty());
    aimAt(2, 3);  // in range, nobody there
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, TargetSelect);
    EXPECT_EQ(shooter->ep, 5000);
    EXPECT_EQ(shooter->components[RIGHTARM]->cooldownLeft, 0);
    // A wreck in the area is nobody either.
    enemy->y = 3;
    enemy->hp = 0;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, TargetSelect);
    EXPECT_EQ(shooter->ep, 5000);
}

TEST_F(BattleAttackTest, AMissIsPaidForCoolsDownAndShowsAMissMarker) {
    Robot* dud = addRobot(0, "Dud", {}, "Jab Arm", "Dud Arm");
    put(dud, 2, 2);
    put(enemy, 2, 3);
    dud->components[LEFTARM]->cooldownLeft = 150;
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 3);
    dud->hp = 1;  // the last point of health still fires
    const int enemyHp = enemy->hp;
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(dud->ep, 4900);
    EXPECT_EQ(dud->components[RIGHTARM]->cooldownLeft, 500);  // set after the cool-down by 100
    EXPECT_EQ(dud->components[LEFTARM]->cooldownLeft, 50);
    ASSERT_EQ(screen.hitMarkers.size(), 1u);
    EXPECT_EQ(screen.hitMarkers[0].x, 2);
    EXPECT_EQ(screen.hitMarkers[0].y, 3);
    EXPECT_EQ(screen.hitMarkers[0].value, 0);
    EXPECT_EQ(enemy->hp, enemyHp);
    EXPECT_FALSE(screen.markerTimer.stopped);
    EXPECT_EQ(screen.cursor[AttackComponent], 0);
    EXPECT_EQ(screen.cursor[AttackChoice], 0);
    // The component now cools down: it may not fire again this turn without a delay.
    choose(ActionAttack);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, AttackComponent);
    press(SDLK_ESCAPE);
    choose(ActionDelay);
    press(SDLK_RIGHT, 10);
    press(SDLK_SPACE);
    EXPECT_EQ(dud->components[RIGHTARM]->cooldownLeft, 0);
    choose(ActionAttack);
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, AttackChoice);
}

// Every robot in the area, in roster order, gets its hit draw and, on a hit, its damage draw.
// Ranged Attack 3 against Defense 0, 5 and 9 gives hit chances of 1.15, 0.9 and 0.7, and every
// hit of 50 against an armour of 200 does the least damage, 99. The seed is one whose draws tell
// the right order and skills from wrong ones: the enemy's hit draw (the third) lies between 0.7
// and 0.9 and its damage draw (the fourth) above 0.9, so that drawing damage first misses; Left's
// hit draw (the fifth) lies between 0.7 and 0.8, a miss against Defense 9 that the sweeper's
// Melee Attack of 5 (a chance of 0.8) would turn into a hit.
TEST_F(BattleAttackTest, AnAreaRollsEveryRobotInRosterOrderWithASeededGenerator) {
    Robot* sweeper = addRobot(0, "Sweeper", {5, 5, 3, 5}, "Jab Arm", "Sweep Arm");
    Robot* left = addRobot(1, "Left", {5, 5, 5, 9});
    Robot* right = addRobot(0, "Right", {5, 5, 5, 0});
    put(sweeper, 4, 1);  // facing south: Sweep aims two ahead, at (4, 3)
    put(right, 3, 3);
    put(enemy, 4, 3);
    put(left, 5, 3);
    unsigned seed = 1;
    double draws[6] = {};
    for (; seed < 100000; ++seed) {
        srand(seed);
        for (double& draw : draws) draw = randomFraction();
        if (draws[2] >= 0.7 && draws[2] < 0.9 && draws[3] >= 0.9 && draws[4] >= 0.7 && draws[4] < 0.8) break;
    }
    ASSERT_LT(seed, 100000u);
    const Robot* inOrder[] = {right, enemy, left};
    const int expectedHp[] = {right->hp - 99, enemy->hp - 99, left->hp};
    const int expectedMarks[] = {99, 99, 0};
    srand(seed);
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 4, 3);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(sweeper->ep, 4500);
    ASSERT_EQ(screen.hitMarkers.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(inOrder[i]->hp, expectedHp[i]) << i;
        EXPECT_EQ(screen.hitMarkers[i].value, expectedMarks[i]) << i;
        EXPECT_EQ(screen.hitMarkers[i].x, inOrder[i]->x) << i;
    }
    // Five draws in all: the miss took one.
    EXPECT_EQ(randomFraction(), draws[5]);
}

TEST_F(BattleAttackTest, ATileStruckTwiceRollsTwice) {
    Robot* tapper = addRobot(0, "Tapper", {}, "Jab Arm", "Sweep Arm");
    put(tapper, 2, 2);
    put(enemy, 2, 3);
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 1, 2, 3);
    const int before = enemy->hp;
    press(SDLK_SPACE);
    ASSERT_EQ(screen.hitMarkers.size(), 2u);
    EXPECT_EQ(screen.hitMarkers[0].value, 99);  // 50 damage, at least 99
    EXPECT_EQ(screen.hitMarkers[1].value, 99);
    EXPECT_EQ(enemy->hp, before - 198);
    EXPECT_EQ(tapper->ep, 4900);  // paid once
}

TEST_F(BattleAttackTest, ARobotMayWreckItselfAndKeepsItsTurnWhileTheMatchGoesOn) {
    Robot* bomber = addRobot(0, "Bomber", {}, "Jab Arm", "Bomb Arm");
    Robot* friendly = addRobot(0, "Friend");
    put(bomber, 2, 2);
    put(friendly, 0, 0);
    put(enemy, 7, 5);
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(bomber->hp, 0);
    EXPECT_EQ(bomber->modelState, Robot::DESTROYED);
    EXPECT_EQ(data.turnIndex, 0);
    // Its wreck stays, blocks its tile and is never struck again.
    EXPECT_FALSE(isFreeTile(data, 2, 2));
    choose(ActionEndTurn);
    EXPECT_EQ(data.turnIndex, 1);
    EXPECT_EQ(screen.state, RobotSelect);
}

TEST_F(BattleAttackTest, DestroyingTheLastEnemyIsVictory) {
    Robot* nuker = addRobot(0, "Nuker", {}, "Jab Arm", "Nuke Arm", "Big Reactor");
    put(nuker, 2, 2);
    put(enemy, 2, 3);
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 3);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side0Won);
    EXPECT_EQ(enemy->hp, 0);
    EXPECT_EQ(enemy->modelState, Robot::DESTROYED);
    EXPECT_EQ(nuker->ep, 50000);
    EXPECT_FALSE(screen.markerTimer.stopped);
    press(SDLK_SPACE);
    EXPECT_TRUE(data.reloadRequested);
}

TEST_F(BattleAttackTest, TheFirstSideWipedOutInRosterOrderLosesAndTheRestIsSpared) {
    Robot* bomber = addRobot(0, "Bomber", {}, "Jab Arm", "Bomb Arm");
    put(bomber, 2, 2);
    put(enemy, 2, 3);
    const int enemyHp = enemy->hp;
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side1Won);
    EXPECT_EQ(bomber->hp, 0);
    EXPECT_EQ(enemy->hp, enemyHp);
    EXPECT_EQ(screen.hitMarkers.size(), 1u);
    EXPECT_FALSE(screen.markerTimer.stopped);
}

TEST_F(BattleAttackTest, TheEnemyFirstInTheRosterLosesWhenBothLastRobotsAreStruck) {
    Robot* bomber = addRobot(0, "Bomber", {}, "Jab Arm", "Bomb Arm");
    put(enemy, 2, 3);
    put(bomber, 2, 2);
    openMenuOf(1);
    prepareAttack(BEAM_ARM, 0, 2, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, MatchEnd);
    EXPECT_EQ(screen.cursor[MatchEnd], Side0Won);
    EXPECT_EQ(enemy->hp, 0);
    EXPECT_GT(bomber->hp, 0);
}

TEST_F(BattleAttackTest, NumbersFromABrokenDatabaseStayWithinRange) {
    Robot* nuker = addRobot(0, "Nuker", {}, "Jab Arm", "Nuke Arm", "Big Reactor");
    put(nuker, 2, 2);
    put(enemy, 2, 3);
    nuker->ep = INT_MAX - 10;
    nuker->components[LEFTARM]->cooldownLeft = 5;
    enemy->hp = INT_MAX;
    data.attacks.at("Nuke").energy = INT_MIN;  // the robot's parts share the catalogue's attacks
    openMenuOf(0);
    prepareAttack(BEAM_ARM, 0, 2, 3);
    press(SDLK_SPACE);
    EXPECT_EQ(screen.state, ActionMenu);
    EXPECT_EQ(nuker->ep, INT_MAX);
    EXPECT_EQ(nuker->components[LEFTARM]->cooldownLeft, INT_MAX);
    EXPECT_GT(enemy->hp, 0);
    // A robot's totals of such numbers are held at the limits too: see DatabaseExtremesTest.cpp.
}

}  // namespace
