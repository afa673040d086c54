// dump FILE: the whole database as JSON on standard output, in the form `build` reads back.

#include <iostream>

#include "Subcommands.h"
#include "pipeline/MetakitJson.h"
#include "storage/MetakitStorage.h"

int runDump(const std::vector<std::string>& args) {
    const std::string& path = args[0];
    MetakitStorage storage;
    if (!openStorageOrReport(path, storage)) return 2;
    std::string json = MetakitJson::toJson(storage);
    std::cout << json;
    if (json.empty() || json.back() != '\n') std::cout << "\n";
    std::cout.flush();
    return std::cout ? 0 : 2;
}
