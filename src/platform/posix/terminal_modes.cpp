#include "platform/posix/terminal_modes.h"

namespace platform::posix {

namespace {

termios common(const termios& user) {
    termios mode = user;
    mode.c_lflag |= ISIG;
    mode.c_oflag |= OPOST | ONLCR;
    return mode;
}

} // namespace

termios keyMode(const termios& user) {
    termios mode = common(user);
    mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL);
    // Ctrl-S would freeze the table until Ctrl-Q; here it is just a key.
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    return mode;
}

termios lineMode(const termios& user) {
    termios mode = common(user);
    mode.c_lflag |= ICANON | ECHO | ECHOE | ECHOK;
    mode.c_iflag |= ICRNL;
    mode.c_iflag &= ~static_cast<tcflag_t>(INLCR | IGNCR);
#ifdef IUTF8
    mode.c_iflag |= IUTF8;
#endif
    return mode;
}

} // namespace platform::posix
