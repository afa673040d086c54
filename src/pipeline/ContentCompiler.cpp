#include "pipeline/ContentCompiler.h"

#include <cstdint>
#include <cstring>
#include <sstream>

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>

#include "pipeline/GameSchema.h"
#include "storage/ReadFile.h"

namespace {

// A content error at a place in the source; caught once per source and turned into a line.
struct CompileError {
    YAML::Mark mark;
    std::string message;
};

int lineOf(const YAML::Mark& mark) {
    return mark.line >= 0 ? mark.line + 1 : 1;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Decimal, optionally signed, within 32 bits; "true" and "false" read as 1 and 0 so that flags
// such as `isMelee` and `traversable` may be written either way.
bool parseInt32(const std::string& text, int32_t& value) {
    if (text == "true" || text == "True" || text == "TRUE") {
        value = 1;
        return true;
    }
    if (text == "false" || text == "False" || text == "FALSE") {
        value = 0;
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t(INT32_MAX) + 1) return false;
    }
    int64_t result = negative ? -magnitude : magnitude;
    if (result < INT32_MIN || result > INT32_MAX) return false;
    value = int32_t(result);
    return true;
}

MetakitView emptyView(const MetakitProperty& shape) {
    MetakitView view;
    view.name = shape.name;
    view.properties = shape.subProperties;
    return view;
}

MetakitValue defaultValue(const MetakitProperty& property) {
    MetakitValue value;
    if (property.type == 'V') value.subview.push_back(emptyView(property));
    return value;
}

void compileRows(const YAML::Node& node, const MetakitProperty& shape, const std::string& path,
                 MetakitView& view, size_t& rowsLeft);

void compileValue(const YAML::Node& node, const MetakitProperty& property, const std::string& path,
                  MetakitValue& value, size_t& rowsLeft) {
    value = defaultValue(property);
    if (node.IsNull()) return;  // `name:` with nothing after it: the default
    switch (property.type) {
    case 'S':
        if (!node.IsScalar()) throw CompileError{node.Mark(), path + " expects a string"};
        if (node.Scalar().find('\0') != std::string::npos) {
            throw CompileError{node.Mark(), path + " cannot hold a NUL character"};
        }
        value.bytes = node.Scalar();
        return;
    case 'I': {
        int32_t number = 0;
        if (!node.IsScalar()) throw CompileError{node.Mark(), path + " expects an integer"};
        if (!parseInt32(node.Scalar(), number)) {
            throw CompileError{node.Mark(), path + " expects a 32-bit integer, not " + quoted(node.Scalar())};
        }
        value.integer = number;
        return;
    }
    case 'V':
        compileRows(node, property, path, value.subview.front(), rowsLeft);
        return;
    default:
        throw CompileError{node.Mark(), path + " has a type the content form cannot write"};
    }
}

// One row given as a mapping from property names to values.
std::vector<MetakitValue> compileMappingRow(const YAML::Node& node, const MetakitProperty& shape,
                                            const std::string& path, size_t& rowsLeft) {
    const std::vector<MetakitProperty>& properties = shape.subProperties;
    std::vector<MetakitValue> row;
    for (const MetakitProperty& property : properties) row.push_back(defaultValue(property));
    std::vector<int> givenAtLine(properties.size(), 0);
    for (YAML::const_iterator it = node.begin(); it != node.end(); ++it) {
        const YAML::Node key = it->first;
        const YAML::Node value = it->second;
        if (!key.IsScalar()) throw CompileError{key.Mark(), path + ": a property name must be text"};
        const std::string& name = key.Scalar();
        size_t index = 0;
        while (index < properties.size() && properties[index].name != name) ++index;
        if (index == properties.size()) {
            throw CompileError{key.Mark(), "unknown property " + quoted(name) + " in " + path};
        }
        if (givenAtLine[index] != 0) {
            throw CompileError{key.Mark(), path + "." + name + " is given twice (first at line " +
                                               std::to_string(givenAtLine[index]) + ")"};
        }
        givenAtLine[index] = lineOf(key.Mark());
        compileValue(value, properties[index], path + "." + name, row[index], rowsLeft);
    }
    return row;
}

// One row written in short form: a lone value for a one-property subview, or the values of
// every property in column order (`[x, y]`).
std::vector<MetakitValue> compileShortRow(const YAML::Node& node, const MetakitProperty& shape,
                                          const std::string& path, size_t& rowsLeft) {
    const std::vector<MetakitProperty>& properties = shape.subProperties;
    std::vector<MetakitValue> row(properties.size());
    if (properties.size() == 1) {
        compileValue(node, properties[0], path + "." + properties[0].name, row[0], rowsLeft);
        return row;
    }
    std::string columns;
    for (const MetakitProperty& property : properties) {
        columns += (columns.empty() ? "" : ", ") + property.name;
    }
    if (!node.IsSequence() || node.size() != properties.size()) {
        throw CompileError{node.Mark(), path + " expects a mapping or a list of " +
                                            std::to_string(properties.size()) + " values (" + columns + ")"};
    }
    for (size_t i = 0; i < properties.size(); ++i) {
        compileValue(node[i], properties[i], path + "." + properties[i].name, row[i], rowsLeft);
    }
    return row;
}

void compileRows(const YAML::Node& node, const MetakitProperty& shape, const std::string& path,
                 MetakitView& view, size_t& rowsLeft) {
    view = emptyView(shape);
    if (node.IsNull()) return;
    if (!node.IsSequence()) throw CompileError{node.Mark(), path + " expects a list of rows"};
    size_t i = 0;
    for (YAML::const_iterator it = node.begin(); it != node.end(); ++it, ++i) {
        const YAML::Node element = *it;
        std::string rowPath = path + "[" + std::to_string(i) + "]";
        if (rowsLeft == 0) {
            throw CompileError{element.Mark(), "too much content: more than " +
                                                   std::to_string(ContentCompiler::maxRows) + " rows in all"};
        }
        --rowsLeft;
        if (element.IsMap()) {
            view.rows.push_back(compileMappingRow(element, shape, rowPath, rowsLeft));
        } else if (element.IsNull() && shape.subProperties.size() != 1) {
            throw CompileError{element.Mark(), rowPath + " is empty"};
        } else {
            view.rows.push_back(compileShortRow(element, shape, rowPath, rowsLeft));
        }
    }
}

// Where each document of a source starts; nothing else of the parse is kept. (LoadAll cannot be
// used: on some broken text it keeps producing empty documents and never returns.)
class DocumentMarks : public YAML::EventHandler {
public:
    std::vector<YAML::Mark> starts;

