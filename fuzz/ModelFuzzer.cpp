// Feeds arbitrary bytes to the model loader, then poses and lists whatever it accepted.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

#include "gfx/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so a read one byte past the end is caught.
    std::vector<unsigned char> bytes(data, data + size);
    Model model("");
    model.modelFileName = "models/fuzz.ms3d";
    if (!model.loadFromBuffer(bytes.data(), bytes.size())) return 0;
    for (int t : {0, 1, 500, 1000, 100000}) model.animate(t);
    std::ostringstream listing;
    listing << model;
    return 0;
}
