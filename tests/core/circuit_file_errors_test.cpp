// Files the loader must refuse, each at the right line, and the number
// forms of the file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "circuit_file_fixture.h"
#include "model/file_numbers.h"
#include "tests/support/capabilities.h"
#include "model/gbk.h"

namespace vorlisk {
namespace {

using namespace file_test;
using Lines = std::vector<std::string>;

enum class Base { empty, one_gate, one_wire, one_pulse };

std::string gbk(std::string_view utf8) {
    std::string out;
    EXPECT_TRUE(utf8_to_gbk(utf8, out));
    return out;
}

// A file as a text editor re-saves it in UTF-8.
void to_utf8(Lines& lines) {
    for (std::string& l : lines) {
        std::string u;
        EXPECT_TRUE(gbk_to_utf8(l, u));
        l = u;
    }
}

Lines base_lines(Base base) {
    auto c = make_circuit();
    if (base == Base::one_gate) add_component(*c, "与非门", 100, 100);
    if (base == Base::one_wire) add_wire(*c, {0, 0}, {10, 0});
    if (base == Base::one_pulse) add_component(*c, "连续脉冲", 100, 100);
    return lines_of(bytes_of(*c));
}

// Line indexes below are 0-based into an empty circuit's file: 0 header,
// 1-64 settings, 65-67 view, 68 components, 69 wires, 70 junctions,
// 71 test points, 72-108 record items, 109 annotations. With one gate its
// input count is at 81; with one wire its bend count is at 76.
struct BadFile {
    const char* what;
    Base base;
    std::function<void(Lines&)> edit;
    FileResult::Code code;
    int line;              // 1-based line reported; 0: one past the last line, -1: the last line
    const char* fragment;  // part of the message
};

const BadFile kBadFiles[] = {
    // what, base, edit, code, line, fragment
    {"header with trailing space", Base::empty, [](Lines& l) { l[0] += " "; l[1] = "5"; },
     FileResult::header_mismatch, 1, ""},
    {"header in other case", Base::empty, [](Lines& l) { l[0] = "quenmar V3.0"; }, FileResult::header_mismatch, 1, ""},
    {"empty file", Base::empty, [](Lines& l) { l.clear(); }, FileResult::header_mismatch, 1, ""},
    {"invalid integer", Base::empty, [](Lines& l) { l[1] = "abc"; }, FileResult::invalid, 2,
     "第 2 行：应为整数，却是“abc”。"},
    {"integer with plus sign", Base::empty, [](Lines& l) { l[3] = "+1"; }, FileResult::invalid, 4, "应为整数"},
    {"integer beyond 32 bits", Base::empty, [](Lines& l) { l[1] = "2147483648"; }, FileResult::invalid, 2, "超出范围"},
    {"non-GBK in a number", Base::empty, [](Lines& l) { l[1] = "\xFF"; }, FileResult::invalid, 2, "“\\xFF”"},
    {"invalid real", Base::empty, [](Lines& l) { l[4] = "0,001"; }, FileResult::invalid, 5, "应为实数，却是“0,001”"},
    {"nan", Base::empty, [](Lines& l) { l[4] = "nan"; }, FileResult::invalid, 5, "不是有限数值"},
    {"inf", Base::empty, [](Lines& l) { l[64] = "inf"; }, FileResult::invalid, 65, "不是有限数值"},
    {"real beyond double", Base::empty, [](Lines& l) { l[64] = "1e400"; }, FileResult::invalid, 65, "超出范围"},
    {"1001 components", Base::empty, [](Lines& l) { l[68] = "1001"; }, FileResult::invalid, 69,
     "元件数目 1001 超过上限 1000"},
    {"33 input pins", Base::one_gate, [](Lines& l) { l[81] = "33"; }, FileResult::invalid, 82, "超过上限 32"},
    {"pin count wrapping to 16 bits", Base::one_gate, [](Lines& l) { l[81] = "65537"; }, FileResult::invalid, 82,
     "超过上限 32"},
    {"pin voltage beyond float", Base::one_gate, [](Lines& l) { l[86] = "1e39"; }, FileResult::invalid, 87,
     "超出范围"},
    {"wire end the records cannot hold", Base::one_wire, [](Lines& l) { l[72] = "-2147483648"; },
     FileResult::invalid, 73, "导线坐标 -2147483648 超出范围"},
    {"component beyond 16 bits", Base::one_gate, [](Lines& l) { l[71] = "40000"; }, FileResult::invalid, 72,
     "元件坐标 40000 超出范围"},
    {"101 bends", Base::one_wire, [](Lines& l) { l[76] = "101"; }, FileResult::invalid, 77, "超过上限 100"},
    {"negative junction count", Base::empty, [](Lines& l) { l[70] = "-1"; }, FileResult::invalid, 71, "负数"},
    {"negative annotation line count", Base::empty,
     [](Lines& l) {
         l[109] = "1";
         for (const char* v : {"注释1", "注释", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                               "0", "0", "0", "Arial", "-2"})
             l.push_back(v);
     },
     FileResult::invalid, 131, "负数"},
    {"ends after the junctions", Base::empty, [](Lines& l) { l.resize(71); }, FileResult::invalid, 72,
     "第 72 行：文件提前结束，缺少注释数目。"},
    {"ends after the test points", Base::empty, [](Lines& l) { l.resize(72); }, FileResult::invalid, 73,
     "缺少注释数目"},
    {"ends inside the settings", Base::empty, [](Lines& l) { l.resize(30); }, FileResult::invalid, 31, "提前结束"},
    {"non-GBK text", Base::empty, [](Lines& l) { l[72] = "ok\x81\x20"; }, FileResult::invalid, 73, "GBK"},
    {"pulse count beyond what a save writes", Base::one_pulse,
     [](Lines& l) {
         const auto idle = std::find(l.begin(), l.end(), "\xB3\xA3\xB5\xCD");  // "常低"
         const size_t count = size_t(idle - l.begin()) + 2;
         l[count] = "1000001";
         l.resize(count + 1);
     },
     FileResult::invalid, -1, "脉冲置数 1000001 超过上限 1000000"},
    {"annotation with too many lines", Base::empty,
     [](Lines& l) {
         l[109] = "1";
         for (const char* v : {"注释1", "注释", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                               "0", "0", "0", "Arial", "257"})
             l.push_back(v);
     },
     FileResult::invalid, 131, "注释文字行数 257 超过上限 256"},
    {"view asking for a million lines", Base::empty, [](Lines& l) { l[65] = "1000001"; }, FileResult::invalid, 66,
     "超过上限"},
    {"number line longer than any line", Base::empty, [](Lines& l) { l[1] = std::string(5000, '7'); },
     FileResult::invalid, 2, "超过 1024 字节"},
    {"text line longer than any line", Base::empty, [](Lines& l) { l[72] = std::string(1025, 'a'); },
     FileResult::invalid, 73, "超过 1024 字节"},
    {"header line longer than any line", Base::empty, [](Lines& l) { l[0] += std::string(3000, ' '); },
     FileResult::header_mismatch, 1, ""},
    // A file re-saved as UTF-8 is read as UTF-8, but only what a save could write again.
    {"UTF-8 text GBK cannot hold", Base::empty, [](Lines& l) { to_utf8(l), l[72] += "😀"; }, FileResult::invalid, 73,
     "GBK 编码无法表示"},
    {"UTF-8 text too long for GBK", Base::empty, [](Lines& l) { to_utf8(l), l[72] = std::string(1100, 'a') + "汉"; },
     FileResult::invalid, 73, "太长"},
    {"UTF-8 line longer than any line", Base::empty, [](Lines& l) { to_utf8(l), l[72] = "汉" + std::string(1600, 'a'); },
     FileResult::invalid, 73, "超过 1536 字节"},
};

TEST(CircuitFileErrors, EachBadFileFailsAtItsLine) {
    auto c = make_circuit();
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.what);
        Lines lines = base_lines(bad.base);
        bad.edit(lines);
        new_circuit(*c);
        const uint64_t serial = c->edit_serial;
        const auto start = std::chrono::steady_clock::now();
        FileResult r = load_circuit_bytes(*c, join(lines));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(r);
        EXPECT_EQ(r.code, bad.code);
        EXPECT_EQ(r.line, bad.line > 0 ? bad.line : int(lines.size()) + 1 + bad.line);
        EXPECT_NE(c->edit_serial, serial);
        if (bad.code == FileResult::header_mismatch) {
            EXPECT_EQ(r.message, kOpenFailed);
            EXPECT_EQ(c->next_serial, 0);
        } else {
            EXPECT_TRUE(r.message.starts_with("第 " + std::to_string(r.line) + " 行：")) << r.message;
            EXPECT_NE(r.message.find(bad.fragment), std::string::npos) << r.message;
        }
    }
}

