// gearward-sim: plays seeded matches between two computer-played sides, for balancing content.
// One line per match (a stalemate's says why it stalled), a table of the results per map, then
// the summary, whose last line reads
//   matches N side0 A side1 B draws C stalemates D slowest-turn-ms T
// Exit status 0 (--help too), or 2 (one line on standard error) for a usage error, an unknown map
// or a database or squad file that cannot be read.

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
#include "storage/PrintableText.h"

namespace {

constexpr int DEFAULT_MATCHES = 10;
constexpr unsigned DEFAULT_SEED = 1;
constexpr int DEFAULT_TURN_CAP = 1000;

const char* const USAGE =
    "usage: gearward-sim [--map NAME] [--matches N] [--seed S] [--database FILE] [--turn-cap T]\n"
    "                    [--squads FILE] [--timing] [--help]\n"
    "Plays seeded matches between two computer-played sides and counts the results.\n"
    "  --map NAME       play this map; repeat it to alternate (default: every map in turn)\n"
    "  --matches N      how many matches (default 10)\n"
    "  --seed S         the seed of the first match; match i uses S + i (default 1)\n"
    "  --database FILE  the game database (default: the game's data.db)\n"
    "  --turn-cap T     robot turns after which a match is a stalemate (default 1000)\n"
    "  --squads FILE    squads written by hand (YAML, see docs/simulator.md)\n"
    "  --timing         per map, the turns' processor times\n"
    "  --help           this text\n"
    "Prints a line per match, a table per map (wins of each side, draws, stalemates, the side 0\n"
    "share of the decided matches, mean and longest decided match in robot turns), then the\n"
    "summary line.\n";

// What one map's matches came to, for the table.
struct MapTally {
    long long matches = 0;
    long long wins[3] = {0, 0, 0};  // draws, side 0, side 1
    long long stalemates = 0;
    long long decidedTurns = 0;
    int longest = 0;
};

struct Options {
    std::vector<std::string> maps;  // empty: every map of the database in turn
    long long matches = DEFAULT_MATCHES;
    unsigned seed = DEFAULT_SEED;
    std::string database;
    long long turnCap = DEFAULT_TURN_CAP;
    std::string squads;
    bool timing = false;
};

int fail(const std::string& message) {
    std::cerr << "gearward-sim: " << printableText(message) << "\n";
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
    case 0:
        return "draw";
    case 1:
        return "side0";
    case 2:
        return "side1";
    default:
        return "stalemate";
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

// The per-map table, maps in the order they were first played.
void printTable(const std::vector<std::string>& maps, const std::map<std::string, MapTally>& tallies) {
    size_t nameWidth = 3;
    for (const std::string& map : maps) nameWidth = std::max(nameWidth, map.size());
    std::printf("%-*s %8s %6s %6s %6s %10s %11s %10s %13s\n", static_cast<int>(nameWidth), "map", "matches",
                "side0", "side1", "draws", "stalemates", "side0-share", "mean-turns", "longest-turns");
    for (const std::string& map : maps) {
        const auto found = tallies.find(map);
        if (found == tallies.end()) continue;
        const MapTally& tally = found->second;
        const long long decided = tally.wins[0] + tally.wins[1] + tally.wins[2];
        const long long wonByOne = tally.wins[1] + tally.wins[2];
        char share[16] = "-";
        if (wonByOne > 0)
            std::snprintf(share, sizeof share, "%.1f%%", 100.0 * double(tally.wins[1]) / double(wonByOne));
        char mean[16] = "-";
        if (decided > 0)
            std::snprintf(mean, sizeof mean, "%.1f", double(tally.decidedTurns) / double(decided));
        std::printf("%-*s %8lld %6lld %6lld %6lld %10lld %11s %10s %13d\n", static_cast<int>(nameWidth),
                    map.c_str(), tally.matches, tally.wins[1], tally.wins[2], tally.wins[0], tally.stalemates,
                    share, mean, tally.longest);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help") {
            std::cout << USAGE;
            return 0;
        }
        if (option == "--timing") {
            options.timing = true;
            continue;
        }
        if (option != "--map" && option != "--matches" && option != "--seed" && option != "--database" &&
            option != "--turn-cap" && option != "--squads")
            return fail("unknown option \"" + option + "\" (see --help)");
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
            if (!parseNumber(value, 1, INT_MAX, number))
                return fail("--matches expects a whole number from 1, not \"" + value + "\"");
            options.matches = number;
        } else if (option == "--turn-cap") {
            if (!parseNumber(value, 1, INT_MAX, number))
                return fail("--turn-cap expects a whole number from 1, not \"" + value + "\"");
            options.turnCap = number;
        } else {
            if (!parseNumber(value, 0, UINT_MAX, number))
                return fail("--seed expects a whole number from 0 to " + std::to_string(UINT_MAX) +
                            ", not \"" + value + "\"");
            options.seed = static_cast<unsigned>(number);
        }
    }
    if (options.database.empty()) options.database = defaultDatabase();

