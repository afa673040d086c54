#pragma once
// Test databases for the game data tests, built the way the content tool builds data.db: a
// content-form YAML fixture from tests/data/fixtures/ compiled to views and written with the
// storage writer. "@FIXTURES@" in a fixture stands for the folder tests/fixtures/.

#include <string>

// Writes the database into the run's scratch folder (removed when the test program ends) and
// returns its path; fails the current test (and returns "") when the fixture is missing or does
// not compile.
std::string buildTestDatabase(const std::string& fixtureName);

// A path in the test's scratch folder that does not exist.
std::string missingDatabasePath();
