#include "pipeline/ContentChecker.h"

#include <cstdio>
#include <map>
#include <set>

#include "data/GameData.h"
#include "pipeline/GameSchema.h"

namespace {

const char* const componentTypes[] = {"HEAD", "TORSO", "LEFTARM", "RIGHTARM", "LEGS", "REACTOR"};
const char* const namedViews[] = {"attack", "component", "terrain", "map", "pilot", "robot"};
const size_t requiredNames = 20;

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A layout character as it reads in a message: printable ASCII as itself, any other byte in hex.
std::string characterText(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) return quoted(std::string(1, c));
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", byte);
    return quoted(hex);
}

std::string at(const std::string& path, size_t row) {
    return path + "[" + std::to_string(row) + "]";
}

std::string cellText(int32_t x, int32_t y) {
    return "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

class Checker {
public:
    explicit Checker(const std::vector<MetakitView>& views) : views_(views) {}

    std::vector<std::string> run() {
        for (const MetakitProperty& shape : GameSchema::views()) checkStructure(shape);
        checkDuplicateNames();
        checkAttacks();
        checkComponents();
        checkTerrain();
        checkMaps();
        checkAi();
        checkNameCounts();
        checkNumbers();
        checkStartZones();
        return problems_;
    }

private:
    const std::vector<MetakitView>& views_;
    std::vector<std::string> problems_;
    std::set<std::string> usable_;  // "view.prop.sub" paths present with the schema's type

    void report(const std::string& where, const std::string& message) {
        problems_.push_back(where + ": " + message);
    }

    const MetakitView* find(const std::string& name) const {
        for (const MetakitView& view : views_) {
            if (view.name == name) return &view;
        }
        return nullptr;
    }

    bool usable(const std::string& path) const { return usable_.count(path) != 0; }

    void checkStructure(const MetakitProperty& shape) {
        const MetakitView* view = find(shape.name);
        if (view == nullptr) {
            report(shape.name, "missing view");
            return;
        }
        usable_.insert(shape.name);
        checkProperties(shape.subProperties, view->properties, shape.name);
    }

    void checkProperties(const std::vector<MetakitProperty>& wanted,
                         const std::vector<MetakitProperty>& present, const std::string& path) {
        for (const MetakitProperty& property : wanted) {
            std::string where = path + "." + property.name;
            const MetakitProperty* found = GameSchema::findProperty(present, property.name);
            if (found == nullptr) {
                report(where, "missing property");
            } else if (found->type != property.type) {
                report(where, "property has type " + std::string(1, found->type) + ", expected " +
                                  GameSchema::typeText(property));
            } else {
                usable_.insert(where);
                if (property.type == 'V') {
                    checkProperties(property.subProperties, found->subProperties, where);
                }
            }
        }
    }

    // The view's rows when the view and every listed property can be read, else nullptr.
    const MetakitView* readable(const std::string& view,
                                std::initializer_list<std::string> properties) const {
        if (!usable(view)) return nullptr;
        for (const std::string& property : properties) {
            if (!usable(view + "." + property)) return nullptr;
        }
        return find(view);
    }

    std::set<std::string> names(const std::string& view) const {
        std::set<std::string> result;
        if (const MetakitView* rows = readable(view, {"name"})) {
            for (size_t r = 0; r < rows->rowCount(); ++r) result.insert(rows->getString(r, "name"));
        }
        return result;
    }

    // Each `view.list.property` text must be the name of a `target` row (when both can be read).
    void checkReferences(const std::string& view, const std::string& list, const std::string& property,
                         const std::string& target) {
        const MetakitView* rows = readable(view, {list, list + "." + property});
        if (rows == nullptr || !usable(target + ".name")) return;
        std::set<std::string> targets = names(target);
        for (size_t r = 0; r < rows->rowCount(); ++r) {
            const MetakitView& entries = rows->getSubview(r, list);
            for (size_t s = 0; s < entries.rowCount(); ++s) {
                std::string name = entries.getString(s, property);
                if (targets.count(name) == 0) {
                    report(at(at(view, r) + "." + list, s) + "." + property,
                           quoted(name) + " is no " + target);
                }
            }
        }
    }

    void checkDuplicateNames() {
        for (const char* name : namedViews) {
            const MetakitView* view = readable(name, {"name"});
            if (view == nullptr) continue;
            std::map<std::string, size_t> first;
            for (size_t r = 0; r < view->rowCount(); ++r) {
                std::string value = view->getString(r, "name");
                auto inserted = first.emplace(value, r);
                if (!inserted.second) {
                    report(at(name, r) + ".name",
                           quoted(value) + " duplicates " + at(name, inserted.first->second));
                }
            }
        }
    }

    // Every attack costs energy: a free one that never cools down would be fired by the
    // computer again and again in one turn.
    void checkAttacks() {
        if (const MetakitView* view = readable("attack", {"energy"})) {
            for (size_t r = 0; r < view->rowCount(); ++r) {
                int32_t energy = view->getInt(r, "energy");
                if (energy <= 0) {
                    report(at("attack", r) + ".energy", std::to_string(energy) + " is not above 0");
                }
            }
        }
    }

    void checkComponents() {
        if (const MetakitView* view = readable("component", {"type"})) {
            for (size_t r = 0; r < view->rowCount(); ++r) {
                std::string type = view->getString(r, "type");
                bool known = false;
                for (const char* keyword : componentTypes) known = known || type == keyword;
                if (!known) {
                    report(at("component", r) + ".type",
                           quoted(type) + " is not HEAD, TORSO, LEFTARM, RIGHTARM, LEGS or REACTOR");
                }
            }
        }
        checkReferences("component", "actions", "action", "attack");
        if (const MetakitView* view = readable("component", {"models", "models.model"})) {
            for (size_t r = 0; r < view->rowCount(); ++r) {
                const MetakitView& models = view->getSubview(r, "models");
                for (size_t s = 0; s < models.rowCount(); ++s) {
                    if (models.getString(s, "model").empty()) {
                        report(at(at("component", r) + ".models", s) + ".model", "model name is empty");
                    }
                }
            }
        }
    }

    void checkTerrain() {
        if (const MetakitView* view = readable("terrain", {"model"})) {
            for (size_t r = 0; r < view->rowCount(); ++r) {
                if (view->getString(r, "model").empty()) {
                    report(at("terrain", r) + ".model", "model name is empty");
                }
            }
        }
    }

    void checkMaps() {
        const MetakitView* maps = find("map");
        if (maps == nullptr) return;
        // The game keeps the last terrain row of a name; so does the traversable test here.
        std::map<std::string, bool> traversable;
        bool terrainKnown = readable("terrain", {"name", "traversable"}) != nullptr;
        if (terrainKnown) {
            const MetakitView* terrain = find("terrain");
            for (size_t r = 0; r < terrain->rowCount(); ++r) {
                traversable[terrain->getString(r, "name")] = terrain->getInt(r, "traversable") != 0;
            }
        }
        for (size_t r = 0; r < maps->rowCount(); ++r) checkMap(*maps, r, terrainKnown, traversable);
    }

    void checkMap(const MetakitView& maps, size_t r, bool terrainKnown,
                  const std::map<std::string, bool>& traversable) {
        const std::string where = at("map", r);
        // Legend: the first character of each symbol; a later row wins, as in the game.
        std::map<char, std::string> legend;
        bool legendKnown = readable("map", {"terrain", "terrain.name", "terrain.symbol"}) != nullptr;
        if (legendKnown) {
            const MetakitView& entries = maps.getSubview(r, "terrain");
            for (size_t s = 0; s < entries.rowCount(); ++s) {
                std::string name = entries.getString(s, "name");
                std::string symbol = entries.getString(s, "symbol");
                if (!symbol.empty()) legend[symbol[0]] = name;
                if (terrainKnown && traversable.count(name) == 0) {
                    report(at(where + ".terrain", s) + ".name", quoted(name) + " is no terrain");
                }
            }
        }
        if (readable("map", {"layout", "layout.row"}) == nullptr) return;
        const MetakitView& layout = maps.getSubview(r, "layout");
        std::vector<std::string> rows;
        for (size_t s = 0; s < layout.rowCount(); ++s) rows.push_back(layout.getString(s, "row"));
        for (size_t s = 1; s < rows.size(); ++s) {
            if (rows[s].size() != rows[0].size()) {
                report(at(where + ".layout", s) + ".row", "length " + std::to_string(rows[s].size()) +
                                                              " differs from the first row's " +
                                                              std::to_string(rows[0].size()));
            }
        }
        if (legendKnown) {
            std::set<char> reported;
            for (size_t s = 0; s < rows.size(); ++s) {
                for (size_t x = 0; x < rows[s].size(); ++x) {
                    char c = rows[s][x];
                    if (legend.count(c) == 0 && reported.insert(c).second) {
                        report(at(where + ".layout", s) + ".row", "character " + characterText(c) +
                                                                      " at column " + std::to_string(x) +
                                                                      " has no legend entry");
                    }
                }
            }
        }
        for (const char* zone : {"start1", "start2"}) {
            const std::string z = zone;
            if (readable("map", {z, z + ".x", z + ".y"}) == nullptr) continue;
            const MetakitView& cells = maps.getSubview(r, zone);
            for (size_t s = 0; s < cells.rowCount(); ++s) {
                int32_t x = cells.getInt(s, "x");
                int32_t y = cells.getInt(s, "y");
                std::string cellWhere = at(where + "." + zone, s);
                if (y < 0 || size_t(y) >= rows.size() || x < 0 || size_t(x) >= rows[y].size()) {
                    report(cellWhere, cellText(x, y) + " is off the map");
                    continue;
                }
                if (!legendKnown || !terrainKnown) continue;
                auto symbol = legend.find(rows[y][x]);
                auto terrain = symbol == legend.end() ? traversable.end() : traversable.find(symbol->second);
                if (terrain == traversable.end()) {
                    report(cellWhere, cellText(x, y) + " has no terrain to stand on");
                } else if (!terrain->second) {
                    report(cellWhere,
                           cellText(x, y) + " is " + quoted(terrain->first) + ", which is not traversable");
                }
            }
        }
    }

    void checkAi() { checkReferences("ai", "components", "name", "component"); }

    // Values the battle adds, multiplies and pays with: outside these bounds a database is broken
    // rather than merely unbalanced.
    void checkNumbers() {
        struct Bound {
            const char* view;
            const char* property;
            int32_t low;
            int32_t high;
        };
        static const Bound bounds[] = {
            {"attack", "damage", 0, 1000000}, {"attack", "energy", INT32_MIN, 1000000},
            {"attack", "accuracy", 0, 1000},  {"attack", "cooldown", 0, 1000000},
            {"component", "hp", 0, 1000000},  {"component", "ep", 0, 1000000},
            {"component", "ap", 0, 1000000},  {"component", "weight", 0, 1000000},
            {"component", "move", 0, 100},
        };
        for (const Bound& bound : bounds) {
            const MetakitView* view = readable(bound.view, {bound.property});
            if (view == nullptr) continue;
            for (size_t r = 0; r < view->rowCount(); ++r) {
                int32_t value = view->getInt(r, bound.property);
                if (value < bound.low) {
                    report(at(bound.view, r) + "." + bound.property,
                           std::to_string(value) + " is below " + std::to_string(bound.low));
                } else if (value > bound.high) {
                    report(at(bound.view, r) + "." + bound.property,
                           std::to_string(value) + " is above " + std::to_string(bound.high));
                }
            }
        }
        for (const char* pattern : {"range", "aoe"}) {
            const std::string p = pattern;
            const MetakitView* view = readable("attack", {p, p + ".x", p + ".y"});
            if (view == nullptr) continue;
            for (size_t r = 0; r < view->rowCount(); ++r) {
                const MetakitView& cells = view->getSubview(r, pattern);
                for (size_t s = 0; s < cells.rowCount(); ++s) {
                    int32_t x = cells.getInt(s, "x");
                    int32_t y = cells.getInt(s, "y");
                    if (x < -1000 || x > 1000 || y < -1000 || y > 1000) {
                        report(at(at("attack", r) + "." + p, s),
                               cellText(x, y) + " is more than 1000 tiles away");
                    }
                }
            }
        }
    }

    // Each side needs a start tile, a tile is listed once, and no tile belongs to both sides:
    // the computer puts robots on its list as it stands, so a repeated tile would stack them.
    void checkStartZones() {
        const MetakitView* maps =
            readable("map", {"start1", "start1.x", "start1.y", "start2", "start2.x", "start2.y"});
        if (maps == nullptr) return;
        for (size_t r = 0; r < maps->rowCount(); ++r) {
            std::set<std::pair<int32_t, int32_t>> seen[2];
            const char* zones[2] = {"start1", "start2"};
            for (int side = 0; side < 2; ++side) {
                const MetakitView& cells = maps->getSubview(r, zones[side]);
                const std::string where = at("map", r) + "." + zones[side];
                if (cells.rowCount() == 0) report(where, "no start tile");
                for (size_t s = 0; s < cells.rowCount(); ++s) {
                    std::pair<int32_t, int32_t> cell(cells.getInt(s, "x"), cells.getInt(s, "y"));
                    if (!seen[side].insert(cell).second) {
                        report(at(where, s), cellText(cell.first, cell.second) + " is listed twice");
                    } else if (side == 1 && seen[0].count(cell) != 0) {
                        report(at(where, s), cellText(cell.first, cell.second) + " is in start1 too");
                    }
                }
            }
        }
    }

    void checkNameCounts() {
        if (const MetakitView* maps = readable("map", {"name"})) {
            bool titleMap = false;
            for (size_t r = 0; r < maps->rowCount(); ++r) {
                titleMap = titleMap || maps->getString(r, "name") == GameData::TITLE_MAP;
            }
            if (!titleMap) report("map", "no map " + quoted(GameData::TITLE_MAP));
        }
        for (const char* name : {"pilot", "robot"}) {
            const MetakitView* view = readable(name, {"name"});
            if (view != nullptr && view->rowCount() < requiredNames) {
                report(name, std::to_string(view->rowCount()) + " names, at least " +
                                 std::to_string(requiredNames) + " are needed");
            }
        }
    }
};

}  // namespace

std::vector<std::string> ContentChecker::check(const std::vector<MetakitView>& views) {
    return Checker(views).run();
}