    void OnDocumentStart(const YAML::Mark& mark) override { starts.push_back(mark); }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t, const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}
};

std::string knownViews() {
    std::string names;
    for (const MetakitProperty& view : GameSchema::views()) {
        names += (names.empty() ? "" : ", ") + view.name;
    }
    return names;
}

}  // namespace

bool ContentCompiler::compileFile(const std::string& path, std::vector<MetakitView>& views,
                                  std::string& error) {
    ContentCompiler compiler;
    if (!compiler.addFile(path, error)) return false;
    views = compiler.views();
    return true;
}

bool ContentCompiler::compileText(const std::string& text, const std::string& sourceName,
                                  std::vector<MetakitView>& views, std::string& error) {
    ContentCompiler compiler;
    if (!compiler.addText(text, sourceName, error)) return false;
    views = compiler.views();
    return true;
}

bool ContentCompiler::readFile(const std::string& path, std::string& text, std::string& error) {
    ReadFileResult read = readWholeFile(path, text, LARGEST_CONTENT_SOURCE, "a content source");
    if (!read.ok()) {
        error = path + ": " + read.reason;
        return false;
    }
    return true;
}

bool ContentCompiler::parse(const std::string& text, const std::string& sourceName, YAML::Node& root,
                            std::string& error) {
    try {
        root = YAML::Load(text);
        // Load reads the first document only; what follows it must be nothing at all.
        std::istringstream in(text);
        YAML::Parser parser(in);
        DocumentMarks marks;
        for (int i = 0; i < 3 && parser.HandleNextDocument(marks); ++i) {}
        for (size_t i = 1; i < marks.starts.size(); ++i) {
            // The parser gives up on some stray characters by handing out empty documents
            // without moving on; that is broken text, not a second document.
            if (marks.starts[i].pos == marks.starts[i - 1].pos) {
                error = sourceName + ":" + std::to_string(lineOf(marks.starts[i])) + ": unexpected text";
                return false;
            }
        }
        if (marks.starts.size() > 1) {
            error = sourceName + ":" + std::to_string(lineOf(marks.starts[1])) +
                    ": one source holds one YAML document";
            return false;
        }
    } catch (const YAML::DeepRecursion& e) {
        error = sourceName + ":" + std::to_string(lineOf(e.mark)) +
                ": lists or mappings are "
                "nested too deeply";
        return false;
    } catch (const YAML::Exception& e) {
        error = sourceName + ":" + std::to_string(lineOf(e.mark)) + ": " + e.msg;
        return false;
    }
    return true;
}