// Timing values the computation settings refuse: the file still loads,
// with the reset values and the first such line named.
TEST(CircuitFileErrors, TimingValuesTheSettingsRefuseLoadAsTheResetValues) {
    //   line 5 (step), line 6 (delay), line named, step and delay loaded
    const struct {
        const char *step, *delay;
        int line;
        double loaded_step;
        int loaded_delay;
    } cases[] = {
        {"0.5", "3", 0, 0.5, 3},        // legal: kept
        {"86400", "1", 0, 86400, 1},    // the longest step the settings take
        {"0", "1", 5, 0.001, 1},
        {"-1", "1", 5, 0.001, 1},
        {"1e308", "7", 5, 0.001, 7},
        {"0.002", "0", 6, 0.002, 1},
        {"0.002", "-5", 6, 0.002, 1},
        {"0", "0", 5, 0.001, 1},        // both: the first line, both named
    };
    for (const auto& k : cases) {
        Lines lines = base_lines(Base::empty);
        lines[4] = k.step;
        lines[5] = k.delay;
        auto c = make_circuit();
        const FileResult r = load_circuit_bytes(*c, join(lines));
        ASSERT_TRUE(r) << r.message;
        EXPECT_EQ(r.timing_line, k.line) << k.step << " " << k.delay;
        EXPECT_EQ(c->time_step, k.loaded_step) << k.step;
        EXPECT_EQ(c->device_delay, k.loaded_delay) << k.delay;
        if (k.line) {
            EXPECT_NE(r.timing_problem.find("第 " + std::to_string(k.line) + " 行"), std::string::npos);
        }
    }
    Lines both = base_lines(Base::empty);
    both[4] = "0", both[5] = "0";
    auto c = make_circuit();
    const FileResult r = load_circuit_bytes(*c, join(both));
    EXPECT_NE(r.timing_problem.find("第 6 行的器件延时 0"), std::string::npos) << r.timing_problem;
}

