// The title screen's pages drawn for real with the game's own font and images, read back.

#include <gtest/gtest.h>

#include "app/TitleScreen.h"
#include "data/GameData.h"
#include "../support/DisplayWindow.h"

namespace {

TEST(TitleScreenDisplayTest, CreditLinesStayInsideTheirColumn)
{
    DisplayWindow window;
    ASSERT_TRUE(window.open()) << SDL_GetError();
    GameData gameData;
    TitleScreen title(gameData);
    title.page = 2;
    title.draw();

    // Both lines show in the dark column left of x = 200 ...
    EXPECT_GT(brightestIn(12, 120, 176, 28), 200) << "the author line is missing";
    EXPECT_GT(brightestIn(12, 145, 176, 22), 200) << "the contact line is missing";
    // ... and neither runs over the column's edge into the open backdrop beside it.
    EXPECT_LT(brightestIn(201, 118, 823, 52), 200) << "a credit line runs past its column";
}

}  // namespace
