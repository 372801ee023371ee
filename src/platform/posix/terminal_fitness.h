#pragma once
// Whether a terminal can show the table at all, asked before anything is
// written to it: cursor addressing, and a codeset with Hangul and the
// table's glyphs.

#include "platform/posix/codeset.h"

#include <memory>
#include <string>

namespace platform::posix {

// What the environment says of the terminal.
struct TerminalEnvironment {
    const char* term = nullptr;
    const char* lcAll = nullptr;
    const char* lcCtype = nullptr;
    const char* lang = nullptr;
    bool outputIsTerminal = false;

    // This process's environment and standard output.
    static TerminalEnvironment current();
};

// One line on why the table cannot be shown there; empty when it can.
std::string terminalProblem(const TerminalEnvironment& environment);

// The conversion the terminal's codeset needs; none for UTF-8 (and C/POSIX,
// which many UTF-8 terminals run with).
std::unique_ptr<Recoder> recoderFor(const TerminalEnvironment& environment);

} // namespace platform::posix
