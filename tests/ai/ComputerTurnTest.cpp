// The computer's turn: target choice, the weighted path search and its tie-breaking, weapon
// order, facing and energy costs, area attacks, the end-of-turn refill, and the turns that
// must end however the content is written.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "../data/TestDatabase.h"
#include "ai/ComputerPlayer.h"
#include "data/BattleRules.h"
#include "data/GameData.h"

namespace {

using Cell = std::pair<int, int>;

class ComputerTurnTest : public testing::Test {
protected:
    void SetUp() override {
        std::string database = buildTestDatabase("computer-turn.yaml");
        ASSERT_FALSE(database.empty());
        ASSERT_TRUE(data.load(database));
    }

    // A map of Floor ('.') and Wall ('#'), row 0 first, made the current map.
    void useMap(std::initializer_list<const char*> rows) {
        Map map;
        map.name = "TEST";
        for (const char* row : rows) {
            std::vector<const Terrain*> cells;
            for (const char* c = row; *c; ++c)
                cells.push_back(&data.terrains.at(*c == '#' ? "Wall" : "Floor"));
            map.grid.push_back(cells);
        }
        data.maps["TEST"] = map;
        data.currentMap = &data.maps["TEST"];
    }

    // A complete robot on (x, y) facing south, full and ready, joined to the roster. Its pilot
    // has every skill at 5 (neither helps nor hinders a roll).
    Robot* addRobot(int side, int x, int y, const std::string& right = "Poke Right",
                    const std::string& left = "Bare Left", const std::string& torso = "Hull",
                    const std::string& head = "Dome") {
        Robot* robot = data.createRobot();
        robot->name = "R" + std::to_string(data.roster.size());
        robot->setSide(side);
        for (const std::string& part : {right, left, torso, head, std::string("Legs"), std::string("Core")})
            robot->setComponent(data.components.at(part).getType(), &data.components.at(part));
        Pilot* pilot = data.createPilot();
        pilot->reflexes = pilot->meleeAttack = pilot->rangedAttack = pilot->defense = 5;
        robot->setPilot(pilot);
        robot->hp = robot->getMaxHp();
        endRobotTurn(*robot);
        robot->x = x;
        robot->y = y;
        data.sides[static_cast<size_t>(side)].squad.push_back(robot);
        data.roster.push_back(robot);
        return robot;
    }

    Cell at(const Robot* robot) const { return {robot->x, robot->y}; }
    ComputerPlayer& player() { return *data.computerPlayer; }

