#include "pipeline/MetakitJson.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "storage/MetakitStructure.h"

namespace {

// Length of the well-formed UTF-8 sequence at p (at most `left` bytes), 0 if there is none.
size_t utf8Length(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t length;
    uint32_t code;
    if (c < 0x80) return 1;
    if (c >= 0xc2 && c <= 0xdf) {
        length = 2;
        code = c & 0x1f;
    } else if (c >= 0xe0 && c <= 0xef) {
        length = 3;
        code = c & 0x0f;
    } else if (c >= 0xf0 && c <= 0xf4) {
        length = 4;
        code = c & 0x07;
    } else
        return 0;
    if (length > left) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xc0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3f);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10ffff)) ||
        (code >= 0xd800 && code <= 0xdfff))
        return 0;
    return length;
}

// Turns U+10FF80 .. U+10FFFF (F4 8F BE 80 .. F4 8F BF BF), which `parse` makes of the escapes
// \udc80 .. \udcff, back into the single bytes they stand for.
std::string restoreRawBytes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char a = text[i];
        if (a == 0xf4 && i + 3 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x8f) {
            unsigned char b = text[i + 2], c = text[i + 3];
            if ((b == 0xbe || b == 0xbf) && (c & 0xc0) == 0x80) {
                out += static_cast<char>(((b & 0x01) << 6 | (c & 0x3f)) | 0x80);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

class JsonPrinter {
public:
    std::string out;

    void indent(int depth) { out.append(size_t(depth), ' '); }

    void rows(const MetakitView& view, int depth) {
        if (view.rows.empty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (size_t r = 0; r < view.rows.size(); ++r) {
            indent(depth + 1);
            row(view, r, depth + 1);
            out += r + 1 < view.rows.size() ? ",\n" : "\n";
        }
        indent(depth);
        out += "]";
    }

    void row(const MetakitView& view, size_t r, int depth) {
        if (view.properties.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (size_t p = 0; p < view.properties.size(); ++p) {
            const MetakitProperty& property = view.properties[p];
            indent(depth + 1);
            out += MetakitJson::quote(property.name) + ": ";
            static const MetakitValue none;
            const MetakitValue& cell = p < view.rows[r].size() ? view.rows[r][p] : none;
            value(property, cell, depth + 1);
            out += p + 1 < view.properties.size() ? ",\n" : "\n";
        }
        indent(depth);
        out += "}";
    }

    void value(const MetakitProperty& property, const MetakitValue& cell, int depth) {
        switch (property.type) {
        case 'I':
        case 'L':
            out += std::to_string(cell.integer);
            break;
        case 'F':
        case 'D':
            out += MetakitJson::formatReal(cell.real);
            break;
        case 'B': {
            static const char digits[] = "0123456789abcdef";
            out += '"';
            for (unsigned char c : cell.bytes) {
                out += digits[c >> 4];
                out += digits[c & 15];
            }
            out += '"';
            break;
        }
        case 'V':
            if (cell.subview.empty()) {
                out += "[]";
            } else {
                rows(cell.subview.front(), depth);
            }
            break;
        default:
            out += MetakitJson::quote(cell.bytes);
            break;
        }
    }
};

class YamlReader {
public:
    std::string error;

    bool fail(const YAML::Node& where, const std::string& message) {
        int line = where.Mark().line;
        error = std::to_string(line >= 0 ? line + 1 : 0) + ": " + message;
        return false;
    }

    bool readRows(const YAML::Node& list, MetakitView& view) {
        if (!list.IsDefined() || list.IsNull()) return true;
        if (!list.IsSequence()) return fail(list, "rows of '" + view.name + "' must be a list");
        for (const YAML::Node& rowNode : list) {
            if (!rowNode.IsMap()) return fail(rowNode, "a row of '" + view.name + "' must be a mapping");
            std::vector<MetakitValue> row(view.properties.size());
            for (const auto& entry : rowNode) {
                const YAML::Node& key = entry.first;
                if (!key.IsScalar()) return fail(key, "a property name must be a string");
                int index = -1;
                for (size_t i = 0; i < view.properties.size(); ++i)
                    if (view.properties[i].name == key.Scalar()) index = int(i);
                if (index < 0) return fail(key, "'" + view.name + "' has no property '" + key.Scalar() + "'");
                if (!readValue(entry.second, view.properties[index], row[index])) return false;
            }
            view.rows.push_back(std::move(row));
        }
        return true;
    }

private:
    bool readValue(const YAML::Node& node, const MetakitProperty& property, MetakitValue& cell) {
        const std::string what = "property '" + property.name + "'";
        if (property.type == 'V') {
            MetakitView sub;
            sub.name = property.name;
            sub.properties = property.subProperties;
            if (!node.IsNull() && !node.IsSequence()) return fail(node, what + " must be a list of rows");
            if (!readRows(node, sub)) return false;
            cell.subview.push_back(std::move(sub));
            return true;
        }
        if (node.IsNull()) return true;  // an empty value
        if (!node.IsScalar()) return fail(node, what + " must be a single value");
        const std::string& text = node.Scalar();
        switch (property.type) {
        case 'S':
            cell.bytes = restoreRawBytes(text);
            if (cell.bytes.find('\0') != std::string::npos)
                return fail(node, what + ": text cannot hold a NUL character");
            return true;
        case 'B':
            return readHex(node, text, what, cell.bytes);
        case 'I':
            if (!MetakitJson::parseInteger(text, cell.integer) || cell.integer < INT32_MIN ||
                cell.integer > INT32_MAX)
                return fail(node, what + " must be a 32-bit integer, not '" + text + "'");
            return true;
        case 'L':
            if (!MetakitJson::parseInteger(text, cell.integer))
                return fail(node, what + " must be a 64-bit integer, not '" + text + "'");
            return true;
        case 'F':
        case 'D':
            if (!MetakitJson::parseReal(text, cell.real))
                return fail(node, what + " must be a number, not '" + text + "'");
            if (property.type == 'F') {
                float f = static_cast<float>(cell.real);
                if (std::isinf(f) && !std::isinf(cell.real))
                    return fail(node, what + ": " + text + " is too large for a float");
                cell.real = f;
            }
            return true;
        default:
            return fail(node, what + " has an unknown type");
        }
    }

    bool readHex(const YAML::Node& node, const std::string& text, const std::string& what,
                 std::string& bytes) {
        if (text.size() % 2) return fail(node, what + " must be hex digits in pairs");
        for (size_t i = 0; i < text.size(); i += 2) {
            int hi = digit(text[i]), lo = digit(text[i + 1]);
            if (hi < 0 || lo < 0) return fail(node, what + " must be hex digits in pairs");
            bytes += static_cast<char>(hi * 16 + lo);
        }
        return true;
    }

    static int digit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }
};

}  // namespace

std::string MetakitJson::quote(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        unsigned char c = p[i];
        if (c >= 0x80) {
            size_t length = utf8Length(p + i, n - i);
            if (length == 0) {
                out += "\\udc";
                out += digits[c >> 4];
                out += digits[c & 15];
                ++i;
            } else {
                out.append(bytes, i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += digits[c >> 4];
                out += digits[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out + "\"";
}

bool MetakitJson::parse(const std::string& text, YAML::Node& root, std::string& error) {
    // Rewrite each escape \udcXX (a backslash that is not itself escaped) as \U0010ffXX.
    std::string rewritten;
    rewritten.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            rewritten += text[i];
            continue;
        }
        if (i + 5 < text.size() && text.compare(i + 1, 3, "udc") == 0 &&
            std::strchr("89abcdefABCDEF", text[i + 4]) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 5]))) {
            rewritten += "\\U0010ff";
            rewritten += text.substr(i + 4, 2);
            i += 5;
            continue;
        }
        rewritten += text[i];
        if (i + 1 < text.size()) rewritten += text[++i];  // the escaped character, whatever it is
    }
    try {
        root = YAML::Load(rewritten);
        return true;
    } catch (const YAML::Exception& e) {
        error = std::to_string(e.mark.line >= 0 ? e.mark.line + 1 : 0) + ": " + e.msg;
        return false;
    }
}

std::string MetakitJson::formatReal(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    // The fewest significant digits that read back to exactly this value.
    char buffer[64];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
        if (std::strtod(buffer, nullptr) == value) break;
    }
    std::string text = buffer;
    std::string sign;
    if (text[0] == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int point = exponent + 1;  // digits before the decimal point
    std::string result;
    if (point > -4 && point <= 16) {
        if (point <= 0) {
            result = "0." + std::string(size_t(-point), '0') + digits;
        } else if (size_t(point) >= digits.size()) {
            result = digits + std::string(size_t(point) - digits.size(), '0') + ".0";
        } else {
            result = digits.substr(0, size_t(point)) + "." + digits.substr(size_t(point));
        }
    } else {
        result = digits.substr(0, 1);
        if (digits.size() > 1) result += "." + digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        result += exp;
    }
    return sign + result;
}

bool MetakitJson::parseInteger(const std::string& text, int64_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        unsigned d = unsigned(text[i] - '0');
        if (magnitude > (limit - d) / 10) return false;
        magnitude = magnitude * 10 + d;
    }
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

bool MetakitJson::parseReal(const std::string& text, double& value) {
    if (text == "NaN" || text == ".nan" || text == ".NaN" || text == ".NAN") {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    std::string body = text;
    bool negative = false;
    if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
        negative = body[0] == '-';
        body.erase(0, 1);
    }
    if (body == "Infinity" || body == ".inf" || body == ".Inf" || body == ".INF") {
        value = negative ? -HUGE_VAL : HUGE_VAL;
        return true;
    }
    // Plain decimal numbers only (no hex, no words), then the C library's exact conversion.
    if (body.empty() || body.find_first_not_of("0123456789.eE+-") != std::string::npos) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return false;
    return true;
}

std::string MetakitJson::toJson(const MetakitStorage& storage) {
    JsonPrinter printer;
    std::string& out = printer.out;
    out += "{\n \"byte_order\": ";
    out += storage.byteOrder == 'B' ? "\"big\"" : "\"little\"";
    out += ",\n \"description\": " + quote(storage.description) + ",\n \"views\": ";
    if (storage.views.empty()) {
        out += "[]";
    } else {
        out += "[\n";
        for (size_t v = 0; v < storage.views.size(); ++v) {
            const MetakitView& view = storage.views[v];
            out += "  {\n   \"name\": " + quote(view.name) +
                   ",\n   \"structure\": " + quote(view.structure()) + ",\n   \"rows\": ";
            printer.rows(view, 3);
            out += "\n  }";
            out += v + 1 < storage.views.size() ? ",\n" : "\n";
        }
        out += " ]";
    }
    out += "\n}\n";
    return out;
}

namespace {
bool readViews(const YAML::Node& root, std::vector<MetakitView>& views, std::string& error);
}

bool MetakitJson::fromYaml(const YAML::Node& root, std::vector<MetakitView>& views, std::string& error) {
    views.clear();
    try {
        return readViews(root, views, error);
    } catch (const YAML::Exception& e) {
        error = std::to_string(e.mark.line >= 0 ? e.mark.line + 1 : 0) + ": " + e.msg;
        views.clear();
        return false;
    }
}

namespace {
bool readViews(const YAML::Node& root, std::vector<MetakitView>& views, std::string& error) {
    YamlReader reader;
    if (!root.IsMap()) {
        reader.fail(root, "expected a mapping with a 'views' list");
        error = reader.error;
        return false;
    }
    const YAML::Node list = root["views"];
    bool ok = true;
    if (!list.IsDefined())
        ok = reader.fail(root, "missing 'views' list");
    else if (!list.IsNull() && !list.IsSequence())
        ok = reader.fail(list, "'views' must be a list");
    if (ok && list.IsSequence()) {
        for (const YAML::Node& node : list) {
            if (!node.IsMap()) {
                ok = reader.fail(node, "a view must be a mapping with 'structure' and 'rows'");
                break;
            }
            const YAML::Node structure = node["structure"];
            if (!structure.IsDefined() || !structure.IsScalar()) {
                ok = reader.fail(node, "a view needs a 'structure' string");
                break;
            }
            MetakitView view;
            std::string problem;
            if (!MetakitStructure::parseView(structure.Scalar(), view, problem)) {
                ok = reader.fail(structure, "bad structure '" + structure.Scalar() + "': " + problem);
                break;
            }
            const YAML::Node name = node["name"];
            if (name.IsDefined() && (!name.IsScalar() || name.Scalar() != view.name)) {
                ok = reader.fail(name, "view name does not match its structure '" + structure.Scalar() + "'");
                break;
            }
            for (const MetakitView& other : views)
                if (MetakitStructure::sameName(other.name, view.name)) {
                    ok = reader.fail(node, "duplicate view '" + view.name + "'");
                    break;
                }
            if (!ok) break;
            for (const auto& entry : node) {
                const std::string key = entry.first.IsScalar() ? entry.first.Scalar() : "";
                if (key != "name" && key != "structure" && key != "rows") {
                    ok = reader.fail(entry.first, "unknown key '" + key + "' in a view");
                    break;
                }
            }
            if (!ok || !(ok = reader.readRows(node["rows"], view))) break;
            views.push_back(std::move(view));
        }
    }
    if (!ok) {
        error = reader.error;
        views.clear();
    }
    return ok;
}
}  // namespace
