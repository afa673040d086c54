// Whole matches played to the end by key presses alone, with a seeded generator: against the
// computer (whatever its turns do) and between two humans. A simple player walks each human
// robot towards the nearest enemy, turns to it, and fires whatever reaches it. The same seed
// must give the same match.

#include "BattleFixture.h"

#include <cstdlib>
#include <sstream>

#include "data/Attack.h"

namespace {

constexpr int MAX_TURNS = 400;

SDLKey facingKey(int facing) {
    switch (facing) {
    case FACING_EAST:
        return SDLK_RIGHT;
    case FACING_NORTH:
        return SDLK_UP;
    case FACING_WEST:
        return SDLK_LEFT;
    default:
        return SDLK_DOWN;
    }
}

int facingTowards(int dx, int dy, bool alongX) {
    if (alongX) return dx > 0 ? FACING_EAST : FACING_WEST;
    return dy > 0 ? FACING_SOUTH : FACING_NORTH;
}

class BattleMatchTest : public BattleFixture {
protected:
    int turns = 0;

    void buildSquads(bool twoHumans) {
        data.sides[1].controller = twoHumans ? SideSetup::HUMAN : SideSetup::COMPUTER;
        addRobot(0, "Ace", {6, 5, 7, 5});
        addRobot(0, "Bolt", {4, 6, 5, 5});
        addRobot(1, "Crusher", {5, 5, 6, 6});
        addRobot(1, "Dynamo", {3, 6, 5, 4}, "Jab Arm", "Sweep Arm");
    }

    void dispatchSide(int side) {
        const CellList& zone = data.currentMap->startZone(side);
        for (size_t i = 0; i < data.sides[size_t(side)].squad.size(); ++i)
            dispatchLine(int(i), zone[i].first, zone[i].second, side == 0 ? SDLK_DOWN : SDLK_UP);
        press(SDLK_RETURN);
    }

    Robot* nearestEnemy(const Robot& me) const {
        Robot* best = nullptr;
        int bestDistance = 0;
        for (Robot* robot : data.roster) {
            if (robot->side == me.side || robot->hp <= 0) continue;
            int distance = std::abs(robot->x - me.x) + std::abs(robot->y - me.y);
            if (!best || distance < bestDistance) {
                best = robot;
                bestDistance = distance;
            }
        }
        return best;
    }

    // Fires the first ready, affordable attack whose range reaches the target's tile.
    bool tryAttack(Robot& me, const Robot& target) {
        std::vector<Component*> components = me.attackingComponents();
        for (size_t i = 0; i < components.size(); ++i) {
            std::vector<const Attack*> attacks = usableAttacks(*components[i]);
            for (size_t j = 0; j < attacks.size(); ++j) {
                if (!isInRange(*attacks[j], me.facing, screen.cursor[RobotSelect],
                               screen.cursor2[RobotSelect], target.x, target.y) ||
                    attacks[j]->getEnergy() > me.ep)
                    continue;
                if (components[i]->cooldownLeft > 0) {
                    // Burn energy until it is ready, if that leaves enough to fire.
                    int delay = (components[i]->cooldownLeft + 49) / 50 * 50;
                    if (me.ep - delay < attacks[j]->getEnergy()) continue;
                    choose(ActionDelay);
                    press(SDLK_RIGHT, delay / 50);
                    press(SDLK_SPACE);
                }
                prepareAttack(int(i), int(j), target.x, target.y);
                press(SDLK_SPACE);
                return true;
            }
        }
        return false;
    }

