#pragma once
// Which screen has control; held as a plain int in GameData::mode (and resumeMode).
// Any other value is an unrecognised mode, which the main loop handles on its own.

enum GameMode { TitleMode = 0, RulesMode = 1, BuildMode = 2, BattleMode = 3, QuitMode = 4 };
