#pragma once
// Where gearward-sim finds the game's data.db when no --database is given, from the path of the
// program itself: an installed copy (PREFIX/bin/gearward-sim) reads the installed game's
// PREFIX/share/games/gearward-arc/data.db; a built one (build/tools/gearward-sim) reads the game
// folder build/game/data.db. When neither exists, data.db in the working directory.

#include <filesystem>
#include <string>

std::string defaultDatabaseFor(const std::filesystem::path& program);
// The same for the running program (/proc/self/exe).
std::string defaultDatabase();
