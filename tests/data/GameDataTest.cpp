// GameData's match operations (pilot generation, roster order, dropping incomplete robots),
// the ownership of a match's robots and pilots, and loading whole databases.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "TestDatabase.h"
#include "ai/ComputerPlayer.h"
#include "data/GameData.h"

namespace {

int skillTotal(const SideSetup& side) {
    int total = 0;
    for (const Pilot* p : side.pilots) total += p->reflexes + p->meleeAttack + p->rangedAttack + p->defense;
    return total;
}

Robot* robotWithReflexes(GameData& data, const std::string& name, int reflexes) {
    Robot* robot = data.createRobot();
    robot->name = name;
    Pilot* pilot = data.createPilot();
    pilot->reflexes = reflexes;
    robot->setPilot(pilot);
    return robot;
}

Robot* completeRobot(GameData& data, const std::string& name) {
    static const Component part;
    Robot* robot = data.createRobot();
    robot->name = name;
    for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) robot->setComponent(slot, &part);
    robot->setPilot(data.createPilot());
    return robot;
}

std::string names(const std::vector<Robot*>& robots) {
    std::string text;
    for (const Robot* robot : robots) text += robot->name + " ";
    return text;
}

TEST(GeneratePilotsTest, FortyPointsLeaveEverySkillAtOne) {
    GameData data;
    for (int i = 0; i < 20; ++i) data.pilotNames.push_back("P" + std::to_string(i));
    data.sides[0].skillPointTotal = 40;
    data.sides[1].skillPointTotal = 40;
    data.generatePilots();
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(data.sides[s].pilots.size(), 10u);
        for (const Pilot* p : data.sides[s].pilots) {
            EXPECT_EQ(p->getSide(), s);
            EXPECT_EQ(p->reflexes, 1);
            EXPECT_EQ(p->meleeAttack, 1);
            EXPECT_EQ(p->rangedAttack, 1);
            EXPECT_EQ(p->defense, 1);
        }
    }
    // Names come from the back of the list: side 0 first.
    EXPECT_EQ(data.sides[0].pilots[0]->getName(), "P19");
    EXPECT_EQ(data.sides[0].pilots[9]->getName(), "P10");
    EXPECT_EQ(data.sides[1].pilots[0]->getName(), "P9");
    EXPECT_TRUE(data.pilotNames.empty());
}

TEST(GeneratePilotsTest, FourHundredPointsFillEverySkill) {
    GameData data;
    data.sides[0].skillPointTotal = 400;
    data.sides[1].skillPointTotal = 400;
    data.generatePilots();
    for (const SideSetup& side : data.sides)
        for (const Pilot* p : side.pilots) {
            EXPECT_EQ(p->reflexes, 10);
            EXPECT_EQ(p->meleeAttack, 10);
            EXPECT_EQ(p->rangedAttack, 10);
            EXPECT_EQ(p->defense, 10);
        }
}

TEST(GeneratePilotsTest, PointsAreSpreadWithinTheTotalFromTheUnseededGenerator) {
    GameData first;
    first.sides[0].skillPointTotal = 300;
    first.sides[1].skillPointTotal = 123;
    srand(77);
    first.generatePilots();
    EXPECT_EQ(skillTotal(first.sides[0]), 300);
    EXPECT_EQ(skillTotal(first.sides[1]), 123);

    // Generation continues the generator where it stands and never seeds it itself.
    GameData second;
    second.sides[0].skillPointTotal = 300;
    second.sides[1].skillPointTotal = 123;
    srand(77);
    second.generatePilots();
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(first.sides[0].pilots[i]->meleeAttack, second.sides[0].pilots[i]->meleeAttack);
        EXPECT_EQ(first.sides[1].pilots[i]->defense, second.sides[1].pilots[i]->defense);
    }
}

// The skill a placed point lands on: 0 Reflexes, 1 Melee Attack, 2 Ranged Attack, 3 Defense.
int skill(const Pilot& pilot, int index) {
    const int skills[] = {pilot.reflexes, pilot.meleeAttack, pilot.rangedAttack, pilot.defense};
    return skills[index];
}

