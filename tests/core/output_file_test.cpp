// Writing an output over whatever the name holds: a regular file is replaced
// whole or not at all, a FIFO or a character device is written into and
// stays what it is, and what cannot take the output is refused with a
// reason. Every writer (Save, the pictures, the instruments' exports,
// vorlisk-sim's outputs) goes through this.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "model/output_file.h"
#include "tests/support/capabilities.h"

namespace vorlisk {
namespace {

namespace fs = std::filesystem;

struct OutputFileTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("vorlisk_output_" + vorlisk::test::process_tag());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
};

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void make_file(const std::string& path, const std::string& text, fs::perms mode = fs::perms(0644)) {
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, mode);
}

// Which kind of node a path is now, so a test sees nothing was replaced.
char node(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return '-';
    return S_ISREG(st.st_mode) ? 'f' : S_ISFIFO(st.st_mode) ? 'p' : S_ISCHR(st.st_mode) ? 'c' : S_ISDIR(st.st_mode) ? 'd' : S_ISLNK(st.st_mode) ? 'l' : '?';
}

TEST_F(OutputFileTest, FilesFoldersAndLinks) {
    //   what is at the name, the policy, written?, a word of the reason, the node after, its bytes after
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        SpecialFiles special;
        bool written;
        const char* why;
        char after;
        const char* bytes;
    };
    const std::vector<Case> cases = {
        {"new name", [](const std::string&) {}, SpecialFiles::write_into, true, "", 'f', "new"},
        {"regular file", [](const std::string& p) { make_file(p, "old"); }, SpecialFiles::refuse, true, "", 'f', "new"},
        {"read-only file", [](const std::string& p) { make_file(p, "old", fs::perms(0444)); }, SpecialFiles::write_into,
         false, "只读", 'f', "old"},
        {"folder", [](const std::string& p) { fs::create_directory(p); }, SpecialFiles::write_into, false, "文件夹", 'd', ""},
        {"FIFO, circuit file", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, SpecialFiles::refuse, false,
         "这是一个管道", 'p', ""},
        // At once, not waiting for a reader that never comes.
        {"FIFO without reader", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, SpecialFiles::write_into,
         false, "没有程序在读取", 'p', ""},
        {"link to a file", [this](const std::string& p) { make_file(at("target"), "old"), fs::create_symlink("target", p); },
         SpecialFiles::write_into, true, "", 'l', "new"},
        {"dangling link", [](const std::string& p) { fs::create_symlink("missing", p); }, SpecialFiles::write_into, true,
         "", 'l', "new"},
    };
    for (const Case& k : cases) {
        const std::string path = at("out");
        fs::remove_all(path), fs::remove_all(at("target")), fs::remove_all(at("missing"));
        k.make(path);
        if (k.after == 'p' && node(path) != 'p') continue;  // no FIFOs here (the browser build under node)
        std::string why;
        EXPECT_EQ(write_output(path, "new", k.special, why), k.written) << k.what << ": " << why;
        EXPECT_NE(why.find(k.why), std::string::npos) << k.what << ": " << why;
        EXPECT_EQ(node(path), k.after) << k.what;
        if (k.after == 'f' || k.after == 'l') {
            EXPECT_EQ(read(path), k.bytes) << k.what;
        }
        // Nothing left beside it: the name, and the file a link names.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), k.after == 'l' ? 2 : 1) << k.what;
    }
    // A replaced file keeps its permissions.
    make_file(at("kept"), "old", fs::perms(0640));
    std::string why;
    ASSERT_TRUE(write_output(at("kept"), "new", SpecialFiles::write_into, why)) << why;
    EXPECT_EQ(fs::status(at("kept")).permissions(), fs::perms(0640));
}

TEST_F(OutputFileTest, AnOutputDroppedHalfWayLeavesTheFormerFile) {
    make_file(at("table.csv"), "former");
    {
        OutputFile out;
        std::string why;
        ASSERT_TRUE(out.open(at("table.csv"), SpecialFiles::write_into, why)) << why;
        out.stream() << "half of a new table";
        out.stream().flush();
    }  // no commit: a run that failed
    EXPECT_EQ(read(at("table.csv")), "former");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(OutputFileTest, AFifoWithAReaderIsWrittenIntoAndStaysAFifo) {
    const std::string fifo = at("pipe");
    if (!test::made_fifo(fifo)) GTEST_SKIP() << test::kNoFifos;
    std::string got;
    std::thread reader([&] { got = read(fifo); });
    std::string why;
    EXPECT_TRUE(write_output(fifo, "through the pipe", SpecialFiles::wait_for_reader, why)) << why;
    reader.join();
    EXPECT_EQ(got, "through the pipe");
    EXPECT_EQ(node(fifo), 'p');
}

TEST_F(OutputFileTest, CharacterDevicesAreWrittenIntoAndStayDevices) {
    // Nodes like /dev/null and /dev/full of this test's own, made where the
    // test may make them.
    if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    //   node, written?, a word of the reason
    const std::vector<std::tuple<const char*, dev_t, bool, const char*>> cases = {
        {"null.png", makedev(1, 3), true, ""},
        {"full.png", makedev(1, 7), false, "磁盘空间不足"},
    };
    for (const auto& [name, device, written, word] : cases) {
        const std::string path = at(name);
        if (::mknod(path.c_str(), S_IFCHR | 0666, device) != 0) GTEST_SKIP() << "mknod refused here: " << errno;
        if (!fs::is_character_file(path)) GTEST_SKIP() << "device nodes are plain files here (the browser build under node)";
        const int probe = ::open(path.c_str(), O_WRONLY);
        if (probe < 0) GTEST_SKIP() << "device nodes do not open in " << dir << " (mounted nodev)";
        ::close(probe);
        std::string why;
        EXPECT_EQ(write_output(path, std::string(100000, 'x'), SpecialFiles::write_into, why), written) << name << why;
        EXPECT_NE(why.find(word), std::string::npos) << name << ": " << why;
        EXPECT_EQ(node(path), 'c') << name << " is still a device";
    }
}

}  // namespace
}  // namespace vorlisk
