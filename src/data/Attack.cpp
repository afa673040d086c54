#include "data/Attack.h"

#include "storage/MetakitView.h"

namespace {

void writeOffsets(std::ostream& out, const CellList& offsets) {
    for (const auto& cell : offsets) out << "(" << cell.first << ", " << cell.second << ") ";
}

}  // namespace

bool Attack::load(const MetakitView& view, size_t row) {
    name = view.getString(row, "name");
    description = view.getString(row, "description");
    damage = view.getInt(row, "damage");
    energy = view.getInt(row, "energy");
    accuracy = view.getInt(row, "accuracy");
    cooldown = view.getInt(row, "cooldown");
    melee = view.getInt(row, "isMelee") != 0;
    range = readCellList(view.getSubview(row, "range"));
    aoe = readCellList(view.getSubview(row, "aoe"));
    return true;
}

std::ostream& operator<<(std::ostream& out, const Attack& attack) {
    out << "ATTACK: " << attack.name << "\n";
    out << "Energy: " << attack.energy << "\n";
    out << "Cooldown: " << attack.cooldown << "\n";
    out << "Accuracy: " << attack.accuracy << "\n";
    out << "Damage: " << attack.damage << "\n";
    out << "Description: " << attack.description << "\n";
    out << "Type: " << (attack.melee ? "Melee" : "Ranged") << "\n";
    out << "Range: ";
    writeOffsets(out, attack.range);
    out << "\n";
    out << "AOE: ";
    writeOffsets(out, attack.aoe);
    out << "\n";
    return out;
}
