// The frame loop without a display: SDL's dummy video driver carries the event queue, nothing is
// drawn (no OpenGL context), and the events are pushed as the game would receive them.

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "../support/GlCallCounter.h"
#include "../support/HeadlessScreen.h"
#include "../support/KeyEvent.h"
#include "app/GameLoop.h"
#include "app/TitleScreen.h"
#include "battle/BattleScreen.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "data/Robot.h"
#include "gfx/Camera.h"
#include "setup/RulesScreen.h"

namespace {

void push(SDL_Event event) {
    SDL_PushEvent(&event);
}

// The objects runGame owns, over the game's own data, with SDL's event queue up.
class GameLoopTest : public testing::Test {
protected:
    HeadlessScreen screen;  // the game folder: a reload rereads its data.db
    GameData gameData;
    Camera titleCamera{Vector3(30, 10, 20), 30, -60, 45, true};
    TitleScreen titleScreen{gameData};
    RulesScreen rulesScreen{gameData};
    BuildScreen buildScreen{gameData};
    BattleScreen battleScreen{gameData};
    GameLoopFrame objects{gameData, titleCamera, titleScreen, rulesScreen, buildScreen, battleScreen, 0};

    void SetUp() override {
        ASSERT_TRUE(screen.ready());
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        // Drain what the driver queued at start-up, so each test sees only its own events.
        SDL_Event event;
        while (SDL_PollEvent(&event)) {}
    }
    void TearDown() override { SDL_Quit(); }

    // Runs the loop; a hook that gives up after `frames` frames keeps a broken loop from hanging.
    int run(const FrameHook& hook, int frames = 20) {
        runFrames(objects, [&](GameLoopFrame& loop) {
            hook(loop);
            if (loop.frame >= frames) loop.gameData.mode = QuitMode;
        });
        return objects.frame;
    }
};

TEST_F(GameLoopTest, AQuitRequestFromOutsideEndsTheLoopLikeQuit) {
    long callsBefore = GlCallCounter::count();
    int framesRun = run([](GameLoopFrame& loop) {
        if (loop.frame == 2) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            push(quit);
            push(keyEvent(SDLK_DOWN));  // queued behind the request: never delivered
        }
    });
    EXPECT_EQ(gameData.mode, QuitMode);
    EXPECT_EQ(framesRun, 3) << "the loop ends after the frame that received the request";
    EXPECT_EQ(titleScreen.selection[0], 0);
    EXPECT_EQ(GlCallCounter::count(), callsBefore) << "the headless loop made OpenGL calls";
}

TEST_F(GameLoopTest, AQuitRequestEndsTheLoopInAModeNoScreenHasToo) {
    gameData.mode = 9;
    run([](GameLoopFrame& loop) {
        if (loop.frame == 0) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            push(quit);
        }
    });
    EXPECT_EQ(gameData.mode, QuitMode);
    EXPECT_EQ(objects.frame, 1);
}

TEST_F(GameLoopTest, EndGameThenNewGameInOneFrameStartsAFreshGame) {
    // A game in progress, left with Escape from the build screen: the in-game menu on END GAME.
    gameData.mode = TitleMode;
    gameData.resumeMode = BuildMode;
    titleScreen.page = 1;
    titleScreen.selection[1] = 1;
    Robot* oldRobot = gameData.createRobot();
    gameData.sides[0].squad.push_back(oldRobot);
    gameData.turnIndex = 3;

    int modeAfter = -1;
    bool reloadPendingAfter = true;
    size_t squadAfter = 99;
    int pageAfter = -1;
    int turnIndexAfter = -1;
    run([&](GameLoopFrame& loop) {
        if (loop.frame == 0) {
            push(keyEvent(SDLK_SPACE));  // END GAME
            push(keyEvent(SDLK_SPACE));  // NEW GAME on the fresh start menu
        } else if (loop.frame == 1) {
            modeAfter = loop.gameData.mode;
            reloadPendingAfter = loop.gameData.reloadRequested;
            squadAfter = loop.gameData.sides[0].squad.size();
            pageAfter = loop.titleScreen.page;
            turnIndexAfter = loop.gameData.turnIndex;
            // What the rules screen would create now must survive the next frames.
            loop.gameData.sides[0].squad.push_back(loop.gameData.createRobot());
        } else if (loop.frame == 3) {
            loop.gameData.mode = QuitMode;
        }
    });
    EXPECT_EQ(modeAfter, RulesMode);
    EXPECT_FALSE(reloadPendingAfter) << "the reload must be done before NEW GAME is handled";
    EXPECT_EQ(squadAfter, 0u) << "the old match is gone before the new one starts";
    EXPECT_EQ(turnIndexAfter, 0);
    EXPECT_EQ(pageAfter, 1) << "NEW GAME leaves the in-game menu for the next visit";
    EXPECT_EQ(gameData.sides[0].squad.size(), 1u) << "a late reload wiped the new game";
}

TEST_F(GameLoopTest, EndGameAloneReloadsAtOnceAndShowsTheStartMenu) {
    titleScreen.page = 1;
    titleScreen.selection[1] = 1;
    gameData.resumeMode = BattleMode;
    run([](GameLoopFrame& loop) {
        if (loop.frame == 0)
            push(keyEvent(SDLK_SPACE));
        else if (loop.frame == 1)
            loop.gameData.mode = QuitMode;
    });
    EXPECT_FALSE(gameData.reloadRequested);
    EXPECT_EQ(gameData.resumeMode, TitleMode);
    EXPECT_EQ(titleScreen.page, 0);
    EXPECT_EQ(titleScreen.selection[0], 0);
    // The names were read again from the game's data.db.
    EXPECT_FALSE(gameData.robotNames.empty());
}

}  // namespace
