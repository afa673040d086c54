#pragma once
// A random fraction from 0 to 1 inclusive, for the battle's hit and damage rolls. It draws from
// the C library generator and never seeds it.
double randomFraction();
