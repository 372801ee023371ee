// Playing the soak's games, in one process or shared among several.
#include "soak/soak_run.h"

#include "fake/seeded_game.h"
#include "fake/whole_game.h"
#include "game/game_table.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace soak {

namespace {

// The longest games measured with 1 to 6 computers, 100 games each. A game
// ten times longer than that is taken to be stuck, or to be played by rules
// under which the seats no longer go broke.
constexpr std::array<long long, 6> longestMeasured = {41027, 91857, 133210, 123742, 103160, 168462};
constexpr long long lengthFactor = 10;

long long handBound(int computers) {
    return lengthFactor * longestMeasured[static_cast<std::size_t>(computers - 1)];
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string faultOf(const fake::GameRecord& game, const GameTable& table, int computers, bool capped) {
    if (!game.faults.empty()) {
        return game.faults.front();
    }
    if (capped) {
        return "";
    }
    if (game.hands > handBound(computers)) {
        return "no final line after " + std::to_string(game.hands) + " hands, ten times the longest game measured";
    }
    if (game.finalPauses != 1) {
        return "no final line after " + std::to_string(game.hands) + " hands";
    }
    if (game.maxCardsInHand > 7) {
        return std::to_string(game.maxCardsInHand) + " cards in one hand";
    }
    for (int s = 0; s < GameTable::seatCount; ++s) {
        const Player& seat = *table.seat(s);
        const bool named = game.finalLine.find(seat.getName() + "님이 포커게임 최종으로") != std::string::npos;
        if (seat.isSeated() && seat.getMoney() > 0 && !named) {
            return "the final line does not name " + seat.getName() + ": " + game.finalLine;
        }
    }
    return "";
}

std::string encode(const GameResult& r) {
    char head[96];
    std::snprintf(head, sizeof head, "%d %u %lld %.6f %d ", r.computers, r.seed, r.hands, r.seconds,
                  r.capped ? 1 : 0);
    return head + r.fault + "\n";
}

bool decode(const std::string& line, GameResult& r) {
    int used = 0;
    int capped = 0;
    if (std::sscanf(line.c_str(), "%d %u %lld %lf %d %n", &r.computers, &r.seed, &r.hands, &r.seconds, &capped,
                    &used) < 5) {
        return false;
    }
    r.capped = capped != 0;
    r.fault = line.substr(static_cast<std::size_t>(used));
    return true;
}

void announce(const GameResult& r) {
    const std::string verdict = !r.fault.empty() ? "FAULT " + r.fault : r.capped ? "ok, stopped at the cap" : "ok";
    std::printf("computers=%d seed=%u hands=%lld %.2fs %s\n", r.computers, r.seed, r.hands, r.seconds,
                verdict.c_str());
    std::fflush(stdout);
}

// Plays this process's share: every jobs-th game of the run, starting at
// `job`, each count within its share of the time budget.
std::vector<GameResult> playShare(const Options& options, int job) {
    std::vector<GameResult> results;
    const int counts = options.most - options.fewest + 1;
    const double share = options.budgetSeconds / counts;
    int task = 0;
    for (int computers = options.fewest; computers <= options.most; ++computers) {
        double used = 0;
        bool first = true;
        for (int index = 0; index < options.games; ++index, ++task) {
            if (task % options.jobs != job) {
                continue;
            }
            if (!first && options.budgetSeconds > 0 && used >= share) {
                break;
            }
            first = false;
            results.push_back(playOne(computers, seedFor(options, computers, index), options.handCap));
            used += results.back().seconds;
            announce(results.back());
        }
    }
    return results;
}

std::vector<GameResult> readShare(int fd) {
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(got));
    }
    std::vector<GameResult> results;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        GameResult r;
        if (decode(text.substr(at, end - at), r)) {
            results.push_back(r);
        }
    }
    return results;
}

} // namespace

unsigned seedFor(const Options& options, int computers, int index) {
    if (!options.seeds.empty()) {
        const auto nth = static_cast<std::size_t>(computers - options.fewest);
        return options.seeds[std::min(nth, options.seeds.size() - 1)];
    }
    return options.firstSeed + static_cast<unsigned>(computers) * 100000u + static_cast<unsigned>(index);
}

GameResult playOne(int computers, unsigned seed, long long handCap) {
    const Clock::time_point start = Clock::now();
    // Stopped one hand past the bound, so a game that long shows as one.
    const long long handLimit = handCap > 0 ? std::min(handCap, handBound(computers) + 1) : handBound(computers) + 1;
    const fake::SeededGame game = fake::playSeed(seed, {true, "soak", computers, {}, static_cast<int>(handLimit)});
    const bool capped = handCap > 0 && !fake::reachedTheEnd(game.record) && game.record.hands >= handCap;
    return {computers, seed, game.record.hands, secondsSince(start), capped,
            faultOf(game.record, *game.table, computers, capped)};
}

Run run(const Options& options) {
    const Clock::time_point start = Clock::now();
    Run all;
    if (options.jobs == 1) {
        all.games = playShare(options, 0);
        all.wallSeconds = secondsSince(start);
        return all;
    }
    std::vector<int> pipes;
    std::vector<pid_t> children;
    std::fflush(stdout);
    for (int job = 0; job < options.jobs; ++job) {
        int fds[2];
        if (pipe(fds) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            for (const GameResult& r : playShare(options, job)) {
                const std::string line = encode(r);
                if (write(fds[1], line.data(), line.size()) < 0) {
                    std::_Exit(2);
                }
            }
            std::_Exit(0);
        }
        close(fds[1]);
        pipes.push_back(fds[0]);
        children.push_back(child);
    }
    for (std::size_t job = 0; job < pipes.size(); ++job) {
        for (const GameResult& r : readShare(pipes[job])) {
            all.games.push_back(r);
        }
        close(pipes[job]);
        int status = 0;
        waitpid(children[job], &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            ++all.failedJobs;
        }
    }
    all.wallSeconds = secondsSince(start);
    return all;
}

} // namespace soak