    GameData data;
};

TEST_F(ComputerTurnTest, AnAdjacentTargetGivesAOneTilePathAndIsAttackedWithoutAStep) {
    useMap({".....", ".....", ".....", "....."});
    Robot* computer = addRobot(1, 2, 1);
    Robot* human = addRobot(0, 2, 2);
    player().takeTurn(*computer);
    EXPECT_EQ(player().path, (CellList{{2, 2}}));
    EXPECT_EQ(at(computer), Cell(2, 1));
    ASSERT_EQ(player().hitMarkers.size(), 1u);
    EXPECT_EQ(player().hitMarkers[0].x, 2);
    EXPECT_EQ(player().hitMarkers[0].y, 2);
    // Poke always hits: 300 x (1 + spread / 10) against no armour.
    EXPECT_GE(player().hitMarkers[0].value, 300);
    EXPECT_LE(player().hitMarkers[0].value, 330);
    EXPECT_EQ(human->hp, human->getMaxHp() - player().hitMarkers[0].value);
}

TEST_F(ComputerTurnTest, TargetsAreOrderedByDistanceWithTiesInRosterOrder) {
    useMap({".......", ".......", ".......", "......."});
    Robot* computer = addRobot(1, 3, 0, "Bare Right");
    Robot* far = addRobot(0, 0, 3);
    Robot* nearA = addRobot(0, 5, 1);
    Robot* friendly = addRobot(1, 3, 1);
    Robot* nearB = addRobot(0, 1, 1);
    player().gatherTargets(*computer);
    EXPECT_EQ(player().targets, (std::vector<Robot*>{nearA, nearB, far}));
    (void)friendly;
}

TEST_F(ComputerTurnTest, SearchTiesGoToTheNodeAddedLast) {
    // From (0, 0) to (2, 2) every first step is as good as the other. Of equal nodes the one
    // added last is expanded first, so the search goes south before it goes east.
    useMap({".....", ".....", ".....", ".....", "....."});
    Robot* computer = addRobot(1, 0, 0);
    player().findPath(*computer, 2, 2);
    EXPECT_TRUE(player().pathFound);
    EXPECT_EQ(player().path, (CellList{{2, 2}, {1, 2}, {0, 2}, {0, 1}}));
}

TEST_F(ComputerTurnTest, SearchGoesAroundRobotsAndWallsAndLeavesThePathAloneWithoutAWay) {
    useMap({"...", ".#.", "..."});
    Robot* computer = addRobot(1, 0, 0);
    addRobot(1, 1, 0);  // a friend blocks the way east
    player().findPath(*computer, 2, 2);
    EXPECT_EQ(player().path, (CellList{{2, 2}, {1, 2}, {0, 2}, {0, 1}}));

    // A wall for a goal, or a goal walled in: no search result, the old path stays.
    player().findPath(*computer, 1, 1);
    EXPECT_EQ(player().path.size(), 4u);
    useMap({"..#.", "..##"});
    player().path.clear();
    player().findPath(*computer, 3, 0);
    EXPECT_FALSE(player().pathFound);
    EXPECT_TRUE(player().path.empty());
}

TEST_F(ComputerTurnTest, ATargetOnATileNobodyCanEnterIsApproachedFromTheSouthFirst) {
    // The human stands on a wall (deployment does not test the terrain). The tiles south and
    // east of it are both reachable; south is tried first, and the computer stops before it.
    useMap({"....", ".#..", "....", "....", "...."});
    Robot* computer = addRobot(1, 1, 4, "Bare Right");
    Robot* human = addRobot(0, 1, 1);
    player().gatherTargets(*computer);
    EXPECT_EQ(player().chooseTarget(*computer), human);
    ASSERT_FALSE(player().path.empty());
    EXPECT_EQ(player().path.front(), Cell(1, 2));
    player().takeTurn(*computer);
    EXPECT_EQ(at(computer), Cell(1, 3));
}

TEST_F(ComputerTurnTest, NoReachableLivingTargetMeansNoStepAndNoAttack) {
    useMap({"..#..", "..#..", "..#.."});
    Robot* computer = addRobot(1, 0, 1);
    Robot* wreck = addRobot(0, 1, 1);
    wreck->hp = 0;
    addRobot(0, 4, 1);  // beyond the wall
    player().gatherTargets(*computer);
    EXPECT_EQ(player().targets.size(), 2u);
    EXPECT_EQ(player().chooseTarget(*computer), nullptr);
    player().takeTurn(*computer);
    EXPECT_EQ(at(computer), Cell(0, 1));
    EXPECT_TRUE(player().hitMarkers.empty());
    EXPECT_TRUE(player().path.empty());
}

TEST_F(ComputerTurnTest, TurningCostsOneHundredPerUnitOfFacingDifference) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 1);
    computer->ep = 1000;
    player().path = {{0, 1}};  // west of the robot, which faces south (0)
    EXPECT_TRUE(player().stepToward(*computer));
    EXPECT_EQ(computer->facing, FACING_WEST);
    EXPECT_EQ(computer->ep, 700);

    // Not enough for 0 to 3: nothing changes.
    computer->facing = FACING_SOUTH;
    computer->ep = 299;
    EXPECT_FALSE(player().stepToward(*computer));
    EXPECT_EQ(computer->facing, FACING_SOUTH);
    EXPECT_EQ(computer->ep, 299);

    // The next tile is its own tile: no turn needed.
    player().path = {{1, 1}};
    EXPECT_TRUE(player().stepToward(*computer));
    EXPECT_EQ(computer->ep, 299);
}

