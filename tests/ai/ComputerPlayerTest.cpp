// The computer's squad building from the `ai` templates: pilot order, melee or ranged arms,
// the weight limit running out, unknown template names; and its deployment.

#include <gtest/gtest.h>

#include <string>

#include "../data/TestDatabase.h"
#include "ai/ComputerPlayer.h"
#include "data/GameData.h"

namespace {

class BuildSquadTest : public testing::Test {
protected:
    void SetUp() override {
        database = buildTestDatabase("squad.yaml");
        ASSERT_FALSE(database.empty());
        ASSERT_TRUE(data.load(database));
    }

    // Side 1 with `robots` bare robots and ten pilots with the given (melee, ranged) skills.
    void prepareSide(int robots, int maxWeight, const std::vector<std::pair<int, int>>& skills) {
        SideSetup& side = data.sides[1];
        side.maxSquadWeight = maxWeight;
        for (int i = 0; i < robots; ++i) {
            Robot* robot = data.createRobot();
            robot->name = "R" + std::to_string(i);
            robot->setSide(1);
            side.squad.push_back(robot);
        }
        for (size_t i = 0; i < skills.size(); ++i) {
            Pilot* pilot = data.createPilot();
            pilot->name = "P" + std::to_string(i);
            pilot->meleeAttack = skills[i].first;
            pilot->rangedAttack = skills[i].second;
            side.pilots.push_back(pilot);
        }
    }

    std::string parts(int robot) {
        std::string text;
        for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
            const Component* part = data.sides[1].squad[robot]->getComponent(slot);
            text += (part ? part->getName() : "-") + "|";
        }
        return text;
    }

    std::string pilotOf(int robot) {
        const Pilot* pilot = data.sides[1].squad[robot]->getPilot();
        return pilot ? pilot->getName() : "-";
    }

    void build() { data.computerPlayer->buildSquad(database); }

    std::string database;
    GameData data;
};

const std::vector<std::pair<int, int>> RANGED_POOL = {{1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2},
                                                      {1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}};

TEST_F(BuildSquadTest, FirstTemplateEntriesWhileTheyFitThenLighterOnes) {
    prepareSide(4, 50000, RANGED_POOL);
    build();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parts(i), "Dome|Hull|Gun Left|Gun Right|Strider|Core|") << i;
        EXPECT_EQ(data.sides[1].squad[i]->getWeight(), 13000);
    }
    // 11000 left for the fourth: the hull no longer fits, the frame does.
    EXPECT_EQ(parts(3), "Dome|Frame|Gun Left|Gun Right|Strider|Core|");
    const Robot* robot = data.sides[1].squad[0];
    EXPECT_EQ(robot->hp, robot->getMaxHp());
    EXPECT_EQ(robot->ep, 5000);
    EXPECT_EQ(robot->movePoints, 4);
    EXPECT_TRUE(robot->isComplete());
    // Equipped parts are the robots' own copies.
    EXPECT_NE(robot->getComponent(HEAD), &data.components.at("Dome"));
    EXPECT_EQ(data.components.count("Phantom Legs"), 0u);
}

TEST_F(BuildSquadTest, WeightRunningOutMidRobotStopsTheBuildingThere) {
    prepareSide(4, 42000, RANGED_POOL);
    build();
    // 3000 left for the fourth robot: arms and a tiny reactor fit, no legs do.
    EXPECT_EQ(parts(3), "-|-|Gun Left|Pistol Right|-|Tiny Core|");
    EXPECT_EQ(pilotOf(3), "P3");
    EXPECT_EQ(data.sides[1].squad[3]->hp, 0);  // never set up for battle
    data.removeIncompleteRobots();
    EXPECT_EQ(data.sides[1].squad.size(), 3u);
}

TEST_F(BuildSquadTest, TheLoopStopsBeforeARobotOnceTheLimitIsReachedExactly) {
    prepareSide(4, 39000, RANGED_POOL);
    build();
    EXPECT_TRUE(data.sides[1].squad[2]->isComplete());
    EXPECT_EQ(pilotOf(3), "-");
    EXPECT_EQ(parts(3), "-|-|-|-|-|-|");
}

