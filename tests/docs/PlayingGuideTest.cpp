// The player's guide (docs/playing.md) against the game: every number in it must come from the
// game's own constants and rules, stated in one of the sentences below, so that a change to a
// rule that the guide does not follow fails here. Also every picture it shows must exist, and
// every screenshot the screenshot script saves must be shown.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "battle/BattlePanels.h"
#include "battle/BattleScreen.h"
#include "battle/BattleState.h"
#include "data/Attack.h"
#include "data/BattleRules.h"
#include "data/ComponentType.h"
#include "data/GameData.h"
#include "data/Pilot.h"
#include "data/Robot.h"
#include "data/SideSetup.h"
#include "gfx/ScreenSize.h"
#include "setup/RulesScreen.h"

namespace {

namespace fs = std::filesystem;
const fs::path docs = fs::path(GEARWARD_SOURCE_DIR) / "docs";

// The guide with every run of white space made one space, so sentences match across line breaks.
std::string guideText() {
    std::ifstream in(docs / "playing.md");
    std::stringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex("\\s+"), " ");
}

// `pattern` with each {} replaced by the next value.
std::string fill(const std::string& pattern, const std::vector<std::string>& values) {
    std::string out;
    size_t next = 0, start = 0;
    for (size_t at; (at = pattern.find("{}", start)) != std::string::npos; start = at + 2) {
        out += pattern.substr(start, at - start) + (next < values.size() ? values[next++] : "?");
    }
    return out + pattern.substr(start);
}
std::string n(double value) {
    return std::to_string(std::lround(value));
}

// A rules-screen limit (entry 0 squad size, 1 weight, 2 skill points) stepped from `value` with
// Left or Right until it stops: its bound.
int bound(int entry, int value, int direction) {
    for (int step = 0; step < 1000000; ++step) {
        const int next = steppedLimit(entry, value, direction, false);
        if (next == value) break;
        value = next;
    }
    return value;
}
std::vector<std::string> limitRow(int entry, int start) {
    return {n(bound(entry, start, -1)), n(bound(entry, start, +1)), n(start),
            n(steppedLimit(entry, start, +1, false) - start),
            n(steppedLimit(entry, start, +1, true) - start)};
}

// How a pattern offset reads on the map: the larger distance first.
std::string where(std::pair<int, int> offset) {
    const int dx = offset.first, dy = offset.second;
    const std::string ns = n(std::abs(dy)) + (dy > 0 ? " south" : " north");
    const std::string ew = n(std::abs(dx)) + (dx > 0 ? " east" : " west");
    return std::abs(dy) >= std::abs(dx)
               ? ns.substr(0, ns.find(' ')) + " tiles" + ns.substr(ns.find(' ')) + " and " + ew
               : ew.substr(0, ew.find(' ')) + " tiles" + ew.substr(ew.find(' ')) + " and " + ns;
}

// Skill modifiers of a pilot with skill `skill` in every skill.
struct Fighter {
    Pilot pilot;
    Robot robot;
    explicit Fighter(int skill) {
        pilot.reflexes = pilot.meleeAttack = pilot.rangedAttack = pilot.defense = skill;
        robot.setPilot(&pilot);
    }
    double attack() const { return attackModifier(robot, Attack()); }
    double defense() const { return defenseModifier(robot); }
};

