#pragma once
// One tile reached by the computer's path search, with the node it was reached from.

struct PathNode {
    int x = 0;
    int y = 0;
    int steps = 0;     // tiles walked from the start
    int estimate = 0;  // 20 x the Manhattan distance to the goal
    PathNode* parent = nullptr;
};
