#pragma once
// The codeset the user's terminal speaks, as the locale settings name it, and
// the conversion between it and the UTF-8 the game holds everything in, for
// terminals that show Korean in a codeset of their own (EUC-KR, CP949).

#include <memory>
#include <string>
#include <string_view>

namespace platform::posix {

// The codeset named by the first of LC_ALL, LC_CTYPE and LANG that is set
// and not empty ("EUC-KR" for "ko_KR.EUC-KR"); for a name without one, the
// codeset the system gives that locale. Empty when nothing is set, for C and
// POSIX, and for a locale the system does not know: UTF-8 is kept then.
std::string localeCodeset(const char* lcAll, const char* lcCtype, const char* lang);

// "UTF-8", "utf8", "UTF8" and the like.
bool isUtf8(std::string_view codeset);

// Conversion between UTF-8 and a codeset of the terminal's, by iconv.
class Recoder {
  public:
    explicit Recoder(const std::string& codeset);
    ~Recoder();
    Recoder(const Recoder&) = delete;
    Recoder& operator=(const Recoder&) = delete;

    // False when the system cannot convert to and from the codeset.
    bool valid() const;
    // True when the table's glyphs and Korean text can be shown in it.
    bool showsTable();
    // UTF-8 text in the codeset; what the codeset cannot show becomes "?".
    std::string toTerminal(std::string_view utf8);
    // Bytes from the terminal as they arrive, as UTF-8: every whole character
    // so far; a character cut between two calls comes with the second one,
    // and bytes that make no character become "?".
    std::string fromTerminal(std::string_view bytes);

  private:
    void* toCodeset;
    void* fromCodeset;
    std::string partial; // the start of a character still to come whole
};

// What the environment says of the terminal: whether it can show the table
// (cursor addressing, a codeset with Hangul and the glyphs) is asked before
// anything is written to it.
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