bool ContentCompiler::addFile(const std::string& path, std::string& error) {
    std::string text;
    if (!readFile(path, text, error)) return false;
    return addText(text, path, error);
}

bool ContentCompiler::addText(const std::string& text, const std::string& sourceName, std::string& error) {
    YAML::Node root;
    if (!parse(text, sourceName, root, error)) return false;
    return addDocument(root, sourceName, error);
}

bool ContentCompiler::addDocument(const YAML::Node& root, const std::string& sourceName, std::string& error) {
    std::map<std::string, GivenView> added;
    size_t rowsLeft = rowsLeft_;
    try {
        if (!root.IsNull() && !root.IsMap()) {
            throw CompileError{root.Mark(),
                               "content must be a mapping from view names to lists "
                               "of rows"};
        }
        for (YAML::const_iterator it = root.begin(); it != root.end(); ++it) {
            const YAML::Node key = it->first;
            const YAML::Node value = it->second;
            const MetakitProperty* shape = key.IsScalar() ? GameSchema::findView(key.Scalar()) : nullptr;
            if (shape == nullptr) {
                throw CompileError{key.Mark(), "unknown view " + quoted(key.IsScalar() ? key.Scalar() : "?") +
                                                   " (the views are " + knownViews() + ")"};
            }
            std::string where = sourceName + ":" + std::to_string(lineOf(key.Mark()));
            std::string earlier;
            if (added.count(shape->name) != 0) earlier = added[shape->name].where;
            if (given_.count(shape->name) != 0) earlier = given_.at(shape->name).where;
            if (!earlier.empty()) {
                throw CompileError{key.Mark(),
                                   "view " + quoted(shape->name) + " is already given at " + earlier};
            }
            GivenView& view = added[shape->name];
            view.where = where;
            compileRows(value, *shape, shape->name, view.view, rowsLeft);
        }
    } catch (const CompileError& e) {
        error = sourceName + ":" + std::to_string(lineOf(e.mark)) + ": " + e.message;
        return false;
    } catch (const YAML::Exception& e) {
        error = sourceName + ":" + std::to_string(lineOf(e.mark)) + ": " + e.msg;
        return false;
    }
    for (auto& entry : added) given_[entry.first] = std::move(entry.second);
    rowsLeft_ = rowsLeft;
    return true;
}

std::vector<MetakitView> ContentCompiler::views() const {
    std::vector<MetakitView> views;
    for (const MetakitProperty& shape : GameSchema::views()) {
        auto found = given_.find(shape.name);
        views.push_back(found != given_.end() ? found->second.view : emptyView(shape));
    }
    return views;
}
