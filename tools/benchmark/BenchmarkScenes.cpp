#include "BenchmarkScenes.h"

#include <SDL/SDL.h>

#include "app/GameLoop.h"
#include "battle/BattleMapView.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/Component.h"
#include "data/Map.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "gfx/DrawImage.h"
#include "gfx/TextLabel.h"

namespace {

void busyScreen() {
    static const char* const images[] = {
        "textures/UIColumnDark.bmp", "textures/UIColumn.bmp",   "textures/UICursor.png",
        "textures/UIKeyEsc.bmp",     "textures/UIKeySpace.bmp",
    };
    for (int i = 0; i < 20; ++i) drawImage(images[i % 5], 40 * (i % 10), 300 + 60 * (i / 10), 36, 50);
    static const int sizes[] = {14, 18, 20, 24};
    for (int i = 0; i < 40; ++i) {
        TextLabel label("Label " + toString(i), 10 + 250 * (i % 4), 10 + 25 * (i / 4));
        label.size(sizes[i % 4]);
        if (i % 3 == 0) label.bold().color(0.8, 0.8, 0.8);
        label.draw();
    }
}

// The largest map (by tiles) with a robot of each side on every start tile, each carrying parts
// spread over the catalogue, and side 0's first robot aiming its first attack.
bool setUpBattle(GameData& gameData, BattleScreen& battle) {
    const Map* largest = nullptr;
    for (const auto& entry : gameData.maps) {
        const Map& map = entry.second;
        if (!largest || map.getWidth() * map.getHeight() > largest->getWidth() * largest->getHeight())
            largest = &map;
    }
    if (!largest) return false;
    gameData.currentMap = const_cast<Map*>(largest);
    std::vector<const Component*> bySlot[COMPONENT_SLOTS];
    for (const auto& entry : gameData.components) {
        int slot = int(entry.second.getType());
        if (slot >= 0 && slot < COMPONENT_SLOTS) bySlot[slot].push_back(&entry.second);
    }
    int made = 0;
    for (int side = 0; side < 2; ++side) {
        for (const auto& tile : largest->startZone(side)) {
            Robot* robot = gameData.createRobot();
            robot->name = "Robot " + toString(made);
            robot->setSide(side);
            for (int slot = 0; slot < COMPONENT_SLOTS; ++slot)
                if (!bySlot[slot].empty())
                    robot->setComponent(slot, bySlot[slot][size_t(made) % bySlot[slot].size()]);
            Pilot* pilot = gameData.createPilot();
            pilot->name = "Pilot " + toString(made);
            pilot->side = side;
            gameData.sides[size_t(side)].pilots.push_back(pilot);
            robot->setPilot(pilot);
            robot->hp = robot->getMaxHp();
            robot->ep = robot->getMaxEp();
            robot->movePoints = robot->getMove();
            robot->x = tile.first;
            robot->y = tile.second;
            robot->facing = side == 0 ? FACING_NORTH : FACING_SOUTH;
            gameData.sides[size_t(side)].squad.push_back(robot);
            gameData.roster.push_back(robot);
            ++made;
        }
    }
    if (gameData.roster.empty()) return false;
    gameData.mode = BattleMode;
    gameData.turnIndex = 0;
    Robot* acting = gameData.roster[0];
    battle.selectedRobot = acting;
    battle.cursor[RobotSelect] = acting->x;
    battle.cursor2[RobotSelect] = acting->y;
    battle.battleCamera.setHomeView(Vector3(4.0 * largest->getWidth() / 2, 0, 4.0 * largest->getHeight() / 2),
                                    65, 0, 45);
    battle.cursor[AttackComponent] = 0;
    battle.cursor[AttackChoice] = 0;
    battle.state = TargetSelect;
    const Attack* attack = battle.chosenAttack();
    if (!attack || attack->getRange().empty()) {
        battle.state = ActionMenu;
        return true;
    }
    auto offset = turnPatternEntry(acting->facing, attack->getRange()[0].first, attack->getRange()[0].second);
    battle.cursor[TargetSelect] = acting->x + offset.first;
    battle.cursor2[TargetSelect] = acting->y + offset.second;
    return true;
}

}  // namespace

BenchmarkScenes::BenchmarkScenes() : titleCamera(Vector3(30, 10, 20), 30, -60, 45, true) {
    gameData.load();
    gameData.selectTitleMap();
    title = std::make_unique<TitleScreen>(gameData);

    // The map page as a player reaches it against the computer, the first map highlighted.
    rules = std::make_unique<RulesScreen>(gameData);
    rules->page = RulesScreen::MAP_PAGE;

    // A match set up from that page, and the head list of the first robot, its second row
    // highlighted so that the preview shows its arrows.
    build = std::make_unique<BuildScreen>(gameData);
    SDL_Event space{};
    space.type = SDL_KEYDOWN;
    space.key.keysym.sym = SDLK_SPACE;
    rules->handleEvent(space);
    build->handleEvent(space);
    build->handleEvent(space);
    build->cursor[2] = build->candidates.size() > 1 ? 1 : 0;

    // The battle in a match of its own, after the build screen is done with the first.
    battleData.load();
    battle = std::make_unique<BattleScreen>(battleData);
    battleShown = setUpBattle(battleData, *battle);

    // Budgets: a tenth of the calls these screens made when every vertex went on its own, and
    // for the battle frame the figure the game is held to.
    scenes.push_back({"title screen",
                      [this]() {
                          drawTitleBackdrop(gameData, titleCamera);
                          title->draw();
                      },
                      6068, 0});
    scenes.push_back({"rules map page + preview", [this]() { rules->draw(); }, 6196, 0});
    scenes.push_back({"build equip list + model", [this]() { build->draw(); }, 339, 0});
    scenes.push_back({"40 labels + 20 images", busyScreen, 0, 0});
    if (!battleShown) return;
    // Side 1's squad list beside the full map, as its dispatch ends.
    scenes.push_back({"battle dispatch, full map",
                      [this]() {
                          const int state = battle->state;
                          battle->state = DispatchSelect;
                          battle->dispatchSide = 1;
                          battle->draw();
                          battle->state = state;
                          battle->dispatchSide = 0;
                      },
                      22740, 0});
    scenes.push_back({"battle, full map + panels", [this]() { battle->draw(); }, 12000, 1000});
    scenes.push_back({"battle 3D view alone", [this]() { drawBattleMapView(*battle); }, 0, 0});
}
