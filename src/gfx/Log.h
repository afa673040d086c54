#pragma once
// The game's console messages ("OK: ", "Error: ", "FAIL: ", "Loading: " and the rest). Every
// message is one whole line, written at once and flushed, on the stream the game uses for it:
// players and tests read them in order, even when the program stops right after.

#include <string>

// One line on standard output; the newline is added.
void logToStdout(const std::string& line);
// One line on standard error; the newline is added.
void logToStderr(const std::string& line);

// Holds back the standard-output lines while it lives (the tools that load the game's data for
// another purpose, such as the match simulator, do not want a "Loading: " line per model).
// Errors still reach standard error.
class QuietStdoutLog {
public:
    QuietStdoutLog();
    ~QuietStdoutLog();
    QuietStdoutLog(const QuietStdoutLog&) = delete;
    QuietStdoutLog& operator=(const QuietStdoutLog&) = delete;
};
