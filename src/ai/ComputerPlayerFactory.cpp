#include "ai/ComputerPlayerFactory.h"

#include "ai/ComputerPlayer.h"
#include "data/GameData.h"

namespace {

void deleteComputerPlayer(ComputerPlayer* player) {
    delete player;
}

ComputerPlayerPtr makeComputerPlayer(GameData& gameData) {
    return ComputerPlayerPtr(new ComputerPlayer(gameData), deleteComputerPlayer);
}

}  // namespace

void installComputerPlayerFactory() {
    GameData::computerPlayerFactory = makeComputerPlayer;
}
