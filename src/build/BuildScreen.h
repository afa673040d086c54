#pragma once
// The squad-building screen (mode 2). Each human side equips the bare robots that the rules
// screen created, slot by slot, within its weight limit, and gives each robot a pilot; Enter
// hands over to the second player, or builds the computer's squad, drops the incomplete robots
// and starts the battle.
//
// Three views, each with its own row cursor: the robot list (view 0, cursor[0] the robot), the
// robot view (view 1, cursor[1] the slot: 0..5 in ComponentType order, 6 the pilot) and the
// selection list (view 2, cursor[2] the row): the equip list of a slot or the side's pilots.
// The screen keeps all of it while the player is at the title menu; only reset() clears it.

#include <string>
#include <vector>

#include <SDL/SDL.h>

#include "gfx/Camera.h"

class Component;
class GameData;
class Pilot;
class Robot;

class BuildScreen {
public:
    static constexpr int ROBOT_LIST = 0;
    static constexpr int ROBOT_VIEW = 1;
    static constexpr int SELECTION_LIST = 2;
    static constexpr int PILOT_ROW = 6;  // the robot view's row after the six slots

    GameData* gameData;
    Camera camera;  // the 3D view's camera; the keypad reaches it in the robot view
    int side = 0;   // the side being built
    // The weight the side has put on its robots; changed only by equipping and emptying slots.
    int squadWeight = 0;
    int view = ROBOT_LIST;
    int cursor[3] = {0, 0, 0};
    // The rows of the open equip list, built when the list opens.
    std::vector<const Component*> candidates;

    explicit BuildScreen(GameData& gameData);
    void reset(GameData& gameData);
    // Key presses act on the current view; the robot view hands every event to the camera first.
    void handleEvent(SDL_Event event);
    // Not const: the 3D view advances its camera.
    void draw();

    // The robot being worked on (row cursor[0] of the side's squad), or nullptr.
    Robot* currentRobot() const;
    // Whether the side has at least one robot with six parts and a pilot.
    bool anyRobotComplete() const;

private:
    void handleRobotListKey(SDLKey key);
    void handleRobotViewKey(SDLKey key);
    void handleEquipKey(SDLKey key);
    void handlePilotKey(SDLKey key);
    void finishBuilding();
    void equip();
    void assignPilot();

    void drawRobotList();
    void drawRobotView();
    void drawEquipList();
    void drawPilotList() const;
    void drawScreenTop(const std::string& title) const;
    void drawSquadWeight(int x, int weight) const;
    // The statistics column at x of the robot as it is: its, its pilot's and the squad's numbers.
    void drawRobotStatistics(int x, const Robot* robot) const;
    void drawView3D(const Robot* robot, const Component* component);
};

// The catalogue components of one slot type, lightest first; equal weights keep name order.
std::vector<const Component*> candidatesFor(const GameData& gameData, int type);
