// model FILE: loads a model file as the game does and prints the loader's own lines, then the
// model's diagnostic listing. Exit status 0 when the file loaded completely, 1 when it did not.

#include <iostream>

#include "Subcommands.h"
#include "gfx/Model.h"

int runModel(const std::vector<std::string>& args) {
    Model model("");  // no OpenGL here: textures are looked up but not read
    bool loaded = model.load(args[0]);
    std::cout << model;
    std::cout.flush();
    return loaded ? 0 : 1;
}
