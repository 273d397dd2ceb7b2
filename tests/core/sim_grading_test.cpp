// Grading with vorlisk-sim: the lesson in 例子/批改实验 checked as the README
// shows it, batches with broken files, readings as a reference, and
// readings that never settle.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/circuit_file.h"
#include "tests/support/capabilities.h"
#include "tests/support/harness.h"
#include "tests/support/sim_process.h"
#include "tools/make_examples/grading.h"

namespace vorlisk {
namespace {

namespace fs = std::filesystem;
using test::run_sim;
using test::SimResult;

const fs::path kLesson = fs::path(VORLISK_EXAMPLES_DIR) / "批改实验";
const std::string kReference = (kLesson / "参考答案.vlk").string();
const std::string kRight = (kLesson / "作业/2023001张三.vlk").string();
const std::string kWrong = (kLesson / "作业/2023002李四.vlk").string();
const std::string kReordered = (kLesson / "作业/2023003王五.vlk").string();

// A scratch folder of this test, removed after it. Named by the test too:
// where every process has the same id (under node), tests running side by
// side must not share one.
fs::path scratch_dir() {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::temp_directory_path() / ("vorlisk_grading_" + vorlisk::test::process_tag() + "_" + test);
}

fs::path scratch(const std::string& name) {
    fs::create_directories(scratch_dir());
    return scratch_dir() / name;
}

struct Grading : ::testing::Test {
    void TearDown() override { fs::remove_all(scratch_dir()); }
};

void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The reference the teacher makes from the model solution.
fs::path reference(const std::vector<std::string>& options, const std::string& name) {
    std::vector<std::string> args{kReference};
    args.insert(args.end(), options.begin(), options.end());
    const SimResult r = run_sim(args);
    EXPECT_EQ(r.code, 0) << r.err;
    write(scratch(name), r.out);
    return scratch(name);
}

TEST_F(Grading, TheLessonFilesAreCurrent) {
    test::Harness h;
    for (const examples::Example& e : examples::grading_examples()) {
        new_circuit(h.c);
        e.build(h.c);
        std::string built;
        ASSERT_TRUE(circuit_bytes(h.c, built));
        std::ifstream in(fs::path(VORLISK_EXAMPLES_DIR) / e.file, std::ios::binary);
        std::stringstream stored;
        stored << in.rdbuf();
        EXPECT_EQ(built, stored.str()) << e.file << ": regenerate with make_grading_examples";
    }
}

TEST_F(Grading, TheReadmeBatchPassesTheRightAndTheReorderedAndNamesTheWrongRow) {
    const fs::path ref = reference({"--truth-table"}, "ref.txt");
    const SimResult r = run_sim({"--expect", ref.string(), kRight, kWrong, kReordered});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out, kRight + "\t通过\n" + kWrong +
                         "\t不通过\t1 行不同（共 8 行）：A=1 B=0 CI=1 时 CO 应为 1，实为 0\n" + kReordered +
                         "\t通过\n"
                         "共 3 个文件：通过 2 个，不通过 1 个。\n");
    EXPECT_EQ(r.err, "");

