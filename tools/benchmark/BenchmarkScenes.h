#pragma once
// The scenes the frame benchmark measures, also drawn by the same-picture test: the title screen,
// the rules screen's map page with its 3D preview, the build screen's equip list, a busy screen
// of labels and images, and the battle on the largest map (by tiles) with a robot on every start
// tile of both sides, at its dispatch and at target selection. Needs an OpenGL context and the
// game folder as working directory.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TitleScreen.h"
#include "battle/BattleScreen.h"
#include "build/BuildScreen.h"
#include "data/GameData.h"
#include "gfx/Camera.h"
#include "setup/RulesScreen.h"

struct BenchmarkScene {
    std::string name;
    std::function<void()> draw;
    // The most OpenGL calls and vertices sent one call at a time a frame may take (0: no budget).
    long callBudget = 0;
    long vertexBudget = 0;
};

class BenchmarkScenes {
public:
    BenchmarkScenes();

    std::vector<BenchmarkScene> scenes;
    // False when the database has no map or no part to build robots from: no battle scenes.
    bool battleShown = false;
    // The battle's screen, for the benchmark's thousand-frame run.
    BattleScreen& battleScreen() { return *battle; }

private:
    GameData gameData;
    Camera titleCamera;
    std::unique_ptr<TitleScreen> title;
    std::unique_ptr<RulesScreen> rules;
    std::unique_ptr<BuildScreen> build;
    GameData battleData;
    std::unique_ptr<BattleScreen> battle;
};
