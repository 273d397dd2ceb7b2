// vorlisk-sim as a teacher's script uses it: readings, truth tables, Value
// Change Dumps, and one-line errors with exit code 2 and nothing on stdout.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out, err;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char ch : s) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

Result run(const std::vector<std::string>& args) {
    fs::path err = fs::temp_directory_path() / ("vorlisk_sim_err_" + std::to_string(::getpid()));
    std::string cmd = quote(VORLISK_SIM);
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " 2>" + quote(err.string());
    Result r;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(err);
    std::stringstream ss;
    ss << e.rdbuf();
    r.err = ss.str();
    fs::remove(err);
    return r;
}

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

TEST(SimCli, ReadingsAfterSettingSwitches) {
    Result r = run({kHalfAdder, "--passes", "20", "--set", "高低电平控制器 1=1", "--set", "高低电平控制器 2=1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "A\t1\nB\t1\nS\t0\nC\t1\n");
}

TEST(SimCli, ValueChangeDumpWithTheStepsTimescale) {
    fs::path vcd = fs::temp_directory_path() / "vorlisk_cli_test.vcd";
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
    fs::path bad = fs::temp_directory_path() / "vorlisk_cli_bad.vlk";
    std::ofstream(bad) << "Quenmar V3.0\r\n12\r\nabc\r\n";
    //   arguments, a word the message must contain
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "缺少电路文件"},
        {{"/no/such/file.vlk"}, "/no/such/file.vlk"},
        {{bad.string()}, "第 3 行"},
        {{kHalfAdder, "--frobnicate"}, "--frobnicate"},
        {{kHalfAdder, "--passes", "ten"}, "ten"},
        {{kHalfAdder, "--passes"}, "--passes"},
        {{kHalfAdder, "--step", "-1"}, "-1"},
        {{kHalfAdder, "--set", "高低电平控制器 1=2"}, "名称=0"},
        {{kHalfAdder, "--set", "与门 9=1"}, "与门 9"},
        {{kHalfAdder, "--set", "异或门 3=1"}, "异或门 3"},  // exists, but is not a switch
        {{kHalfAdder, kHalfAdder}, "多余"},
        {{kHalfAdder, "--box-in", "256"}, "256"},
        {{kHalfAdder, "--box-in", "0b102"}, "0b102"},
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
    fs::remove(bad);
}

}  // namespace
