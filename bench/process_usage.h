#pragma once
// What another process has used, as far as the system tells it.

#include <optional>

#include <sys/resource.h>
#include <sys/types.h>

namespace bench {

// The CPU time a running process has had and the times it was woken, so far.
struct Usage {
    double cpuMs = 0;
    long long wakeUps = 0;
};

// Read from /proc where there is one to read it from (Linux); nothing
// elsewhere, where the figures are left out.
std::optional<Usage> usageOf(pid_t pid);

// The peak resident memory of a process that has ended, in MiB, from the
// usage wait4() gave for it.
double peakResidentMiB(const rusage& usage);

} // namespace bench
