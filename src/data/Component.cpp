#include "data/Component.h"

#include "data/Attack.h"
#include "gfx/Model.h"
#include "storage/MetakitView.h"

bool Component::load(const MetakitView& view, size_t row,
                     const std::map<std::string, Attack>& attackCatalogue, ModelCache& modelCache) {
    name = view.getString(row, "name");
    description = view.getString(row, "description");
    hp = view.getInt(row, "hp");
    ep = view.getInt(row, "ep");
    ap = view.getInt(row, "ap");
    weight = view.getInt(row, "weight");
    move = view.getInt(row, "move");
    type = componentTypeFromKeyword(view.getString(row, "type"));

    attacks.clear();
    const MetakitView& actions = view.getSubview(row, "actions");
    for (size_t i = 0; i < actions.rowCount(); ++i) {
        auto found = attackCatalogue.find(actions.getString(i, "action"));
        attacks.push_back(found == attackCatalogue.end() ? nullptr : &found->second);
    }

    models.clear();
    const MetakitView& modelRows = view.getSubview(row, "models");
    for (size_t i = 0; i < modelRows.rowCount(); ++i)
        models.push_back(cachedModel(modelCache, modelRows.getString(i, "model")));
    return true;
}

bool Component::hasAttacks() const {
    for (const Attack* attack : attacks)
        if (attack) return true;
    return false;
}

void Component::drawModel(size_t index) const {
    if (index < models.size() && models[index]) models[index]->draw();
}

std::ostream& operator<<(std::ostream& out, const Component& component) {
    out << "COMPONENT: " << component.name << "\n";
    out << "Type: " << componentTypeName(component.type) << "\n";
    out << "HP: " << component.hp << "\n";
    out << "EP: " << component.ep << "\n";
    out << "AP: " << component.ap << "\n";
    out << "Weight:" << component.weight << "\n";
    out << "Move: " << component.move << "\n";
    out << "Description: " << component.description << "\n";
    out << "Attacks: ";
    for (const Attack* attack : component.attacks)
        if (attack) out << attack->name << ", ";
    out << "\n";
    out << "Model files: ";
    for (const Model* model : component.models)
        if (model) out << model->fileName() << ", ";
    out << "\n";
    return out;
}
