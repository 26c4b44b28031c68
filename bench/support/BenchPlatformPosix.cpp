// The POSIX side of the benchmarks' process figures (support/LargeJob.h).
#include "support/LargeJob.h"

#include <sys/resource.h>
#include <unistd.h>

namespace vorlix::bench {

double peakMemoryMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void syncDisks() { ::sync(); }

} // namespace vorlix::bench
