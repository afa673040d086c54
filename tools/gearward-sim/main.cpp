// gearward-sim: plays seeded matches between two computer-played sides, for balancing content.
//   gearward-sim [--map NAME] [--matches N] [--seed S] [--database FILE] [--turn-cap T]
//                [--squads FILE] [--timing]
// One line per match, then the summary; its last line reads
//   matches N side0 A side1 B draws C stalemates D slowest-turn-ms T
// Exit status 0, or 2 (one line on standard error) for a usage error, an unknown map or a
// database or squad file that cannot be read.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "DefaultDatabase.h"
#include "MatchSimulator.h"

namespace {

constexpr int DEFAULT_MATCHES = 10;
constexpr unsigned DEFAULT_SEED = 1;
constexpr int DEFAULT_TURN_CAP = 1000;

struct Options {
    std::vector<std::string> maps;   // empty: every map of the database in turn
    long long matches = DEFAULT_MATCHES;
    unsigned seed = DEFAULT_SEED;
    std::string database;
    long long turnCap = DEFAULT_TURN_CAP;
    std::string squads;
    bool timing = false;
};

int fail(const std::string& message) {
    std::cerr << "gearward-sim: " << message << "\n";
    return 2;
}

// A whole decimal number from low to high, nothing else.
bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text.size() > 19) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

const char* winnerText(int result) {
    switch (result) {
    case 0: return "draw";
    case 1: return "side0";
    case 2: return "side1";
    default: return "stalemate";
    }
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string milliseconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--timing") {
            options.timing = true;
            continue;
        }
        if (option != "--map" && option != "--matches" && option != "--seed" && option != "--database" &&
            option != "--turn-cap" && option != "--squads")
            return fail("unknown option \"" + option + "\" (see docs/simulator.md)");
        if (i + 1 >= args.size()) return fail(option + " needs a value");
        const std::string& value = args[++i];
        long long number = 0;
        if (option == "--map") {
            options.maps.push_back(value);
        } else if (option == "--database") {
            options.database = value;
        } else if (option == "--squads") {
            options.squads = value;
        } else if (option == "--matches") {
            if (!parseNumber(value, 1, INT_MAX, number)) return fail("--matches expects a whole number from 1, not \"" + value + "\"");
            options.matches = number;
        } else if (option == "--turn-cap") {
            if (!parseNumber(value, 1, INT_MAX, number)) return fail("--turn-cap expects a whole number from 1, not \"" + value + "\"");
            options.turnCap = number;
        } else {
            if (!parseNumber(value, 0, UINT_MAX, number)) return fail("--seed expects a whole number from 0 to " + std::to_string(UINT_MAX) + ", not \"" + value + "\"");
            options.seed = static_cast<unsigned>(number);
        }
    }
    if (options.database.empty()) options.database = defaultDatabase();

    MatchSimulator simulator;
    if (!simulator.load(options.database)) return fail(options.database + ": cannot be read as a game database");
    if (!options.squads.empty()) {
        std::string error;
        if (!readSquadFile(options.squads, simulator.data.components, simulator.squads, error)) return fail(error);
    }
    std::vector<std::string> maps = options.maps;
    for (const std::string& name : maps)
        if (simulator.data.maps.count(name) == 0) return fail("no map \"" + name + "\" in " + options.database);
    if (maps.empty()) maps = simulator.mapNames();
    if (maps.empty()) return fail(options.database + " holds no map");

    int wins[3] = {0, 0, 0};   // draws, side 0, side 1
    long long stalemates = 0;
    double slowest = 0;
    std::map<std::string, std::vector<double>> turnTimes;
    std::map<std::string, std::vector<double>> slowestPerMatch;
    for (long long i = 0; i < options.matches; ++i) {
        const std::string& map = maps[static_cast<size_t>(i) % maps.size()];
        const unsigned seed = options.seed + static_cast<unsigned>(i);   // wraps round
        const MatchOutcome outcome = simulator.play(map, seed, static_cast<int>(options.turnCap));
        std::cout << "seed " << seed << " map \"" << map << "\" winner " << winnerText(outcome.result) << " turns "
                  << outcome.turns << " left " << outcome.robotsLeft[0] << " " << outcome.robotsLeft[1] << "\n";
        if (outcome.result == MATCH_GOES_ON) {
            ++stalemates;
        } else {
            ++wins[outcome.result];
        }
        for (double ms : outcome.turnMs) slowest = std::max(slowest, ms);
        if (options.timing) {
            auto& times = turnTimes[map];
            times.insert(times.end(), outcome.turnMs.begin(), outcome.turnMs.end());
            if (!outcome.turnMs.empty())
                slowestPerMatch[map].push_back(*std::max_element(outcome.turnMs.begin(), outcome.turnMs.end()));
        }
    }
    for (const auto& entry : turnTimes) {
        const auto worst = std::max_element(entry.second.begin(), entry.second.end());
        std::cout << "timing map \"" << entry.first << "\" turns " << entry.second.size() << " median-ms "
                  << milliseconds(median(entry.second)) << " worst-ms "
                  << milliseconds(worst == entry.second.end() ? 0 : *worst) << " match-slowest-median-ms "
                  << milliseconds(median(slowestPerMatch[entry.first])) << "\n";
    }
    std::cout << "matches " << options.matches << " side0 " << wins[1] << " side1 " << wins[2] << " draws " << wins[0]
              << " stalemates " << stalemates << " slowest-turn-ms " << milliseconds(slowest) << "\n";
    return 0;
}
