#pragma once
// One kind of ground tile: whether robots may stand on it and the model (with a turn about the
// vertical axis) that shows it. Read once from the database; never changes.

#include <cstddef>
#include <ostream>
#include <string>

#include "data/ModelCache.h"

class MetakitView;
class Model;

class Terrain {
public:
    std::string name;
    std::string description;
    bool traversable = false;
    int rotation = 0;        // degrees about the vertical axis, applied when the map is drawn
    Model* model = nullptr;  // shared entry of the model cache, never owned here

    // Reads row `row` of the `terrain` view, loading its model file through `modelCache`.
    bool load(const MetakitView& view, size_t row, ModelCache& modelCache);

    std::string getName() const { return name; }
    std::string getDescription() const { return description; }
    bool isTraversable() const { return traversable; }
    int getRotation() const { return rotation; }
    Model* getModel() const { return model; }

    // Draws the model at the current transform, if there is one.
    void draw() const;
};

// The modders' listing: "TERRAIN: ...", "Traversable: 1", "Model file: ...", "Description: ...".
std::ostream& operator<<(std::ostream& out, const Terrain& terrain);