// A save killed half way leaves its temporary file; the next save of that
// file removes it, and leaves those of live processes and other files.
TEST(CircuitFileErrors, TheNextSaveRemovesTemporaryFilesOfAKilledSave) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vorlisk_stale_" + vorlisk::test::process_tag());
    fs::create_directories(dir);
    const pid_t dead = ::fork();
    if (dead < 0) GTEST_SKIP() << test::kNoProcesses;
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string d = std::to_string(dead), live = std::to_string(::getppid());
    //   file name beside 电路.vlk, removed by its save
    const std::vector<std::pair<std::string, bool>> files = {
        {"电路.vlk.~" + d + "-0.tmp", true},
        {"电路.vlk.~" + d + "-3.tmp", true},
        {"电路.vlk.~" + live + "-0.tmp", false},  // a save going on elsewhere
        {"其他.vlk.~" + d + "-0.tmp", false},     // another file's
        {"电路.vlk.~" + d + "-x.tmp", false},
    };
    for (const auto& [name, removed] : files) std::ofstream(dir / name) << std::string(1000, 'x');
    auto c = make_circuit();
    ASSERT_TRUE(save_circuit(*c, (dir / "电路.vlk").string()));
    for (const auto& [name, removed] : files) EXPECT_EQ(fs::exists(dir / name), !removed) << name;
    fs::remove_all(dir);
}

