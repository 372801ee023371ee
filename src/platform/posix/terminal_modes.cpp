#include "platform/posix/terminal_modes.h"

namespace platform::posix {

termios keyMode(const termios& user) {
    termios mode = user;
    mode.c_lflag |= ISIG;
    mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL);
    mode.c_oflag |= OPOST | ONLCR;
    // Ctrl-S would freeze the table until Ctrl-Q; here it is just a key.
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    return mode;
}

} // namespace platform::posix
