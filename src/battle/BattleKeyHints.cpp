// The key-hint row of every battle sub-state: the keys that act there, Escape first.

#include "battle/BattlePanels.h"

#include "battle/BattleScreen.h"
#include "data/GameData.h"
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

}  // namespace

void drawBattleKeyHints(const BattleScreen& screen) {
    KeyHintRow row;
    switch (screen.state) {
    case DispatchSelect:
        row.key(K::ESC, "Main menu").key(K::SPACE, "Select robot");
        upDownMoveCursor(row);
        row.key(K::SHIFT, "Robot status");
        // Shown whenever Enter finishes the dispatch: with a robot down, or when none can be.
        if (screen.canFinishDispatch()) row.key(K::ENTER, "Finish dispatching");
        break;
    case DispatchPosition:
        row.key(K::ESC, "Remove robot").key(K::SPACE, "Confirm position");
        arrowsMoveCursor(row);
        break;
    case DispatchFacing:
        row.key(K::ESC, "Position robot").key(K::SPACE, "Confirm facing");
        facingKeys(row);
        break;
    case RobotSelect:
        row.key(K::ESC, "Main menu").key(K::SPACE, "Select robot");
        arrowsMoveCursor(row);
        break;
    case ActionMenu:
        row.key(K::ESC, "Robot select").key(K::SPACE, "Select action");
        upDownMoveCursor(row);
        break;
    case MoveTarget:
        row.key(K::ESC, "Action menu").key(K::SPACE, "Select position");
        arrowsMoveCursor(row);
        break;
    case TurnFacing:
        row.key(K::ESC, "Action menu").key(K::SPACE, "Confirm facing");
        facingKeys(row);
        break;
    case AttackComponent:
        row.key(K::ESC, "Action menu").key(K::SPACE, "Select attacking component");
        upDownMoveCursor(row);
        break;
    case AttackChoice:
        row.key(K::ESC, "Attack component menu").key(K::SPACE, "Select attack");
        upDownMoveCursor(row);
        break;
    case TargetSelect:
        // The four arrows of the target cursor sit close together, with no gap between them.
        row.key(K::ESC, "Attack menu").key(K::SPACE, "Select target");
        row.key(K::UP, "/", 0).key(K::DOWN, "/", 0).key(K::LEFT, "/", 0).key(K::RIGHT, "Move cursor");
        break;
    case EnergyDelay:
        row.key(K::ESC, "Action menu").key(K::SPACE, "Confirm delay");
        row.key(K::LEFT, "Delay -50").key(K::RIGHT, "Delay +50");
        break;
    case StatusView:
        row.key(K::ESC, screen.cursor2[StatusView] == 1 ? "Dispatch menu" : "Action menu");
        upDownMoveCursor(row);
        break;
    case MatchEnd:
        row.key(K::SPACE, "Main menu");
        break;
    case ComputerTurn: {
        const Robot* robot = screen.actingRobot();
        row.key(K::ESC, "Main menu")
            .key(K::SPACE, "Allow " + (robot ? robot->getName() : std::string()) + " to act");
        break;
    }
    default:
        break;  // no sub-state: no keys act
    }
}
