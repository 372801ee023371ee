// The command line: what each option asks for, and every way it can be
// wrong, which must be refused rather than half taken.
#include "game/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Action = CommandLine::Action;

CommandLine parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

TEST(CommandLine, OptionsAskForWhatTheySay) {
    EXPECT_EQ(parse({}).action, Action::play);
    EXPECT_FALSE(parse({}).seed);
    EXPECT_EQ(parse({}).pace, 1.0);
    EXPECT_EQ(parse({"-h"}).action, Action::help);
    EXPECT_EQ(parse({"--help"}).action, Action::help);
    EXPECT_EQ(parse({"--version"}).action, Action::version);

    const CommandLine both = parse({"--seed", "4294967295", "--pace=0.25"});
    EXPECT_EQ(both.action, Action::play);
    EXPECT_EQ(both.seed, 4294967295u);
    EXPECT_EQ(both.pace, 0.25);
    EXPECT_EQ(parse({"--seed=0", "--pace", "0"}).seed, 0u);
    EXPECT_EQ(parse({"--pace", "0"}).pace, 0.0);
    EXPECT_EQ(parse({"--pace", "100"}).pace, 100.0);
    EXPECT_EQ(parse({"--pace", ".5"}).pace, 0.5);

    const CommandLine files = parse({"--save", "game.save", "--history=한판.txt"});
    EXPECT_EQ(files.savePath, "game.save");
    EXPECT_EQ(files.historyPath, "한판.txt");
    EXPECT_FALSE(parse({}).savePath);
    EXPECT_FALSE(parse({}).historyPath);
}

TEST(CommandLine, FaultsAreRefusedAndNamed) {
    struct Case {
        std::vector<std::string> arguments;
        const char* named; // what the one line must name
    };
    const Case cases[] = {
        {{"--colour"}, "'--colour'"},
        {{"-x"}, "'-x'"},
        {{"play"}, "'play'"},
        {{"--seed"}, "'--seed'"},
        {{"--pace"}, "'--pace'"},
        {{"--seed", "-1"}, "'-1'"},
        {{"--seed", "4294967296"}, "'4294967296'"},
        {{"--seed", "12abc"}, "'12abc'"},
        {{"--seed="}, "''"},
        {{"--seed", "+5"}, "'+5'"},
        {{"--pace", "-1"}, "'-1'"},
        {{"--pace", "100.5"}, "'100.5'"},
        {{"--pace", "1e2"}, "'1e2'"},
        {{"--pace", "nan"}, "'nan'"},
        {{"--pace", "inf"}, "'inf'"},
        {{"--pace", "0x10"}, "'0x10'"},
        {{"--pace", "1.2.3"}, "'1.2.3'"},
        {{"--pace", "."}, "'.'"},
        {{"--seed", "7", "--verbose"}, "'--verbose'"},
        {{"--help", "--bogus"}, "'--bogus'"},
        {{"--save"}, "'--save'"},
        {{"--save="}, "'--save' needs a file name"},
        {{"--history", ""}, "'--history' needs a file name"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, Action::refuse) << c.arguments.front();
        EXPECT_NE(line.problem.find(c.named), std::string::npos) << line.problem;
        EXPECT_EQ(line.problem.find('\n'), std::string::npos) << line.problem;
    }
}

TEST(CommandLine, TextsForHelpVersionAndColour) {
    // The version line, then the copyright and the licence as GNU programs give them.
    const std::string version = versionText();
    const std::string first = version.substr(0, version.find('\n'));
    EXPECT_TRUE(first.starts_with("brannocktide ")) << version;
    EXPECT_EQ(std::count(first.begin(), first.end(), '.'), 2) << version;
    for (const char* line : {"\nCopyright (c) ", "\nLicense MIT: ",
                             "\nThere is NO WARRANTY, to the extent permitted by law."}) {
        EXPECT_NE(version.find(line), std::string::npos) << line;
    }
    for (const char* option : {"--seed N", "--pace F", "--help", "--version", "NO_COLOR", "TERM"}) {
        EXPECT_NE(usageText().find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usageText().find('\x1b'), std::string::npos);
    EXPECT_TRUE(colourWanted(nullptr));
    EXPECT_TRUE(colourWanted(""));
    EXPECT_FALSE(colourWanted("1"));
    EXPECT_FALSE(colourWanted("no"));
}

} // namespace
