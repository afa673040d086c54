#pragma once
// The panels the build screen's views share: statistic rows of a robot, a pilot and a
// component, a component's attacks and a robot's parts, each at the column the view gives.

#include <string>

class Component;
class Pilot;
class Robot;

// The five slot captions and "PILOT", by slot row.
extern const char* const slotCaptions[7];

// The "ROBOT STATISTICS", "PILOT STATISTICS" and "SQUAD STATISTICS" headers of the column at x.
void drawStatisticsHeaders(int x);
// "Health", "Energy", "Armor", "Move", "Weight" at y 70 to 166, size 20.
void drawRobotStatRows(int x, int health, int energy, int armor, int move, int weight);
void drawRobotStatRows(int x, const Robot* robot);
// "Reflexes", "Melee Attack", "Ranged Attack", "Defense" at y 245 to 316, size 20; 0 without a pilot.
void drawPilotStatRows(int x, const Pilot* pilot);
// The six slots and the pilot, captions and names, "[EMPTY]" where nothing is.
void drawRobotComponents(int x, const Robot* robot);
// The part's numbers at x 400, size 18; 0 without a part.
void drawComponentStatistics(const Component* component);
// Each attack's name and numbers, 140 pixels apart from y 290; "[NO ATTACKS]" when there is none.
void drawComponentAttacks(const Component* component);
// The pilot's skills at x 400, size 18; 0 without a pilot.
void drawPilotStatistics(const Pilot* pilot);
// UIStatUp.png or UIStatDown.png at (x, y) by the sign of after - before; nothing when equal.
void drawChangeArrow(int before, int after, int x, int y);
