#pragma once
// Everything one battle sub-state does, in one row per sub-state (BattleStateTable.cpp): the
// handler its keys go to, the layout it is drawn in and what that layout's panels show, its key
// hints and what the map view marks. BattleScreen::handleEvent and draw, the panels and the map
// view look their sub-state up here and nowhere else; docs/battle.md says how to add one.

#include <SDL/SDL.h>

class BattleScreen;
class KeyHintRow;

// The three layouts of the battle screen (BattlePanels.h).
enum class BattleLayout { Dispatch, Battle, Status };

constexpr int NO_TILE_CURSOR = -1;

struct BattleStateRow {
    int state;                            // the row's own BattleState: row i is sub-state i
    void (BattleScreen::*onKey)(SDLKey);  // the key handler; nullptr takes no keys
    BattleLayout layout;
    // The battle layout's second column: its header and what it shows under it (nullptr: nothing).
    const char* columnHeader;
    void (*secondColumn)(const BattleScreen& screen);
    // The cursor slot whose robot the first column's statistics show.
    int statisticsSlot;
    // The key-hint row: the keys that act in the sub-state, Escape first.
    void (*keyHints)(const BattleScreen& screen, KeyHintRow& row);
    // Quads and arrows over the map, drawn before the robots; nullptr: none.
    void (*mapMarks)(const BattleScreen& screen);
    int tileCursorSlot;    // the cursor slot the tile cursor stands on; NO_TILE_CURSOR: none
    bool showsHitMarkers;  // the last attack's hit markers float over the map
    bool endsTheMatch;     // the end screen: the result band over the whole battle layout
};

// The row of `state`; a value outside the sub-states gets NoBattleState's row (no keys, no hints,
// the battle layout with nothing marked).
const BattleStateRow& battleStateRow(int state);

// The key-hint row of the screen's current sub-state.
void drawBattleKeyHints(const BattleScreen& screen);
