#pragma once
// The sub-states of the battle screen, each with its own two cursor slots, and the results a
// match can end with.

enum BattleState {
    DispatchSelect = 0,    // cursor: line of the squad list
    DispatchPosition = 1,  // cursor, cursor2: the position cursor
    DispatchFacing = 2,    // cursor: the facing the robot had before this placement
    RobotSelect = 3,       // cursor, cursor2: the map cursor, on the acting robot when a turn begins
    ActionMenu = 4,        // cursor: menu line 0..5
    MoveTarget = 5,        // cursor, cursor2: the move cursor
    TurnFacing = 6,        // cursor: the facing the robot had when "FACE" was chosen
    AttackComponent = 7,   // cursor: line of the attacking-component list
    AttackChoice = 8,      // cursor: line of the component's attack list
    TargetSelect = 9,      // cursor, cursor2: the target cursor
    EnergyDelay = 10,      // cursor: the amount to burn, a multiple of 50
    StatusView = 11,       // cursor: line 0..6 (6 the pilot); cursor2: 0 back to the menu, 1 to dispatch
    NoBattleState = 12,    // no sub-state: takes no keys
    MatchEnd = 13,         // cursor: the MatchResult
    ComputerTurn = 14,     // cursor, cursor2: the tile of the computer robot about to act
    BATTLE_STATES = 15
};

enum MatchResult { MatchDraw = 0, Side0Won = 1, Side1Won = 2 };

// The action menu's lines.
enum ActionLine {
    ActionMove = 0,
    ActionFace = 1,
    ActionAttack = 2,
    ActionDelay = 3,
    ActionStatus = 4,
    ActionEndTurn = 5,
    ACTION_LINES = 6
};
