#include "process_usage.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

#ifdef __linux__
std::optional<Usage> usageOf(pid_t pid) {
    Usage u;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream sched(proc + "/schedstat");
    long long ns = 0;
    if (!(sched >> ns)) {
        return std::nullopt;
    }
    u.cpuMs = static_cast<double>(ns) / 1e6;
    std::ifstream status(proc + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            u.wakeUps += std::atoll(line.c_str() + line.find(':') + 1);
        }
    }
    return u;
}
#else
std::optional<Usage> usageOf(pid_t) { return std::nullopt; }
#endif

double peakResidentMiB(const rusage& usage) {
#ifdef __APPLE__
    const double bytes = static_cast<double>(usage.ru_maxrss);
#else
    const double bytes = static_cast<double>(usage.ru_maxrss) * 1024.0; // KiB on Linux and the BSDs
#endif
    return bytes / (1024.0 * 1024.0);
}

} // namespace bench
