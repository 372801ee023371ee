#pragma once
// What the program is asked to do by its command line: play (with a chosen
// seed and pace), or only say how it is used or which version it is.

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { play, help, version, refuse };

    Action action = Action::play;
    // The seed of the game's random draws; none: the time in seconds.
    std::optional<unsigned int> seed;
    // Every pause of the table is this many times as long; 0 plays without pauses.
    double pace = 1.0;
    // The file the game is kept in; none: nothing is written.
    std::optional<std::string> savePath;
    // The file every hand and the game's summary are appended to; none: no history.
    std::optional<std::string> historyPath;
    // For refuse: the one line that says what was wrong.
    std::string problem;
};

// Reads the arguments after the program's name. The first fault ends the
// reading: an unknown option, a missing or bad value.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The usage text that --help prints.
std::string usageText();
// "brannocktide X.Y.Z".
std::string versionText();
// What follows a refusal on its line: where to find the options.
std::string usageHint();

// NO_COLOR set to anything but the empty text turns colour off.
bool colourWanted(const char* noColor);
