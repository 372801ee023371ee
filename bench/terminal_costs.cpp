// What the terminal backend adds to the pacing the rules fix, measured on
// the real backend with its output going to a pseudo-terminal of the
// table's size and "Play Simulation" typed into a pipe on standard input:
//
//   terminal_costs [--computers N] [--hands H] [--pace F] [--replays N] [--check] [--max-ratio R]
//
// Plays the title menu and the set-up alone, then again with H whole hands
// (the input ends at the winner line of hand H); the difference is what the
// hands cost. Prints the wall time over the pauses the game asked for, the
// write() calls and bytes per hand and per shuffle frame, the sequences that
// changed nothing on the screen, and the same output replayed both as the
// game writes it and one glyph or sequence per write(), timed in this run.
//
// --pace       the pace of the pauses, as the program's --pace (0: none)
// --replays    how often the output is sent again each way (0: not at all)
// --check      exit 1 unless every flush was one write() and no sequence
//              was sent that changed nothing
// --max-ratio  exit 1 when the wall time exceeds the pauses by more
#include "game/game_table.h"
#include "platform/console.h"
#include "output_costs.h"
#include "pseudo_terminal.h"
#include "replay.h"
#include "stream_audit.h"

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::OutputCosts;
using bench::outputCosts;

constexpr unsigned fixedSeed = 20261207u;
constexpr int shuffleFrames = 48;

struct Options {
    int computers = 1;
    int hands = 3;
    int replays = 5;
    double pace = 1.0;
    bool check = false;
    double maxRatio = 0; // 0: no limit
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool hasValue = i + 1 < argc;
        if (flag == "--check") {
            options.check = true;
        } else if (flag == "--computers" && hasValue) {
            options.computers = std::atoi(argv[++i]);
        } else if (flag == "--hands" && hasValue) {
            options.hands = std::atoi(argv[++i]);
        } else if (flag == "--pace" && hasValue) {
            options.pace = std::atof(argv[++i]);
        } else if (flag == "--replays" && hasValue) {
            options.replays = std::atoi(argv[++i]);
        } else if (flag == "--max-ratio" && hasValue) {
            options.maxRatio = std::atof(argv[++i]);
        } else {
            return false;
        }
    }
    return options.computers >= 1 && options.computers <= 6 && options.hands >= 1 &&
           options.replays >= 0 && options.pace >= 0;
}

// The CPU time of the calling thread (the game's), on any POSIX system
// with thread CPU clocks (Linux, macOS, the BSDs).
double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

OutputCosts minus(const OutputCosts& a, const OutputCosts& b) {
    return {a.flushes - b.flushes, a.writeCalls - b.writeCalls, a.bytes - b.bytes,
            a.splitFrames - b.splitFrames, a.sleepAskedMs - b.sleepAskedMs};
}

// What one measured stretch of the program cost.
struct Pass {
    OutputCosts costs;
    double wallSeconds = 0;
    double cpuSeconds = 0; // the game's own thread
    std::string output;    // what the terminal was sent meanwhile
};

class Meter {
  public:
    explicit Meter(bench::PseudoTerminal& terminal) : terminal(terminal) {}

    // The title menu with standard input reading `script` until it ends.
    Pass play(GameTable& table, const std::string& script) {
        typeIntoStandardInput(script);
        table.randomDraws().seed(fixedSeed);
        return measure([&] {
            try {
                table.runMenu();
            } catch (const platform::InputClosed&) {
                // the script is used up: the pass is over
            }
        });
    }

    Pass shuffle(GameTable& table) {
        return measure([&] { table.getDeck().shuffle(table.randomDraws()); });
    }

  private:
    template <typename Work> Pass measure(Work work) {
        using Clock = std::chrono::steady_clock;
        const OutputCosts before = outputCosts();
        const double cpuBefore = threadCpuSeconds();
        const Clock::time_point start = Clock::now();
        work();
        Pass pass;
        pass.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        pass.cpuSeconds = threadCpuSeconds() - cpuBefore;
        pass.costs = minus(outputCosts(), before);
        terminal.waitForBytes(outputCosts().bytes);
        const std::string all = terminal.received();
        pass.output = all.substr(all.size() - static_cast<std::size_t>(pass.costs.bytes));
        return pass;
    }

    static void typeIntoStandardInput(const std::string& script) {
        int fds[2];
        if (pipe(fds) != 0 ||
            write(fds[1], script.data(), script.size()) != static_cast<ssize_t>(script.size())) {
            std::perror("pipe");
            std::exit(2);
        }
        close(fds[1]);
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
    }

    bench::PseudoTerminal& terminal;
};

// "Play Simulation" from the title menu and the player's name; then the
// number of computers and a key for each winner line but the last.
std::string setupScript() {
    return "s\rbench\n";
}

std::string handsScript(const Options& options) {
    return setupScript() + std::to_string(options.computers) + "\n" +
           std::string(static_cast<std::size_t>(options.hands - 1), '\r');
}

struct Measured {
    Pass setup;
    Pass game;
    Pass shuffle;
};

Measured measureGame(const Options& options, bench::PseudoTerminal& terminal) {
    const int reportFd = dup(STDOUT_FILENO);
    dup2(terminal.programSide(), STDOUT_FILENO);
    platform::setPace(options.pace);
    platform::open();
    Measured m;
    {
        GameTable table;
        Meter meter(terminal);
        m.setup = meter.play(table, setupScript());
        m.game = meter.play(table, handsScript(options));
        m.shuffle = meter.shuffle(table);
    }
    platform::close();
    dup2(reportFd, STDOUT_FILENO);
    close(reportFd);
    return m;
}

double perHand(long long total, const Options& options) {
    return static_cast<double>(total) / options.hands;
}

