#include "ai/ComputerPlayer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>

#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/GameData.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitView.h"

namespace {

// The template categories of the `ai` view, each filling one slot.
enum Category {
    MELEE_LEFT,
    MELEE_RIGHT,
    RANGED_LEFT,
    RANGED_RIGHT,
    REACTORS,
    LEGS_CATEGORY,
    TORSOS,
    HEADS,
    CATEGORY_COUNT
};

Category categoryOf(const std::string& type) {
    static const std::array<const char*, HEADS> names = {
        "Melee Arms Left", "Melee Arms Right", "Ranged Arms Left", "Ranged Arms Right", "Reactors", "Legs",
        "Torsos"};
    for (size_t i = 0; i < names.size(); ++i)
        if (type == names[i]) return static_cast<Category>(i);
    return HEADS;  // any other text is a head category
}

using Categories = std::array<std::vector<const Component*>, CATEGORY_COUNT>;

Categories readTemplates(const MetakitView& view, const std::map<std::string, Component>& catalogue) {
    Categories categories;
    for (size_t row = 0; row < view.rowCount(); ++row) {
        auto& category = categories[categoryOf(view.getString(row, "type"))];
        const MetakitView& names = view.getSubview(row, "components");
        for (size_t i = 0; i < names.rowCount(); ++i) {
            auto found = catalogue.find(names.getString(i, "name"));
            if (found != catalogue.end()) category.push_back(&found->second);  // unknown names are skipped
        }
    }
    return categories;
}

int bestAttackSkill(const Pilot* pilot) {
    return std::max(pilot->getMeleeAttack(), pilot->getRangedAttack());
}

// Puts a copy of the first part of the category that still fits into the slot.
// The running weight is wide: database weights may be anywhere in int's range, negative included.
bool tryEquip(int slot, const std::vector<const Component*>& category, Robot& robot, long long& weight,
              int maxWeight) {
    for (const Component* candidate : category) {
        if (weight + candidate->getWeight() <= maxWeight) {
            robot.setComponent(slot, candidate);
            weight += candidate->getWeight();
            return true;
        }
    }
    return false;
}

// A turn cannot fire more often than this. Content the checker passes never comes near it (a
// full reactor buys a few dozen shots at most); it only keeps a database with a huge reactor
// and near-free attacks from freezing the game with millions of hit attempts.
constexpr int MAX_ATTACKS_PER_TURN = 1000;

// Energy arithmetic on database numbers, worked wide and held to int's range.
int clampToInt(long long value) {
    return static_cast<int>(std::min<long long>(INT_MAX, std::max<long long>(INT_MIN, value)));
}

long long distance(long long ax, long long ay, long long bx, long long by) {
    return std::llabs(ax - bx) + std::llabs(ay - by);
}

// 20 x the Manhattan distance. Only a robot put off the map by a bad start cell can be far enough
// away for this to leave int; its search ends at once, so holding the value below is harmless.
int estimateOf(long long x, long long y, int goalX, int goalY) {
    return static_cast<int>(std::min<long long>(20 * distance(x, y, goalX, goalY), INT_MAX / 2));
}

// The cost of turning between two facings: the difference of the facing numbers, 100 each.
long long turnCost(int from, int to) {
    return static_cast<long long>(TURN_ENERGY_COST) * std::llabs(static_cast<long long>(to) - from);
}

bool standsOn(const Robot& robot, long long x, long long y) {
    return robot.x == x && robot.y == y;
}

// The slots a weapon is looked for in, first to last.
const std::array<int, 5> WEAPON_ORDER = {RIGHTARM, LEFTARM, TORSO, HEAD, LEGS};

}  // namespace

ComputerPlayer::ComputerPlayer(GameData& data) : gameData(data) {}

void ComputerPlayer::buildSquad(int side) {
    buildSquad(GameData::DATABASE_FILE, side);
}

