// The real program on a pseudo-terminal of the table's size, as a person
// starts it: how long from starting it until the title screen has reached
// the terminal, the CPU time it takes and how often it wakes while it waits
// for a key at the title menu and for a line at the name prompt (on Linux,
// which tells them through /proc; left out elsewhere), and its peak
// resident memory.
//
//   idle_startup [--idle-seconds S] [--check] [program]
//
// --check  exit 1 when either wait takes more than 1 ms of CPU per second
#include "process_usage.h"
#include "pseudo_terminal.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

constexpr int appearMs = 10000;

struct Options {
    double idleSeconds = 10;
    bool check = false;
    std::string program = BRANNOCKTIDE_GAME;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check") {
            options.check = true;
        } else if (arg == "--idle-seconds" && i + 1 < argc) {
            options.idleSeconds = std::atof(argv[++i]);
        } else if (arg.rfind("--", 0) != 0) {
            options.program = arg;
        } else {
            return false;
        }
    }
    return options.idleSeconds > 0;
}

pid_t startOn(bench::PseudoTerminal& terminal, const std::string& program) {
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        const int fd = terminal.programSide();
        ioctl(fd, TIOCSCTTY, 0);
        for (int std : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
            dup2(fd, std);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    terminal.closeProgramSide();
    return pid;
}

// Gives the program the moment from its last write to its wait, which is
// not idle time.
void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

// What `seconds` of waiting cost; nothing where the system does not tell.
std::optional<bench::Usage> idleFor(pid_t pid, double seconds) {
    const std::optional<bench::Usage> before = bench::usageOf(pid);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const std::optional<bench::Usage> after = bench::usageOf(pid);
    if (!before || !after) {
        return std::nullopt;
    }
    return bench::Usage{after->cpuMs - before->cpuMs, after->wakeUps - before->wakeUps};
}

bool reportIdle(const char* where, const std::optional<bench::Usage>& measured, const Options& options) {
    if (!measured) {
        std::printf("idle %s: not measured (only Linux tells another process's CPU time here)\n", where);
        return true;
    }
    const bench::Usage& u = *measured;
    std::printf("idle %s: %.3f ms CPU, %lld wake-ups in %.0f s\n", where, u.cpuMs, u.wakeUps,
                options.idleSeconds);
    return u.cpuMs <= options.idleSeconds;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--idle-seconds S] [--check] [program]\n", argv[0]);
        return 2;
    }
    bench::PseudoTerminal terminal({true, false, 162, 42});
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t pid = startOn(terminal, options.program);
    if (!terminal.waitFor("Play Simulation", appearMs)) {
        std::printf("FAIL: no title screen within %d ms\n", appearMs);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return 1;
    }
    const double startMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("start-up: %.1f ms from fork to the title screen read from the terminal\n",
                startMs);
    settle();
    bool quiet = reportIdle("at the title menu", idleFor(pid, options.idleSeconds), options);

    terminal.type("\r"); // "Game Start"
    const bool prompted = terminal.waitFor("Player 이름 입력", appearMs);
    settle();
    quiet = reportIdle("at the name prompt", idleFor(pid, options.idleSeconds), options) && quiet;

    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("peak resident memory: %.1f MiB\n", bench::peakResidentMiB(usage));
    if (options.check && !(prompted && quiet)) {
        std::printf("FAIL: %s\n",
                    prompted ? "a wait used more than 1 ms of CPU per second" : "no name prompt");
        return 1;
    }
    return 0;
}
