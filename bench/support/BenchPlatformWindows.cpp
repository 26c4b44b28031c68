// The Windows side of the benchmarks' process figures (support/LargeJob.h).
#include "support/LargeJob.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <psapi.h>

namespace vorlix::bench {

double peakMemoryMb()
{
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c))
        return 0;
    return double(c.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

double cpuSeconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME &t) { return (quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return double(ticks(kernel) + ticks(user)) / 1e7; // 100-nanosecond units
}

void syncDisks() {}

} // namespace vorlix::bench
