#pragma once
// Every catalogue the game loads from "data.db", and the state all screens share while the
// program runs (mode, current map, both sides' settings and squads, the battle roster). Created
// once by the entry point; screens hold a reference and read and write its fields directly.
//
// Ownership: the catalogues own their records and the model cache owns every Model. The robots
// and pilots of a match are owned by GameData too (createRobot, createPilot): the sides, the
// roster and the robots themselves only refer to them, and reset() destroys them after every
// list that refers to them has been emptied.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/Attack.h"
#include "data/Component.h"
#include "data/GameMode.h"
#include "data/Map.h"
#include "data/ModelCache.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "data/SideSetup.h"
#include "data/Terrain.h"

class ComputerPlayer;
class GameData;
class MetakitStorage;

// The computer opponent sits a layer above the records (ai/), so GameData holds it without knowing
// its definition: each one comes with the function that deletes it, from the factory that the
// program installs at start-up (installComputerPlayerFactory in ai/ComputerPlayerFactory.h).
using ComputerPlayerPtr = std::unique_ptr<ComputerPlayer, void (*)(ComputerPlayer*)>;
using ComputerPlayerFactory = ComputerPlayerPtr (*)(GameData&);

class GameData {
public:
    static constexpr int SIDES = 2;
    static constexpr int PILOTS_PER_SIDE = 10;
    static constexpr const char* DATABASE_FILE = "data.db";  // in the working directory
    static constexpr const char* TITLE_MAP = "DOWNTOWN";     // the title backdrop

    // Catalogues keyed by name; iteration visits names in ascending byte order.
    std::map<std::string, Attack> attacks;
    std::map<std::string, Component> components;
    TerrainCatalogue terrains;
    ModelCache modelCache;
    std::map<std::string, Map> maps;

    std::vector<std::string> pilotNames;  // shuffled; consumed from the back
    std::vector<std::string> robotNames;  // shuffled; consumed from the back

    int mode = TitleMode;
    int resumeMode = TitleMode;  // where "RESUME GAME" returns to
    bool reloadRequested = false;
    std::vector<Robot*> roster;                          // every robot in the battle, in move order
    int turnIndex = 0;                                   // index into roster of the robot whose turn it is
    ComputerPlayerPtr computerPlayer{nullptr, nullptr};  // remade by every reset; empty without a factory
    Map* currentMap = nullptr;                           // nullptr when there is no map to play on
    std::array<SideSetup, SIDES> sides;

    // How every reset makes computerPlayer, for every GameData of the program; nullptr until
    // installComputerPlayerFactory() runs.
    static ComputerPlayerFactory computerPlayerFactory;

    GameData();
    ~GameData();
    GameData(const GameData&) = delete;
    GameData& operator=(const GameData&) = delete;

    // Reads DATABASE_FILE from the working directory. A missing, unreadable, oversized or broken
    // file gets one "FAIL: data.db: " line saying why on standard error; the catalogues stay as
    // they were and play goes on.
    void load();
    // The same for any path, silently; false when the file could not be read as a database, with
    // the reason in `error` when given.
    bool load(const std::string& path, std::string* error = nullptr);
    // Reads the views attack, component, terrain and map (in that order: components resolve
    // attacks, maps resolve terrain), then the name lists.
    void load(const MetakitStorage& storage);
    // Rereads the pilot and robot name lists and shuffles them.
    void loadNames(const MetakitStorage& storage);

    // Back to the title menu with no game in progress; every robot and pilot is destroyed.
    void reset();
    // Makes TITLE_MAP the current map; none when the database has no such map.
    void selectTitleMap();

    // A new robot with the defaults, owned by this GameData until the next reset.
    Robot* createRobot();
    // A new pilot with the defaults, owned by this GameData until the next reset.
    Pilot* createPilot();

    // Both sides' ten pilots, named from the back of pilotNames (an empty name once the list is
    // used up), all skills 1, then skillPointTotal - 40 points spread at random.
    void generatePilots();
    // Higher pilot Reflexes first; robots of equal Reflexes keep their roster order.
    void sortRosterByReflexes();
    // Drops every robot without all six parts and a pilot from both squads.
    void removeIncompleteRobots();

    // Every placed robot of both squads on its tile (GameDataDrawing.cpp).
    void drawSquadRobots() const;
    // The move order from the robot whose turn it is, one "side/name" line of 18 points per
    // robot still standing, from (x, y) down.
    void drawMoveOrder(int x, int y) const;

private:
    std::vector<std::unique_ptr<Robot>> ownedRobots;
    std::vector<std::unique_ptr<Pilot>> ownedPilots;
};
