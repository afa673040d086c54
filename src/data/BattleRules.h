#pragma once
// The rules a human robot and a computer robot share: what a step and a turn cost, how an attack
// pattern written for a robot facing south lands on the map for any facing, and how one hit
// attempt is rolled and what it does to the robot it strikes.

#include <utility>
#include <vector>

#include "data/HitMarker.h"

class Attack;
class Component;
class GameData;
class Robot;

constexpr int MOVE_ENERGY_COST = 500;  // one tile straight ahead
constexpr int TURN_ENERGY_COST = 100;  // one change of facing (the computer pays it per unit)

// 0 south (+y), 1 east (+x), 2 north (-y), 3 west (-x).
enum Facing { FACING_SOUTH = 0, FACING_EAST = 1, FACING_NORTH = 2, FACING_WEST = 3 };

// One tile step (dx, dy) in a facing; (0, 0) for a value outside 0..3.
std::pair<int, int> facingStep(int facing);

// The map offset of pattern entry (px, py), where py counts tiles straight ahead and px tiles to
// the right-hand side, for a robot with this facing. A facing outside 0..3 is taken modulo 4.
// Offsets beyond int's range (only a database entry of -2147483648 turned round gives one) are
// held to its ends.
std::pair<int, int> turnPatternEntry(int facing, int px, int py);
// The same worked in 64 bits, for adding database offsets to tiles without overflow.
std::pair<long long, long long> turnPatternOffset(int facing, long long px, long long py);

// The skill modifiers of the hit roll: (skill - 5) x 0.05 for the attacker's Melee or Ranged
// Attack and for the defender's Defense. A robot without a pilot fights with skill 0.
double attackModifier(const Robot& attacker, const Attack& attack);
double defenseModifier(const Robot& defender);

// ((A + 1) - D) x accuracy / 100: above 1 always hits, 0 or below never does.
double hitChance(double attackMod, double defenseMod, int accuracy);

// trunc((spread / 10 + (A + 1)) x damage) - trunc(armor x (D + 1) / 20), at least 99, worked in
// double precision and held within int range whatever the database holds.
int hitDamage(double attackMod, double defenseMod, double spread, int damage, int armor);

// One hit attempt of `attack` by `attacker` on `target`: draws randomFraction() for the hit, and
// on a hit a second draw for the damage spread; a hit lowers the target's hp, and a target brought
// below 1 is left at 0 as a wreck. Returns the marker for the target's tile (value 0 for a miss).
HitMarker rollHitAttempt(const Robot& attacker, const Attack& attack, Robot& target);

// Energy spent on anything that cools the parts down (a step, a turn, an attack, the delay):
// ep - amount, held within int range whatever the database's costs, and every cooling part's
// cooldown shortened by the amount.
void spendEnergy(Robot& robot, int amount);
// The price of firing `attack` from `component`: its energy, then the component's own cooldown,
// set after the general cool-down so that the attack's cost does not shorten it.
void payForAttack(Robot& robot, Component& component, const Attack& attack);

// The attacks of a component that resolved to a catalogue entry, in database order.
std::vector<const Attack*> usableAttacks(const Component& component);
// Whether the robot's energy pays for the attack. The computer's choice of attack and the human's
// attack keys and greyed lines all ask this.
bool canAfford(const Robot& robot, const Attack& attack);
// Ready (not cooling down) and at least one of its usable attacks affordable: the component may
// be chosen, and its line is not greyed.
bool componentMayAttack(const Robot& robot, const Component& component);
// The lowest energy cost among every usable attack of the robot's attacking components; false
// when it has none at all.
bool cheapestAttackCost(const Robot& robot, int& cost);
// Whether the robot can pay for one more tile: the energy of a step and a movement point left.
// The action menu's "MOVE" and the computer's every step ask this.
bool canPayStep(const Robot& robot);
// Whether a walk of `tiles` straight ahead is allowed: within the robot's movement points and its
// reach measured when the move was chosen, and paid for by its energy.
bool canWalk(const Robot& robot, long long tiles);

// --- On the map (BattleRulesOnMap.cpp); a missing map or robot counts as nothing there ---

// The robot of the roster (wrecks included) standing on (x, y); nullptr when none does.
Robot* rosterRobotAt(const GameData& gameData, int x, int y);
// On the map, traversable, and no robot of the roster (wrecks included) on it.
bool isFreeTile(const GameData& gameData, int x, int y);
// The free tiles straight ahead of the robot, up to its full legs move; a move's reach is
// measured once, when the move is chosen.
int measureReach(const GameData& gameData, const Robot& robot);
// Whether (x, y) is one of the attack's range cells laid about (fromX, fromY), turned by `facing`.
bool isInRange(const Attack& attack, int facing, int fromX, int fromY, int x, int y);

// When an area strike pays for its attack: the computer pays as it fires; a human's attack is
// paid only once a robot stands in its area, so a strike at an empty area costs nothing.
enum class StrikePayment { BeforeTheArea, AtTheFirstRobot };
// What an area strike did.
struct StrikeOutcome {
    int attempts = 0;           // hit attempts made; 0 when nobody stood in the area
    bool matchDecided = false;  // stopped at a wreck that ended the match (see strikeArea)
};
// One attack from `component` with its area laid about (centreX, centreY), turned by the
// attacker's facing: every robot of the roster standing in it, in roster order, gets one hit
// attempt per area cell it stands on, and a robot wrecked by an earlier cell is spared the rest.
// The marker of every attempt is appended to `markers`. The attack is paid (payForAttack) as
// `payment` says. With `stopWhenDecided`, the first wreck after which a side has no robot
// standing ends the strike and the rest of the area is spared; otherwise the match's end is the
// caller's to find afterwards. The caller has checked that the attack may be fired.
StrikeOutcome strikeArea(Robot& attacker, Component& component, const Attack& attack, long long centreX,
                         long long centreY, const std::vector<Robot*>& roster,
                         std::vector<HitMarker>& markers, StrikePayment payment, bool stopWhenDecided);

// What "END TURN" gives a robot for its next turn: energy to its maximum, movement to its legs'
// move, every cooldown cleared. The computer's turns end the same way.
void endRobotTurn(Robot& robot);

// True when no robot of `side` in the move order has hp above 0 (robots never placed are not in
// it and do not count).
bool sideWipedOut(const std::vector<Robot*>& roster, int side);

// The match result once a side is wiped out: 0 draw, 1 side 0 won, 2 side 1 won; -1 while both
// sides still stand.
constexpr int MATCH_GOES_ON = -1;
int matchResult(const std::vector<Robot*>& roster);

// The roster index of the next robot after `turnIndex`, cyclically, with hp above 0; `turnIndex`
// itself when there is none.
int nextTurnIndex(const std::vector<Robot*>& roster, int turnIndex);
