#pragma once
// Test databases for the game data tests, built the way the content tool builds data.db: a
// content-form YAML fixture from tests/data/fixtures/ compiled to views and written with the
// storage writer. "@FIXTURES@" in a fixture stands for the shared fixture folder.

#include <string>

// Writes the database and returns its path; fails the current test (and returns "") when the
// fixture does not compile.
std::string buildTestDatabase(const std::string& fixtureName);

// A path in the test's scratch folder that does not exist.
std::string missingDatabasePath();
