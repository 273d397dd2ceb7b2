// Where the programs find "例子" and "手册": beside themselves in a build
// folder, in <prefix>/share/vorlisk when installed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/data_dir.h"
#include "tests/support/capabilities.h"

namespace vorlisk {
namespace {

namespace fs = std::filesystem;

TEST(DataDir, BesideTheProgramFirstThenTheInstalledFolder) {
    struct Row {
        const char* what;
        std::vector<const char*> folders;  // made under a scratch root
        const char* expected;              // relative to it; the program is in usr/bin
    };
    const Row rows[] = {
        {"build folder", {"usr/bin/例子"}, "usr/bin"},
        {"installed", {"usr/bin", "usr/share/vorlisk/例子", "usr/share/vorlisk/手册"}, "usr/share/vorlisk"},
        {"both: the build's own copy wins", {"usr/bin/例子", "usr/share/vorlisk/例子"}, "usr/bin"},
        {"installed without examples", {"usr/bin", "usr/share/vorlisk/手册"}, "usr/bin"},
        {"nothing anywhere", {"usr/bin"}, "usr/bin"},
    };
    for (const Row& row : rows) {
        const fs::path root = fs::temp_directory_path() / ("vorlisk_data_dir_" + vorlisk::test::process_tag());
        fs::remove_all(root);
        for (const char* f : row.folders) fs::create_directories(root / fs::path(f));
        EXPECT_EQ(data_dir(root / "usr/bin"), root / row.expected) << row.what;
        fs::remove_all(root);
    }
}

}  // namespace
}  // namespace vorlisk
