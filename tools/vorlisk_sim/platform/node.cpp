// The runner compiled to WebAssembly and run by node: one thread, so the
// workers run one after the other in the caller; and the terminal as node
// sees it, since the C library there calls every standard stream a
// terminal, redirected or not.
#include <emscripten.h>

#include "tools/vorlisk_sim/platform.h"

namespace vorlisk::sim {

namespace {
EM_JS(int, node_stderr_is_tty, (), {
    return (typeof process !== 'undefined' && process.stderr && process.stderr.isTTY) ? 1 : 0;
});
}  // namespace

int core_count() { return 1; }

bool stderr_is_terminal() { return node_stderr_is_tty() == 1; }

WorkerThreads::WorkerThreads(int count, const std::function<void(int)>& fn) {
    for (int w = 0; w < count; ++w) fn(w);
}

void WorkerThreads::join() {}

}  // namespace vorlisk::sim
