// check FILE: every problem of a game database, one line each on standard output.

#include <iostream>

#include "Subcommands.h"
#include "pipeline/ContentChecker.h"
#include "storage/MetakitStorage.h"
#include "storage/PrintableText.h"

int runCheck(const std::vector<std::string>& args) {
    const std::string& path = args[0];
    MetakitStorage storage;
    if (!openStorageOrReport(path, storage)) return 2;
    std::vector<std::string> problems = ContentChecker::check(storage);
    for (const std::string& problem : problems) std::cout << printableText(problem) << "\n";
    return problems.empty() ? 0 : 1;
}
