// Terminals that cannot show the table are refused before anything is
// written; terminals in a Korean codeset get the table converted, and what
// is typed there comes to the game as UTF-8, however the bytes arrive.
#include "platform/posix/codeset.h"

#include <gtest/gtest.h>

namespace {

using platform::posix::isUtf8;
using platform::posix::localeCodeset;
using platform::posix::Recoder;
using platform::posix::TerminalEnvironment;
using platform::posix::terminalProblem;

TEST(Codeset, TakenFromTheFirstLocaleSettingThatIsSet) {
    EXPECT_EQ(localeCodeset(nullptr, nullptr, nullptr), "");
    EXPECT_EQ(localeCodeset(nullptr, nullptr, "C"), "");
    EXPECT_EQ(localeCodeset("POSIX", nullptr, "ko_KR.EUC-KR"), "");
    EXPECT_EQ(localeCodeset("", "", "ko_KR.EUC-KR"), "EUC-KR");
    EXPECT_EQ(localeCodeset(nullptr, "ko_KR.CP949", "en_US.UTF-8"), "CP949");
    EXPECT_EQ(localeCodeset("de_DE.ISO-8859-15@euro", "ko_KR.UTF-8", nullptr), "ISO-8859-15");
    EXPECT_EQ(localeCodeset(nullptr, nullptr, "C.UTF-8"), "UTF-8");
    EXPECT_TRUE(isUtf8("UTF-8"));
    EXPECT_TRUE(isUtf8("utf8"));
    EXPECT_TRUE(isUtf8("UTF_8"));
    EXPECT_FALSE(isUtf8("UTF-16"));
    EXPECT_FALSE(isUtf8("EUC-KR"));
}

TEST(Codeset, TerminalsThatCannotShowTheTableAreRefused) {
    auto problem = [](const char* term, const char* lang, bool terminal) {
        return terminalProblem(TerminalEnvironment{term, nullptr, nullptr, lang, terminal});
    };
    EXPECT_EQ(problem("xterm", "ko_KR.UTF-8", true), "");
    EXPECT_EQ(problem(nullptr, nullptr, true), ""); // no TERM at all is no refusal
    EXPECT_EQ(problem("xterm", "C", true), "");
    EXPECT_EQ(problem("xterm", "ko_KR.EUC-KR", true), "");
    EXPECT_EQ(problem("xterm", "ko_KR.CP949", true), "");
    EXPECT_EQ(problem("dumb", "ko_KR.UTF-8", false), ""); // a pipe takes the text as it is

    const std::string dumb = problem("dumb", "ko_KR.UTF-8", true);
    EXPECT_NE(dumb.find("TERM=dumb"), std::string::npos) << dumb;
    const std::string latin = problem("xterm", "en_US.ISO-8859-1", true);
    EXPECT_NE(latin.find("ISO-8859-1"), std::string::npos) << latin;
    EXPECT_NE(latin.find("UTF-8"), std::string::npos) << latin;
    EXPECT_NE(problem("xterm", "en_US.NO-SUCH-CODESET", true), "");
    for (const std::string& line : {dumb, latin}) {
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
}

TEST(Codeset, KoreanTerminalsGetTheTableAndTypeInTheirCodeset) {
    Recoder euc("EUC-KR");
    ASSERT_TRUE(euc.valid());
    // "┌" and "한글" in EUC-KR; a character the codeset lacks shows as "?".
    EXPECT_EQ(euc.toTerminal("\x1b[1;1H┌한글"), "\x1b[1;1H\xA6\xA3\xC7\xD1\xB1\xDB");
    EXPECT_EQ(euc.toTerminal("a🚀b"), "a?b");
    EXPECT_EQ(euc.toTerminal("a\xFF" "b"), "a?b");

    // Typed bytes arrive one at a time: a character cut in two comes whole.
    EXPECT_EQ(euc.fromTerminal("\xC7"), "");
    EXPECT_EQ(euc.fromTerminal("\xD1\xB1"), "한");
    EXPECT_EQ(euc.fromTerminal("\xDB" "ab"), "글ab");
    EXPECT_EQ(euc.fromTerminal("\xFF" "c"), "?c");

    Recoder latin("ISO-8859-1");
    EXPECT_TRUE(latin.valid());
    EXPECT_FALSE(latin.showsTable());
    EXPECT_TRUE(euc.showsTable());
    EXPECT_FALSE(Recoder("NO-SUCH-CODESET").valid());
}

} // namespace