TEST_F(ComputerTurnTest, ATurnBeforeAnAttackMayLeaveTheEnergyBelowZeroUntilTheTurnEnds) {
    // ep 600, the 500 attack needs a turn from south to north (200): both are paid.
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 1);
    addRobot(0, 1, 0);
    computer->ep = 600;
    player().act(*computer);
    EXPECT_EQ(computer->facing, FACING_NORTH);
    EXPECT_EQ(computer->ep, -100);
    EXPECT_EQ(player().hitMarkers.size(), 1u);
    EXPECT_EQ(computer->getComponent(RIGHTARM)->cooldownLeft, 1000);

    player().takeTurn(*computer);
    EXPECT_EQ(computer->ep, computer->getMaxEp());
}

TEST_F(ComputerTurnTest, TheFirstFacingThatCoversTheTargetIsKeptAndFailedTurnsAreUndone) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 1);
    addRobot(0, 2, 1);  // east: facing 1 is the first that covers it
    computer->facing = FACING_WEST;
    computer->ep = 700;  // 200 for the turn from 3 to 1, 500 for the attack
    bool changed = false;
    EXPECT_TRUE(player().attackPass(*computer, data.roster[1], changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(computer->facing, FACING_EAST);
    EXPECT_EQ(computer->ep, 0);
}

TEST_F(ComputerTurnTest, ATurnMaySpendTheLastOfTheEnergyBeforeAFreeAttack) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 1, "Tap Right");
    addRobot(0, 1, 0);   // north: the turn from south costs 200
    computer->ep = 200;  // exactly the turn
    bool changed = false;
    EXPECT_TRUE(player().attackPass(*computer, data.roster[1], changed));
    EXPECT_EQ(computer->facing, FACING_NORTH);
    EXPECT_EQ(computer->ep, 0);
}

TEST_F(ComputerTurnTest, TheRightArmFiresFirstThenTheLeftAndAPartWithoutAttacksEndsTheSearch) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Poke Right", "Poke Left", "Hull", "Shot Head");
    addRobot(0, 1, 1);
    EXPECT_EQ(player().chooseWeapon(*computer), computer->getComponent(RIGHTARM));

    computer->getComponent(RIGHTARM)->cooldownLeft = 400;
    EXPECT_EQ(player().chooseWeapon(*computer), computer->getComponent(LEFTARM));
    bool changed = false;
    EXPECT_TRUE(player().attackPass(*computer, data.roster[1], changed));
    EXPECT_EQ(computer->getComponent(LEFTARM)->cooldownLeft, 1000);
    // The left arm's 500 cooled the right arm down on the way.
    EXPECT_EQ(computer->getComponent(RIGHTARM)->cooldownLeft, 0);

    // Both arms cooling, the torso has no attack: the head's is never reached.
    computer->getComponent(RIGHTARM)->cooldownLeft = 400;
    EXPECT_EQ(player().chooseWeapon(*computer), computer->getComponent(TORSO));
    EXPECT_FALSE(player().attackPass(*computer, data.roster[1], changed));

    for (int slot : {RIGHTARM, LEFTARM, TORSO, HEAD, LEGS}) computer->getComponent(slot)->cooldownLeft = 1;
    EXPECT_EQ(player().chooseWeapon(*computer), nullptr);
}

TEST_F(ComputerTurnTest, TheDearestAffordableAttackIsTakenFromTheEndOfTheList) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0);
    Robot* human = addRobot(0, 1, 1);
    Component& arm = *computer->getComponent(RIGHTARM);
    arm.attacks = {&data.attacks.at("Scratch"), &data.attacks.at("Poke"), nullptr};
    computer->ep = 499;  // Poke (500) is out of reach: Scratch (100) it is
    bool changed = false;
    EXPECT_TRUE(player().attackPass(*computer, human, changed));
    EXPECT_EQ(computer->ep, 399);
    computer->ep = 99;
    arm.cooldownLeft = 0;
    EXPECT_FALSE(player().attackPass(*computer, human, changed));
}

