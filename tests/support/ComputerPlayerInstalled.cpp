// Every test program plays with the computer opponent installed, as the game does at start-up,
// so each GameData a test builds holds one.

#include "ai/ComputerPlayerFactory.h"

namespace {

[[maybe_unused]] const bool computerPlayerInstalled = (installComputerPlayerFactory(), true);

}  // namespace
