// gearward-data: the content tool. One line per subcommand in the table below.

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "Subcommands.h"
#include "storage/MetakitStorage.h"
#include "storage/PrintableText.h"

namespace {

struct Subcommand {
    const char* name;
    const char* arguments;  // as shown in the usage line
    size_t minArgs;
    size_t maxArgs;
    int (*run)(const std::vector<std::string>& args);
    const char* summary;
};

const Subcommand subcommands[] = {
    {"dump", "FILE", 1, 1, runDump, "print the whole database as JSON"},
    {"build", "INPUT [INPUT...] OUTPUT", 2, SIZE_MAX, runBuild, "write a database from YAML or JSON sources"},
    {"check", "FILE", 1, 1, runCheck, "list every problem of a game database"},
    {"model", "FILE", 1, 1, runModel, "load a model file and print what the game sees in it"},
    {"show", "FILE", 1, 1, runShow, "list every record as the game loads it from a database"},
};

const char* const program = "gearward-data";

void printUsage(std::ostream& out) {
    for (const Subcommand& command : subcommands) {
        out << "usage: " << program << " " << command.name << " " << command.arguments << "\n";
    }
}

}  // namespace

bool openStorageOrReport(const std::string& path, MetakitStorage& storage) {
    std::string error;
    if (storage.open(path, &error)) return true;
    std::cerr << printableText(path + ": " + error) << "\n";
    return false;
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        for (const Subcommand& command : subcommands) {
            std::cout << program << " " << command.name << " " << command.arguments << "\n    "
                      << command.summary << "\n";
        }
        return 0;
    }
    for (const Subcommand& command : subcommands) {
        if (args.empty() || args[0] != command.name) continue;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (rest.size() < command.minArgs || rest.size() > command.maxArgs) {
            std::cerr << "usage: " << program << " " << command.name << " " << command.arguments << "\n";
            return 2;
        }
        return command.run(rest);
    }
    if (!args.empty()) std::cerr << program << ": unknown command \"" << printableText(args[0]) << "\"\n";
    printUsage(std::cerr);
    return 2;
}
