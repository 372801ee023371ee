#include "game/command_line.h"

#include <charconv>
#include <cstdlib>
#include <string_view>
#include <system_error>

#ifndef BRANNOCKTIDE_VERSION
#define BRANNOCKTIDE_VERSION "0.0.0"
#endif

namespace {

// A pace above this would only make the table stand still.
constexpr double maxPace = 100.0;

std::optional<unsigned int> parseSeed(std::string_view text) {
    unsigned int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Plain decimals only ("0", "2", "0.25", ".5"): no sign, exponent, hex,
// "inf" or "nan", so whatever is taken reads as the person wrote it.
std::optional<double> parsePace(const std::string& text) {
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) {
        return std::nullopt;
    }
    const double value = std::strtod(text.c_str(), nullptr);
    if (value > maxPace) {
        return std::nullopt;
    }
    return value;
}

CommandLine refusal(const std::string& problem) {
    CommandLine refused;
    refused.action = CommandLine::Action::refuse;
    refused.problem = problem;
    return refused;
}

// An option that takes a value, as "--name value" or "--name=value".
struct Valued {
    std::string name;
    std::optional<std::string> value;
};

Valued splitValue(const std::vector<std::string>& arguments, std::size_t& at) {
    const std::string& argument = arguments[at];
    const std::size_t equals = argument.find('=');
    if (equals != std::string::npos) {
        return {argument.substr(0, equals), argument.substr(equals + 1)};
    }
    if (at + 1 < arguments.size()) {
        return {argument, arguments[++at]};
    }
    return {argument, std::nullopt};
}

bool takesValue(const std::string& argument) {
    for (const char* name : {"--seed", "--pace", "--save", "--history"}) {
        const std::string_view option(name);
        if (argument == option || (argument.starts_with(option) && argument.size() > option.size() &&
                                    argument[option.size()] == '=')) {
            return true;
        }
    }
    return false;
}

// Reads one option with a value into the command line; false with the
// problem set when the value is missing or bad.
bool readValued(Valued option, CommandLine& line) {
    if (!option.value) {
        line = refusal("option '" + option.name + "' needs a value");
        return false;
    }
    if (option.name == "--save" || option.name == "--history") {
        if (option.value->empty()) {
            line = refusal("option '" + option.name + "' needs a file name");
            return false;
        }
        (option.name == "--save" ? line.savePath : line.historyPath) = *option.value;
        return true;
    }
    if (option.name == "--seed") {
        line.seed = parseSeed(*option.value);
        if (!line.seed) {
            line = refusal("bad value '" + *option.value + "' for --seed: a whole number from 0 to 4294967295");
            return false;
        }
        return true;
    }
    const std::optional<double> pace = parsePace(*option.value);
    if (!pace) {
        line = refusal("bad value '" + *option.value + "' for --pace: a number from 0 to 100");
        return false;
    }
    line.pace = *pace;
    return true;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "-h" || argument == "--help") {
            line.action = CommandLine::Action::help;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::version;
        } else if (takesValue(argument)) {
            if (!readValued(splitValue(arguments, at), line)) {
                return line;
            }
        } else if (argument.starts_with("-")) {
            return refusal("unknown option '" + argument + "'");
        } else {
            return refusal("unexpected argument '" + argument + "'");
        }
    }
    return line;
}

// As GNU programs say it: the version, whose copyright, under which licence.
// The copyright line is the licence file's own.
std::string versionText() {
    return std::string("brannocktide ") + BRANNOCKTIDE_VERSION + "\n" + BRANNOCKTIDE_COPYRIGHT +
           "\n"
           "License MIT: the MIT License <https://opensource.org/license/mit>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.";
}

std::string usageHint() { return "try 'brannocktide --help'"; }

std::string usageText() {
    return "Usage: brannocktide [--seed N] [--pace F] [--save FILE] [--history FILE]\n"
           "       brannocktide --help | --version\n"
           "\n"
           "Seven-card stud poker at a text-console table with a Korean interface:\n"
           "you against one to six computer players. The terminal must show UTF-8\n"
           "(or EUC-KR/CP949) and be at least 162 columns by 42 lines.\n"
           "\n"
           "Options:\n"
           "  --seed N    deal the game of seed N (0 to 4294967295): the same seed and\n"
           "              the same answers play the same game on every system.\n"
           "              Default: the time.\n"
           "  --pace F    make every pause of the table F times as long (0 to 100);\n"
           "              0 plays without pauses. Default: 1.\n"
           "  --save FILE keep the game in FILE: it is saved at every answer and as\n"
           "              each hand is paid, and a game left unfinished (the program\n"
           "              ended, killed, or the terminal closed) goes on at the very\n"
           "              prompt it was left at the next time the program starts with\n"
           "              --save FILE. Without it nothing is written.\n"
           "  --history FILE\n"
           "              append every hand to FILE as it ends (the cards as you saw\n"
           "              them, each bet, raise, death and pass, the showdown), and a\n"
           "              summary of each game at its end. The file is only appended\n"
           "              to: earlier games and anything else in it stay.\n"
           "  -h, --help  show this text and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Environment:\n"
           "  NO_COLOR    set and not empty: hearts, diamonds and the menu cursor are\n"
           "              drawn in the normal colour instead of light red\n"
           "  TERM        'dumb' is refused: the table needs cursor addressing\n"
           "  LC_ALL, LC_CTYPE, LANG\n"
           "              the terminal's codeset: UTF-8 (and C/POSIX) is used as it\n"
           "              is, EUC-KR and CP949 are converted, others are refused\n"
           "\n"
           "Keys: w and s (or the arrow keys) move the menu cursor, Enter chooses;\n"
           "answers are typed and ended with Enter; any key goes on after a hand.\n"
           "Ctrl-C ends the game and gives the terminal back as it was.\n"
           "\n"
           "Exit status: 0 after Exit or the end of the input, 1 when the terminal\n"
           "cannot show the table, or the save or the history file cannot be used\n"
           "or its last write failed; 2 for a bad command line, --seed with a save\n"
           "that holds an unfinished game, or --history naming the save's own file.\n";
}

bool colourWanted(const char* noColor) { return noColor == nullptr || noColor[0] == '\0'; }