// The wall time of the hands over the pauses the game asked for.
double reportPacing(const Options& options, const Pass& game) {
    const double asked = static_cast<double>(game.costs.sleepAskedMs) / 1000.0;
    if (options.pace == 0) {
        std::printf("pacing: not measured, the pauses take no time at --pace 0\n");
        return 0;
    }
    const double ratio = game.wallSeconds / asked;
    std::printf("pacing: wall %.3f s / pauses asked %.3f s = %.4f (%.1f ms over per hand)\n",
                game.wallSeconds, asked, ratio,
                (game.wallSeconds - asked) * 1000.0 / options.hands);
    return ratio;
}

struct Verdict {
    bool oneWritePerFlush = false;
    bool noIdleSequences = false;
    double pacingRatio = 0;
};

Verdict report(const Options& options, const Measured& m) {
    const OutputCosts hands = minus(m.game.costs, m.setup.costs);
    std::printf("%d hand(s) with %d computer(s), output to a pseudo-terminal of 162x42\n",
                options.hands, options.computers);
    const double ratio = reportPacing(options, m.game);
    std::printf("game thread CPU: %.2f ms per hand\n",
                (m.game.cpuSeconds - m.setup.cpuSeconds) * 1000.0 / options.hands);
    std::printf("per hand: %.1f write() calls for %.1f flushes, %.0f bytes\n",
                perHand(hands.writeCalls, options), perHand(hands.flushes, options),
                perHand(hands.bytes, options));
    std::printf("per shuffle frame: %.2f write() calls, %.0f bytes (%d frames in %.3f s)\n",
                static_cast<double>(m.shuffle.costs.writeCalls) / shuffleFrames,
                static_cast<double>(m.shuffle.costs.bytes) / shuffleFrames, shuffleFrames,
                m.shuffle.wallSeconds);

    const std::string all = m.setup.output + m.game.output + m.shuffle.output;
    const bench::StreamAudit audit = bench::auditStream(all, true);
    std::printf("sequences that changed nothing: %lld cursor moves, %lld colour changes, %lld "
                "cursor shows/hides "
                "(of %lld sequences sent)\n",
                audit.idleMoves, audit.idleAttributes, audit.idleCursorModes, audit.sequences);
    const long long allWrites =
        m.setup.costs.writeCalls + m.game.costs.writeCalls + m.shuffle.costs.writeCalls;
    const long long split =
        m.setup.costs.splitFrames + m.game.costs.splitFrames + m.shuffle.costs.splitFrames;
    std::printf("one write() per flush: %s (%lld write() calls, %lld of them a frame's start only)\n",
                split == 0 ? "yes" : "NO", allWrites, split);
    return {split == 0, audit.idleSequences() == 0, ratio};
}

// A writer sending every glyph and every sequence on its own, against the
// game's gathered writes: how many write() calls per hand, and the time
// the output of the hands pass takes both ways, to a pseudo-terminal read
// as the game's was and to /dev/null.
void reportReplay(const Options& options, const Measured& m) {
    const long long pieces = static_cast<long long>(bench::splitPieces(m.game.output).size() -
                                                    bench::splitPieces(m.setup.output).size());
    const long long writes = m.game.costs.writeCalls - m.setup.costs.writeCalls;
    std::printf("glyph by glyph: %.0f write() calls per hand instead of %.1f (%.0fx)\n",
                perHand(pieces, options), perHand(writes, options),
                static_cast<double>(pieces) / static_cast<double>(writes));

    const int rounds = options.replays;
    if (rounds == 0) {
        return;
    }
    const std::string& output = m.game.output;
    const long long passWrites = m.game.costs.writeCalls;
    bench::PseudoTerminal terminal({false, true, 162, 42});
    const bench::ReplayTimes pty =
        bench::replayBothWays(output, passWrites, terminal.programSide(), rounds,
                              [&](long long bytes) { terminal.waitForBytes(bytes); });
    std::FILE* devNull = std::fopen("/dev/null", "w");
    const bench::ReplayTimes null =
        bench::replayBothWays(output, passWrites, fileno(devNull), rounds, [](long long) {});
    std::fclose(devNull);
    std::printf("the hands pass (title, set-up, %d hand(s): %zu bytes) sent again in %lld writes "
                "or glyph by "
                "glyph in %lld:\n",
                options.hands, output.size(), passWrites, pty.pieceWrites);
    auto line = [rounds](const char* where, const bench::ReplayTimes& t) {
        std::printf("  to %s: %.3f ms gathered, %.3f ms glyph by glyph (%.0fx)\n", where,
                    t.gatheredSeconds * 1000.0 / rounds, t.pieceSeconds * 1000.0 / rounds,
                    t.pieceSeconds / t.gatheredSeconds);
    };
    line("a pseudo-terminal", pty);
    line("/dev/null", null);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: %s [--computers 1-6] [--hands H] [--pace F] [--replays N] [--check] [--max-ratio R]\n",
            argv[0]);
        return 2;
    }
    bench::PseudoTerminal terminal({});
    const Measured measured = measureGame(options, terminal);
    const Verdict verdict = report(options, measured);
    reportReplay(options, measured);
    std::fflush(stdout);
    bool passed = true;
    if (options.check && !(verdict.oneWritePerFlush && verdict.noIdleSequences)) {
        std::printf("FAIL: a flush took more than one write(), or a sequence changed nothing\n");
        passed = false;
    }
    if (options.maxRatio > 0 && verdict.pacingRatio > options.maxRatio) {
        std::printf("FAIL: pacing ratio %.4f is above %.4f\n", verdict.pacingRatio,
                    options.maxRatio);
        passed = false;
    }
    return passed ? 0 : 1;
}
