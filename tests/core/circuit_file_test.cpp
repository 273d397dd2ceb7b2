// Saving and loading circuits: round trips, line endings, the blocks whose
// shape depends on earlier values, and saves that must not damage files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "circuit_file_fixture.h"
#include "model/file_format.h"

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
              ("vorlisk_file_" + std::to_string(::getpid()) + "_" +
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

TEST_F(CircuitFile, RefusesNonFiniteRealsAndHugePresetCounts) {
    c->time_step = std::numeric_limits<double>::infinity();
    std::string out;
    EXPECT_EQ(circuit_bytes(*c, out).code, FileResult::write_failed);
    new_circuit(*c);
    const int i = add_component(*c, "可置数脉冲", 100, 100);
    c->objects[i].pulse_count = kMaxSavedPulseCount + 1;
    FileResult r = circuit_bytes(*c, out);
    EXPECT_EQ(r.code, FileResult::write_failed);
    EXPECT_NE(r.message.find("脉冲置数"), std::string::npos);
}

}  // namespace
}  // namespace vorlisk
