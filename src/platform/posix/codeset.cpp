#include "platform/posix/codeset.h"

#include "platform/text_width.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>
#include <utility>
#ifdef __APPLE__
#include <xlocale.h> // newlocale and nl_langinfo_l live here on macOS
#endif

namespace platform::posix {

namespace {

const iconv_t noConversion = reinterpret_cast<iconv_t>(-1);

// Every glyph the table is drawn with, and Korean as the table writes it.
constexpr std::string_view tableSample = "┌─┐└┘│※♧♥◆♤▷▩◇♡ 현재 금액 판돈 배팅 다이 승리하였습니다";

std::string systemCodeset(const char* name) {
    const locale_t locale = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return "";
    }
    const std::string codeset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    return codeset;
}

std::string codesetOf(const TerminalEnvironment& environment) {
    return localeCodeset(environment.lcAll, environment.lcCtype, environment.lang);
}

bool needsConversion(const std::string& codeset) { return !codeset.empty() && !isUtf8(codeset); }

iconv_t handle(void* h) { return static_cast<iconv_t>(h); }

// Runs the conversion over `in`; returns false at a byte sequence it cannot
// take (errno tells why), with `in` moved to it.
bool convert(iconv_t cd, std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
        char* from = const_cast<char*>(in.data());
        std::size_t fromLeft = in.size();
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &from, &fromLeft, &to, &toLeft);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        in.remove_prefix(in.size() - fromLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string localeCodeset(const char* lcAll, const char* lcCtype, const char* lang) {
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    const char* name = set(lcAll) ? lcAll : set(lcCtype) ? lcCtype : lang;
    const std::string value = name != nullptr ? name : "";
    if (value.empty() || value == "C" || value == "POSIX") {
        return "";
    }
    const std::size_t dot = value.find('.');
    if (dot == std::string::npos) {
        return systemCodeset(name);
    }
    return value.substr(dot + 1, value.find('@', dot) - dot - 1);
}

bool isUtf8(std::string_view codeset) {
    std::string plain;
    for (char c : codeset) {
        if (c != '-' && c != '_') {
            plain += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return plain == "utf8";
}

Recoder::Recoder(const std::string& codeset)
    : toCodeset(iconv_open(codeset.c_str(), "UTF-8")), fromCodeset(iconv_open("UTF-8", codeset.c_str())) {}

Recoder::~Recoder() {
    for (void* cd : {toCodeset, fromCodeset}) {
        if (handle(cd) != noConversion) {
            iconv_close(handle(cd));
        }
    }
}

bool Recoder::valid() const { return handle(toCodeset) != noConversion && handle(fromCodeset) != noConversion; }

bool Recoder::showsTable() { return valid() && toTerminal(tableSample).find('?') == std::string::npos; }

std::string Recoder::toTerminal(std::string_view utf8) {
    std::string out;
    iconv(handle(toCodeset), nullptr, nullptr, nullptr, nullptr);
    while (!convert(handle(toCodeset), utf8, out)) {
        // A character the codeset lacks (or a broken byte): one "?" for it.
        out += '?';
        utf8.remove_prefix(decodeUtf8(utf8, 0).length);
    }
    return out;
}

std::string Recoder::fromTerminal(std::string_view bytes) {
    partial.append(bytes);
    std::string_view in = partial;
    std::string out;
    while (!convert(handle(fromCodeset), in, out)) {
        if (errno == EINVAL) {
            break; // the rest of the character is still to come
        }
        out += '?';
        in.remove_prefix(1);
    }
    partial.erase(0, partial.size() - in.size());
    return out;
}

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
