#pragma once
// The battle screen (mode 3): a whole match on one map, driven by the keyboard alone. First each
// side dispatches its squad into its start zone, then the robots act one at a time in the move
// order of GameData::roster until a side has no robot standing.
//
// The screen is a state machine: `state` (a BattleState) picks, through its row of the sub-state
// table (BattleStateTable.h), which handler receives the keys and what is drawn; each sub-state
// keeps its cursors in its own slots of `cursor` and `cursor2`. One key press
// causes at most one change of sub-state. The squads, the roster, the turn index and the map
// live in GameData; the screen owns no game records.
//
// The handlers live beside the rules they carry out: BattleDispatch.cpp (placing the squads),
// BattleTurns.cpp (whose turn it is, the action menu, delay, status, the end of a match),
// BattleMovement.cpp (moving and facing), BattleAttack.cpp (choosing and firing attacks).

#include <vector>

#include <SDL/SDL.h>

#include "battle/BattleState.h"
#include "data/HitMarker.h"
#include "gfx/Camera.h"
#include "gfx/Timer.h"

class Attack;
class Component;
class GameData;
class Robot;
struct BattleStateRow;

class BattleScreen {
public:
    static constexpr int MARKER_LIFETIME = 3000;  // ms a hit marker floats above its tile
    static constexpr int DELAY_STEP = 50;         // energy per Left/Right press in the delay
    static constexpr int STATUS_LINES = 7;        // six component slots and the pilot

    GameData* gameData;
    int state = DispatchSelect;
    int cursor[BATTLE_STATES] = {};
    int cursor2[BATTLE_STATES] = {};
    Robot* selectedRobot = nullptr;  // whose menu, delay or status view is shown; none after reset
    Camera battleCamera;
    Camera statusCamera;
    int dispatchSide = 0;
    Timer markerTimer;                  // restarted when fresh hit markers are to be shown
    int markerTime = 0;                 // markerTimer's reading right after that restart
    std::vector<HitMarker> hitMarkers;  // the last human attack's hit attempts
    // Whose markers the last timer restart brought up: the computer player's own list after a
    // computer turn, else hitMarkers. Set where the timer restarts, so the menu of the human
    // robot after a computer turn shows what the computer just did, not that human's old shots.
    bool showComputerMarkers = false;

    explicit BattleScreen(GameData& gameData);
    void reset(GameData& gameData);
    void handleEvent(SDL_Event event);
    // The layout of the sub-state: dispatch, the status view or the battle (BattlePanels.h), each
    // with its 3D view (BattleMapView.h). Without an OpenGL context it makes no GL call.
    void draw();

    // --- What the match stands on (all treat a missing map or robot as "nothing there") ---

    // The robot now acting, roster[turnIndex]; nullptr when the index is outside the roster.
    Robot* actingRobot() const;

    // --- Dispatch (BattleDispatch.cpp) ---

    // The dispatching side's robot on the squad list's cursor line, nullptr for an empty list.
    Robot* dispatchRobot() const;
    // Whether Enter finishes the dispatch now: a robot of the side stands on the map, or none of
    // its robots could be placed at all (no free traversable tile in its start zone, or no robot).
    bool canFinishDispatch() const;

    // --- Turns (BattleTurns.cpp) ---

    // turnIndex onto the next robot with hp above 0, cyclically; unchanged when there is none.
    void advanceTurn();
    // Whether the action menu line may be chosen now by `selectedRobot`: it must be the acting
    // robot, and MOVE, FACE, ATTACK and DELAY need it standing (hp above 0) and their energy.
    bool actionAvailable(int line) const;

    // --- Attacks (BattleAttack.cpp; what may fire and what it costs is in data/BattleRules) ---

    // The component on the AttackComponent line and the attack on the AttackChoice line;
    // nullptr when the lines are outside the lists.
    Component* chosenComponent() const;
    const Attack* chosenAttack() const;
    // Space in TargetSelect: pays, rolls every robot in the area, and leaves for the action menu
    // or the end of the match (BattleAttack.cpp).
    void fireAttack();
    // The hit markers the map view shows now (see showComputerMarkers); empty when the
    // computer's list is wanted but there is no computer player.
    const std::vector<HitMarker>& shownMarkers() const;

private:
    // The sub-state table names the key handlers below.
    friend const BattleStateRow& battleStateRow(int state);

    void restartMarkers();
    void leaveForTitle();
    // The arrows on a map cursor: one step in the arrow's direction, held on the map; true when
    // the key was an arrow.
    bool moveMapCursor(int slot, SDLKey key);
    // Up and Down on a list of `count` lines: the line moves and stays within the list; true when
    // the key was one of them.
    static bool moveListLine(int& line, int count, SDLKey key);
    // The facing an arrow key points to (Up north, Down south, Right east, Left west); false for
    // any other key.
    static bool facingOfArrow(SDLKey key, int& facing);
    // Runs the full elimination test; on an end, records the result and enters MatchEnd.
    bool endMatchIfDecided();
    // The turn of roster[turnIndex]: RobotSelect on its tile, or ComputerTurn for the computer.
    void beginTurn();

    void dispatchSelectKey(SDLKey key);
    void dispatchPositionKey(SDLKey key);
    void dispatchFacingKey(SDLKey key);
    void finishDispatch();
    void robotSelectKey(SDLKey key);
    void actionMenuKey(SDLKey key);
    void chooseAction(int line);
    void endTurn();
    void moveTargetKey(SDLKey key);
    void turnFacingKey(SDLKey key);
    void attackComponentKey(SDLKey key);
    void attackChoiceKey(SDLKey key);
    void targetSelectKey(SDLKey key);
    void energyDelayKey(SDLKey key);
    void statusViewKey(SDLKey key);
    void matchEndKey(SDLKey key);
    void computerTurnKey(SDLKey key);
};
