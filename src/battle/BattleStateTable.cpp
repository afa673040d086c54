// The battle screen's sub-states, one row each: key handler, layout, panels, key hints and map
// marks. The key hints of every sub-state are written here too; the handlers live beside the
// rules they carry out (BattleDispatch.cpp, BattleTurns.cpp, BattleMovement.cpp,
// BattleAttack.cpp), the panels in BattlePanels.h and the map marks in BattleMapView.h.

#include "battle/BattleStateTable.h"

#include <string>

#include "battle/BattleMapView.h"
#include "battle/BattlePanels.h"
#include "battle/BattleScreen.h"
#include "data/Robot.h"
#include "gfx/KeyHintRow.h"

namespace {

using K = KeyHintRow;

void arrowsMoveCursor(KeyHintRow& row) {
    row.orKey(K::UP).orKey(K::DOWN).orKey(K::LEFT).key(K::RIGHT, "Move cursor");
}

void upDownMoveCursor(KeyHintRow& row) {
    row.orKey(K::UP).key(K::DOWN, "Move cursor");
}

void facingKeys(KeyHintRow& row) {
    row.key(K::UP, "Face north")
        .key(K::DOWN, "Face south")
        .key(K::LEFT, "Face west")
        .key(K::RIGHT, "Face east");
}

void dispatchSelectHints(const BattleScreen& screen, KeyHintRow& row) {
    row.key(K::ESC, "Main menu").key(K::SPACE, "Select robot");
    upDownMoveCursor(row);
    row.key(K::SHIFT, "Robot status");
    // Shown whenever Enter finishes the dispatch: with a robot down, or when none can be.
    if (screen.canFinishDispatch()) row.key(K::ENTER, "Finish dispatching");
}

void dispatchPositionHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Remove robot").key(K::SPACE, "Confirm position");
    arrowsMoveCursor(row);
}

void dispatchFacingHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Position robot").key(K::SPACE, "Confirm facing");
    facingKeys(row);
}

void robotSelectHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Main menu").key(K::SPACE, "Select robot");
    arrowsMoveCursor(row);
}

void actionMenuHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Robot select").key(K::SPACE, "Select action");
    upDownMoveCursor(row);
}

void moveTargetHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Action menu").key(K::SPACE, "Select position");
    arrowsMoveCursor(row);
}

void turnFacingHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Action menu").key(K::SPACE, "Confirm facing");
    facingKeys(row);
}

void attackComponentHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Action menu").key(K::SPACE, "Select attacking component");
    upDownMoveCursor(row);
}

void attackChoiceHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Attack component menu").key(K::SPACE, "Select attack");
    upDownMoveCursor(row);
}

void targetSelectHints(const BattleScreen&, KeyHintRow& row) {
    // The four arrows of the target cursor sit close together, with no gap between them.
    row.key(K::ESC, "Attack menu").key(K::SPACE, "Select target");
    row.key(K::UP, "/", 0).key(K::DOWN, "/", 0).key(K::LEFT, "/", 0).key(K::RIGHT, "Move cursor");
}

void energyDelayHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::ESC, "Action menu").key(K::SPACE, "Confirm delay");
    row.key(K::LEFT, "Delay -50").key(K::RIGHT, "Delay +50");
}

void statusViewHints(const BattleScreen& screen, KeyHintRow& row) {
    row.key(K::ESC, screen.cursor2[StatusView] == 1 ? "Dispatch menu" : "Action menu");
    upDownMoveCursor(row);
}

void matchEndHints(const BattleScreen&, KeyHintRow& row) {
    row.key(K::SPACE, "Main menu");
}

void computerTurnHints(const BattleScreen& screen, KeyHintRow& row) {
    const Robot* robot = screen.actingRobot();
    row.key(K::ESC, "Main menu")
        .key(K::SPACE, "Allow " + (robot ? robot->getName() : std::string()) + " to act");
}

template <size_t N>
constexpr bool inStateOrder(const BattleStateRow (&rows)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (rows[i].state != int(i)) return false;
    return true;
}

}  // namespace