TEST_F(ComputerTurnTest, EveryHitTakesAtLeastNinetyNine) {
    // Skills 5, damage 50, armour 200: trunc((v / 10 + 1) x 50) - 10 is at most 45, raised to 99.
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Scratch Right");
    Robot* human = addRobot(0, 1, 1, "Poke Right", "Bare Left", "Plated Hull");
    ASSERT_EQ(human->getAp(), 200);
    const int before = human->hp;
    bool changed = false;
    ASSERT_TRUE(player().attackPass(*computer, human, changed));
    EXPECT_EQ(human->hp, before - 99);
    ASSERT_EQ(player().hitMarkers.size(), 1u);
    EXPECT_EQ(player().hitMarkers[0].value, 99);
}

TEST_F(ComputerTurnTest, AnAreaAttackStrikesEveryoneInItAboutTheTargetsTileInRosterOrder) {
    // Sweep aimed at the tile ahead covers that tile and the ones on either side of it; the
    // computer's own robot beside the target is struck too.
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Sweep Right");
    Robot* ally = addRobot(1, 2, 1);
    Robot* human = addRobot(0, 1, 1);
    Robot* bystander = addRobot(0, 0, 2);  // not in the area
    player().act(*computer);
    ASSERT_GE(player().hitMarkers.size(), 2u);
    EXPECT_EQ(player().hitMarkers[0].x, 2);  // the ally comes first in the roster
    EXPECT_EQ(player().hitMarkers[1].x, 1);
    EXPECT_LT(ally->hp, ally->getMaxHp());
    EXPECT_LT(human->hp, human->getMaxHp());
    EXPECT_EQ(bystander->hp, bystander->getMaxHp());
}

TEST_F(ComputerTurnTest, HitsDrawTwiceAndMissesOnceInTheOrderOfTheArea) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Sweep Right");
    addRobot(0, 1, 1);
    addRobot(0, 0, 1);
    data.attacks.at("Sweep").accuracy = 0;  // two misses: one draw each
    srand(77);
    bool changed = false;
    ASSERT_TRUE(player().attackPass(*computer, data.roster[1], changed));
    EXPECT_EQ(player().hitMarkers.size(), 2u);
    const int next = rand();
    srand(77);
    rand();
    rand();
    EXPECT_EQ(rand(), next);

    data.attacks.at("Sweep").accuracy = 200;  // two hits: two draws each
    computer->getComponent(RIGHTARM)->cooldownLeft = 0;
    srand(78);
    ASSERT_TRUE(player().attackPass(*computer, data.roster[1], changed));
    const int after = rand();
    srand(78);
    for (int i = 0; i < 4; ++i) rand();
    EXPECT_EQ(rand(), after);
}

TEST_F(ComputerTurnTest, ATargetDestroyedMidTurnIsNotReplacedAndTheRobotWalksUpToTheWreck) {
    useMap({".", ".", ".", ".", ".", ".", "."});
    Robot* computer = addRobot(1, 0, 0, "Shot Right");
    Robot* human = addRobot(0, 0, 5);
    Robot* other = addRobot(0, 0, 6);  // would be next, but no other target is chosen
    human->hp = 1;
    player().takeTurn(*computer);
    EXPECT_EQ(human->hp, 0);
    EXPECT_EQ(human->modelState, Robot::DESTROYED);
    EXPECT_EQ(player().hitMarkers.size(), 1u);
    EXPECT_EQ(at(computer), Cell(0, 4));
    EXPECT_EQ(other->hp, other->getMaxHp());
}

TEST_F(ComputerTurnTest, WithoutEnergyOrMovementTheRobotOnlyTurnsAlongThePath) {
    useMap({"....", "....", "...."});
    Robot* computer = addRobot(1, 0, 0, "Bare Right");
    addRobot(0, 3, 2);
    computer->movePoints = 0;
    player().act(*computer);
    EXPECT_EQ(at(computer), Cell(0, 0));
    EXPECT_EQ(player().path.size(), 1u);
    // Path south, south, east, east, east: the last turn faced east.
    EXPECT_EQ(computer->facing, FACING_EAST);
    EXPECT_EQ(computer->ep, 5000 - 100);
}