    // Turns towards the target or walks straight at it; false when neither is possible.
    bool tryApproach(Robot& me, const Robot& target, int& blocked) {
        const int dx = target.x - me.x, dy = target.y - me.y;
        // The longer way first; once blocked, the other.
        const bool longerX = std::abs(dx) >= std::abs(dy);
        const bool alongX = dx != 0 && (dy == 0 || longerX != (blocked % 2 == 1));
        const int wanted = facingTowards(dx, dy, alongX);
        if (me.facing != wanted) {
            if (me.ep < TURN_ENERGY_COST) return false;
            choose(ActionFace);
            press(facingKey(wanted));
            press(SDLK_SPACE);
            return true;
        }
        if (me.ep < MOVE_ENERGY_COST || me.movePoints <= 0) return false;
        choose(ActionMove);
        const int gap = std::abs(alongX ? dx : dy) - 1;
        const int steps = std::min({me.reach, me.movePoints, me.ep / MOVE_ENERGY_COST, gap});
        if (steps < 1) {
            press(SDLK_ESCAPE);
            // Blocked this way: try the other axis next.
            return ++blocked < 2 && dx != 0 && dy != 0;
        }
        const auto step = facingStep(me.facing);
        moveCursor(MoveTarget, me.x + steps * step.first, me.y + steps * step.second);
        press(SDLK_SPACE);
        return true;
    }

    void playHumanTurn() {
        ASSERT_EQ(screen.state, RobotSelect);
        Robot* me = screen.actingRobot();
        ASSERT_NE(me, nullptr);
        ASSERT_EQ(screen.cursor[RobotSelect], me->x);
        press(SDLK_SPACE);
        ASSERT_EQ(screen.state, ActionMenu);
        int blocked = 0;
        for (int action = 0; action < 12 && screen.state == ActionMenu && me->hp > 0; ++action) {
            Robot* target = nearestEnemy(*me);
            if (!target) break;
            if (tryAttack(*me, *target)) continue;
            if (!tryApproach(*me, *target, blocked)) break;
        }
        if (screen.state == ActionMenu) choose(ActionEndTurn);
    }

    // Plays from the first turn until the end screen; the match's course as text.
    std::string playToTheEnd() {
        std::ostringstream course;
        for (turns = 0; turns < MAX_TURNS && screen.state != MatchEnd; ++turns) {
            if (screen.state == ComputerTurn) {
                press(SDLK_SPACE);
            } else {
                playHumanTurn();
                if (testing::Test::HasFatalFailure()) return "";
            }
            course << data.turnIndex << ":";
            for (const Robot* robot : data.roster)
                course << robot->hp << "@" << robot->x << "," << robot->y << " ";
            course << "\n";
        }
        course << "result " << screen.cursor[MatchEnd];
        return course.str();
    }

    std::string playMatch(bool twoHumans, unsigned seed) {
        data.reset();
        screen.reset(data);
        useMap("ARENA");
        data.mode = BattleMode;
        buildSquads(twoHumans);
        srand(seed);
        dispatchSide(0);
        if (twoHumans) dispatchSide(1);
        return playToTheEnd();
    }
};

TEST_F(BattleMatchTest, AgainstTheComputerAMatchEndsAndTheSameSeedPlaysItAgain) {
    std::string first = playMatch(false, 77);
    ASSERT_EQ(screen.state, MatchEnd) << first;
    EXPECT_LT(turns, MAX_TURNS);
    const int result = screen.cursor[MatchEnd];
    EXPECT_TRUE(result == Side0Won || result == Side1Won) << first;
    // Every loser is a wreck; a winner still stands.
    const int loser = result == Side0Won ? 1 : 0;
    bool winnerStands = false;
    for (const Robot* robot : data.roster) {
        if (robot->side == loser)
            EXPECT_EQ(robot->hp, 0) << robot->name;
        else
            winnerStands = winnerStands || robot->hp > 0;
    }
    EXPECT_TRUE(winnerStands);
    EXPECT_EQ(playMatch(false, 77), first);
    press(SDLK_SPACE);
    EXPECT_TRUE(data.reloadRequested);
    EXPECT_EQ(data.mode, TitleMode);
}

TEST_F(BattleMatchTest, TwoHumansPlayToAWinnerAndTheSameSeedPlaysItAgain) {
    std::string first = playMatch(true, 5);
    ASSERT_EQ(screen.state, MatchEnd) << first;
    EXPECT_LT(turns, MAX_TURNS);
    EXPECT_NE(screen.cursor[MatchEnd], MatchDraw);
    EXPECT_EQ(playMatch(true, 5), first);
    // Another seed, another match: the rolls do decide.
    EXPECT_NE(playMatch(true, 6), first);
}

}  // namespace