TEST(GeneratePilotsTest, EachPointDrawsThePilotFirstAndTheSkillSecond) {
    // One point per side: side 0 takes the first two draws, side 1 the next two.
    srand(11);
    const int first = rand(), second = rand(), third = rand(), fourth = rand();
    // The seed is only useful while the opposite reading would land the point elsewhere.
    ASSERT_TRUE(first % 10 != second % 10 || second % 4 != first % 4);

    GameData data;
    data.sides[0].skillPointTotal = 41;
    data.sides[1].skillPointTotal = 41;
    srand(11);
    data.generatePilots();
    EXPECT_EQ(skill(*data.sides[0].pilots[static_cast<size_t>(first % 10)], second % 4), 2);
    EXPECT_EQ(skill(*data.sides[1].pilots[static_cast<size_t>(third % 10)], fourth % 4), 2);
    EXPECT_EQ(skillTotal(data.sides[0]), 41);
    EXPECT_EQ(skillTotal(data.sides[1]), 41);
}

TEST(GeneratePilotsTest, TooFewNamesLeaveTheRestNameless) {
    GameData data;
    data.pilotNames = {"Ada", "Bo", "Cy"};
    data.generatePilots();
    EXPECT_EQ(data.sides[0].pilots[0]->getName(), "Cy");
    EXPECT_EQ(data.sides[0].pilots[2]->getName(), "Ada");
    EXPECT_EQ(data.sides[0].pilots[3]->getName(), "");
    EXPECT_EQ(data.sides[1].pilots[9]->getName(), "");
    EXPECT_EQ(data.sides[1].pilots.size(), 10u);
}

TEST(GeneratePilotsTest, ATotalAboveFourHundredStillEnds) {
    GameData data;
    data.sides[0].skillPointTotal = 5000;
    data.sides[1].skillPointTotal = 10;  // below the forty starting points: nothing to place
    data.generatePilots();
    EXPECT_EQ(skillTotal(data.sides[0]), 400);
    EXPECT_EQ(skillTotal(data.sides[1]), 40);
}

TEST(RosterTest, SortByReflexesKeepsTheOrderOfEqualPilots) {
    GameData data;
    // Twenty robots, more than an insertion sort's sixteen, with many equal Reflexes.
    const int reflexes[] = {3, 7, 3, 7, 5, 0, 10, 5, 3, 7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int i = 0; i < 20; ++i)
        data.roster.push_back(robotWithReflexes(data, std::to_string(i), reflexes[i]));
    data.sortRosterByReflexes();
    EXPECT_EQ(names(data.roster), "6 19 18 17 1 3 9 16 15 4 7 14 13 0 2 8 12 11 10 5 ");

    // A short roster with the two tens the other way round keeps them that way.
    data.roster = {data.roster[1], data.roster[4], data.roster[0], data.roster[3]};
    data.sortRosterByReflexes();
    EXPECT_EQ(names(data.roster), "19 6 17 1 ");
}

TEST(RosterTest, RemoveIncompleteRobotsKeepsTheOrderOfTheRest) {
    GameData data;
    for (int s = 0; s < 2; ++s) {
        auto& squad = data.sides[s].squad;
        squad.push_back(completeRobot(data, "A"));
        squad.push_back(data.createRobot());
        squad.push_back(completeRobot(data, "C"));
        squad.push_back(data.createRobot());
        squad.push_back(completeRobot(data, "E"));
    }
    data.sides[1].squad[2]->components[HEAD] = nullptr;
    data.sides[1].squad[4]->pilot = nullptr;
    data.removeIncompleteRobots();
    EXPECT_EQ(names(data.sides[0].squad), "A C E ");
    EXPECT_EQ(names(data.sides[1].squad), "A ");
}

