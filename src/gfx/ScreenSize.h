#pragma once
// The game's window: full screen at 1024 x 768 pixels; 2D drawing has its origin at the top left.

constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;
