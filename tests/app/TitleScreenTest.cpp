#include <gtest/gtest.h>

#include "../support/KeyEvent.h"
#include "app/TitleScreen.h"
#include "data/GameData.h"

namespace {

SDL_Event key(SDLKey sym, Uint8 type = SDL_KEYDOWN) {
    return keyEvent(sym, type);
}

class TitleScreenTest : public testing::Test {
protected:
    GameData gameData;
    TitleScreen title{gameData};

    void press(SDLKey sym, int times = 1) {
        for (int i = 0; i < times; ++i) title.handleEvent(key(sym));
    }
};

TEST_F(TitleScreenTest, CursorMovesWithinTheThreeEntries) {
    press(SDLK_UP);
    EXPECT_EQ(title.selection[0], 0);
    press(SDLK_DOWN, 3);
    EXPECT_EQ(title.selection[0], 2);
    press(SDLK_DOWN);
    EXPECT_EQ(title.selection[0], 2);
    press(SDLK_UP);
    EXPECT_EQ(title.selection[0], 1);
    EXPECT_EQ(gameData.mode, TitleMode);
}

TEST_F(TitleScreenTest, NewGameOpensTheRulesAndLeavesTheInGameMenuForLater) {
    press(SDLK_SPACE);
    EXPECT_EQ(gameData.mode, RulesMode);
    EXPECT_EQ(title.page, 1);
    EXPECT_EQ(title.selection[0], 0);
}

TEST_F(TitleScreenTest, ResumeGameReturnsToTheScreenThatWasLeft) {
    press(SDLK_SPACE);                // NEW GAME
    gameData.resumeMode = RulesMode;  // the rules screen was left with Escape
    gameData.mode = TitleMode;
    press(SDLK_SPACE);  // RESUME GAME
    EXPECT_EQ(gameData.mode, RulesMode);

    gameData.resumeMode = BattleMode;
    gameData.mode = TitleMode;
    press(SDLK_SPACE);
    EXPECT_EQ(gameData.mode, BattleMode);
}

TEST_F(TitleScreenTest, EndGameAsksForAReloadAndShowsTheStartMenu) {
    press(SDLK_SPACE);  // NEW GAME
    gameData.mode = TitleMode;
    press(SDLK_DOWN);
    EXPECT_EQ(title.selection[1], 1);
    EXPECT_EQ(title.selection[0], 0);
    press(SDLK_SPACE);  // END GAME
    EXPECT_TRUE(gameData.reloadRequested);
    EXPECT_EQ(gameData.mode, TitleMode);
    EXPECT_EQ(title.page, 0);
    EXPECT_EQ(title.selection[0], 0);
    EXPECT_EQ(title.selection[1], 0);
}

TEST_F(TitleScreenTest, QuitFromEitherMenu) {
    press(SDLK_DOWN, 2);
    press(SDLK_SPACE);
    EXPECT_EQ(gameData.mode, QuitMode);

    GameData inGame;
    TitleScreen menu(inGame);
    menu.page = 1;
    menu.selection[1] = 2;
    menu.handleEvent(key(SDLK_SPACE));
    EXPECT_EQ(inGame.mode, QuitMode);
}

TEST_F(TitleScreenTest, CreditsPageLeavesOnlyWithEscape) {
    press(SDLK_DOWN);
    press(SDLK_SPACE);
    ASSERT_EQ(title.page, 2);
    press(SDLK_SPACE);
    press(SDLK_UP);
    press(SDLK_DOWN);
    EXPECT_EQ(title.page, 2);
    EXPECT_EQ(title.selection[0], 1);
    EXPECT_EQ(gameData.mode, TitleMode);
    press(SDLK_ESCAPE);
    EXPECT_EQ(title.page, 0);
    // The start menu still highlights "CREDITS".
    EXPECT_EQ(title.selection[0], 1);
}

TEST_F(TitleScreenTest, EscapeDoesNothingOnTheMenus) {
    press(SDLK_ESCAPE);
    EXPECT_EQ(title.page, 0);
    EXPECT_EQ(gameData.mode, TitleMode);
    title.page = 1;
    press(SDLK_ESCAPE);
    EXPECT_EQ(title.page, 1);
    EXPECT_EQ(gameData.mode, TitleMode);
}

TEST_F(TitleScreenTest, KeyReleasesAndOtherEventsChangeNothing) {
    for (SDLKey sym : {SDLK_DOWN, SDLK_SPACE, SDLK_ESCAPE, SDLK_UP}) title.handleEvent(key(sym, SDL_KEYUP));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    title.handleEvent(quit);
    EXPECT_EQ(title.page, 0);
    EXPECT_EQ(title.selection[0], 0);
    EXPECT_EQ(gameData.mode, TitleMode);
    EXPECT_FALSE(gameData.reloadRequested);
}

TEST_F(TitleScreenTest, ResetReturnsToTheStartMenu) {
    press(SDLK_SPACE);
    title.selection[1] = 2;
    title.selection[2] = 1;
    GameData other;
    title.reset(other);
    EXPECT_EQ(title.gameData, &other);
    EXPECT_EQ(title.page, 0);
    EXPECT_EQ(title.selection[0], 0);
    EXPECT_EQ(title.selection[1], 0);
    EXPECT_EQ(title.selection[2], 0);
}

}  // namespace
