#pragma once
// The built game folder as working directory for as long as the object lives, as the game runs
// beside its data files; the folder before it comes back afterwards.

#include <string>

#include <unistd.h>

class InGameFolder {
public:
    InGameFolder() {
        char here[4096];
        if (getcwd(here, sizeof here)) previous = here;
        entered = chdir(GEARWARD_GAME_DIR) == 0;
    }
    ~InGameFolder() {
        if (!previous.empty() && chdir(previous.c_str()) != 0) {
            // Nothing better to do: the next test sets its own folder.
        }
    }
    InGameFolder(const InGameFolder&) = delete;
    InGameFolder& operator=(const InGameFolder&) = delete;

    // Whether the game folder is the working directory now.
    bool ok() const { return entered; }

private:
    std::string previous;
    bool entered = false;
};
