// ms3d-gen: turns a model description (YAML) into the MilkShape 3D file the game loads.
#include "ModelDescription.h"
#include "Ms3dWriter.h"

#include <cstring>
#include <iostream>
#include <stdexcept>

#include "storage/PrintableText.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--help") == 0) {
        std::cerr << "usage: ms3d-gen DESCRIPTION.yaml OUTPUT.ms3d\n";
        return 2;
    }
    try {
        ModelDescription description = ModelDescription::fromFile(argv[1]);
        Ms3dWriter::writeFile(description.model, argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "ms3d-gen: " << printableText(e.what()) << "\n";
        return 1;
    }
    return 0;
}
