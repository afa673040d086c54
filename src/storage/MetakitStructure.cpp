#include "storage/MetakitStructure.h"

#include <cctype>

namespace {

class StructureParser {
public:
    explicit StructureParser(const std::string& text) : text(text) {}

    bool parseFields(std::vector<MetakitProperty>& fields, int depth, bool topLevel) {
        if (depth > MetakitStructure::maxDepth)
            return fail("nesting deeper than " + std::to_string(MetakitStructure::maxDepth));
        // An empty list: the whole text, or "name[]".
        if ((topLevel && pos == text.size()) || (!topLevel && peek() == ']')) return true;
        if (!topLevel && peek() == '^') return fail("recursive subview '^' is not supported");
        for (;;) {
            MetakitProperty field;
            if (!parseField(field, depth)) return false;
            for (const MetakitProperty& other : fields)
                if (MetakitStructure::sameName(other.name, field.name))
                    return fail("duplicate property name '" + field.name + "'");
            fields.push_back(std::move(field));
            if (peek() != ',') return true;
            ++pos;
        }
    }

    bool finished() {
        if (pos != text.size()) return fail("unexpected '" + std::string(1, text[pos]) + "'");
        return true;
    }

    std::string error;

private:
    const std::string& text;
    size_t pos = 0;

    int peek() const { return pos < text.size() ? static_cast<unsigned char>(text[pos]) : -1; }

    bool fail(const std::string& message) {
        error = message + " at offset " + std::to_string(pos);
        return false;
    }

    bool parseField(MetakitProperty& field, int depth) {
        size_t start = pos;
        while (pos < text.size() && text[pos] != ',' && text[pos] != '[' && text[pos] != ']' &&
               text[pos] != ':')
            ++pos;
        if (pos == start) return fail("empty property name");
        field.name = text.substr(start, pos - start);
        if (peek() == '[') {
            ++pos;
            field.type = 'V';
            if (!parseFields(field.subProperties, depth + 1, false)) return false;
            if (peek() != ']') return fail("missing ']'");
            ++pos;
            return true;
        }
        if (peek() != ':') {
            field.type = 'S';
            return true;
        }
        ++pos;
        int letter = std::toupper(peek());
        switch (letter) {
        case 'S':
        case 'I':
        case 'L':
        case 'F':
        case 'D':
        case 'B':
        case 'V':
            field.type = static_cast<char>(letter);
            break;
        case 'M':
            field.type = 'B';
            break;
        default:
            return fail(peek() < 0 ? std::string("missing type letter")
                                   : "unknown property type '" + std::string(1, text[pos]) + "'");
        }
        ++pos;
        return true;
    }
};

}  // namespace

bool MetakitStructure::parse(const std::string& text, std::vector<MetakitProperty>& fields,
                             std::string& error) {
    fields.clear();
    StructureParser parser(text);
    if (!parser.parseFields(fields, 0, true) || !parser.finished()) {
        error = parser.error;
        fields.clear();
        return false;
    }
    return true;
}

bool MetakitStructure::parseView(const std::string& text, MetakitView& view, std::string& error) {
    std::vector<MetakitProperty> fields;
    if (!parse(text, fields, error)) return false;
    if (fields.size() != 1 || fields[0].type != 'V' || text.empty() || text.back() != ']') {
        error = "a view structure must be one 'name[...]'";
        return false;
    }
    view.name = fields[0].name;
    view.properties = std::move(fields[0].subProperties);
    return true;
}

std::string MetakitStructure::format(const MetakitProperty& property) {
    if (property.type == 'V') return property.name + "[" + format(property.subProperties) + "]";
    return property.name + ":" + std::string(1, property.type);
}

std::string MetakitStructure::format(const std::vector<MetakitProperty>& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) text += ',';
        text += format(fields[i]);
    }
    return text;
}

bool MetakitStructure::validName(const std::string& name) {
    return !name.empty() && name.find_first_of(",[]:") == std::string::npos;
}

bool MetakitStructure::sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
