// What the system under the tests offers. The browser build's tests run
// under node, which has no FIFOs and starts no processes of the test's own;
// tests that need them say so and skip.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

namespace vorlisk::test {

// Makes a FIFO at `path`; false where the system cannot (node's file
// system makes a plain file instead, which is removed again).
inline bool made_fifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) == 0 && std::filesystem::is_fifo(path)) return true;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return false;
}

// A part of temporary names that no other test process running at the
// same time has: under node every process has the same id.
inline const std::string& process_tag() {
    static const std::string tag = std::to_string(::getpid()) + "_" + std::to_string(std::random_device{}());
    return tag;
}

inline constexpr const char* kNoFifos = "this system has no FIFOs (the browser build under node)";
// How a shell command starts a program: natively the program itself; in
// the build under node, node running its script.
std::string program_command(const std::string& program);

inline constexpr const char* kNoProcesses = "this system cannot fork a process of the test's own (the browser build under node)";

}  // namespace vorlisk::test
