// Gearward Arc: starts the game from its own folder, where data.db and the data files lie.

#include <climits>
#include <string>

#include <unistd.h>

#include "app/GameLoop.h"

int main()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        std::string folder(path, size_t(length));
        folder.erase(folder.find_last_of('/') + 1);
        if (chdir(folder.c_str()) != 0) {
            // Stay where we were started; the data files may be there.
        }
    }
    return runGame();
}