void ComputerPlayer::buildSquad(const std::string& databasePath, int sideIndex) {
    if (sideIndex < 0 || sideIndex >= GameData::SIDES) return;
    MetakitStorage storage;
    storage.open(databasePath);  // an unreadable file leaves every category empty
    Categories categories = readTemplates(storage.view("ai"), gameData.components);

    SideSetup& side = gameData.sides[static_cast<size_t>(sideIndex)];
    std::vector<Pilot*> pilots;
    for (Pilot* pilot : side.pilots)
        if (pilot) pilots.push_back(pilot);
    std::stable_sort(pilots.begin(), pilots.end(),
                     [](const Pilot* a, const Pilot* b) { return bestAttackSkill(a) > bestAttackSkill(b); });

    long long weight = 0;
    // A squad larger than the pilot pool stops at the last pilot; the rest stay bare.
    for (size_t i = 0; weight < side.maxSquadWeight && i < side.squad.size() && i < pilots.size(); ++i) {
        Robot* robot = side.squad[i];
        if (!robot) break;
        Pilot* pilot = pilots[i];
        robot->setPilot(pilot);
        bool melee = pilot->getMeleeAttack() > pilot->getRangedAttack();
        const std::array<std::pair<int, Category>, COMPONENT_SLOTS> order = {{
            {LEFTARM, melee ? MELEE_LEFT : RANGED_LEFT},
            {RIGHTARM, melee ? MELEE_RIGHT : RANGED_RIGHT},
            {REACTOR, REACTORS},
            {LEGS, LEGS_CATEGORY},
            {TORSO, TORSOS},
            {HEAD, HEADS},
        }};
        for (const auto& step : order)
            if (!tryEquip(step.first, categories[step.second], *robot, weight, side.maxSquadWeight)) return;
        robot->hp = robot->getMaxHp();
        robot->ep = robot->getMaxEp();
        robot->movePoints = robot->getMove();
    }
}

void ComputerPlayer::deploySquad(int side) {
    if (!gameData.currentMap || side < 0 || side >= GameData::SIDES) return;
    const CellList& cells = gameData.currentMap->startZone(side);
    auto& squad = gameData.sides[static_cast<size_t>(side)].squad;
    for (const auto& cell : cells) {
        auto waiting = std::find_if(squad.begin(), squad.end(), [](const Robot* robot) {
            return robot && robot->x == -1 && robot->y == -1;
        });
        if (waiting == squad.end()) return;
        Robot* robot = *waiting;
        robot->x = cell.first;
        robot->y = cell.second;
        if (std::find(gameData.roster.begin(), gameData.roster.end(), robot) == gameData.roster.end())
            gameData.roster.push_back(robot);
    }
}

void ComputerPlayer::takeTurn(Robot& robot) {
    act(robot);
    if (beforeTurnEnds) beforeTurnEnds(robot);
    // The turn ends as a human robot's does, a robot wrecked by its own attack included: its
    // record is left as "END TURN" would leave it.
    endRobotTurn(robot);
}

void ComputerPlayer::act(Robot& robot) {
    hitMarkers.clear();
    targets.clear();
    path.clear();

    gatherTargets(robot);
    Robot* target = chooseTarget(robot);
    const int startX = robot.x;
    const int startY = robot.y;

    int attacks = 0;
    for (;;) {
        bool changedSomething = false;
        if (attacks < MAX_ATTACKS_PER_TURN && attackPass(robot, target, changedSomething)) {
            ++attacks;
            // A robot that wrecked itself with its own area attack does nothing more. An attack
            // that changed neither the energy nor any cooldown would be repeated identically for
            // ever (a free attack on a part that never cools down): the turn ends there.
            if (robot.hp == 0 || !changedSomething) break;
            continue;
        }
        if (!movePass(robot)) break;
    }
    // Without a way to its target, or without the energy for the next step, the robot would
    // stand idle all turn even with an enemy in its sights; it shoots at that enemy instead.
    if (attacks == 0 && robot.x == startX && robot.y == startY) fireFromWhereItStands(robot);
}

void ComputerPlayer::fireFromWhereItStands(Robot& robot) {
    // One shot: the first ready part that covers a standing enemy, at the nearest such enemy.
    auto fireOnce = [&](bool& changedSomething) {
        for (int slot : WEAPON_ORDER) {
            Component* weapon = robot.getComponent(slot);
            if (!weapon || weapon->cooldownLeft != 0 || !weapon->hasAttacks()) continue;
            for (Robot* enemy : targets)  // nearest first
                if (enemy->hp > 0 && fireWeapon(robot, *weapon, *enemy, changedSomething)) return true;
        }
        return false;
    };
    for (int attacks = 0; attacks < MAX_ATTACKS_PER_TURN && robot.hp > 0; ++attacks) {
        bool changedSomething = false;
        // A free attack that cools nothing would repeat for ever.
        if (!fireOnce(changedSomething) || !changedSomething) break;
    }
}

void ComputerPlayer::gatherTargets(const Robot& robot) {
    targets.clear();
    const int enemySide = robot.side == 0 ? 1 : 0;
    for (Robot* other : gameData.roster)
        if (other && other->side == enemySide) targets.push_back(other);
    // Nearest first; equal distances keep roster order.
    std::stable_sort(targets.begin(), targets.end(), [&robot](const Robot* a, const Robot* b) {
        return distance(robot.x, robot.y, a->x, a->y) < distance(robot.x, robot.y, b->x, b->y);
    });
}

