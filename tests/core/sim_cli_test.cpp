// vorlisk-sim as a teacher's script uses it: readings, truth tables, Value
// Change Dumps, and one-line errors with exit code 2 and nothing on stdout.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/capabilities.h"
#include "tests/support/sim_process.h"

namespace {

namespace fs = std::filesystem;

using Result = vorlisk::test::SimResult;

Result run(const std::vector<std::string>& args) { return vorlisk::test::run_sim(args); }

const std::string kHalfAdder = std::string(VORLISK_EXAMPLES_DIR) + "/半加器.vlk";

TEST(SimCli, TruthTableOfTheHalfAdderNamesItsSwitchesByTheirLabels) {
    // The test points A and B sit on the switches: they head the input
    // columns and are not repeated among the outputs.
    Result r = run({kHalfAdder, "--passes", "20", "--truth-table"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "A\tB\tS\tC\n"
              "0\t0\t0\t0\n"
              "0\t1\t1\t0\n"
              "1\t0\t1\t0\n"
              "1\t1\t0\t1\n");
    EXPECT_EQ(r.err, "");
}

TEST(SimCli, ReadingsAfterSettingSwitchesByLabelOrByName) {
    for (const auto& [a, b] : {std::pair{"A=1", "B=1"}, {"高低电平控制器 1=1", "高低电平控制器 2=1"}, {"A=1", "高低电平控制器 2=1"}}) {
        Result r = run({kHalfAdder, "--passes", "20", "--set", a, "--set", b});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "A\t1\nB\t1\nS\t0\nC\t1\n") << a << " " << b;
    }
}

TEST(SimCli, HelpAndVersion) {
    Result r = run({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.starts_with("用法：vorlisk-sim")) << r.out;
    for (const char* option : {"--passes", "--step", "--set", "--truth-table", "--indicators", "--expect", "--format",
                               "--vcd", "--record-table", "--settled", "--box-in", "--box-out", "--jobs", "--help", "--version"})
        EXPECT_NE(r.out.find(std::string("\n  ") + option), std::string::npos) << option << " has its own line";
    EXPECT_EQ(run({kHalfAdder, "-h"}).out, r.out) << "-h is the same, not a file name";
    EXPECT_TRUE(run({"--version"}).out.starts_with("vorlisk-sim ")) << run({"--version"}).out;
    // After "--" everything is a file, even a name that looks like an option.
    Result dashes = run({"--", "--help"});
    EXPECT_EQ(dashes.code, 2);
    EXPECT_NE(dashes.err.find("--help"), std::string::npos) << dashes.err;
}

TEST(SimCli, DisplaysReadTheirDigitsAndLedsTheirLight) {
    // The 74LS48 lights the digits 0-9 for the codes 0-9 and nothing for 15;
    // the display's reading is the last column.
    Result r = run({std::string(VORLISK_EXAMPLES_DIR) + "/74LS48驱动数码管.vlk", "--truth-table", "--indicators"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream in(r.out);
    std::vector<std::string> shown;
    for (std::string line; std::getline(in, line);) shown.push_back(line.substr(line.rfind('\t') + 1));
    ASSERT_EQ(shown.size(), 17u) << r.out;
    for (int code = 0; code <= 9; ++code) EXPECT_EQ(shown[size_t(code) + 1], std::to_string(code)) << r.out;
    EXPECT_EQ(shown[16], "-") << "code 15 blanks the display";
    // An LED on a test point's net is named by its label, with its kind as
    // the test point has that name already, and reads 1 when lit.
    Result led = run({kHalfAdder, "--passes", "20", "--set", "A=1", "--indicators"});
    EXPECT_EQ(led.out, "A\t1\nB\t0\nS\t1\nC\t0\nS（发光二极管）\t1\nC（发光二极管）\t0\n") << led.err;
}

TEST(SimCli, CheckedPassesGiveTheSameReadings) {
    for (const char* example : {"74LS90十进制计数器.vlk", "JK触发器计数链.vlk", "74LS138译码器.vlk"}) {
        const std::string file = std::string(VORLISK_EXAMPLES_DIR) + "/" + example;
        Result plain = run({file, "--passes", "3000"}), checked = run({file, "--passes", "3000", "--check-pass"});
        ASSERT_EQ(checked.code, 0) << example << ": " << checked.err;
        EXPECT_EQ(checked.out, plain.out) << example;
        EXPECT_EQ(checked.err, plain.err) << example << ": at most the same warning";
    }
}

TEST(SimCli, ValueChangeDumpWithTheStepsTimescale) {
    fs::path vcd = fs::temp_directory_path() / ("vorlisk_cli_test_" + vorlisk::test::process_tag() + ".vcd");
    Result r = run({kHalfAdder, "--passes", "5", "--step", "0.0005", "--set", "高低电平控制器 1=1", "--vcd", vcd.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::ifstream in(vcd);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    EXPECT_NE(text.find("$timescale 100 us $end"), std::string::npos) << text;
    EXPECT_NE(text.find("$var wire 1 ! A $end"), std::string::npos) << text;
    EXPECT_NE(text.find("#5\n1!"), std::string::npos) << "first pass at 5 x 100 us: A high\n" << text;
    EXPECT_NE(text.find("#25\n"), std::string::npos) << "the dump ends at the last pass";
    fs::remove(vcd);
}

TEST(SimCli, EmulatedBoxSwitchesInLampsOut) {
    const std::string loopback = std::string(VORLISK_EXAMPLES_DIR) + "/实验箱联机.vlk";
    //  arguments                       output
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--box-in", "1", "--box-out"}, "K1\t1\nK8\t0\n实验箱输出\t10000000\n"},
        {{"--box-in", "0x80", "--box-out"}, "K1\t0\nK8\t1\n实验箱输出\t00000001\n"},
        {{"--box-in", "0b00001111", "--box-out", "--passes", "5"}, "K1\t1\nK8\t0\n实验箱输出\t11110000\n"},
        {{"--box-out"}, "K1\t0\nK8\t0\n实验箱输出\t00000000\n"},  // every switch off
        {{"--box-in", "255"}, "K1\t1\nK8\t1\n"},
        {{}, "K1\t0\nK8\t0\n"},  // no box: the devices show nothing received
    };
    for (const auto& [args, out] : cases) {
        std::vector<std::string> a{loopback};
        a.insert(a.end(), args.begin(), args.end());
        Result r = run(a);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, out) << (args.empty() ? "" : args[0]);
    }
    // With a truth table the lamps are one more column.
    Result r = run({kHalfAdder, "--passes", "5", "--truth-table", "--box-out"});
    EXPECT_NE(r.out.find("\tC\t实验箱输出\n0\t0\t0\t0\t00000000\n"), std::string::npos) << r.out;
}

TEST(SimCli, ErrorsAreOneLineWithExitCodeTwoAndNoOutput) {
    fs::path bad = fs::temp_directory_path() / ("vorlisk_cli_bad_" + vorlisk::test::process_tag() + ".vlk");
    std::ofstream(bad) << "Quenmar V3.0\r\n12\r\nabc\r\n";
    // A copy to aim outputs at: refusing must leave it as it was.
    const fs::path circuit = fs::temp_directory_path() / ("vorlisk_cli_circuit_" + vorlisk::test::process_tag() + ".vlk");
    fs::copy_file(kHalfAdder, circuit, fs::copy_options::overwrite_existing);
    const fs::path vcd = fs::temp_directory_path() / ("vorlisk_cli_refused_" + vorlisk::test::process_tag() + ".vcd");
    //   arguments, a word the message must contain
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "缺少电路文件"},
        {{"/no/such/file.vlk"}, "/no/such/file.vlk"},
        {{bad.string()}, "第 3 行"},
        {{kHalfAdder, "--frobnicate"}, "--frobnicate"},
        {{kHalfAdder, "--passes", "ten"}, "ten"},
        {{kHalfAdder, "--passes"}, "--passes"},
        {{kHalfAdder, "--step", "-1"}, "-1"},
        {{kHalfAdder, "--step", "1e308"}, "不大于 86400"},
        {{"/dev/zero"}, "/dev/zero”：这是一个设备"},  // at once, instead of reading forever
        {{kHalfAdder, "--set", "高低电平控制器 1=2"}, "名称=0"},
        {{kHalfAdder, "--set", "与门 9=1"}, "与门 9"},
        {{kHalfAdder, "--set", "异或门 3=1"}, "异或门 3"},  // exists, but is not a switch
        {{kHalfAdder, kHalfAdder}, "多余"},
        {{kHalfAdder, "--box-in", "256"}, "256"},
        {{kHalfAdder, "--box-in", "0b102"}, "0b102"},
        {{kHalfAdder, "--set", "Q=1"}, "现有：A、B"},  // the names that exist
        {{circuit.string(), "--vcd", circuit.string()}, "不能把输出写到电路文件"},
        {{circuit.string(), "--record-table", circuit.string()}, "不能把输出写到电路文件"},
        {{kHalfAdder, "--step", "1e-20", "--vcd", vcd.string()}, "无法写入 VCD"},
        {{kHalfAdder, "--step", "1e-16", "--vcd", vcd.string()}, "1 fs"},
        {{"/no/such\nfile.vlk"}, "/no/such\\nfile.vlk"},  // a line break in a name is written out
        {{kHalfAdder, "--format", "xml"}, "xml"},
        {{kHalfAdder, "--jobs", "0"}, "--jobs"},
        {{kHalfAdder, "--vcd", "-", "--record-table", "-"}, "标准输出"},
        {{kHalfAdder, "--settled"}, "--record-table"},
    };
    for (const auto& [args, word] : cases) {
        Result r = run(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.code, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_NE(r.err.find(word), std::string::npos) << joined << " -> " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(run({circuit.string(), "--passes", "20", "--set", "A=1"}).out, "A\t1\nB\t0\nS\t1\nC\t0\n")
        << "the circuit is still there";
    EXPECT_FALSE(fs::exists(vcd)) << "a refused dump is not started";
    fs::remove(bad);
    fs::remove(circuit);
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The half adder with line `line` (1-based) of its file replaced.
fs::path half_adder_with(int line, const std::string& value) {
    std::string text = read_file(kHalfAdder), out;
    size_t at = 0;
    for (int l = 1; at < text.size(); ++l) {
        const size_t eol = text.find("\r\n", at);
        out += (l == line ? value : text.substr(at, eol - at)) + "\r\n";
        at = eol + 2;
    }
    const fs::path p = fs::temp_directory_path() / ("vorlisk_cli_timing_" + vorlisk::test::process_tag() + ".vlk");
    std::ofstream(p, std::ios::binary) << out;
    return p;
}

TEST(SimCli, VcdToStandardOutputInsteadOfTheReadings) {
    const fs::path cwd = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    Result r = run({kHalfAdder, "--passes", "5", "--set", "A=1", "--vcd", "-"});
    const bool dash_file = fs::exists("-");
    fs::current_path(cwd);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_FALSE(dash_file) << "no file named -";
    EXPECT_TRUE(r.out.starts_with("$version vorlisk-sim $end\n")) << r.out;
    EXPECT_NE(r.out.find("#1\n1!"), std::string::npos) << "A high after the first 1 ms pass\n" << r.out;
    EXPECT_EQ(r.out.find("A\t"), std::string::npos) << "the readings are left out";
    EXPECT_EQ(r.err, "");
}

TEST(SimCli, AFullStandardOutputIsSaidOnStandardError) {
    if (!std::system(nullptr)) GTEST_SKIP() << vorlisk::test::kNoProcesses;
    const fs::path err = fs::temp_directory_path() / ("vorlisk_cli_full_" + vorlisk::test::process_tag());
    for (const std::string args : {"", " --vcd -"}) {
        const std::string cmd = vorlisk::test::program_command(VORLISK_SIM) + " " + vorlisk::test::shell_quote(kHalfAdder) +
                                " --passes 5" + args + " >/dev/full 2>" + err.string();
        const int status = std::system(cmd.c_str());
        EXPECT_EQ(WEXITSTATUS(status), 2) << args;
        const std::string text = read_file(err);
        EXPECT_NE(text.find("写入标准输出失败"), std::string::npos) << args << ": " << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
    fs::remove(err);
}

TEST(SimCli, TimingValuesTheSettingsRefuseAreRefusedNamingTheLine) {
    // The values themselves are the loader's table; here: the refusal.
    //   line, value (line 5: the time step, line 6: the device delay)
    const std::vector<std::pair<int, std::string>> cases = {{6, "-5"}, {5, "1e308"}};
    for (const auto& [line, value] : cases) {
        const fs::path file = half_adder_with(line, value);
        Result r = run({file.string(), "--truth-table"});
        EXPECT_EQ(r.code, 2) << line << " " << value;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("第 " + std::to_string(line) + " 行"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(value == "1e308" ? "1e+308" : value), std::string::npos) << r.err;
        fs::remove(file);
    }
}

TEST(SimCli, ReadingsRunLongEnoughForTheDelayAndNameWhatKeptChanging) {
    // With a device delay of 999 the gates compute every 999 passes: the
    // default run still gives them 1000 computations.
    const fs::path slow = half_adder_with(6, "999");
    Result r = run({slow.string(), "--set", "A=1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "A\t1\nB\t0\nS\t1\nC\t0\n");
    EXPECT_EQ(r.err, "") << "everything settled";
    fs::remove(slow);
    // A counter never settles: its readings print as read, one line names them.
    Result counter = run({std::string(VORLISK_EXAMPLES_DIR) + "/74LS93二进制计数器.vlk", "--passes", "3000"});
    EXPECT_EQ(counter.code, 0);
    EXPECT_TRUE(counter.out.starts_with("CP\t")) << counter.out;
    EXPECT_EQ(counter.out.find('~'), std::string::npos) << "~ marks truth-table rows only";
    EXPECT_EQ(std::count(counter.err.begin(), counter.err.end(), '\n'), 1) << counter.err;
    EXPECT_NE(counter.err.find("CP、QA"), std::string::npos) << counter.err;
}

// A drawing value no dialog offers changes nothing a run computes: one
// warning naming the line, the run as with the reset value, and a picture
// drawn with it.
TEST(SimCli, DrawingValuesNoDialogOffersAreResetWithOneWarning) {
    const fs::path wide = half_adder_with(11, "30000");  // the wire width
    const Result r = run({wide.string(), "--passes", "20", "--set", "A=1"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "A\t1\nB\t0\nS\t1\nC\t0\n");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("第 11 行的导线粗细 30000"), std::string::npos) << r.err;
    // Graded, the file is checked as its author drew it, and said once.
    const fs::path ref = fs::temp_directory_path() / ("vorlisk_cli_wide_ref_" + vorlisk::test::process_tag());
    std::ofstream(ref) << run({kHalfAdder, "--truth-table"}).out;
    const Result graded = run({"--expect", ref.string(), wide.string()});
    EXPECT_EQ(graded.code, 0) << graded.out;
    EXPECT_EQ(std::count(graded.err.begin(), graded.err.end(), '\n'), 1) << graded.err;
    fs::remove(ref);
    const Result picture = run({wide.string(), "--picture", "-"});
    if (picture.code == 0) {
        EXPECT_EQ(picture.out, run({kHalfAdder, "--picture", "-"}).out) << "drawn with the reset width";
    }
    fs::remove(wide);
}

// Every output into a pipe or a device: written into, never replaced by a
// regular file (run as root, a picture written to /dev/null would otherwise
// have replaced the system's /dev/null); "-" is standard output.
TEST(SimCli, OutputsGoIntoPipesAndDevicesWithoutReplacingThem) {
    const fs::path dir = fs::temp_directory_path() / ("vorlisk_cli_outputs_" + vorlisk::test::process_tag());
    fs::create_directories(dir);
    const bool pictures = run({kHalfAdder, "--picture", "-"}).code == 0;  // a build without Qt has none
    const bool devices = ::geteuid() == 0;
    //   option, target name (its extension chooses a picture's format)
    const std::vector<std::pair<std::string, std::string>> outputs = {
        {"--picture", "out.svg"}, {"--picture", "out.png"}, {"--vcd", "out.vcd"}, {"--record-table", "out.csv"}};
    for (const auto& [option, name] : outputs) {
        if (option == "--picture" && !pictures) continue;
        const fs::path fifo = dir / ("pipe_" + name);
        if (!vorlisk::test::made_fifo(fifo)) GTEST_SKIP() << vorlisk::test::kNoFifos;
        std::string got;
        std::thread reader([&] { got = read_file(fifo); });
        const Result r = run({kHalfAdder, "--passes", "5", option, fifo.string()});
        reader.join();
        EXPECT_EQ(r.code, 0) << option << ": " << r.err;
        EXPECT_FALSE(got.empty()) << option;
        EXPECT_TRUE(fs::is_fifo(fifo)) << option;
        if (!devices) continue;
        //   device, exit code (a full device is said, a null one takes it all)
        for (const auto& [minor, code] : {std::pair{3, 0}, std::pair{7, 2}}) {
            const fs::path node = dir / ("dev" + std::to_string(minor) + "_" + name);
            if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0 || !fs::is_character_file(node)) continue;
            const Result d = run({kHalfAdder, "--passes", "5", option, node.string()});
            EXPECT_EQ(d.code, code) << option << " " << minor << ": " << d.err;
            if (code == 2) {
                EXPECT_NE(d.err.find("磁盘空间不足"), std::string::npos) << d.err;
            }
            EXPECT_TRUE(fs::is_character_file(node)) << option << " " << minor;
        }
    }
    if (pictures) {
        EXPECT_TRUE(run({kHalfAdder, "--picture", "-"}).out.starts_with("<?xml")) << "SVG on standard output";
    }
    fs::remove_all(dir);
}

}  // namespace
