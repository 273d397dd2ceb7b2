// Programs started through the shell, their standard error through a file.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/capabilities.h"
#include "tests/support/sim_process.h"

namespace vorlisk::test {

std::string program_command(const std::string& program) { return shell_quote(program); }

SimResult run_program(const std::string& program, const std::vector<std::string>& args) {
    namespace fs = std::filesystem;
    static int serial = 0;
    const fs::path err = fs::temp_directory_path() /
                         ("vorlisk_sim_err_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::string cmd = shell_quote(program);
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