Robot* ComputerPlayer::chooseTarget(const Robot& robot) {
    for (Robot* candidate : targets) {
        if (candidate->hp == 0) continue;
        findPath(robot, candidate->x, candidate->y);
        // Failing that, a tile beside it: south, east, north, west. Goals off the int range are
        // off the map anyway.
        const std::array<std::pair<long long, long long>, 4> beside = {{
            {candidate->x, static_cast<long long>(candidate->y) + 1},
            {static_cast<long long>(candidate->x) + 1, candidate->y},
            {candidate->x, static_cast<long long>(candidate->y) - 1},
            {static_cast<long long>(candidate->x) - 1, candidate->y},
        }};
        for (const auto& goal : beside) {
            if (!path.empty()) break;
            if (goal.first < INT_MIN || goal.first > INT_MAX || goal.second < INT_MIN ||
                goal.second > INT_MAX)
                continue;
            findPath(robot, static_cast<int>(goal.first), static_cast<int>(goal.second));
        }
        if (!path.empty()) return candidate;
    }
    return nullptr;
}

bool ComputerPlayer::attackPass(Robot& robot, Robot* target, bool& changedSomething) {
    Component* weapon = chooseWeapon(robot);
    if (!target || target->hp <= 0 || !weapon || !weapon->hasAttacks()) return false;
    return fireWeapon(robot, *weapon, *target, changedSomething);
}

bool ComputerPlayer::fireWeapon(Robot& robot, Component& weapon, Robot& target, bool& changedSomething) {
    // The dearest attack still affordable before any turn: the last of the list within `ep`.
    const Attack* attack = nullptr;
    for (auto it = weapon.getAttacks().rbegin(); it != weapon.getAttacks().rend() && !attack; ++it)
        if (*it && canAfford(robot, **it)) attack = *it;
    if (!attack) return false;

    const int oldFacing = robot.facing;
    const int oldEp = robot.ep;
    for (int facing = 0; facing < 4; ++facing) {
        const long long cost = turnCost(oldFacing, facing);
        if (static_cast<long long>(oldEp) - cost < 0) continue;
        robot.facing = facing;
        robot.ep = clampToInt(oldEp - cost);
        if (!canHit(robot, target, *attack)) {
            robot.facing = oldFacing;
            robot.ep = oldEp;
            continue;
        }
        std::vector<int> cooldownsBefore;
        for (const auto& part : robot.components) cooldownsBefore.push_back(part ? part->cooldownLeft : 0);

        // The area is laid about the target's own tile, whichever range cell made it reachable,
        // on every robot standing in it whichever side it is on; the match's end is found after
        // the turn.
        strikeArea(robot, weapon, *attack, target.x, target.y, gameData.roster, hitMarkers,
                   StrikePayment::BeforeTheArea, false);

        changedSomething = robot.ep != oldEp;
        for (size_t slot = 0; slot < robot.components.size(); ++slot) {
            const auto& part = robot.components[slot];
            if (part && part->cooldownLeft != cooldownsBefore[slot]) changedSomething = true;
        }
        return true;
    }
    return false;
}

bool ComputerPlayer::movePass(Robot& robot) {
    // The robot stops next to its goal: the goal tile itself is never entered.
    if (path.size() < 2) return false;
    const bool turned = stepToward(robot);
    const auto next = path.back();
    // A step is always to a neighbouring tile: once a step has been skipped for want of energy
    // or movement the rest of the path is only turned along, never jumped to.
    const bool adjacent = distance(robot.x, robot.y, next.first, next.second) == 1;
    if (turned && adjacent && canPayStep(robot)) {
        const int fromX = robot.x;
        const int fromY = robot.y;
        robot.x = next.first;
        robot.y = next.second;
        robot.ep -= MOVE_ENERGY_COST;
        robot.movePoints -= 1;
        if (afterStep) afterStep(robot, fromX, fromY);
    }
    path.pop_back();
    return turned;
}

Component* ComputerPlayer::chooseWeapon(const Robot& robot) const {
    for (int slot : WEAPON_ORDER) {
        Component* part = robot.getComponent(slot);
        if (part && part->cooldownLeft == 0) return part;
    }
    return nullptr;
}

