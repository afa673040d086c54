// Seeded computer-against-computer matches on every shipped map, played through the simulator's
// own code, checked turn by turn and step by step against the battle's rules.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "../support/TempDir.h"
#include "MatchSimulator.h"
#include "ai/ComputerPlayer.h"
#include "data/Attack.h"

namespace {

constexpr int MATCHES_PER_MAP = 40;
constexpr int TURN_CAP = 300;

// Whether any ready part of the robot could hit a standing enemy from its tile with its
// dearest attack within its energy, under a facing whose turn it can pay for.
bool couldHitFromWhereItStands(const GameData& data, const Robot& robot) {
    Robot probe;
    probe.x = robot.x;
    probe.y = robot.y;
    for (const auto& part : robot.components) {
        if (!part || part->cooldownLeft != 0) continue;
        const Attack* attack = nullptr;
        for (const Attack* candidate : part->attacks)
            if (candidate && canAfford(robot, *candidate)) attack = candidate;
        if (!attack) continue;
        for (int facing = 0; facing < 4; ++facing) {
            if (TURN_ENERGY_COST * std::abs(facing - robot.facing) > robot.ep) continue;
            probe.facing = facing;
            for (const Robot* enemy : data.roster)
                if (enemy->side != robot.side && enemy->hp > 0 &&
                    data.computerPlayer->canHit(probe, *enemy, *attack))
                    return true;
        }
    }
    return false;
}

std::array<int, 2> livingBySide(const std::vector<Robot*>& roster) {
    std::array<int, 2> living = {0, 0};
    for (const Robot* robot : roster)
        if (robot->hp > 0) ++living[static_cast<size_t>(robot->side)];
    return living;
}

class MatchPropertiesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simulator.load(GEARWARD_GAME_DIR "/data.db")); }
    MatchSimulator simulator;
};

TEST_F(MatchPropertiesTest, SeededMatchesOnEveryShippedMapKeepTheBattleRules) {
    const std::vector<std::string> maps = simulator.mapNames();
    ASSERT_GE(maps.size(), 5u);
    GameData& data = simulator.data;

    std::vector<Robot*> rosterAtStart;
    std::set<std::pair<int, int>> wrecksAtTurnStart;
    int steps = 0;
    int hits = 0;
    int turnsThisMatch = 0;
    bool steppedThisTurn = false;
    simulator.beforeTurn = [&](const Robot& robot) {
        if (turnsThisMatch++ == 0) rosterAtStart = data.roster;
        steppedThisTurn = false;
        wrecksAtTurnStart.clear();
        for (const Robot* any : data.roster)
            if (any->hp == 0) wrecksAtTurnStart.insert({any->x, any->y});
        // Nobody acts once a side is wiped out, and only the living act.
        const auto living = livingBySide(data.roster);
        EXPECT_GT(living[0], 0);
        EXPECT_GT(living[1], 0);
        EXPECT_GT(robot.hp, 0);
    };
    simulator.afterStep = [&](const Robot& robot, int fromX, int fromY) {
        ++steps;
        steppedThisTurn = true;
        EXPECT_EQ(std::abs(robot.x - fromX) + std::abs(robot.y - fromY), 1) << robot.name;
        const Terrain* ground = data.currentMap->terrainAt(robot.x, robot.y);
        ASSERT_NE(ground, nullptr) << robot.name << " left the map";
        EXPECT_TRUE(ground->isTraversable()) << robot.name << " on " << ground->getName();
        for (const Robot* other : data.roster) {
            if (other != &robot) {
                EXPECT_FALSE(other->x == robot.x && other->y == robot.y)
                    << robot.name << " on " << other->name;
            }
        }
    };
    simulator.beforeTurnEnds = [&](const Robot& robot) {
        // A robot that neither stepped nor fired had no enemy in its sights.
        if (steppedThisTurn || !data.computerPlayer->hitMarkers.empty()) return;
        EXPECT_FALSE(couldHitFromWhereItStands(data, robot)) << robot.name << " stood idle";
    };
    simulator.afterTurn = [&](const Robot& robot) {
        EXPECT_EQ(data.roster, rosterAtStart);
        // The goal of the turn's path was no wreck's tile when the turn began.
        const CellList& path = data.computerPlayer->path;
        if (!path.empty()) {
            EXPECT_EQ(wrecksAtTurnStart.count(path.front()), 0u) << robot.name;
        }
        for (const Robot* any : data.roster) EXPECT_GE(any->hp, 0) << any->name;
        for (const HitMarker& marker : data.computerPlayer->hitMarkers) hits += marker.value > 0;
        // Every turn ends refilled, as "END TURN" leaves a human robot.
        EXPECT_EQ(robot.ep, robot.getMaxEp());
        EXPECT_EQ(robot.movePoints, robot.getMove());
    };

    int ended = 0;
    for (const std::string& map : maps) {
        for (unsigned seed = 1; seed <= MATCHES_PER_MAP; ++seed) {
            turnsThisMatch = 0;
            const MatchOutcome outcome = simulator.play(map, seed, TURN_CAP);
            SCOPED_TRACE(map + " seed " + std::to_string(seed));
            EXPECT_EQ(outcome.turns, turnsThisMatch);
            ASSERT_LE(outcome.turns, TURN_CAP);
            EXPECT_EQ(rosterAtStart.size(), 8u);  // four robots a side, every shipped zone holds them
            const auto living = livingBySide(data.roster);
            EXPECT_EQ(outcome.robotsLeft, living);
            if (outcome.result == MATCH_GOES_ON) {
                EXPECT_EQ(outcome.turns, TURN_CAP);
                EXPECT_GT(living[0], 0);
                EXPECT_GT(living[1], 0);
                continue;
            }
            ++ended;
            const int expected = living[0] == 0 && living[1] == 0 ? 0 : living[1] == 0 ? 1 : 2;
            EXPECT_TRUE(living[0] == 0 || living[1] == 0);
            EXPECT_EQ(outcome.result, expected);
        }
    }
    // The checks above saw real fighting.
    EXPECT_GT(ended, static_cast<int>(maps.size()) * MATCHES_PER_MAP / 2);
    EXPECT_GT(steps, 100);
    EXPECT_GT(hits, 100);
}

