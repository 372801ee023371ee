#include "platform/posix/terminal_fitness.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

std::string codesetOf(const TerminalEnvironment& environment) {
    return localeCodeset(environment.lcAll, environment.lcCtype, environment.lang);
}

bool needsConversion(const std::string& codeset) { return !codeset.empty() && !isUtf8(codeset); }

} // namespace

TerminalEnvironment TerminalEnvironment::current() {
    return {std::getenv("TERM"), std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"),
            isatty(STDOUT_FILENO) == 1};
}

std::string terminalProblem(const TerminalEnvironment& environment) {
    if (environment.outputIsTerminal && environment.term != nullptr && std::string_view(environment.term) == "dumb") {
        return "brannocktide: this terminal (TERM=dumb) cannot move the cursor; the game needs a full-screen "
               "terminal such as xterm";
    }
    const std::string codeset = codesetOf(environment);
    if (needsConversion(codeset) && !Recoder(codeset).showsTable()) {
        return "brannocktide: the locale's codeset " + codeset +
               " cannot show Hangul and the table's glyphs; the game needs a UTF-8 terminal (for example "
               "LANG=ko_KR.UTF-8)";
    }
    return "";
}

std::unique_ptr<Recoder> recoderFor(const TerminalEnvironment& environment) {
    const std::string codeset = codesetOf(environment);
    if (!needsConversion(codeset)) {
        return nullptr;
    }
    auto recoder = std::make_unique<Recoder>(codeset);
    return recoder->valid() ? std::move(recoder) : nullptr;
}

} // namespace platform::posix
