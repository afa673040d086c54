// The rules shared by human and computer robots: pattern turning for every facing, the hit
// chance and damage formulas with their worked numbers, one rolled hit attempt with its draws in
// order, the turn refill, elimination and the cyclic move order.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/Pilot.h"
#include "data/RandomFraction.h"
#include "data/Robot.h"

namespace {

using Cell = std::pair<int, int>;

Cell landing(int facing, int fromX, int fromY, int px, int py) {
    const Cell offset = turnPatternEntry(facing, px, py);
    return {fromX + offset.first, fromY + offset.second};
}

Component part(ComponentType type, int hp, int ep, int ap, int move) {
    Component c;
    c.type = type;
    c.hp = hp;
    c.ep = ep;
    c.ap = ap;
    c.move = move;
    return c;
}

// A robot whose armour is `armor`, with every slot filled and the pilot given.
void equip(Robot& robot, Pilot& pilot, int armor) {
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
        const ComponentType type = static_cast<ComponentType>(slot);
        Component c =
            part(type, 100, type == REACTOR ? 2000 : 0, slot == 0 ? armor : 0, type == LEGS ? 4 : 0);
        robot.setComponent(slot, &c);
    }
    robot.setPilot(&pilot);
    robot.hp = robot.getMaxHp();
}

// A seed and the first two draws it gives.
struct Draws {
    unsigned seed = 0;
    double first = 0;
    double second = 0;
};

// The first seed whose first two draws pass `wanted`, so that a test knows which way a roll goes
// instead of checking whichever way it happened to go.
template <class Wanted>
Draws seedWhoseDraws(Wanted wanted) {
    Draws draws;
    for (draws.seed = 1; draws.seed < 100000; ++draws.seed) {
        srand(draws.seed);
        draws.first = randomFraction();
        draws.second = randomFraction();
        if (wanted(draws.first, draws.second)) return draws;
    }
    ADD_FAILURE() << "no seed gives the draws wanted";
    return draws;
}

Pilot pilotWith(int melee, int ranged, int defense) {
    Pilot pilot;
    pilot.setMeleeAttack(melee);
    pilot.setRangedAttack(ranged);
    pilot.setDefense(defense);
    return pilot;
}

}  // namespace

TEST(PatternTurning, EveryFacingFollowsTheTable) {
    // (px, py) = (1, 2): two ahead, one to the right-hand side.
    EXPECT_EQ(turnPatternEntry(FACING_SOUTH, 1, 2), Cell(-1, 2));
    EXPECT_EQ(turnPatternEntry(FACING_EAST, 1, 2), Cell(2, 1));
    EXPECT_EQ(turnPatternEntry(FACING_NORTH, 1, 2), Cell(1, -2));
    EXPECT_EQ(turnPatternEntry(FACING_WEST, 1, 2), Cell(-2, -1));
    EXPECT_EQ(turnPatternEntry(5, 1, 2), turnPatternEntry(FACING_EAST, 1, 2));
    EXPECT_EQ(turnPatternEntry(-1, 1, 2), turnPatternEntry(FACING_WEST, 1, 2));
}

TEST(PatternTurning, WorkedRangeAndAreaCases) {
    // Facing east at (4, 4), range (0, 1) and (0, 2) reach (5, 4) and (6, 4); facing south
    // (4, 5) and (4, 6).
    EXPECT_EQ(landing(FACING_EAST, 4, 4, 0, 1), Cell(5, 4));
    EXPECT_EQ(landing(FACING_EAST, 4, 4, 0, 2), Cell(6, 4));
    EXPECT_EQ(landing(FACING_SOUTH, 4, 4, 0, 1), Cell(4, 5));
    EXPECT_EQ(landing(FACING_SOUTH, 4, 4, 0, 2), Cell(4, 6));
    // (1, 1) facing south reaches (3, 5) from (4, 4); facing north (5, 3).
    EXPECT_EQ(landing(FACING_SOUTH, 4, 4, 1, 1), Cell(3, 5));
    EXPECT_EQ(landing(FACING_NORTH, 4, 4, 1, 1), Cell(5, 3));
    // Area (0, 0), (1, 0), (-1, 0) fired south at (4, 6) covers (4, 6), (3, 6), (5, 6).
    EXPECT_EQ(landing(FACING_SOUTH, 4, 6, 0, 0), Cell(4, 6));
    EXPECT_EQ(landing(FACING_SOUTH, 4, 6, 1, 0), Cell(3, 6));
    EXPECT_EQ(landing(FACING_SOUTH, 4, 6, -1, 0), Cell(5, 6));
}

TEST(PatternTurning, OneStepPerFacing) {
    EXPECT_EQ(facingStep(FACING_SOUTH), Cell(0, 1));
    EXPECT_EQ(facingStep(FACING_EAST), Cell(1, 0));
    EXPECT_EQ(facingStep(FACING_NORTH), Cell(0, -1));
    EXPECT_EQ(facingStep(FACING_WEST), Cell(-1, 0));
    EXPECT_EQ(facingStep(4), Cell(0, 0));
}