    MatchSimulator simulator;
    std::string error;
    if (!simulator.load(options.database, &error)) return fail(options.database + ": " + error);
    if (!options.squads.empty()) {
        if (!readSquadFile(options.squads, simulator.data.components, simulator.squads, error))
            return fail(error);
    }
    std::vector<std::string> maps = options.maps;
    for (const std::string& name : maps)
        if (simulator.data.maps.count(name) == 0)
            return fail("no map \"" + name + "\" in " + options.database);
    if (maps.empty()) maps = simulator.mapNames();
    if (maps.empty()) return fail(options.database + " holds no map");

    int wins[3] = {0, 0, 0};  // draws, side 0, side 1
    long long stalemates = 0;
    double slowest = 0;
    std::map<std::string, std::vector<double>> turnTimes;
    std::map<std::string, std::vector<double>> slowestPerMatch;
    std::map<std::string, MapTally> tallies;
    for (long long i = 0; i < options.matches; ++i) {
        const std::string& map = maps[static_cast<size_t>(i) % maps.size()];
        const unsigned seed = options.seed + static_cast<unsigned>(i);  // wraps round
        const MatchOutcome outcome = simulator.play(map, seed, static_cast<int>(options.turnCap));
        std::cout << "seed " << seed << " map \"" << map << "\" winner " << winnerText(outcome.result)
                  << " turns " << outcome.turns << " left " << outcome.robotsLeft[0] << " "
                  << outcome.robotsLeft[1];
        if (!outcome.stalled.empty()) std::cout << " stalled \"" << outcome.stalled << "\"";
        std::cout << "\n";
        MapTally& tally = tallies[map];
        ++tally.matches;
        if (outcome.result == MATCH_GOES_ON) {
            ++stalemates;
            ++tally.stalemates;
        } else {
            ++wins[outcome.result];
            ++tally.wins[outcome.result];
            tally.decidedTurns += outcome.turns;
            tally.longest = std::max(tally.longest, outcome.turns);
        }
        for (double ms : outcome.turnMs) slowest = std::max(slowest, ms);
        if (options.timing) {
            auto& times = turnTimes[map];
            times.insert(times.end(), outcome.turnMs.begin(), outcome.turnMs.end());
            if (!outcome.turnMs.empty())
                slowestPerMatch[map].push_back(
                    *std::max_element(outcome.turnMs.begin(), outcome.turnMs.end()));
        }
    }
    std::cout.flush();
    printTable(maps, tallies);
    for (const auto& entry : turnTimes) {
        const auto worst = std::max_element(entry.second.begin(), entry.second.end());
        std::cout << "timing map \"" << entry.first << "\" turns " << entry.second.size() << " median-ms "
                  << milliseconds(median(entry.second)) << " worst-ms "
                  << milliseconds(worst == entry.second.end() ? 0 : *worst) << " match-slowest-median-ms "
                  << milliseconds(median(slowestPerMatch[entry.first])) << "\n";
    }
    std::cout << "matches " << options.matches << " side0 " << wins[1] << " side1 " << wins[2] << " draws "
              << wins[0] << " stalemates " << stalemates << " slowest-turn-ms " << milliseconds(slowest)
              << "\n";
    return 0;
}
