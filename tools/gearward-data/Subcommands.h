#pragma once
// The subcommands of gearward-data, one file each. Each takes the arguments after its name
// (already counted against the table in main.cpp) and returns the exit status: 0 done,
// 1 a problem with the content, 2 a file that cannot be read or written.

#include <string>
#include <vector>

class MetakitStorage;

// Opens a database for a subcommand; when it cannot be read, prints "FILE: reason" on standard
// error and returns false (the subcommand then exits with status 2).
bool openStorageOrReport(const std::string& path, MetakitStorage& storage);

int runDump(const std::vector<std::string>& args);   // DumpCommand.cpp
int runBuild(const std::vector<std::string>& args);  // BuildCommand.cpp
int runCheck(const std::vector<std::string>& args);  // CheckCommand.cpp
int runModel(const std::vector<std::string>& args);  // ModelCommand.cpp
int runShow(const std::vector<std::string>& args);   // ShowCommand.cpp