TEST(HitRolls, ChanceAndDamageWorkedExamples) {
    EXPECT_DOUBLE_EQ(hitChance(0.0, 0.0, 80), 0.8);
    EXPECT_DOUBLE_EQ(hitChance(0.25, -0.25, 80), 1.2);
    // Damage 300, A = 0, v = 0.5, armour 200, D = 0: 315 - 10.
    EXPECT_EQ(hitDamage(0.0, 0.0, 0.5, 300, 200), 305);
    // Damage 50 against armour 200: 52 - 10 = 42, raised to 99; a huge armour gives 99 too.
    EXPECT_EQ(hitDamage(0.0, 0.0, 0.5, 50, 200), 99);
    EXPECT_EQ(hitDamage(0.0, 0.0, 0.5, 50, INT_MAX), 99);
    // Database numbers near the int limits neither overflow nor convert out of range.
    EXPECT_EQ(hitDamage(0.25, -0.25, 1.0, INT_MAX, 0), INT_MAX);
    EXPECT_EQ(hitDamage(0.25, 0.25, 1.0, INT_MIN, 0), 99);
}

TEST(HitRolls, SkillsOfTheRightKindAndNoPilot) {
    Attack melee;
    melee.melee = true;
    Attack ranged;
    Pilot pilot = pilotWith(10, 0, 7);
    Robot robot;
    robot.setPilot(&pilot);
    EXPECT_DOUBLE_EQ(attackModifier(robot, melee), 0.25);
    EXPECT_DOUBLE_EQ(attackModifier(robot, ranged), -0.25);
    EXPECT_DOUBLE_EQ(defenseModifier(robot), 0.1);
    Robot unpiloted;
    EXPECT_DOUBLE_EQ(attackModifier(unpiloted, melee), -0.25);
    EXPECT_DOUBLE_EQ(defenseModifier(unpiloted), -0.25);
}

TEST(HitRolls, AnAttemptDrawsHitThenDamageAndLeavesWrecksAtZero) {
    Pilot attackerPilot = pilotWith(5, 5, 5);
    Pilot targetPilot = pilotWith(5, 5, 5);
    Robot attacker;
    Robot target;
    equip(attacker, attackerPilot, 0);
    equip(target, targetPilot, 200);
    target.x = 3;
    target.y = 7;
    Attack attack;
    attack.accuracy = 80;
    attack.damage = 300;

    // A drawn hit: the first draw (below the chance of 0.8) decides it and the second spreads the
    // damage, 300 x (1 + spread / 10) less 200 / 20, so 290 to 320. The second draw would miss, so
    // drawing in the other order gives no hit at all.
    const Draws hit =
        seedWhoseDraws([](double first, double second) { return first < 0.8 && second >= 0.8; });
    srand(hit.seed);
    const int before = target.hp;
    const HitMarker marker = rollHitAttempt(attacker, attack, target);
    EXPECT_EQ(marker.x, 3);
    EXPECT_EQ(marker.y, 7);
    const int expected = hitDamage(0.0, 0.0, hit.second, 300, target.getAp());
    EXPECT_EQ(marker.value, expected);
    EXPECT_GE(marker.value, 290);
    EXPECT_LE(marker.value, 320);
    EXPECT_EQ(target.hp, before - expected);

    // A drawn miss (the first draw at 0.8 or above) takes that one draw and changes nothing.
    const Draws miss = seedWhoseDraws([](double first, double) { return first >= 0.8; });
    srand(miss.seed);
    const int standing = target.hp;
    const HitMarker missed = rollHitAttempt(attacker, attack, target);
    EXPECT_EQ(missed.value, 0);
    EXPECT_EQ(missed.x, 3);
    EXPECT_EQ(target.hp, standing);
    EXPECT_EQ(randomFraction(), miss.second);

    // A sure hit on a robot with little left: hp 0, a wreck.
    attack.accuracy = 1000;
    target.hp = 50;
    const HitMarker last = rollHitAttempt(attacker, attack, target);
    EXPECT_GE(last.value, 99);
    EXPECT_EQ(target.hp, 0);
    EXPECT_EQ(target.modelState, Robot::DESTROYED);

    // A sure miss draws once and changes nothing.
    attack.accuracy = 0;
    target.hp = 500;
    target.modelState = Robot::INTACT;
    srand(99);
    randomFraction();
    const double next = randomFraction();
    srand(99);
    EXPECT_EQ(rollHitAttempt(attacker, attack, target).value, 0);
    EXPECT_EQ(randomFraction(), next);
    EXPECT_EQ(target.hp, 500);
}