TEST_F(MatchPropertiesTest, AMatchIsFixedByItsSeedAndTheCapMakesAStalemate) {
    const MatchOutcome first = simulator.play("DOWNTOWN", 42, TURN_CAP);
    const MatchOutcome again = simulator.play("DOWNTOWN", 42, TURN_CAP);
    EXPECT_EQ(first.result, again.result);
    EXPECT_EQ(first.turns, again.turns);
    EXPECT_EQ(first.robotsLeft, again.robotsLeft);

    const MatchOutcome capped = simulator.play("DOWNTOWN", 42, 3);
    EXPECT_EQ(capped.result, MATCH_GOES_ON);
    EXPECT_EQ(capped.turns, 3);
    EXPECT_EQ(capped.turnMs.size(), 3u);
}

class SquadFileTest : public MatchPropertiesTest {
protected:
    TempDir scratch{"squads"};

    std::string write(const std::string& text) { return scratch.file("squads.yaml", text); }
    std::string readError(const std::string& text) {
        std::string error;
        EXPECT_FALSE(readSquadFile(write(text), simulator.data.components, simulator.squads, error));
        return error.substr(error.find(": ") + 2);
    }
};

TEST_F(SquadFileTest, ASideFromTheFileFightsWithExactlyThoseParts) {
    std::string error;
    ASSERT_TRUE(
        readSquadFile(write("side0:\n"
                            "  - [Laser R, Cannon L, Fission Core, Strider Legs, Missile Hull, Laser Eye]\n"
                            "  - [Laser Eye, Strider Legs, Missile Hull, Fission Core, Laser R, Cannon L]\n"),
                      simulator.data.components, simulator.squads, error))
        << error;
    EXPECT_FALSE(simulator.squads.sides[1].has_value());
    simulator.play("DOWNTOWN", 3, 1);
    const auto& squad = simulator.data.sides[0].squad;
    ASSERT_EQ(squad.size(), 2u);
    for (const Robot* robot : squad) {
        EXPECT_EQ(robot->getComponent(RIGHTARM)->getName(), "Laser R");
        EXPECT_EQ(robot->getComponent(HEAD)->getName(), "Laser Eye");
        EXPECT_TRUE(robot->isComplete());
    }
    // The first robot has the side's best attack skill.
    for (const Pilot* pilot : simulator.data.sides[0].pilots)
        EXPECT_LE(std::max(pilot->meleeAttack, pilot->rangedAttack),
                  std::max(squad[0]->pilot->meleeAttack, squad[0]->pilot->rangedAttack));
    EXPECT_EQ(simulator.data.sides[1].squad.size(), 4u);  // templates
}

TEST_F(SquadFileTest, MistakesAreNamedOnOneLine) {
    EXPECT_EQ(readError("side2: []\n"), "\"side2\" is neither side0 nor side1");
    EXPECT_EQ(
        readError("side0:\n  - [Laser R, Cannon L, Fission Core, Strider Legs, Missile Hull, Laser Eyes]\n"),
        "side0 robot 1: \"Laser Eyes\" is no component");
    EXPECT_EQ(readError("side1:\n  - [Laser R, Autogun R, Cannon L, Fission Core, Strider Legs, Missile "
                        "Hull, Laser Eye]\n"),
              "side1 robot 1: \"Autogun R\" and \"Laser R\" both go in the RIGHTARM slot");
    EXPECT_EQ(readError("side0:\n  - [Laser R, Cannon L, Fission Core, Strider Legs, Missile Hull]\n"),
              "side0 robot 1: no HEAD part");
    EXPECT_EQ(readError("side0: robots\n"), "side0: expects a list of robots");
    EXPECT_NE(readError("side0: [\n").find("end of sequence"), std::string::npos);
    std::string error;
    EXPECT_FALSE(readSquadFile(testing::TempDir() + "gearward_no_such_squads.yaml", simulator.data.components,
                               simulator.squads, error));
    EXPECT_NE(error.find(": cannot open: No such file or directory"), std::string::npos) << error;
}

TEST_F(SquadFileTest, AFolderOrAFifoIsRefusedWithoutWaiting) {
    std::string fifo = scratch.path("squads.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = {
        {scratch.path().string(), ": cannot read: not a regular file (a directory)"},
        {fifo, ": cannot read: not a regular file"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(readSquadFile(c.first, simulator.data.components, simulator.squads, error));
        EXPECT_EQ(error, c.first + c.second);
    }
}

}  // namespace
