#pragma once
// Text from a file made fit for a console line: control characters (a NUL, a line end, an escape
// sequence) and bytes that are not UTF-8 are written as \xNN, so a diagnostic never carries raw
// bytes of its input to the terminal. Every console line of the game and its tools passes here.

#include <string>

std::string printableText(const std::string& text);
