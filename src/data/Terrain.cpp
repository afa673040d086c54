#include "data/Terrain.h"

#include "gfx/Model.h"
#include "storage/MetakitView.h"

bool Terrain::load(const MetakitView& view, size_t row, ModelCache& modelCache) {
    name = view.getString(row, "name");
    description = view.getString(row, "description");
    traversable = view.getInt(row, "traversable") != 0;
    rotation = view.getInt(row, "rotation");
    model = cachedModel(modelCache, view.getString(row, "model"));
    return true;
}

void Terrain::draw() const {
    if (model) model->draw();
}

std::ostream& operator<<(std::ostream& out, const Terrain& terrain) {
    out << "TERRAIN: " << terrain.name << "\n";
    out << "Traversable: " << (terrain.traversable ? 1 : 0) << "\n";
    out << "Model file: " << (terrain.model ? terrain.model->fileName() : std::string()) << "\n";
    out << "Description: " << terrain.description << "\n";
    return out;
}