    //   file, exit code, its line
    const std::vector<std::tuple<std::string, int, std::string>> one_by_one = {
        {kRight, 0, kRight + "\t通过\n"},
        {kWrong, 1, kWrong + "\t不通过\t1 行不同（共 8 行）：A=1 B=0 CI=1 时 CO 应为 1，实为 0\n"},
        {kReordered, 0, kReordered + "\t通过\n"},
    };
    for (const auto& [file, code, line] : one_by_one) {
        const SimResult one = run_sim({"--expect", ref.string(), file});
        EXPECT_EQ(one.code, code) << file;
        EXPECT_EQ(one.out, line);
    }
    // The reordered circuit's own table has other columns in another order.
    EXPECT_TRUE(run_sim({kReordered, "--truth-table"}).out.starts_with("CI\tB\tA\tCO\tS\n"));
}

TEST_F(Grading, ABrokenFileFailsWithItsErrorAndTheRestStillRun) {
    const fs::path ref = reference({"--truth-table"}, "ref.txt");
    const fs::path broken = scratch("broken.vlk");
    write(broken, "Quenmar V3.0\r\n12\r\nabc\r\n");
    const SimResult r = run_sim({"--expect", ref.string(), broken.string(), "/no/such.vlk", kRight, "--jobs", "2"});
    EXPECT_EQ(r.code, 1) << r.err;
    std::istringstream in(r.out);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    EXPECT_TRUE(lines[0].starts_with(broken.string() + "\t不通过\t")) << lines[0];
    EXPECT_NE(lines[0].find("第 3 行"), std::string::npos) << "the loader's error: " << lines[0];
    EXPECT_TRUE(lines[1].starts_with("/no/such.vlk\t不通过\t")) << lines[1];
    EXPECT_EQ(lines[2], kRight + "\t通过");
    EXPECT_EQ(lines[3], "共 3 个文件：通过 1 个，不通过 2 个。");
}

TEST_F(Grading, ReadingsAsTheReferenceInEitherFormat) {
    // A = CI = 1, B = 0: the one row the wrong carry gets wrong.
    for (const std::string format : {"tsv", "csv"}) {
        const fs::path ref = reference({"--set", "A=1", "--set", "CI=1", "--format", format}, "readings." + format);
        const SimResult right = run_sim({"--expect", ref.string(), "--set", "A=1", "--set", "CI=1", kRight});
        EXPECT_EQ(right.code, 0) << format << right.out << right.err;
        const SimResult wrong = run_sim({"--expect", ref.string(), "--set", "A=1", "--set", "CI=1", kWrong});
        EXPECT_EQ(wrong.code, 1) << format;
        EXPECT_EQ(wrong.out, kWrong + "\t不通过\t1 项不同：CO 应为 1，实为 0\n") << format;
    }
    // A label the student's circuit lacks is named.
    const fs::path ref = scratch("extra.txt");
    write(ref, "S\t1\nZ\t0\n");
    EXPECT_EQ(run_sim({"--expect", ref.string(), kRight}).out, kRight + "\t不通过\t缺少检测点或指示器“Z”\n");
}

TEST_F(Grading, AReferenceThatIsNoOutputOfTheRunnerIsAnError) {
    //   reference text, a word of the message
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "空"},
        {"A\tB\tS\n0\t0\t1\n0\t1\t0\n1\t1\t1\n", "缺少 A=1 B=0 的行"},  // a setting missing
        {"A\tS\n0\t1\n0\t0\n", "缺少 A=1 的行"},                 // a setting twice, the other never
        {"A\tS\n0\t1\n1\n", "第 3 行"},
        // The teacher's own mistakes, named by line and problem.
        {"A\tS\tS\n0\t1\t1\n1\t0\t0\n", "列名“S”出现了两次（第 2 列和第 3 列）"},
        {"A\tS\n0\t1\n1\t?\n", "第 3 行的“?”不是读数"},
        {"A\tS\n0\t1\n1\tO\n", "第 3 行的“O”不是读数"},
        {"A\tS\n0\t1\n7\t0\n", "第 3 行应以开关电平 0 或 1 开头"},
        {"S\t1\nCO\t0\nS\t0\n", "第 3 行的“S”在第 1 行已出现"},
        {"S\t1\nCO\tyes\n", "第 2 行的“yes”不是读数"},
        {"S\t1\nCO\t0\t1\n", "第 2 行应是"},
        {"A\tS\n\n0\t1\r\n\r\n1\t?\n", "第 5 行的“?”不是读数"},  // blank lines count as the editor shows them
    };
    for (const auto& [text, word] : cases) {
        const fs::path ref = scratch("bad_ref.txt");
        write(ref, text);
        const SimResult r = run_sim({"--expect", ref.string(), kRight});
        EXPECT_EQ(r.code, 2) << text;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(word), std::string::npos) << r.err;
    }
    EXPECT_EQ(run_sim({"--expect", "/no/such/ref.txt", kRight}).code, 2);
    // What the runner prints for displays and the box is a reading too.
    const fs::path ok = scratch("cells.txt");
    write(ok, "S\t1\nD\t7.\nE\tabg\nF\t-\n实验箱输出\t00010000\nG\t~\nH\tx\n");
    EXPECT_EQ(run_sim({"--expect", ok.string(), kRight}).code, 1) << "read, checked and failed: no such names";
}

