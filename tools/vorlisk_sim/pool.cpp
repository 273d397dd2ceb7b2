#include "tools/vorlisk_sim/pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <optional>
#include <vector>

#include "tools/vorlisk_sim/platform.h"

namespace vorlisk::sim {

int worker_count(int requested, size_t items) {
    const int n = requested > 0 ? requested : core_count();
    return int(std::max<size_t>(1, std::min<size_t>(size_t(n), items)));
}

void parallel_for(size_t count, int workers, std::string_view unit, const std::function<void(int, size_t)>& fn) {
    std::atomic<size_t> next{0}, done{0};
    std::exception_ptr failure;
    std::mutex m;
    std::condition_variable finished;
    int running = workers;
    auto work = [&](int w) {
        try {
            for (size_t i; (i = next.fetch_add(1)) < count;) {
                fn(w, i);
                done.fetch_add(1);
            }
        } catch (...) {
            next = count;  // nothing more is handed out
            std::lock_guard lock(m);
            if (!failure) failure = std::current_exception();
        }
        std::lock_guard lock(m);
        --running;
        finished.notify_all();
    };
    WorkerThreads threads(workers, work);
    {
        std::optional<Progress> progress;
        if (!unit.empty()) progress.emplace(std::string(unit), count);
        std::unique_lock lock(m);
        while (!finished.wait_for(lock, std::chrono::milliseconds(200), [&] { return running == 0; }))
            if (progress) progress->show(done.load());
    }
    threads.join();
    if (failure) std::rethrow_exception(failure);
}

Progress::Progress(std::string unit, size_t total)
    : unit_(std::move(unit)), total_(total), terminal_(stderr_is_terminal()),
      start_(std::chrono::steady_clock::now()), last_(start_) {}

Progress::~Progress() {
    if (shown_) std::fputs("\r\033[K", stderr);
}

void Progress::show(size_t done) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < std::chrono::seconds(2) || (shown_ && now - last_ < std::chrono::milliseconds(200))) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r进度：%zu/%zu %s（%d%%）", done, total_, unit_.c_str(),
                 total_ ? int(done * 100 / total_) : 100);
    std::fflush(stderr);
}

}  // namespace vorlisk::sim