const BattleStateRow& battleStateRow(int state) {
    using B = BattleScreen;
    using L = BattleLayout;
    // clang-format off
    static constexpr BattleStateRow ROWS[] = {
    // sub-state        key handler            layout       header     second column
    //      statistics   key hints              map marks                tile cursor       hit markers, end screen
        {DispatchSelect,  &B::dispatchSelectKey,   L::Dispatch, "ACTIONS", nullptr,
            RobotSelect,     dispatchSelectHints,    nullptr,                 NO_TILE_CURSOR,   false, false},
        {DispatchPosition, &B::dispatchPositionKey, L::Dispatch, "ACTIONS", nullptr,
            RobotSelect,     dispatchPositionHints,  nullptr,                 DispatchPosition, false, false},
        {DispatchFacing,  &B::dispatchFacingKey,   L::Dispatch, "ACTIONS", nullptr,
            RobotSelect,     dispatchFacingHints,    drawDispatchFacingArrows, DispatchPosition, false, false},
        {RobotSelect,     &B::robotSelectKey,      L::Battle,   "ACTIONS", nullptr,
            RobotSelect,     robotSelectHints,       nullptr,                 RobotSelect,      false, false},
        {ActionMenu,      &B::actionMenuKey,       L::Battle,   "ACTIONS", drawActionMenuColumn,
            RobotSelect,     actionMenuHints,        nullptr,                 RobotSelect,      true,  false},
        {MoveTarget,      &B::moveTargetKey,       L::Battle,   "ACTIONS", drawMenuUnderAction,
            RobotSelect,     moveTargetHints,        drawMoveQuads,           MoveTarget,       false, false},
        {TurnFacing,      &B::turnFacingKey,       L::Battle,   "ACTIONS", drawMenuUnderAction,
            RobotSelect,     turnFacingHints,        drawTurnFacingArrows,    RobotSelect,      false, false},
        {AttackComponent, &B::attackComponentKey,  L::Battle,   "ATTACK",  drawAttackTable,
            RobotSelect,     attackComponentHints,   nullptr,                 RobotSelect,      false, false},
        {AttackChoice,    &B::attackChoiceKey,     L::Battle,   "ATTACK",  drawAttackTable,
            RobotSelect,     attackChoiceHints,      nullptr,                 RobotSelect,      false, false},
        {TargetSelect,    &B::targetSelectKey,     L::Battle,   "ACTIONS", drawAttackTable,
            TargetSelect,    targetSelectHints,      drawAttackQuads,         TargetSelect,     false, false},
        {EnergyDelay,     &B::energyDelayKey,      L::Battle,   "ACTIONS", drawMenuAndDelay,
            RobotSelect,     energyDelayHints,       nullptr,                 RobotSelect,      false, false},
        {StatusView,      &B::statusViewKey,       L::Status,   "ACTIONS", nullptr,
            RobotSelect,     statusViewHints,        nullptr,                 RobotSelect,      false, false},
        {NoBattleState,   nullptr,                 L::Battle,   "ACTIONS", nullptr,
            RobotSelect,     nullptr,                nullptr,                 RobotSelect,      false, false},
        {MatchEnd,        &B::matchEndKey,         L::Battle,   "ACTIONS", drawMatchEndColumn,
            RobotSelect,     matchEndHints,          nullptr,                 RobotSelect,      true,  true},
        {ComputerTurn,    &B::computerTurnKey,     L::Battle,   "ACTIONS", nullptr,
            ComputerTurn,    computerTurnHints,      nullptr,                 ComputerTurn,     true,  false},
    };
    // clang-format on
    static_assert(sizeof(ROWS) / sizeof(ROWS[0]) == BATTLE_STATES, "one row for every battle sub-state");
    static_assert(inStateOrder(ROWS), "row i is the row of sub-state i");
    return state >= 0 && state < BATTLE_STATES ? ROWS[state] : ROWS[NoBattleState];
}

void drawBattleKeyHints(const BattleScreen& screen) {
    KeyHintRow row;
    const BattleStateRow& entry = battleStateRow(screen.state);
    if (entry.keyHints) entry.keyHints(screen, row);
}
