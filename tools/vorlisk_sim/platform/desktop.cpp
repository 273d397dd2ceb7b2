// The runner on a desktop system: a thread per worker, the cores the
// system reports, isatty.
#include <unistd.h>

#include <algorithm>

#include "tools/vorlisk_sim/platform.h"

namespace vorlisk::sim {

int core_count() { return std::max(1, int(std::thread::hardware_concurrency())); }

bool stderr_is_terminal() { return ::isatty(STDERR_FILENO) == 1; }

WorkerThreads::WorkerThreads(int count, const std::function<void(int)>& fn) {
    for (int w = 0; w < count; ++w) threads_.emplace_back(fn, w);
}

void WorkerThreads::join() {
    for (std::thread& t : threads_)
        if (t.joinable()) t.join();
    threads_.clear();
}

}  // namespace vorlisk::sim