TEST_F(ComputerTurnTest, EnergyRegainedAfterASkippedStepNeverCarriesTheRobotOverATile) {
    // An attack of negative energy (content the checker refuses) can give energy back after a
    // step was skipped for want of it; the robot still only ever steps to a neighbouring tile.
    useMap({".", ".", ".", "."});
    Robot* computer = addRobot(1, 0, 0);
    addRobot(0, 0, 3);
    Attack near = data.attacks.at("Poke");  // reaches the tile ahead only
    near.energy = 300;
    Attack refund = data.attacks.at("Shot");
    refund.range = {{0, 3}};
    refund.energy = -1000;
    computer->getComponent(RIGHTARM)->attacks = {&refund, &near};
    computer->facing = FACING_NORTH;
    computer->ep = 350;  // Near is chosen but misses the target; the turn south leaves 150
    player().act(*computer);
    EXPECT_EQ(player().hitMarkers.size(), 1u);  // then the refund fired: 1150
    EXPECT_EQ(computer->ep, 1150);
    EXPECT_EQ(at(computer), Cell(0, 0));
}

TEST_F(ComputerTurnTest, TheTurnEndsWithEnergyMovementAndEveryPartRestored) {
    useMap({".....", ".....", "....."});
    Robot* computer = addRobot(1, 0, 0, "Poke Right", "Poke Left");
    addRobot(0, 3, 2);
    player().takeTurn(*computer);
    EXPECT_NE(at(computer), Cell(0, 0));
    EXPECT_FALSE(player().hitMarkers.empty());
    EXPECT_EQ(computer->ep, computer->getMaxEp());
    EXPECT_EQ(computer->movePoints, computer->getMove());
    for (const auto& part : computer->components) EXPECT_EQ(part->cooldownLeft, 0);
}

TEST_F(ComputerTurnTest, AFreeAttackThatNeverCoolsDownFiresOnceAndTheTurnEnds) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Tap Right");
    addRobot(0, 1, 1);
    player().takeTurn(*computer);  // used to repeat the missing tap for ever
    EXPECT_EQ(player().hitMarkers.size(), 1u);
    EXPECT_EQ(player().hitMarkers[0].value, 0);
}

TEST_F(ComputerTurnTest, AHugeReactorWithANearlyFreeAttackStillEndsItsTurnInReasonableTime) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Tap Right");
    addRobot(0, 1, 1);
    data.attacks.at("Tap").energy = 1;
    computer->ep = 2000000000;
    player().takeTurn(*computer);
    EXPECT_EQ(player().hitMarkers.size(), 1000u);
}

TEST_F(ComputerTurnTest, ARobotThatWrecksItselfStopsActingButItsTurnStillEnds) {
    // Backfire strikes the tile ahead and the attacker's own tile behind it.
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Backfire Right", "Poke Left");
    Robot* human = addRobot(0, 1, 1);
    human->hp = 5000;
    computer->hp = 1;
    player().takeTurn(*computer);
    EXPECT_EQ(computer->hp, 0);
    EXPECT_EQ(computer->modelState, Robot::DESTROYED);
    EXPECT_EQ(player().hitMarkers.size(), 2u);  // the left arm never fires
    EXPECT_EQ(computer->ep, computer->getMaxEp());
}

TEST_F(ComputerTurnTest, DatabaseExtremesNeverOverflowTheEnergyArithmetic) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, 1, 0, "Tap Right", "Poke Left");
    Robot* human = addRobot(0, 1, 1);
    Attack& tap = data.attacks.at("Tap");
    tap.energy = INT_MIN;
    tap.cooldown = 5;
    computer->ep = INT_MAX - 10;
    computer->getComponent(LEFTARM)->cooldownLeft = INT_MAX - 1;
    bool changed = false;
    ASSERT_TRUE(player().attackPass(*computer, human, changed));
    EXPECT_EQ(computer->ep, INT_MAX);
    EXPECT_EQ(computer->getComponent(LEFTARM)->cooldownLeft, INT_MAX);

    // Far-off range entries neither overflow nor reach anyone.
    tap.range = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
    tap.aoe = {{INT_MIN, INT_MAX}};
    for (int facing = 0; facing < 4; ++facing) {
        computer->facing = facing;
        EXPECT_FALSE(player().canHit(*computer, *human, tap));
    }
    player().takeTurn(*computer);
    EXPECT_EQ(computer->ep, computer->getMaxEp());
}