TEST(TurnRules, EndOfTurnRefillsEnergyMoveAndCooldowns) {
    Pilot pilot;
    Robot robot;
    equip(robot, pilot, 0);
    robot.ep = -100;
    robot.movePoints = 0;
    robot.components[LEFTARM]->cooldownLeft = 700;
    endRobotTurn(robot);
    EXPECT_EQ(robot.ep, 2000);
    EXPECT_EQ(robot.movePoints, 4);
    for (const auto& component : robot.components) {
        EXPECT_EQ(component->cooldownLeft, 0);
    }
}

TEST(TurnRules, EliminationAndResults) {
    Robot a0, b0, a1;
    a1.side = 1;
    a0.hp = 10;
    b0.hp = 0;
    a1.hp = 5;
    std::vector<Robot*> roster = {&a0, &b0, &a1};
    EXPECT_FALSE(sideWipedOut(roster, 0));
    EXPECT_EQ(matchResult(roster), MATCH_GOES_ON);
    a1.hp = 0;
    EXPECT_TRUE(sideWipedOut(roster, 1));
    EXPECT_EQ(matchResult(roster), 1);
    a0.hp = 0;
    EXPECT_EQ(matchResult(roster), 0);
    a1.hp = 1;
    EXPECT_EQ(matchResult(roster), 2);
    // A side with no robot in the roster at all is wiped out.
    EXPECT_EQ(matchResult({&a1}), 2);
}

TEST(TurnRules, NextTurnSkipsWrecksCyclicallyAndStaysWhenAloneOrEmpty) {
    Robot r0, r1, r2, r3;
    r0.hp = 1;
    r1.hp = 0;
    r2.hp = 1;
    r3.hp = 0;
    std::vector<Robot*> roster = {&r0, &r1, &r2, &r3};
    EXPECT_EQ(nextTurnIndex(roster, 0), 2);
    EXPECT_EQ(nextTurnIndex(roster, 2), 0);
    r2.hp = 0;
    EXPECT_EQ(nextTurnIndex(roster, 0), 0);
    EXPECT_EQ(nextTurnIndex({}, 0), 0);
}

// The one area strike of both sides: what the caller chooses (when the attack is paid, whether
// the match's end stops it) and what it always does (roster order, sure hits wreck).
TEST(AreaStrike, PaysAndStopsAsItsCallerSays) {
    struct Case {
        const char* what;
        StrikePayment payment;
        bool stopWhenDecided;
        bool anyoneThere;
        int attempts;
        bool decided;
        bool paid;
        bool friendStruck;
    };
    const Case cases[] = {
        {"a human's shot at an empty area costs nothing", StrikePayment::AtTheFirstRobot, true, false, 0,
         false, false, false},
        {"the computer has paid as it fired", StrikePayment::BeforeTheArea, false, false, 0, false, true,
         false},
        {"the wreck that ends the match spares the rest", StrikePayment::AtTheFirstRobot, true, true, 2, true,
         true, false},
        {"without the stop the whole area is struck", StrikePayment::BeforeTheArea, false, true, 3, false,
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pilot pilot = pilotWith(5, 5, 5);
        Robot attacker, first, second, friendly;
        for (Robot* robot : {&attacker, &first, &second, &friendly}) equip(*robot, pilot, 0);
        first.side = second.side = 1;
        attacker.facing = FACING_EAST;
        attacker.ep = 1000;
        Attack attack;
        attack.energy = 300;
        attack.cooldown = 700;
        attack.accuracy = 1000;
        attack.damage = 100000;
        attack.aoe = {{0, 0}, {1, 0}, {2, 0}};
        Component weapon;
        // The two enemies, then a robot of the attacker's own side, each on one cell of the area.
        Robot* inArea[] = {&first, &second, &friendly};
        for (int i = 0; i < 3; ++i) {
            const auto offset = turnPatternOffset(FACING_EAST, i, 0);
            inArea[i]->x = int(5 + offset.first);
            inArea[i]->y = int(5 + offset.second);
        }
        const std::vector<Robot*> roster = {&attacker, &first, &second, &friendly};
        std::vector<HitMarker> markers;
        const int centre = c.anyoneThere ? 5 : 50;
        const StrikeOutcome outcome = strikeArea(attacker, weapon, attack, centre, centre, roster, markers,
                                                 c.payment, c.stopWhenDecided);
        EXPECT_EQ(outcome.attempts, c.attempts);
        EXPECT_EQ(int(markers.size()), c.attempts);
        EXPECT_EQ(outcome.matchDecided, c.decided);
        EXPECT_EQ(attacker.ep, c.paid ? 700 : 1000);
        EXPECT_EQ(weapon.cooldownLeft, c.paid ? 700 : 0);
        EXPECT_EQ(friendly.hp == 0, c.friendStruck);
        EXPECT_EQ(second.hp == 0, c.anyoneThere);
    }
}
