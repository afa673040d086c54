#include "gfx/Log.h"

#include <cstdio>

#include "storage/PrintableText.h"

namespace {

int quietStdoutDepth = 0;

void writeLine(std::FILE* stream, const std::string& text) {
    // Names and texts from data files never reach the terminal as raw bytes.
    const std::string line = printableText(text);
    // C streams: std::cout is synchronised with them, so the tools' own output around these
    // lines keeps its order.
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

void logToStdout(const std::string& line) {
    if (quietStdoutDepth == 0) writeLine(stdout, line);
}

void logToStderr(const std::string& line) {
    writeLine(stderr, line);
}

QuietStdoutLog::QuietStdoutLog() {
    ++quietStdoutDepth;
}

QuietStdoutLog::~QuietStdoutLog() {
    --quietStdoutDepth;
}
