#include "platform/posix/glyph_probe.h"

#include <chrono>
#include <cstdlib>

namespace platform::posix {

namespace {

constexpr int answerTimeMs = 200;

// Reads the terminal's answer; bytes before it are keys typed ahead.
std::optional<std::string> readReport(TerminalInput& input) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(answerTimeMs);
    std::string typedAhead;
    std::string report;
    while (Clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const auto byte = input.nextWithin(static_cast<int>(left.count()) + 1);
        if (!byte) {
            break;
        }
        if (report.empty() && *byte != 0x1B) {
            typedAhead += static_cast<char>(*byte);
            continue;
        }
        report += static_cast<char>(*byte);
        if (*byte == 'R') {
            input.keepForLater(typedAhead);
            return report;
        }
    }
    input.keepForLater(typedAhead + report);
    return std::nullopt;
}

} // namespace

std::optional<int> reportedColumn(const std::string& report) {
    const auto semicolon = report.find(';');
    if (report.size() < 6 || report.compare(0, 2, "\x1b[") != 0 || semicolon == std::string::npos ||
        report.back() != 'R') {
        return std::nullopt;
    }
    const int column = std::atoi(report.c_str() + semicolon + 1);
    return column > 0 ? std::optional<int>(column) : std::nullopt;
}

bool glyphsDrawnNarrow(TerminalOutput& output, TerminalInput& input, WaitPoint& waits) {
    output.controlMovingCursor("\x1b[H┌\x1b[6n");
    waits.flush();
    const auto report = readReport(input);
    output.controlMovingCursor("\r\x1b[K");
    const auto column = report ? reportedColumn(*report) : std::nullopt;
    return column != 3;
}

} // namespace platform::posix
