#include "output_costs.h"

#include "platform/backend.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string_view>

namespace {

bench::OutputCosts totals;

constexpr std::string_view beginUpdate = "\x1b[?2026h";
constexpr std::string_view endUpdate = "\x1b[?2026l";

void count(std::string_view sent) {
    ++totals.writeCalls;
    totals.bytes += static_cast<long long>(sent.size());
    const bool beginsFrame = sent.find(beginUpdate) != std::string_view::npos;
    if (sent.ends_with(endUpdate) || !beginsFrame) {
        ++totals.flushes;
    } else {
        ++totals.splitFrames;
    }
}

} // namespace

// Every write() of the program, the game's among them, passes here; those
// to standard output are counted, then handed on to the C library's.
extern "C" ssize_t write(int fd, const void* data, size_t size) {
    using Write = ssize_t (*)(int, const void*, size_t);
    static const auto next = reinterpret_cast<Write>(dlsym(RTLD_NEXT, "write"));
    const ssize_t sent = next(fd, data, size);
    if (fd == STDOUT_FILENO && sent > 0) {
        count(std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(sent)));
    }
    return sent;
}

bench::OutputCosts bench::outputCosts() {
    OutputCosts now = totals;
    now.sleepAskedMs = platform::settings::pausedMs();
    return now;
}
