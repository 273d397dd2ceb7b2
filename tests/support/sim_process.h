// Runs the real vorlisk-sim executable (VORLISK_SIM) as a teacher's script
// does: standard output, standard error and the exit code.
#pragma once

#include <string>
#include <vector>

namespace vorlisk::test {

struct SimResult {
    int code = -1;
    std::string out, err;
};

// Runs a program with these arguments and collects what it wrote. Natively
// through the shell (process/posix.cpp); in the build that runs under node,
// the program is a script node runs (process/node.cpp).
SimResult run_program(const std::string& program, const std::vector<std::string>& args);

inline std::string shell_quote(const std::string& s) {
    std::string q = "'";
    for (char ch : s) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

#ifdef VORLISK_SIM
inline SimResult run_sim(const std::vector<std::string>& args) { return run_program(VORLISK_SIM, args); }
#endif

}  // namespace vorlisk::test
