#pragma once
// The whole run of the game: start-up, the loading screen, the frame loop and shutdown.
// main() only calls runGame(); tests call it too, under a virtual X server, with a frame hook
// that feeds key events and reads the picture back.

#include <functional>

class BattleScreen;
class BuildScreen;
class Camera;
class GameData;
class RulesScreen;
class TitleScreen;

// What a frame hook sees: every long-lived object of the run and the number of the frame.
struct GameLoopFrame {
    GameData& gameData;
    Camera& titleCamera;
    TitleScreen& titleScreen;
    RulesScreen& rulesScreen;
    BuildScreen& buildScreen;
    BattleScreen& battleScreen;
    int frame;
};

// Called every frame after the screen is drawn and before the pending events are delivered
// (events it pushes arrive in the same frame; the back buffer holds the frame just drawn).
using FrameHook = std::function<void(GameLoopFrame&)>;

// Runs the game until "QUIT" or a request to quit from outside (closing the window, Ctrl+C,
// SIGTERM); returns the exit status (0). A fatal start-up failure prints its
// "Error: " line on standard error and exits with status 1.
int runGame(const FrameHook& afterDraw = FrameHook());

// The frame loop alone, until the mode is "quit": draw, the hook, deliver the pending events,
// swap, sleep 15 ms. runGame runs it on its own objects; headless tests (no OpenGL context, SDL's
// dummy video driver for the event queue) run it on theirs.
void runFrames(GameLoopFrame& objects, const FrameHook& afterDraw = FrameHook());

// The title's 3D backdrop, the current map right of the menu column (nothing without a map),
// then the projection the menu is drawn under.
void drawTitleBackdrop(GameData& gameData, Camera& camera);

// The one-frame loading screen: a dark band across the middle and "LOADING".
void drawLoadingScreen();
