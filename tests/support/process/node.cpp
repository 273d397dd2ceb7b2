// Under node there is no shell to start programs from: the program (a
// script emscripten wrote) is run by node itself, as a child process.
#include <emscripten.h>

#include <cstdlib>

#include "tests/support/capabilities.h"
#include "tests/support/sim_process.h"

namespace vorlisk::test {

namespace {

// Runs node on the script with the arguments; the outputs come back in
// buffers the caller frees.
EM_JS(int, node_run, (const char* program, const char* const* argv, int argc, char** out, int* out_size, char** err,
                      int* err_size), {
    const args = ['--no-experimental-fetch', UTF8ToString(program)];
    for (let k = 0; k < argc; ++k) args.push(UTF8ToString(HEAPU32[(argv >> 2) + k]));
    const r = require('child_process').spawnSync(process.execPath, args, {maxBuffer: 1 << 30});
    const give = (bytes, where, size) => {
        const p = _malloc(bytes.length + 1);
        HEAPU8.set(bytes, p);
        HEAPU32[where >> 2] = p;
        HEAP32[size >> 2] = bytes.length;
    };
    give(r.stdout || new Uint8Array(0), out, out_size);
    give(r.stderr || new Uint8Array(0), err, err_size);
    return r.status === null ? -1 : r.status;
});

std::string take(char* bytes, int size) {
    std::string s(bytes, size_t(size));
    std::free(bytes);
    return s;
}

}  // namespace

std::string program_command(const std::string& program) {
    return "node --no-experimental-fetch " + shell_quote(program);
}

SimResult run_program(const std::string& program, const std::vector<std::string>& args) {
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    char *out = nullptr, *err = nullptr;
    int out_size = 0, err_size = 0;
    SimResult r;
    r.code = node_run(program.c_str(), argv.data(), int(argv.size()), &out, &out_size, &err, &err_size);
    r.out = take(out, out_size);
    r.err = take(err, err_size);
    return r;
}

}  // namespace vorlisk::test