TEST_F(BuildSquadTest, OneUnitAboveTheLimitGivesTheNextRobotItsPilotOnly) {
    prepareSide(4, 39001, RANGED_POOL);
    build();
    EXPECT_EQ(pilotOf(3), "P3");
    EXPECT_EQ(parts(3), "-|-|-|-|-|-|");
}

TEST_F(BuildSquadTest, BestAttackSkillFirstAndEqualSkillsKeepPoolOrder) {
    // Best skills: P0 4, P1 9, P2 6, P3 9, P4 6 (a tie of melee and ranged), P5 7.
    prepareSide(6, 100000, {{4, 1}, {2, 9}, {6, 6}, {9, 3}, {6, 6}, {7, 6}, {1, 1}, {1, 1}, {1, 1}, {1, 1}});
    build();
    EXPECT_EQ(pilotOf(0), "P1");
    EXPECT_EQ(pilotOf(1), "P3");
    EXPECT_EQ(pilotOf(2), "P5");
    EXPECT_EQ(pilotOf(3), "P2");
    EXPECT_EQ(pilotOf(4), "P4");
    EXPECT_EQ(pilotOf(5), "P0");
    // Melee arms only when melee is strictly better.
    EXPECT_NE(parts(0).find("Gun Left|Gun Right"), std::string::npos);      // 2 / 9
    EXPECT_NE(parts(1).find("Blade Left|Blade Right"), std::string::npos);  // 9 / 3
    EXPECT_NE(parts(2).find("Blade Left|Blade Right"), std::string::npos);  // 7 / 6
    EXPECT_NE(parts(3).find("Gun Left|Gun Right"), std::string::npos);      // 6 / 6
    EXPECT_NE(parts(5).find("Blade Left|Blade Right"), std::string::npos);  // 4 / 1
}

TEST_F(BuildSquadTest, MoreRobotsThanPilotsLeavesTheRestBare) {
    prepareSide(3, 100000, {{1, 2}, {1, 2}});
    build();
    EXPECT_TRUE(data.sides[1].squad[1]->isComplete());
    EXPECT_EQ(pilotOf(2), "-");
    EXPECT_EQ(parts(2), "-|-|-|-|-|-|");
}

TEST_F(BuildSquadTest, WithoutTemplatesNothingIsEquipped) {
    prepareSide(2, 50000, RANGED_POOL);
    data.computerPlayer->buildSquad(missingDatabasePath());
    EXPECT_EQ(parts(0), "-|-|-|-|-|-|");
    data.removeIncompleteRobots();
    EXPECT_TRUE(data.sides[1].squad.empty());
}

TEST(DeploySquadTest, RobotsTakeTheStartCellsInOrderAndJoinTheRoster) {
    GameData data;
    std::string path = buildTestDatabase("maps.yaml");
    ASSERT_TRUE(data.load(path));
    data.reset();
    ASSERT_NE(data.currentMap, nullptr);  // DOWNTOWN: three start cells for side 1
    Robot* placed = data.createRobot();
    placed->x = 0;
    placed->y = 3;
    data.sides[1].squad.push_back(placed);
    for (int i = 0; i < 4; ++i) data.sides[1].squad.push_back(data.createRobot());
    data.computerPlayer->deploySquad();
    const auto& squad = data.sides[1].squad;
    EXPECT_EQ(std::make_pair(squad[1]->x, squad[1]->y), std::make_pair(3, 2));
    EXPECT_EQ(std::make_pair(squad[2]->x, squad[2]->y), std::make_pair(2, 2));
    EXPECT_EQ(std::make_pair(squad[3]->x, squad[3]->y), std::make_pair(3, 1));
    EXPECT_EQ(std::make_pair(squad[4]->x, squad[4]->y), std::make_pair(-1, -1));
    EXPECT_EQ(data.roster, (std::vector<Robot*>{squad[1], squad[2], squad[3]}));
}

}  // namespace