// A truth table cut short would pass circuits wrong in the rows it lacks:
// which columns are switches is the graded circuit's to say (the lesson's
// A, B and CI), and every setting of them needs its row.
TEST_F(Grading, ATableMustHaveARowForEverySettingOfTheSwitchesItNames) {
    const fs::path full = reference({"--truth-table"}, "full.txt");
    std::vector<std::string> lines;
    {
        std::ifstream in(full);
        for (std::string l; std::getline(in, l);) lines.push_back(l);
    }
    ASSERT_EQ(lines.size(), 9u);  // A B CI S CO, then rows 000 .. 111
    auto keep = [&](std::initializer_list<size_t> rows) {
        std::string text = lines[0] + "\n";
        for (size_t r : rows) text += lines[r + 1] + "\n";
        return text;
    };
    //   reference, what the refusal names
    const std::vector<std::pair<std::string, std::string>> cut = {
        {keep({0}), "缺少 A=0 B=0 CI=1、A=0 B=1 CI=0、A=0 B=1 CI=1 等 7 种设置 的行"},  // the header and one row
        {keep({0, 4}), "缺少 A=0 B=0 CI=1"},                                       // once read as one switch A
        {keep({0, 1, 2, 3, 4, 5, 6}), "缺少 A=1 B=1 CI=1 的行"},
    };
    for (const auto& [text, word] : cut) {
        write(scratch("cut.txt"), text);
        const SimResult r = run_sim({"--expect", scratch("cut.txt").string(), kWrong, kRight});
        EXPECT_EQ(r.code, 2) << text;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(word), std::string::npos) << r.err;
    }
    // Leaving out a switch's column is no cut: it keeps its stored level
    // (B = 0 in the files), and the rows of the others are all there.
    std::string without_b = "A\tCI\tS\tCO\n";
    for (size_t r : {0u, 1u, 4u, 5u}) {
        const std::string& l = lines[r + 1];  // A B CI S CO
        without_b += l.substr(0, 2) + l.substr(4) + "\n";
    }
    write(scratch("without_b.txt"), without_b);
    const SimResult r = run_sim({"--expect", scratch("without_b.txt").string(), kRight, kWrong});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out, kRight + "\t通过\n" + kWrong + "\t不通过\t1 行不同（共 4 行）：A=1 CI=1 时 CO 应为 1，实为 0\n" +
                         "共 2 个文件：通过 1 个，不通过 1 个。\n");
}

// Whatever the runner prints reads back as a reference that the same
// circuit passes: every example (and the lesson's files) under every
// option that changes what is printed. An empty print (no test point, no
// indicator) is no reference and is left out.
TEST_F(Grading, EveryOutputOfTheRunnerIsAReferenceItsCircuitPasses) {
    const std::vector<std::vector<std::string>> printing = {
        {},
        {"--indicators", "--box-out"},
        {"--format", "csv", "--indicators"},
        {"--truth-table"},
        {"--truth-table", "--indicators", "--box-out"},
        {"--truth-table", "--format", "csv", "--indicators"},
    };
    size_t checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(VORLISK_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vlk") continue;
        const std::string file = entry.path().string();
        for (const auto& options : printing) {
            std::vector<std::string> args{file};
            args.insert(args.end(), options.begin(), options.end());
            const SimResult printed = run_sim(args);
            ASSERT_EQ(printed.code, 0) << file << " " << options.size() << ": " << printed.err;
            if (printed.out.find_first_not_of("\r\n\xEF\xBB\xBF,") == std::string::npos) continue;
            write(scratch("ref.txt"), printed.out);
            const SimResult check = run_sim({"--expect", scratch("ref.txt").string(), file});
            EXPECT_EQ(check.code, 0) << file << " with " << (options.empty() ? "" : options[0]) << " "
                                     << options.size() << ":\n" << printed.out << check.out << check.err;
            ++checked;
        }
    }
    EXPECT_GE(checked, 23u * 5) << "every example, nearly every way";
}

