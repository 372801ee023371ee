// The terminal modes derived from the user's settings, the answer to the
// glyph-width question, when a window is large enough and what it is told
// when it is not.
#include "platform/posix/terminal_io.h"
#include "platform/posix/terminal_session.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"
#include "platform/frame_encoder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace platform::posix;

namespace {

termios userSettings() {
    termios user{};
    user.c_lflag = ICANON | ECHO | ECHOCTL | IEXTEN; // signals turned off by the user
    user.c_iflag = IXON | INLCR;
    user.c_oflag = 0;
    user.c_cc[VERASE] = 0x08;
    user.c_cc[VMIN] = 0;
    return user;
}

} // namespace

TEST(TerminalModes, SingleKeysAreUnechoedAndImmediateWithSignalsOn) {
    const termios mode = keyMode(userSettings());
    EXPECT_EQ(mode.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_NE(mode.c_lflag & ISIG, 0u);
    EXPECT_EQ(mode.c_cc[VMIN], 1);
    EXPECT_EQ(mode.c_cc[VTIME], 0);
    EXPECT_EQ(mode.c_oflag & (OPOST | ONLCR), static_cast<tcflag_t>(OPOST | ONLCR));
    EXPECT_EQ(mode.c_iflag & IXON, 0u);
    EXPECT_NE(mode.c_lflag & ECHOCTL, 0u); // what the game does not need stays the user's
    EXPECT_EQ(mode.c_cc[VERASE], 0x08);
}

TEST(GlyphProbe, ReadsTheColumnOfACursorReport) {
    struct Case {
        std::string report;
        std::optional<int> column;
    };
    const Case cases[] = {
        {"\x1b[1;2R", 2}, {"\x1b[1;3R", 3}, {"\x1b[40;162R", 162},
        {"\x1b[1;R", std::nullopt}, {"\x1b[12R", std::nullopt}, {"1;3R", std::nullopt},
        {"\x1b[1;3", std::nullopt}, {"\x1b[1;65535R", 65535},
        // Numbers no terminal reports, however long, and anything but digits.
        {"\x1b[1;65536R", std::nullopt}, {"\x1b[1;99999999999999999999999R", std::nullopt},
        {"\x1b[99999999999999999999999;3R", std::nullopt}, {"\x1b[1;0R", std::nullopt},
        {"\x1b[1;3xR", std::nullopt}, {"\x1b[1;-3R", std::nullopt}, {"\x1b[1;+3R", std::nullopt},
        {"\x1b[;3R", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportedColumn(c.report), c.column) << c.report.substr(1);
    }
}

// A cursor report longer than any real one is not read to its end: what was
// read of it is kept, with the rest, as keys typed.
TEST(GlyphProbe, AnAnswerTooLongToBeOneIsKeptAsKeys) {
    const std::string overlong = "\x1b[1;" + std::string(40, '9') + "R";
    const std::string keys = overlong + "x";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    ::close(fds[1]);
    platform::ScreenModel model(162, 42);
    TerminalOutput output(model);
    platform::KeyDecoder input([&](int ms) { return readInput(fds[0], ms, nullptr); });
    WaitPoint waits(output, fds[0], false);
    const int savedOutput = dup(STDOUT_FILENO);
    dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO); // the question the probe asks
    EXPECT_TRUE(glyphsDrawnNarrow(output, input, waits));
    dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
    std::string read;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        read += static_cast<char>(input.next());
    }
    EXPECT_EQ(read, keys);
    ::close(fds[0]);
}

TEST(WindowSize, FitsOnlyWhenBothSidesAreLargeEnough) {
    EXPECT_TRUE(fits({162, 42}, {162, 42}));
    EXPECT_TRUE(fits({200, 50}, {162, 42}));
    EXPECT_FALSE(fits({161, 50}, {162, 42}));
    EXPECT_FALSE(fits({200, 41}, {162, 42}));
}

// The notice's lines fit a narrow window, and name both sizes.
TEST(WindowSize, NoticeNamesTheNeededAndTheCurrentSize) {
    const platform::ScreenModel notice = platform::windowTooSmallNotice(162, 42, 100, 30);
    ASSERT_EQ(notice.columns(), 162);
    std::string text;
    for (int y = 0; y < notice.lines(); ++y) {
        for (int x = 0; x < notice.columns(); ++x) {
            text += notice.at(x, y).rightHalf ? "" : platform::encodeUtf8(notice.at(x, y).glyph);
            EXPECT_TRUE(x < 24 || notice.at(x, y).isBlank()) << "line " << y << " is wider than 24 cells";
        }
    }
    EXPECT_NE(text.find("162×42"), std::string::npos);
    EXPECT_NE(text.find("100×30"), std::string::npos);
}
