// The move-order list drawn for real: from the robot whose turn it is, wrapping round the roster,
// one line per robot still standing.

#include <gtest/gtest.h>

#include "../support/DisplayWindow.h"
#include "data/GameData.h"

namespace {

// Whether a 20-pixel line of the list starting at y holds text: looked for in the middle of the
// line, where capitals and digits stand, since a slash of the line above may reach just into it.
bool lineHasText(int y) {
    return brightestIn(10, y + 6, 300, 10) > 150;
}

TEST(SquadDrawingDisplayTest, MoveOrderStartsAtTheTurnAndSkipsTheFallen) {
    DisplayWindow window;
    ASSERT_TRUE(window.open()) << SDL_GetError();
    GameData gameData;
    const char* names[4] = {"ALPHA", "BRAVO", "CHARLIE", "DELTA"};
    for (int i = 0; i < 4; ++i) {
        Robot* robot = gameData.createRobot();
        robot->name = names[i];
        robot->side = i % 2;
        robot->hp = 10;
        gameData.roster.push_back(robot);
    }
    gameData.roster[3]->hp = 0;
    gameData.turnIndex = 2;

    gameData.drawMoveOrder(10, 100);
    // Three standing robots: CHARLIE, ALPHA, BRAVO; the fallen DELTA takes no line.
    EXPECT_TRUE(lineHasText(100));
    EXPECT_TRUE(lineHasText(120));
    EXPECT_TRUE(lineHasText(140));
    EXPECT_FALSE(lineHasText(160));

    // Line widths follow the names in turn order: "1/CHARLIE" is the widest, "2/BRAVO" shorter.
    auto lineWidth = [](int y) {
        int right = 0;
        for (int x = 10; x < 400; ++x)
            if (brightestIn(x, y, 1, 20) > 100) right = x;
        return right;
    };
    int first = lineWidth(100), second = lineWidth(120), third = lineWidth(140);
    EXPECT_GT(first, second);  // 1/CHARLIE wider than 1/ALPHA
    EXPECT_GT(third, second);  // 2/BRAVO wider than 1/ALPHA

    // An empty roster draws nothing.
    glClear(GL_COLOR_BUFFER_BIT);
    gameData.roster.clear();
    gameData.drawMoveOrder(10, 100);
    EXPECT_EQ(brightestIn(0, 90, 400, 100), 0);
}

}  // namespace