bool ComputerPlayer::canHit(const Robot& robot, const Robot& target, const Attack& attack) const {
    for (const auto& aim : attack.getRange()) {
        const auto aimOffset = turnPatternOffset(robot.facing, aim.first, aim.second);
        for (const auto& cell : attack.getAoe()) {
            const auto areaOffset = turnPatternOffset(robot.facing, cell.first, cell.second);
            if (standsOn(target, robot.x + aimOffset.first + areaOffset.first,
                         robot.y + aimOffset.second + areaOffset.second))
                return true;
        }
    }
    return false;
}

bool ComputerPlayer::stepToward(Robot& robot) {
    if (path.empty()) return false;
    const auto next = path.back();
    int wanted;
    if (next.first < robot.x)
        wanted = FACING_WEST;
    else if (next.first > robot.x)
        wanted = FACING_EAST;
    else if (next.second > robot.y)
        wanted = FACING_SOUTH;
    else if (next.second < robot.y)
        wanted = FACING_NORTH;
    else
        return true;  // already there
    const long long cost = turnCost(robot.facing, wanted);
    if (robot.ep < cost) return false;
    robot.ep = clampToInt(robot.ep - cost);
    robot.facing = wanted;
    return true;
}

void ComputerPlayer::findPath(const Robot& robot, int goalX, int goalY) {
    const Map* map = gameData.currentMap;
    if (!map) return;
    const Terrain* goal = map->terrainAt(goalX, goalY);
    if (!goal || !goal->isTraversable()) return;
    for (const Robot* other : gameData.roster)
        if (other && other->hp == 0 && standsOn(*other, goalX, goalY)) return;

    openNodes.clear();
    closedNodes.clear();
    pathFound = false;

    auto start = std::make_unique<PathNode>();
    start->x = robot.x;
    start->y = robot.y;
    start->estimate = estimateOf(robot.x, robot.y, goalX, goalY);
    openNodes.push_back(std::move(start));

    while (!openNodes.empty() && !pathFound) {
        // Largest sum first, so the best node is last; equal sums keep their order, so of the
        // best nodes the one added last is taken.
        std::stable_sort(openNodes.begin(), openNodes.end(),
                         [](const std::unique_ptr<PathNode>& a, const std::unique_ptr<PathNode>& b) {
                             return a->steps + a->estimate > b->steps + b->estimate;
                         });
        closedNodes.push_back(std::move(openNodes.back()));
        openNodes.pop_back();
        PathNode* node = closedNodes.back().get();

        const std::array<std::pair<long long, long long>, 4> neighbours = {{
            {static_cast<long long>(node->x) - 1, node->y},
            {static_cast<long long>(node->x) + 1, node->y},
            {node->x, static_cast<long long>(node->y) - 1},
            {node->x, static_cast<long long>(node->y) + 1},
        }};
        for (const auto& tile : neighbours) {
            expand(node, tile.first, tile.second, goalX, goalY);
            if (pathFound) return;  // the search ends when the goal is first reached
        }
    }
}

bool ComputerPlayer::passable(long long x, long long y, int goalX, int goalY) const {
    if (x < 0 || y < 0 || x > INT_MAX || y > INT_MAX) return false;
    const Terrain* terrain = gameData.currentMap->terrainAt(static_cast<int>(x), static_cast<int>(y));
    if (!terrain || !terrain->isTraversable()) return false;
    if (x == goalX && y == goalY) return true;  // a robot standing on the goal does not block it
    // Wrecks block their tiles like standing robots.
    for (const Robot* other : gameData.roster)
        if (other && standsOn(*other, x, y)) return false;
    return true;
}

void ComputerPlayer::expand(PathNode* from, long long x, long long y, int goalX, int goalY) {
    for (const auto& closed : closedNodes)
        if (closed->x == x && closed->y == y) return;
    if (!passable(x, y, goalX, goalY)) return;
    for (const auto& open : openNodes) {
        if (open->x == x && open->y == y) {
            if (from->steps + 1 < open->steps) {
                open->steps = from->steps + 1;
                open->parent = from;
            }
            return;
        }
    }
    auto node = std::make_unique<PathNode>();
    node->x = static_cast<int>(x);
    node->y = static_cast<int>(y);
    node->steps = from->steps + 1;
    node->estimate = estimateOf(x, y, goalX, goalY);
    node->parent = from;
    PathNode* added = node.get();
    openNodes.push_back(std::move(node));
    if (x == goalX && y == goalY) {
        // Goal first, back to the first step; the start tile is left out.
        for (const PathNode* step = added; step && step->parent; step = step->parent)
            path.emplace_back(step->x, step->y);
        pathFound = true;
    }
}