TEST_F(ComputerTurnTest, ARobotOffTheMapFindsNoPathWithoutOverflow) {
    useMap({"...", "...", "..."});
    Robot* computer = addRobot(1, INT_MAX, INT_MIN);
    addRobot(0, 1, 1);
    player().takeTurn(*computer);
    EXPECT_EQ(at(computer), Cell(INT_MAX, INT_MIN));
    EXPECT_TRUE(player().path.empty());
}

TEST(ComputerDeployTest, SideZeroTakesTheFirstStartZone) {
    GameData data;
    ASSERT_TRUE(data.load(buildTestDatabase("maps.yaml")));
    data.reset();
    ASSERT_NE(data.currentMap, nullptr);  // DOWNTOWN: start1 is (0, 0), (1, 0)
    for (int i = 0; i < 3; ++i) data.sides[0].squad.push_back(data.createRobot());
    data.computerPlayer->deploySquad(0);
    const auto& squad = data.sides[0].squad;
    EXPECT_EQ(std::make_pair(squad[0]->x, squad[0]->y), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(squad[1]->x, squad[1]->y), std::make_pair(1, 0));
    EXPECT_EQ(squad[2]->x, -1);
    EXPECT_EQ(data.roster, (std::vector<Robot*>{squad[0], squad[1]}));
    EXPECT_TRUE(data.sides[1].squad.empty());
}

TEST_F(ComputerTurnTest, AWrecksTileIsNeverAGoalSoTheRobotGoesForATargetItCanReach) {
    // The first human is walled in on three sides and a wreck holds the fourth: nothing can
    // stand next to it. The computer must not walk up to the wreck and stop there, believing
    // it has arrived; it goes for the other human instead.
    useMap({"..#..", ".#.#.", ".....", ".....", "....."});
    Robot* computer = addRobot(1, 2, 4);
    addRobot(0, 2, 1);  // walled in, and nearer than the other human
    addRobot(0, 2, 2)->hp = 0;
    Robot* reachable = addRobot(0, 0, 0);
    player().findPath(*computer, 2, 2);
    EXPECT_FALSE(player().pathFound);
    player().gatherTargets(*computer);
    EXPECT_EQ(player().chooseTarget(*computer), reachable);
    ASSERT_FALSE(player().path.empty());
    EXPECT_EQ(player().path.front(), Cell(0, 0));

    // A standing robot's tile stays a goal: it may move away.
    reachable->hp = 0;
    addRobot(1, 2, 3);  // a friend of the computer, south of the wreck
    player().path.clear();
    player().findPath(*computer, 2, 3);
    EXPECT_TRUE(player().pathFound);
}

TEST_F(ComputerTurnTest, ARobotLeftIdleFiresFromWhereItStandsAtTheNearestEnemyInItsSights) {
    struct Case {
        const char* what;
        const char* secondRow;
        Cell computer;
        std::vector<Cell> humans;  // the first is the nearest
        Cell hit;                  // where the first attack lands
    };
    // Shot reaches two and three tiles straight ahead, never the tile next to the robot.
    const Case cases[] = {
        // A wall row cuts every way across, but the humans stand in the Shot's line.
        {"no way across", "#####", {2, 0}, {{2, 2}, {2, 3}}, {2, 2}},
        // The nearest human is next to the robot (its path is one tile, so it does not move) and
        // out of the Shot's reach; the other stands two tiles south.
        {"beside an enemy it cannot hit", ".....", {0, 0}, {{1, 0}, {0, 2}}, {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        useMap({".....", c.secondRow, ".....", "....."});
        Robot* computer = addRobot(1, c.computer.first, c.computer.second, "Shot Right");
        for (const Cell& human : c.humans) addRobot(0, human.first, human.second);
        player().takeTurn(*computer);
        EXPECT_EQ(at(computer), c.computer);
        ASSERT_FALSE(player().hitMarkers.empty());
        EXPECT_EQ(player().hitMarkers[0].x, c.hit.first);
        EXPECT_EQ(player().hitMarkers[0].y, c.hit.second);
        EXPECT_GT(player().hitMarkers[0].value, 0);
        data.reset();
    }
}

}  // namespace
