#include "pipeline/GameSchema.h"

namespace {

MetakitProperty column(const char* name, char type, std::vector<MetakitProperty> sub = {}) {
    MetakitProperty property;
    property.name = name;
    property.type = type;
    property.subProperties = std::move(sub);
    return property;
}

MetakitProperty cells(const char* name) {
    return column(name, 'V', {column("x", 'I'), column("y", 'I')});
}

std::vector<MetakitProperty> buildViews() {
    return {
        column("attack", 'V',
               {column("name", 'S'), column("description", 'S'), column("damage", 'I'), column("energy", 'I'),
                column("accuracy", 'I'), column("cooldown", 'I'), column("isMelee", 'I'), cells("range"),
                cells("aoe")}),
        column(
            "component", 'V',
            {column("name", 'S'), column("description", 'S'), column("type", 'S'), column("hp", 'I'),
             column("ep", 'I'), column("ap", 'I'), column("weight", 'I'), column("move", 'I'),
             column("actions", 'V', {column("action", 'S')}), column("models", 'V', {column("model", 'S')})}),
        column("terrain", 'V',
               {column("name", 'S'), column("description", 'S'), column("traversable", 'I'),
                column("model", 'S'), column("rotation", 'I')}),
        column("map", 'V',
               {column("name", 'S'), column("description", 'S'),
                column("terrain", 'V', {column("name", 'S'), column("symbol", 'S')}), cells("start1"),
                cells("start2"), column("layout", 'V', {column("row", 'S')})}),
        column("pilot", 'V', {column("name", 'S')}),
        column("robot", 'V', {column("name", 'S')}),
        column("ai", 'V', {column("type", 'S'), column("components", 'V', {column("name", 'S')})}),
    };
}

}  // namespace

const std::vector<MetakitProperty>& GameSchema::views() {
    static const std::vector<MetakitProperty> schema = buildViews();
    return schema;
}

const MetakitProperty* GameSchema::findView(const std::string& name) {
    return findProperty(views(), name);
}

const MetakitProperty* GameSchema::findProperty(const std::vector<MetakitProperty>& properties,
                                                const std::string& name) {
    for (const MetakitProperty& property : properties) {
        if (property.name == name) return &property;
    }
    return nullptr;
}

std::string GameSchema::typeText(const MetakitProperty& property) {
    std::string text(1, property.type);
    if (property.type != 'V') return text;
    text += " [";
    for (size_t i = 0; i < property.subProperties.size(); ++i) {
        if (i > 0) text += ", ";
        text += property.subProperties[i].name + " " + typeText(property.subProperties[i]);
    }
    return text + "]";
}