// Every sentence of the guide that holds a number, with the number from the game.
std::vector<std::string> facts() {
    const SideSetup limits;
    int neutral = Pilot::MIN_SKILL;
    while (neutral < Pilot::MAX_SKILL && Fighter(neutral).attack() < 0) ++neutral;
    const double perPoint = (Fighter(neutral + 1).attack() - Fighter(neutral).attack()) * 100;
    const Fighter even(5), best(10), worst(0);
    return {
        fill("fills the screen ({} x {})", {n(SCREEN_WIDTH), n(SCREEN_HEIGHT)}),
        fill("| MAX SQUAD SIZE (robots) | {} | {} | {} | one robot |", limitRow(0, limits.maxSquadSize)),
        fill("| MAX SQUAD WEIGHT | {} | {} | {} | {} | {} |", limitRow(1, limits.maxSquadWeight)),
        fill("| PILOT SKILL POINT TOTAL | {} | {} | {} | {} | {} |", limitRow(2, limits.skillPointTotal)),
        fill("and {} pilots for each side", {n(GameData::PILOTS_PER_SIDE)}),
        fill("A robot has {} slots", {n(COMPONENT_SLOTS)}),
        fill("A robot with all {} parts", {n(COMPONENT_SLOTS)}),
        fill("each from {} to {}", {n(Pilot::MIN_SKILL), n(Pilot::MAX_SKILL)}),
        matchResultText(Side0Won, true),
        matchResultText(Side1Won, true),
        fill("Walking costs {} energy per tile", {n(MOVE_ENERGY_COST)}),
        fill("Turning to a new facing costs {} energy", {n(TURN_ENERGY_COST)}),
        fill("in steps of {}", {n(BattleScreen::DELAY_STEP)}),
        fill("A range square {} to the robot's right and {} ahead lies {} of a robot facing south, but {} of "
             "a "
             "robot facing east",
             {"1", "2", where(turnPatternEntry(FACING_SOUTH, 1, 2)),
              where(turnPatternEntry(FACING_EAST, 1, 2))}),
        fill("above {} adds {}% of the accuracy, each point below {} takes it off",
             {n(neutral), n(perPoint), n(neutral)}),
        fill("A pilot of skill {} against Defense {} with an accuracy of {}% hits {}% of the time; skill {} "
             "against "
             "Defense {} makes it {}%",
             {"5", "5", "80", n(100 * hitChance(even.attack(), even.defense(), 80)), "10", "0",
              n(100 * hitChance(best.attack(), worst.defense(), 80))}),
        fill("An attack of damage {} fired by a pilot of skill {} at a robot of armor {} whose pilot has "
             "Defense {} "
             "does between {} and {}",
             {"300", "5", "200", "5", n(hitDamage(even.attack(), even.defense(), 0, 300, 200)),
              n(hitDamage(even.attack(), even.defense(), 1, 300, 200))}),
        fill("a hit always does at least {} damage", {n(hitDamage(0, 0, 0, 0, 1000000))}),
        fill("for {} seconds", {n(BattleScreen::MARKER_LIFETIME / 1000.0)}),
    };
}

TEST(PlayingGuide, EveryNumberComesFromTheGame) {
    std::string text = guideText();
    ASSERT_FALSE(text.empty()) << "docs/playing.md cannot be read";
    for (const std::string& fact : facts()) {
        const size_t at = text.find(fact);
        EXPECT_NE(at, std::string::npos) << "the guide should say: " << fact;
        for (size_t found = at; found != std::string::npos; found = text.find(fact, found))
            text.replace(found, fact.size(), "#");
    }
    // Keypad keys are named by their digits; the picture files name no numbers.
    text = std::regex_replace(text, std::regex("keypad [0-9]"), "#");
    text = std::regex_replace(text, std::regex("\\]\\(images/[^)]*\\)"), "#");
    const std::regex number("[^ ]{0,30}[0-9]+[^ ]{0,30}");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        ADD_FAILURE() << "a number the game does not vouch for: \"" << it->str() << "\"";
}

TEST(PlayingGuide, ShowsEveryScreenshotAndOnlyThoseThatExist) {
    const std::string text = guideText();
    std::set<std::string> shown;
    const std::regex picture("\\]\\((images/playing/[^)]*\\.png)\\)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator();
         ++it) {
        shown.insert((*it)[1]);
        EXPECT_TRUE(fs::is_regular_file(docs / (*it)[1].str())) << (*it)[1] << " is shown but missing";
    }
    for (const auto& entry : fs::directory_iterator(docs / "images" / "playing"))
        EXPECT_EQ(shown.count("images/playing/" + entry.path().filename().string()), 1u)
            << entry.path().filename() << " is never shown";
    // Every screen of the game, in the order a player meets it.
    for (const char* screen : {"title", "rules-opponent", "rules-map", "build-squad", "build-components",
                               "build-pilots", "dispatch", "battle-actions", "battle-attack", "battle-end"})
        EXPECT_EQ(shown.count(std::string("images/playing/") + screen + ".png"), 1u) << screen;
}

}  // namespace
