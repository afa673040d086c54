// Loads arbitrary database bytes as the game loads data.db, builds two squads from whatever parts
// they hold, and plays a battle on one of their maps with a few thousand key presses drawn from a
// generator seeded by the input. Whatever the numbers, the screen keeps its sub-state, turn index
// and delay amount sound, no robot stands in the move order twice, and every frame's panels draw.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include <SDL/SDL.h>

#include "ai/ComputerPlayerFactory.h"
#include "battle/BattleScreen.h"
#include "data/GameData.h"
#include "storage/MetakitStorage.h"

namespace {

constexpr int KEY_PRESSES = 3000;

const SDLKey keys[] = {SDLK_UP,    SDLK_DOWN,   SDLK_LEFT,   SDLK_RIGHT,  SDLK_SPACE, SDLK_SPACE,
                       SDLK_SPACE, SDLK_RETURN, SDLK_ESCAPE, SDLK_LSHIFT, SDLK_KP4,   SDLK_END};

void buildSquad(GameData& data, int side, int robots) {
    for (int i = 0; i < robots; ++i) {
        Robot* robot = data.createRobot();
        robot->setSide(side);
        for (int slot = 0; slot < COMPONENT_SLOTS; ++slot) {
            std::vector<const Component*> fitting;
            for (const auto& entry : data.components)
                if (entry.second.type == slot) fitting.push_back(&entry.second);
            if (!fitting.empty()) robot->setComponent(slot, fitting[size_t(i) % fitting.size()]);
        }
        Pilot* pilot = data.createPilot();
        pilot->reflexes = rand() % 11;
        pilot->meleeAttack = rand() % 11;
        pilot->rangedAttack = rand() % 11;
        pilot->defense = rand() % 11;
        robot->setPilot(pilot);
        robot->hp = robot->getMaxHp();
        robot->ep = robot->getMaxEp();
        robot->movePoints = robot->getMove();
        data.sides[size_t(side)].squad.push_back(robot);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The computer deploys and plays side 1 whenever it is not a second human.
    static const bool computerInstalled = (installComputerPlayerFactory(), true);
    (void)computerInstalled;
    MetakitStorage storage;
    if (!storage.decode(bytes, size)) return 0;
    GameData data;
    data.load(storage);
    data.reset();
    if (data.maps.empty()) return 0;
    srand(static_cast<unsigned>(size));
    data.currentMap = &std::next(data.maps.begin(), long(size % data.maps.size()))->second;
    data.sides[1].controller = size % 2 == 0 ? SideSetup::COMPUTER : SideSetup::HUMAN;
    buildSquad(data, 0, 3);
    buildSquad(data, 1, 3);

    BattleScreen screen(data);
    data.mode = BattleMode;
    for (int press = 0; press < KEY_PRESSES; ++press) {
        SDLKey key = keys[size_t(rand()) % (sizeof keys / sizeof keys[0])];
        // SDLK_END stands for "END TURN": down to the menu's last line, then Space.
        const int downs = key == SDLK_END ? ACTION_LINES : 0;
        if (key == SDLK_END) key = SDLK_SPACE;
        for (int i = 0; i <= downs; ++i) {
            SDL_Event event{};
            event.type = SDL_KEYDOWN;
            event.key.keysym.sym = i < downs ? SDLK_DOWN : key;
            screen.handleEvent(event);
        }
        // Every frame draws the panels of the sub-state from whatever the database held (no
        // context and no font here: only what they look up is exercised).
        screen.draw();
        if (screen.state == MatchEnd) break;

        if (screen.state < 0 || screen.state >= BATTLE_STATES || screen.state == NoBattleState) std::abort();
        if (!data.roster.empty() && (data.turnIndex < 0 || size_t(data.turnIndex) >= data.roster.size()))
            std::abort();
        std::set<const Robot*> seen(data.roster.begin(), data.roster.end());
        if (seen.size() != data.roster.size()) std::abort();
        const int s = screen.state;
        if (s == EnergyDelay && screen.cursor[EnergyDelay] % BattleScreen::DELAY_STEP != 0) std::abort();
    }
    return 0;
}
