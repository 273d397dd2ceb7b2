// Runs the real vorlisk-sim executable (VORLISK_SIM) as a teacher's script
// does: standard output, standard error and the exit code.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vorlisk::test {

struct SimResult {
    int code = -1;
    std::string out, err;
};

inline std::string shell_quote(const std::string& s) {
    std::string q = "'";
    for (char ch : s) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

inline SimResult run_sim(const std::vector<std::string>& args) {
    namespace fs = std::filesystem;
    static int serial = 0;
    const fs::path err = fs::temp_directory_path() /
                         ("vorlisk_sim_err_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::string cmd = shell_quote(VORLISK_SIM);
    for (const auto& a : args) cmd += " " + shell_quote(a);
    cmd += " 2>" + shell_quote(err.string());
    SimResult r;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(err);
    std::stringstream ss;
    ss << e.rdbuf();
    r.err = ss.str();
    fs::remove(err);
    return r;
}

}  // namespace vorlisk::test
