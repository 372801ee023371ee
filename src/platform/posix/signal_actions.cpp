#include "platform/posix/signal_actions.h"

namespace platform::posix {

bool handleUnlessIgnored(int signal, void (*handler)(int), const sigset_t& blocked) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return false;
    }
    struct sigaction action {};
    action.sa_mask = blocked;
    action.sa_handler = handler;
    return sigaction(signal, &action, nullptr) == 0;
}

void actByDefault(int signal) {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
}

} // namespace platform::posix
