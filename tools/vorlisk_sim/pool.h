// Work spread over the machine's cores, and a progress line for long runs.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vorlisk::sim {

// Threads to use: `requested`, or one per core when 0; never more than
// there are items, never fewer than one.
int worker_count(int requested, size_t items);

// Calls fn(worker, item) once for every item 0..count-1 on `workers`
// threads (worker 0 .. workers-1; a worker's calls never overlap), handing
// the items out in order. The calling thread waits, showing progress in
// `unit`s ("行") on stderr when `unit` is not empty. An exception thrown by
// fn stops the hand-out and is rethrown here.
void parallel_for(size_t count, int workers, std::string_view unit, const std::function<void(int, size_t)>& fn);

// "进度：1234/65536 行" on stderr, rewritten in place, once the work has
// taken more than about 2 s, and only when stderr is a terminal; cleared
// when done.
class Progress {
public:
    Progress(std::string unit, size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    void show(size_t done);

private:
    std::string unit_;
    size_t total_;
    bool terminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_, last_;
};

}  // namespace vorlisk::sim