// The side-by-side check of the passes is run in every run it is given:
// a class's files and a table's rows on several threads alike.
TEST_F(Grading, CheckedPassesGradeAndTabulateAlike) {
    const fs::path ref = reference({"--truth-table"}, "ref.txt");
    const SimResult plain = run_sim({"--expect", ref.string(), kRight, kWrong, kReordered});
    const SimResult checked = run_sim({"--expect", ref.string(), kRight, kWrong, kReordered, "--check-pass"});
    EXPECT_EQ(checked.code, 1) << checked.err;
    EXPECT_EQ(checked.out, plain.out);
    const SimResult rows = run_sim({kReference, "--truth-table", "--jobs", "4", "--check-pass"});
    EXPECT_EQ(rows.code, 0) << rows.err;
    EXPECT_EQ(rows.out, read_text(ref));
}

TEST_F(Grading, AFifoAsTheReferenceIsRefusedAtOnce) {
    const fs::path fifo = scratch("ref.fifo");
    if (!test::made_fifo(fifo)) GTEST_SKIP() << test::kNoFifos;
    const SimResult r = run_sim({"--expect", fifo.string(), kRight});  // would wait for a writer for ever
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("这是一个管道，不是普通文件"), std::string::npos) << r.err;
}

TEST_F(Grading, ATestPointOnANetOfTwoSwitchesIsAReadingNotASwitchName) {
    // Two switches drive the inverter's input; the test point T sits on
    // that net next to the first switch.
    test::Harness h;
    const int a = h.add("高低电平控制器", 100, 100);
    const int b = h.add("高低电平控制器", 100, 200);
    const int inv = h.add("非门", 300, 100);
    h.wire(output_pin(h.obj(a), 0), input_pin(h.obj(inv), 0));
    h.wire(output_pin(h.obj(b), 0), input_pin(h.obj(inv), 0), {{200, 200}, {200, 100}});
    set_test_point_label(h.c, add_test_point(h.c, output_pin(h.obj(a), 0).x, output_pin(h.obj(a), 0).y), "T");
    const std::string na = h.obj(a).name, nb = h.obj(b).name;
    const fs::path file = scratch("two_switches.vlk");
    ASSERT_TRUE(save_circuit(h.c, file.string()));

    const SimResult table = run_sim({file.string(), "--truth-table", "--passes", "20"});
    ASSERT_EQ(table.code, 0) << table.err;
    EXPECT_TRUE(table.out.starts_with(na + "\t" + nb + "\tT\n")) << "both switches by name, T an output:\n" << table.out;
    const SimResult set = run_sim({file.string(), "--set", "T=1"});
    EXPECT_EQ(set.code, 2) << "T names no switch";
    // With one switch alone on its net, its test point names it.
    EXPECT_TRUE(run_sim({kRight, "--truth-table"}).out.starts_with("A\tB\tCI\t")) << "unchanged for single drivers";
}

TEST_F(Grading, AReadingThatNeverSettlesIsShownAsATildeAndFailsTheCheck) {
    // A NAND gate fed back on itself oscillates while its enable is high.
    test::Harness h;
    const int en = h.add("高低电平控制器", 100, 100);
    const int nand = h.add("与非门", 300, 110);
    h.wire(output_pin(h.obj(en), 0), input_pin(h.obj(nand), 0));
    h.wire(output_pin(h.obj(nand), 0), input_pin(h.obj(nand), 1), {{340, 110}, {340, 160}, {250, 160}, {250, 120}});
    set_test_point_label(h.c, add_test_point(h.c, 130, 100), "EN");
    set_test_point_label(h.c, add_test_point(h.c, 320, 110), "Y");
    const fs::path ring = scratch("ring.vlk");
    ASSERT_TRUE(save_circuit(h.c, ring.string()));

    const SimResult r = run_sim({ring.string(), "--truth-table"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "EN\tY\n0\t1\n1\t~\n");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one warning line: " << r.err;
    EXPECT_NE(r.err.find("Y（1 行）"), std::string::npos) << r.err;

    const fs::path ref = scratch("ring_ref.txt");
    write(ref, "EN\tY\n0\t1\n1\t0\n");
    const SimResult check = run_sim({"--expect", ref.string(), ring.string()});
    EXPECT_EQ(check.code, 1);
    EXPECT_NE(check.out.find("Y 未稳定（应为 0）"), std::string::npos) << check.out;
}

}  // namespace
}  // namespace vorlisk
