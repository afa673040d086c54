// Gearward Arc: reads data.db and the data files from its working folder. Started from a folder
// without data.db (build/game/gearward from anywhere else), it moves to its own folder, where the
// build lays them; the installed launcher starts it in the data folder, apart from the binary.

#include <climits>
#include <string>

#include <unistd.h>

#include "app/GameLoop.h"
#include "data/GameData.h"

int main() {
    if (access(GameData::DATABASE_FILE, F_OK) == 0) return runGame();
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        std::string folder(path, size_t(length));
        folder.erase(folder.find_last_of('/') + 1);
        if (chdir(folder.c_str()) != 0) {
            // Stay where we were started and report what is missing there.
        }
    }
    return runGame();
}
