// build INPUT [INPUT...] OUTPUT: writes a database from sources in the content form (merged, one
// view per source at most) or from one file in the dump form (the JSON that `dump` prints,
// recognised by its top-level `views` key). Nothing is written unless every source compiles.

#include <iostream>

#include "Subcommands.h"
#include "pipeline/ContentCompiler.h"
#include "pipeline/MetakitJson.h"
#include "storage/MetakitWriter.h"
#include "storage/PrintableText.h"

namespace {

bool isDumpForm(const YAML::Node& root) {
    return root.IsMap() && root["views"].IsDefined();
}

// The writer's messages name the file; the tool's lines start with it instead.
std::string withoutPath(const std::string& message, const std::string& path) {
    const std::string named = " " + path + ":";
    size_t at = message.find(named);
    if (at == std::string::npos) return message;
    return message.substr(0, at) +
           (message.compare(0, at, "cannot create a file beside") == 0 ? " it:" : ":") +
           message.substr(at + named.size());
}

int fail(const std::string& message, int status) {
    std::cerr << printableText(message) << "\n";
    return status;
}

}  // namespace

int runBuild(const std::vector<std::string>& args) {
    const std::vector<std::string> inputs(args.begin(), args.end() - 1);
    const std::string& output = args.back();
    ContentCompiler compiler;
    std::vector<MetakitView> views;
    bool dumpForm = false;
    for (const std::string& input : inputs) {
        std::string text;
        std::string error;
        if (!ContentCompiler::readFile(input, text, error)) return fail(error, 2);
        YAML::Node root;
        if (!ContentCompiler::parse(text, input, root, error)) return fail(error, 1);
        if (isDumpForm(root)) {
            if (inputs.size() > 1) {
                return fail(input + ":1: a dump-form file must be the only input", 1);
            }
            dumpForm = true;
            if (!MetakitJson::fromYaml(root, views, error)) return fail(input + ":" + error, 1);
        } else if (!compiler.addDocument(root, input, error)) {
            return fail(error, 1);
        }
    }
    if (!dumpForm) views = compiler.views();
    // Content the file format cannot hold (a dump with a bad property name) is the content's
    // fault; only then does writing the file itself get its turn.
    std::string error;
    std::vector<uint8_t> bytes;
    if (!MetakitWriter::encode(views, 'L', bytes, &error)) {
        return fail(inputs.front() + ":1: " + error, 1);
    }
    if (!MetakitWriter::writeFile(output, views, &error)) {
        return fail(output + ": " + withoutPath(error, output), 2);
    }
    return 0;
}