TEST(CircuitFileErrors, MissingFileIsUnreadable) {
    auto c = make_circuit();
    FileResult r = load_circuit(*c, "/nonexistent/vorlisk/电路.txt");
    EXPECT_EQ(r.code, FileResult::unreadable);
    EXPECT_EQ(r.line, 0);
    EXPECT_NE(r.message.find("电路.txt"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("不存在"), std::string::npos) << r.message;
}

// A failure keeps exactly the records read completely before it.
TEST(CircuitFileErrors, TablesHoldOnlyCompleteRecords) {
    auto src = make_circuit();
    add_component(*src, "与门", 100, 100);
    add_component(*src, "或门", 200, 100);
    add_junction(*src, 10, 10);
    const Lines good = lines_of(bytes_of(*src));
    auto c = make_circuit();

    Lines bad = good;
    const auto second = std::find(bad.begin(), bad.end(), gbk(src->objects[1].name));
    ASSERT_NE(second, bad.end());
    *(second + 3) = "x";  // its y
    FileResult r = load_circuit_bytes(*c, join(bad));
    EXPECT_EQ(r.line, int(second - bad.begin()) + 4);
    EXPECT_EQ(c->object_count, 1);
    EXPECT_EQ(c->objects[0].name, src->objects[0].name);
    EXPECT_EQ(c->objects[1].name, "");

    bad = good;
    const auto junction = std::find(bad.begin(), bad.end(), gbk(src->junctions[0].name));
    bad.resize(size_t(junction - bad.begin()) + 3);  // ends before the junction's y
    new_circuit(*c);
    r = load_circuit_bytes(*c, join(bad));
    EXPECT_EQ(r.code, FileResult::invalid);
    EXPECT_EQ(c->object_count, 2);
    EXPECT_EQ(c->wire_count, 0);
    EXPECT_EQ(c->junction_count, 0);
}

// columns: text, parse_int result, value
TEST(FileNumbers, Integers) {
    const std::tuple<const char*, NumberError, int32_t> cases[] = {
        {"0", NumberError::none, 0},           {"-0", NumberError::none, 0},
        {"2147483647", NumberError::none, INT32_MAX}, {"-2147483648", NumberError::none, INT32_MIN},
        {"2147483648", NumberError::out_of_range, 0}, {"", NumberError::syntax, 0},
        {"+1", NumberError::syntax, 0},        {" 1", NumberError::syntax, 0},
        {"1 ", NumberError::syntax, 0},        {"1.0", NumberError::syntax, 0},
        {"0x10", NumberError::syntax, 0},      {"-", NumberError::syntax, 0},
    };
    for (const auto& [text, error, value] : cases) {
        SCOPED_TRACE(text);
        int32_t v = 0;
        EXPECT_EQ(parse_int(text, v), error);
        if (error == NumberError::none) {
            EXPECT_EQ(v, value);
        }
    }
}

// columns: text, parse_real result
TEST(FileNumbers, RealsAreFiniteDecimals) {
    const std::pair<const char*, NumberError> cases[] = {
        {"0.001", NumberError::none},      {"1E-5", NumberError::none},      {"-3", NumberError::none},
        {".5", NumberError::none},         {"nan", NumberError::not_finite}, {"-inf", NumberError::not_finite},
        {"1e400", NumberError::out_of_range}, {"0,5", NumberError::syntax},  {"", NumberError::syntax},
        {"1.5 ", NumberError::syntax},     {"0x1p3", NumberError::syntax},
    };
    for (const auto& [text, error] : cases) {
        double v = 0;
        EXPECT_EQ(parse_real(text, v), error) << text;
    }
}

TEST(FileNumbers, ShortestTextReadsBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 1e-7, 5e-324, DBL_MAX, -0.0, 1234.5, 0.001}) {
        double back = 1;
        ASSERT_EQ(parse_real(format_real(v), back), NumberError::none) << format_real(v);
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    for (float v : {3.6f, 0.5f, 0.1f, FLT_MAX, -FLT_MAX, FLT_MIN, 1e-45f, 2.0000002f}) {
        float back = 1;
        ASSERT_EQ(parse_float(format_float(v), back), NumberError::none) << format_float(v);
        EXPECT_EQ(back, v) << format_float(v);
    }
    EXPECT_EQ(format_float(3.6f), "3.6");
    EXPECT_EQ(format_real(0.001), "0.001");
    float f = 0;
    EXPECT_EQ(parse_float("3.5e38", f), NumberError::out_of_range);
}

}  // namespace
}  // namespace vorlisk
