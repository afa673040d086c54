#pragma once
// Installs how GameData makes its computer opponent. GameData sits below the computer player and
// cannot construct one itself; every program that plays (the game, the tests) installs this once
// before its first GameData.

void installComputerPlayerFactory();
