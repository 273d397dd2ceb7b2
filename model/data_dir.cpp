#include "model/data_dir.h"

#include <system_error>

// The installed data folder relative to the installed programs' folder;
// the build passes the one of its install layout.
#ifndef VORLISK_DATA_FROM_BIN
#define VORLISK_DATA_FROM_BIN "../share/vorlisk"
#endif

namespace vorlisk {

namespace fs = std::filesystem;

namespace {
bool has_examples(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / fs::path(kExamplesFolder), ec);
}
}  // namespace

fs::path data_dir(const fs::path& program_dir) {
    if (has_examples(program_dir)) return program_dir;
    const fs::path installed = (program_dir / VORLISK_DATA_FROM_BIN).lexically_normal();
    return has_examples(installed) ? installed : program_dir;
}

fs::path program_dir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

}  // namespace vorlisk
