// Saving and loading circuits: round trips, line endings, the blocks whose
// shape depends on earlier values, and saves that must not damage files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "chips/chip_table.h"
#include "circuit_file_fixture.h"
#include "engine/run.h"
#include "model/catalogue.h"
#include "model/file_drawing.h"
#include "model/file_format.h"
#include "tests/support/capabilities.h"

namespace vorlisk {
namespace {

using namespace file_test;
namespace fs = std::filesystem;

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

class CircuitFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vorlisk_file_" + vorlisk::test::process_tag() + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    std::unique_ptr<Circuit> c = make_circuit();
    std::unique_ptr<Circuit> d = make_circuit();
};

TEST_F(CircuitFile, RoundTripKeepsEveryStoredFieldAndBytes) {
    build_rich_circuit(*c);
    c->running = 1;
    const std::string first = bytes_of(*c);
    ASSERT_TRUE(first.starts_with("Quenmar V3.0\r\n"));

    const fs::path path = dir / "电路.txt";
    ASSERT_TRUE(save_circuit(*c, path.string()));
    EXPECT_EQ(read_file(path), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "temporary file left";

    d->objects[5].pulse_phase = 99.0;  // leftovers of an earlier circuit must not show
    const uint64_t serial = d->edit_serial;
    FileResult r = load_circuit(*d, path.string());
    ASSERT_TRUE(r) << r.message;
    EXPECT_NE(d->edit_serial, serial);
    EXPECT_EQ(d->running, 0);
    EXPECT_FALSE(d->modified);
    expect_same_file_fields(*c, *d);
    d->running = 1;  // written, but a loaded circuit is stopped
    c->objects[0].out_mark[0] = 0;  // the one stored field a load clears
    expect_same_bytes(bytes_of(*d), bytes_of(*c));
}

// Whatever the editor makes loads without a drawing value put right: every
// kind and chip placed and turned, the settings at each choice their
// dialog offers, an annotation in the font dialog's largest size.
TEST_F(CircuitFile, WhatTheEditorMakesLoadsWithoutResetValues) {
    std::vector<std::string> kinds;
    for (const KindInfo& k : kind_catalogue()) kinds.emplace_back(k.kind);
    for (const ChipRow& chip : chip_catalogue()) kinds.push_back(std::string(kChipSeqPrefix) + std::string(chip.type) + ")");
    //   wire width, junction size, border width (the dialogs' choices, smallest and largest)
    for (const auto& [wire, junction, border] : {std::tuple{1, 2, 1}, std::tuple{2, 4, 2}}) {
        new_circuit(*c);
        c->draw.wire_width = wire, c->draw.junction_size = junction;
        for (CategoryStyle& k : c->draw.category) k.border_width = border;
        for (size_t i = 0; i < kinds.size(); ++i) {
            const int o = add_component(*c, kinds[i], 100 + 100 * int(i % 20), 100 + 100 * int(i / 20));
            ASSERT_GE(o, 0);
            for (size_t turns = i % 4; turns > 0; --turns) rotate_items(*c, std::vector{c->objects[o].name}, 0);
        }
        add_test_point(*c, 50, 50);
        ZHU_SHI_S note;
        note.text_lines = {std::string(512, 'W')};
        note.font_size = kLargestFontPoints, note.font_height = -kLargestFontPixels;
        note.width = 512 * kLargestFontPixels, note.height = int(kLargestFontPixels * 1.1);
        add_annotation(*c, note, 0, 0);
        std::string bytes;
        ASSERT_TRUE(circuit_bytes(*c, bytes));
        new_circuit(*d);
        const FileResult r = load_circuit_bytes(*d, bytes);
        ASSERT_TRUE(r) << r.code << " " << r.line << " " << r.message;
        EXPECT_EQ(r.drawing_line, 0) << r.drawing_problem;
    }
}

TEST_F(CircuitFile, TextIsGbkOnDisk) {
    add_component(*c, "与非门", 100, 100);
    const std::string bytes = bytes_of(*c);
    EXPECT_NE(bytes.find("\xD3\xEB\xB7\xC7\xC3\xC5\r\n"), std::string::npos);  // "与非门" in GBK
    EXPECT_EQ(bytes.find("与非门"), std::string::npos);
}

// Each line break style loads the same circuit.
TEST_F(CircuitFile, AcceptsCrLfCrAndLf) {
    build_rich_circuit(*c);
    c->objects[0].out_mark[0] = 0;
    const std::string crlf = bytes_of(*c);
    for (const char* eol : {"\r", "\n"}) {
        std::string other;
        for (const std::string& l : lines_of(crlf)) other += l + eol;
        new_circuit(*d);
        FileResult r = load_circuit_bytes(*d, other);
        ASSERT_TRUE(r) << r.message;
        expect_same_bytes(bytes_of(*d), crlf);
    }
    // No final line break at all: the last line still counts.
    new_circuit(*d);
    ASSERT_TRUE(load_circuit_bytes(*d, crlf.substr(0, crlf.size() - 2)));
    expect_same_bytes(bytes_of(*d), crlf);
}

// Files are read in chunks: lines and CR LF pairs split across chunks read
// as when whole.
TEST_F(CircuitFile, ChunksSplitNothing) {
    build_rich_circuit(*c);
    c->objects[0].out_mark[0] = 0;
    c->annotations[0].text_lines.push_back(std::string(kMaxLineBytes, 'x'));  // a line as long as any
    const std::string crlf = bytes_of(*c);
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        std::string bytes;
        for (const std::string& l : lines_of(crlf)) bytes += l + eol;
        for (size_t chunk : {1, 2, 3, 1000, 4096}) {
            SCOPED_TRACE(std::to_string(chunk) + " bytes a chunk, eol " + std::to_string(std::strlen(eol)));
            ByteSource source(bytes, chunk);
            const EncodingGuess guess = guess_encoding(source);
            EXPECT_EQ(guess.encoding, TextEncoding::gbk);
            source.rewind();
            LineReader in(source, guess);
            ASSERT_TRUE(in.header_matches(kFileHeader));
            new_circuit(*d);
            try {
                FileResult timing;
                read_circuit_body(in, *d, timing);
            } catch (const FileError& e) {
                FAIL() << e.result.message;
            }
            expect_same_bytes(bytes_of(*d), crlf);
        }
    }
}

TEST_F(CircuitFile, PresetPulseCarriesOnePairPerPulseAndLoadsTheFirst) {
    const int i = add_component(*c, "可置数脉冲", 100, 100);
    c->objects[i].pulse_count = 10;
    c->objects[i].pulse_phase = 0.125;
    c->objects[i].pulse_width = 0.25;
    std::vector<std::string> lines = lines_of(bytes_of(*c));
    // Idle level "常低", frequency, count, pairs.
    const auto idle = std::find(lines.begin(), lines.end(), "\xB3\xA3\xB5\xCD");
    ASSERT_NE(idle, lines.end());
    const size_t count_line = size_t(idle - lines.begin()) + 2;
    ASSERT_EQ(lines[count_line], "10");
    const size_t first_pair = count_line + 1;
    for (size_t k = 0; k < 20; ++k) EXPECT_EQ(lines[first_pair + k], k % 2 ? "0.25" : "0.125");
    EXPECT_EQ(lines[first_pair + 20], "0");  // wire count

    for (size_t k = 2; k < 20; ++k) lines[first_pair + k] = "7.5";  // later pairs are only skipped
    ASSERT_TRUE(load_circuit_bytes(*d, join(lines)));
    EXPECT_EQ(d->objects[0].pulse_count, 10);
    EXPECT_EQ(d->objects[0].pulse_phase, 0.125);
    EXPECT_EQ(d->objects[0].pulse_width, 0.25);
}

// A count below 1 carries no pair; phase and width never come from the
// circuit loaded before.
TEST_F(CircuitFile, PulseWithoutPairsClearsPhaseAndWidth) {
    const int i = add_component(*c, "连续脉冲", 100, 100);
    c->objects[i].pulse_count = -3;
    c->objects[i].pulse_phase = 0.125;
    const std::string bytes = bytes_of(*c);
    d->objects[0].pulse_phase = 4.0, d->objects[0].pulse_width = 4.0;
    ASSERT_TRUE(load_circuit_bytes(*d, bytes));
    EXPECT_EQ(d->objects[0].pulse_count, -3);
    EXPECT_EQ(d->objects[0].pulse_phase, 0.0);
    EXPECT_EQ(d->objects[0].pulse_width, 0.0);
    expect_same_bytes(bytes_of(*d), bytes);
}

TEST_F(CircuitFile, OnlyExactPulseKindsHaveAPulseBlock) {
    const int i = add_component(*c, "连续脉冲", 100, 100);
    c->objects[i].kind = "连续脉冲 ";
    const int j = add_component(*c, "集成芯片组合逻辑(74LS00)", 300, 100);
    c->objects[j].idle_level = "常高";  // would be written if chips had the block
    const std::string bytes = bytes_of(*c);
    EXPECT_EQ(bytes.find("\xB3\xA3"), std::string::npos);  // no "常..." line
    ASSERT_TRUE(load_circuit_bytes(*d, bytes));
    EXPECT_EQ(d->object_count, 2);
    EXPECT_EQ(d->objects[0].kind, "连续脉冲 ");
    EXPECT_EQ(d->objects[1].idle_level, "");
    expect_same_bytes(bytes_of(*d), bytes);
}

TEST_F(CircuitFile, RecordItemsFillSlotsFromTheFirstAndDropExtraLines) {
    for (int s = 0; s < kRecordSlots; ++s) c->table_items[s] = s == 2 ? "" : "检测点" + std::to_string(s);
    std::vector<std::string> lines = lines_of(bytes_of(*c));
    ASSERT_TRUE(load_circuit_bytes(*d, join(lines)));
    EXPECT_EQ(d->table_items, c->table_items);
    EXPECT_EQ(d->table_items[2], "");

    // A longer list than 16 slots: the rest is read and dropped. Empty
    // circuit: the table's mode is on line 73, its count on line 74.
    ASSERT_EQ(lines[72], "\xCA\xD6\xB6\xAF\xBC\xC7\xC2\xBC");  // "手动记录"
    lines[73] = "17";
    lines.insert(lines.begin() + 74 + 16, "extra");
    new_circuit(*d);
    FileResult r = load_circuit_bytes(*d, join(lines));
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(d->table_items, c->table_items);
    EXPECT_EQ(d->trace_record_mode, "时序记录");
}

TEST_F(CircuitFile, SecondLoadTakesItsOwnScrollPositions) {
    c->scroll_h = 30, c->scroll_v = 12;
    add_component(*c, "非门", 400, 400);
    const std::string first = bytes_of(*c);
    c->scroll_h = 7, c->scroll_v = 0;
    const std::string second = bytes_of(*c);

    ASSERT_TRUE(load_circuit_bytes(*d, first));
    EXPECT_EQ(std::pair(d->scroll_h, d->scroll_v), std::pair(30, 12));
    EXPECT_EQ(d->objects[0].x, c->objects[0].x);  // records keep their saved coordinates
    new_circuit(*d);
    ASSERT_TRUE(load_circuit_bytes(*d, second));
    EXPECT_EQ(std::pair(d->scroll_h, d->scroll_v), std::pair(7, 0));
    EXPECT_EQ(d->objects[0].x, c->objects[0].x);
}

TEST_F(CircuitFile, LoadClearsOutputMarksButKeepsInputMarks) {
    const int i = add_component(*c, "与门", 100, 100);
    c->objects[i].in_mark[0] = 9;
    c->objects[i].out_mark[0] = 9;
    ASSERT_TRUE(load_circuit_bytes(*d, bytes_of(*c)));
    EXPECT_EQ(d->objects[0].in_mark[0], 9);
    EXPECT_EQ(d->objects[0].out_mark[0], 0);
}

// Saves that fail: the result says so and no file is harmed.
TEST_F(CircuitFile, FailedSavesReportAndLeaveFilesAlone) {
    add_component(*c, "与门", 100, 100);
    const fs::path target = dir / "old.txt";
    write_file(target, "previous contents");
    write_file(dir / "plain", "x");

    // columns: path, expected code
    const std::pair<fs::path, FileResult::Code> cases[] = {
        {dir / "missing" / "a.txt", FileResult::write_failed},  // folder does not exist
        {dir / "plain" / "a.txt", FileResult::write_failed},    // parent is a regular file
        {dir / "plain2", FileResult::write_failed},             // target is a folder (below)
    };
    fs::create_directories(dir / "plain2" / "inside");
    for (const auto& [path, code] : cases) {
        SCOPED_TRACE(path.string());
        FileResult r = save_circuit(*c, path.string());
        EXPECT_EQ(r.code, code);
        EXPECT_FALSE(r);
        EXPECT_NE(r.message.find("失败"), std::string::npos) << r.message;
    }
    EXPECT_TRUE(fs::is_directory(dir / "plain2" / "inside"));

    // Text that cannot be stored: nothing is written, the old file stays.
    c->objects[0].label_text[0] = "A\nB";
    FileResult r = save_circuit(*c, target.string());
    EXPECT_EQ(r.code, FileResult::write_failed);
    EXPECT_NE(r.message.find("第 1 个元件的标注文字"), std::string::npos) << r.message;
    EXPECT_EQ(read_file(target), "previous contents");
    c->objects[0].label_text[0] = "😀";
    r = save_circuit(*c, target.string());
    EXPECT_NE(r.message.find("GBK"), std::string::npos) << r.message;
    EXPECT_EQ(read_file(target), "previous contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3) << "temporary file left";

    // A good save replaces the file and keeps its permissions.
    c->objects[0].label_text[0] = "&";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(save_circuit(*c, target.string()));
    EXPECT_EQ(read_file(target), bytes_of(*c));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// What no file may hold is refused by the save, with a message naming it.
TEST_F(CircuitFile, RefusesWhatNoFileCanHold) {
    // columns: what, change to a circuit with one preset pulse and one annotation, part of the message
    const std::tuple<const char*, std::function<void(Circuit&)>, const char*> cases[] = {
        {"infinite step", [](Circuit& x) { x.time_step = std::numeric_limits<double>::infinity(); }, "仿真步长"},
        {"huge preset count", [](Circuit& x) { x.objects[0].pulse_count = kMaxSavedPulseCount + 1; }, "脉冲置数"},
        {"label of 1025 bytes", [](Circuit& x) { x.objects[0].label_text[0] = std::string(1025, 'a'); },
         "一行最多 1024 字节"},
        {"note of 257 lines", [](Circuit& x) { x.annotations[0].text_lines.assign(257, "a"); }, "超过上限 256 行"},
    };
    for (const auto& [what, change, fragment] : cases) {
        SCOPED_TRACE(what);
        new_circuit(*c);
        add_component(*c, "可置数脉冲", 100, 100);
        c->annotation_count = 1;
        c->annotations[0].name = "注释1", c->annotations[0].kind = "注释";
        std::string out;
        ASSERT_TRUE(circuit_bytes(*c, out));
        change(*c);
        FileResult r = circuit_bytes(*c, out);
        EXPECT_EQ(r.code, FileResult::write_failed);
        EXPECT_NE(r.message.find(fragment), std::string::npos) << r.message;
    }
    // The longest line (counted in GBK bytes) and the most note lines a save
    // writes load again.
    std::string longest;
    for (size_t k = 0; k < kMaxLineBytes / 2; ++k) longest += "汉";
    new_circuit(*c);
    c->annotation_count = 1;
    c->annotations[0].text_lines.assign(kMaxNoteLines, longest);
    ASSERT_TRUE(load_circuit_bytes(*d, bytes_of(*c)));
    EXPECT_EQ(d->annotations[0].text_lines, c->annotations[0].text_lines);
}

// Saving over files that are not plain writable files.
TEST_F(CircuitFile, SaveTargets) {
    add_component(*c, "与门", 100, 100);
    const std::string bytes = bytes_of(*c);
    write_file(dir / "readonly.vlk", "previous contents");
    fs::permissions(dir / "readonly.vlk", fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink("missing/target.vlk", dir / "dangling-into-missing-folder.vlk");
    fs::create_symlink("created.vlk", dir / "dangling.vlk");
    fs::create_symlink("loop-b.vlk", dir / "loop-a.vlk");
    fs::create_symlink("loop-a.vlk", dir / "loop-b.vlk");
    const bool fifos = test::made_fifo(dir / "fifo.vlk");
    const std::string longest(NAME_MAX - 4, 'n');  // the longest name the system allows

    // columns: name saved to, message part (empty: saved), file that must then hold the circuit
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {"readonly.vlk", "文件是只读的", ""},
        {"dangling.vlk", "", "created.vlk"},
        {"dangling-into-missing-folder.vlk", "不存在", ""},
        {"loop-a.vlk", "符号链接层数过多", ""},
        {"fifo.vlk", "不是普通文件", ""},
        {longest + ".vlk", "", longest + ".vlk"},
    };
    for (const auto& [name, fragment, holder] : cases) {
        SCOPED_TRACE(name.substr(0, 40));
        if (name == "fifo.vlk" && !fifos) continue;
        FileResult r = save_circuit(*c, (dir / name).string());
        if (*fragment) {
            EXPECT_EQ(r.code, FileResult::write_failed);
            EXPECT_NE(r.message.find(fragment), std::string::npos) << r.message;
        } else {
            EXPECT_TRUE(r) << r.message;
            EXPECT_EQ(read_file(dir / holder), bytes);
        }
    }
    EXPECT_EQ(read_file(dir / "readonly.vlk"), "previous contents");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.vlk"));
    EXPECT_EQ(fs::is_fifo(dir / "fifo.vlk"), fifos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), fifos ? 8 : 7)
        << "temporary file left";
    if (!fifos) GTEST_SKIP() << "saving over a FIFO: " << test::kNoFifos;
}

// Open's core: the program's circuit changes only when the whole file was read.
TEST_F(CircuitFile, OpenReplacesTheCircuitOnlyWhenTheWholeFileWasRead) {
    build_rich_circuit(*d);
    const fs::path path = dir / "电路.vlk";
    ASSERT_TRUE(save_circuit(*d, path.string()));
    const std::vector<std::string> lines = lines_of(read_file(path));
    std::vector<std::string> truncated(lines.begin(), lines.begin() + 200);
    write_file(dir / "truncated.vlk", join(truncated));
    write_file(dir / "other.txt", "not a circuit\r\n");

    add_component(*c, "非门", 300, 300);
    c->file_name = "before.vlk";
    c->modified = true;
    c->net_mode = 1;
    int reported = 0;
    c->report = [&](std::string_view) { ++reported; };
    const std::string before = bytes_of(*c);
    const uint64_t serial = c->edit_serial;
    // columns: file, code, the message's beginning
    const std::tuple<fs::path, FileResult::Code, std::string> failures[] = {
        {dir / "truncated.vlk", FileResult::invalid, "文件“" + (dir / "truncated.vlk").string() + "”第 201 行："},
        {dir / "other.txt", FileResult::header_mismatch,
         "打开文件失败。“" + (dir / "other.txt").string() + "”不是电路文件。"},
        {dir / "missing.vlk", FileResult::unreadable, "无法读取文件“" + (dir / "missing.vlk").string() + "”"},
    };
    for (const auto& [file, code, message] : failures) {
        SCOPED_TRACE(file.string());
        FileResult r = open_circuit(*c, file.string());
        EXPECT_EQ(r.code, code);
        EXPECT_TRUE(r.message.starts_with(message)) << r.message;
        expect_same_bytes(bytes_of(*c), before);
        EXPECT_EQ(c->edit_serial, serial);
        EXPECT_EQ(c->file_name, "before.vlk");
        EXPECT_TRUE(c->modified);
    }

    // Success leaves what the reset and a load leave, and keeps the program's parts.
    c->clip_object_count = 1;
    FileResult r = open_circuit(*c, path.string());
    ASSERT_TRUE(r) << r.message;
    auto e = make_circuit();
    e->net_mode = 1;
    ASSERT_TRUE(load_circuit(*e, path.string()));
    expect_same_file_fields(*e, *c);
    expect_same_bytes(bytes_of(*c), bytes_of(*e));
    EXPECT_EQ(c->file_name, path.string());
    EXPECT_FALSE(c->modified);
    EXPECT_EQ(c->clip_object_count, 0);
    EXPECT_NE(c->edit_serial, serial);
    EXPECT_EQ(c->chip_table[0].chip_type, e->chip_table[0].chip_type);
    c->message("x");
    EXPECT_EQ(reported, 1);
}

// FIFOs and devices are refused before any read, a line longer than any
// file holds as soon as it is seen, and what follows a complete circuit is
// never read: none of them costs more than a moment.
TEST_F(CircuitFile, FilesThatNeverEndAreRefusedQuickly) {
    const bool fifos = test::made_fifo(dir / "fifo");
    fs::create_directories(dir / "folder");
    write_file(dir / "one-long-line.vlk", "Quenmar V3.0\r\n" + std::string(20'000'000, '7'));
    std::string tail = bytes_of(*c);
    tail.reserve(tail.size() + 20'000'000);
    while (tail.size() < 20'000'000) tail += "1\r\n";
    write_file(dir / "trailing.vlk", tail);

    // columns: path, loads, message part
    const std::tuple<std::string, bool, const char*> cases[] = {
        {(dir / "fifo").string(), false, "这是一个管道，不是普通文件"},
        {"/dev/zero", false, "这是一个设备，不是普通文件"},
        {(dir / "folder").string(), false, "这是一个文件夹"},
        {(dir / "one-long-line.vlk").string(), false, "第 2 行：这一行超过 1024 字节"},
        {(dir / "trailing.vlk").string(), true, ""},
    };
    for (const auto& [path, loads, fragment] : cases) {
        SCOPED_TRACE(path);
        if (path == (dir / "fifo").string() && !fifos) continue;
        new_circuit(*d);
        const auto start = std::chrono::steady_clock::now();
        FileResult r = load_circuit(*d, path);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(bool(r), loads) << r.message;
        EXPECT_NE(r.message.find(fragment), std::string::npos) << r.message;
    }
    if (!fifos) GTEST_SKIP() << "reading a FIFO: " << test::kNoFifos;
}

// A run whose time overflowed leaves infinite enable times in its pulses;
// after Stop the circuit saves again.
TEST_F(CircuitFile, StopAfterAnOverflowedRunLeavesASavableCircuit) {
    const int pulse = add_component(*c, "连续脉冲", 100, 100);
    c->objects[pulse].pulse_frequency = 1.0;
    c->objects[pulse].idle_level = "常低";
    c->objects[pulse].in_v[0] = kHigh;  // enabled
    c->objects[pulse].prev_in_v[0] = kLow;
    c->virtual_time = 1;
    c->time_step = 1e308;
    c->running = 1;
    c->step_counter = 0;
    for (int p = 0; p < 3; ++p) {
        c->objects[pulse].in_v[0] = kHigh, c->objects[pulse].prev_in_v[0] = kLow;
        run_pass(*c, {});
    }
    ASSERT_TRUE(std::isinf(c->sim_time));
    ASSERT_FALSE(std::isfinite(c->objects[pulse].param_real[0]));
    stop_circuit(*c);
    std::string out;
    FileResult r = circuit_bytes(*c, out);
    EXPECT_TRUE(r) << r.message;
}

}  // namespace
}  // namespace vorlisk
