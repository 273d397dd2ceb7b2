// What the runner asks of the system it runs on: threads for the rows and
// files, the number of cores, and whether stderr shows to a person. The
// desktop build takes them from the system (platform/desktop.cpp); the
// build that runs under node has one thread and asks node about the
// terminal (platform/node.cpp). The build chooses the file, nothing else
// differs.
#pragma once

#include <functional>
#include <thread>
#include <vector>

namespace vorlisk::sim {

// Cores to spread work over, at least 1.
int core_count();

// Whether standard error is a terminal (progress lines are written over
// themselves there, and would litter a file).
bool stderr_is_terminal();

// Runs fn(0) .. fn(count - 1), each on a thread of its own where there are
// threads, else one after the other before the constructor returns; join()
// waits for them all.
class WorkerThreads {
public:
    WorkerThreads(int count, const std::function<void(int)>& fn);
    ~WorkerThreads() { join(); }
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;
    void join();

private:
    std::vector<std::thread> threads_;
};

}  // namespace vorlisk::sim