TEST(GameDataStateTest, ResetForgetsTheMatchAndDestroysItsRobotsAndPilots) {
    GameData data;
    ComputerPlayer* before = data.computerPlayer.get();
    data.mode = BattleMode;
    data.resumeMode = BuildMode;
    data.reloadRequested = true;
    data.turnIndex = 3;
    data.sides[1].controller = SideSetup::HUMAN;
    data.sides[0].maxSquadWeight = 1;
    data.generatePilots();
    for (int i = 0; i < 4; ++i) {
        Robot* robot = completeRobot(data, "R");
        data.sides[0].squad.push_back(robot);
        data.roster.push_back(robot);
    }
    data.reset();  // the sanitizer build proves that nothing leaks or is freed twice
    EXPECT_EQ(data.mode, TitleMode);
    EXPECT_EQ(data.resumeMode, TitleMode);
    EXPECT_FALSE(data.reloadRequested);
    EXPECT_EQ(data.turnIndex, 0);
    EXPECT_TRUE(data.roster.empty());
    EXPECT_NE(data.computerPlayer.get(), nullptr);
    EXPECT_NE(data.computerPlayer.get(), before);
    for (const SideSetup& side : data.sides) {
        EXPECT_EQ(side.controller, SideSetup::COMPUTER);
        EXPECT_EQ(side.maxSquadSize, 4);
        EXPECT_EQ(side.maxSquadWeight, 50000);
        EXPECT_EQ(side.skillPointTotal, 300);
        EXPECT_TRUE(side.squad.empty());
        EXPECT_TRUE(side.pilots.empty());
    }
    // A second match after the reset, left for the destructor to free.
    data.sides[0].squad.push_back(completeRobot(data, "Next"));
    data.generatePilots();
}

TEST(GameDataStateTest, WithoutAnInstalledFactoryResetLeavesNoComputerPlayer) {
    // The test programs install the factory; a program that does not (a tool) gets no opponent.
    ComputerPlayerFactory installed = GameData::computerPlayerFactory;
    ASSERT_NE(installed, nullptr);
    GameData::computerPlayerFactory = nullptr;
    GameData data;
    EXPECT_EQ(data.computerPlayer.get(), nullptr);
    GameData::computerPlayerFactory = installed;
    data.reset();
    ASSERT_NE(data.computerPlayer.get(), nullptr);
    EXPECT_EQ(&data.computerPlayer->gameData, &data);
    GameData::computerPlayerFactory = nullptr;
    data.reset();  // the previous opponent is deleted through the function it came with
    EXPECT_EQ(data.computerPlayer.get(), nullptr);
    GameData::computerPlayerFactory = installed;
}

TEST(GameDataLoadTest, AMissingFileLeavesEveryCatalogueEmpty) {
    GameData data;
    EXPECT_FALSE(data.load(missingDatabasePath()));
    EXPECT_TRUE(data.attacks.empty());
    EXPECT_TRUE(data.components.empty());
    EXPECT_TRUE(data.terrains.empty());
    EXPECT_TRUE(data.maps.empty());
    EXPECT_TRUE(data.pilotNames.empty());
    EXPECT_EQ(data.currentMap, nullptr);
}

TEST(GameDataLoadTest, TheBuiltGameDatabaseFillsEveryCatalogue) {
    const std::string gameDir = GEARWARD_GAME_DIR;
    ASSERT_TRUE(std::ifstream(gameDir + "/data.db")) << gameDir << "/data.db has not been built";

    // The game runs in its own folder, where the model files are.
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(gameDir.c_str()), 0);
    GameData data;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    data.load();
    const size_t pilotNames = data.pilotNames.size();
    const size_t robotNames = data.robotNames.size();
    // The computer opens data.db again on its own when it builds its squad.
    for (int i = 0; i < 4; ++i) data.sides[1].squad.push_back(data.createRobot());
    data.generatePilots();
    data.computerPlayer->buildSquad();
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_TRUE(data.sides[1].squad[0]->isComplete())
        << "the ai templates build no robot at the default limits";

    EXPECT_FALSE(data.attacks.empty());
    EXPECT_FALSE(data.components.empty());
    EXPECT_FALSE(data.terrains.empty());
    EXPECT_FALSE(data.modelCache.empty());
    EXPECT_FALSE(data.maps.empty());
    EXPECT_GE(pilotNames, 20u);
    EXPECT_GE(robotNames, 20u);
    for (const auto& entry : data.components) EXPECT_EQ(entry.first, entry.second.getName());
    for (int type = HEAD; type <= REACTOR; ++type) {
        bool found = false;
        for (const auto& entry : data.components) found = found || entry.second.getType() == type;
        EXPECT_TRUE(found) << "no component of type " << componentTypeName(type);
    }
    data.reset();
    ASSERT_NE(data.currentMap, nullptr) << "no map DOWNTOWN";
    EXPECT_GT(data.currentMap->getWidth(), 0);
}

}  // namespace
