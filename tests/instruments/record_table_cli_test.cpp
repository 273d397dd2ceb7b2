// vorlisk-sim --record-table: the truth table the window records on every
// change, from the command line, as the window's CSV.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/sim_process.h"
#include "tests/support/capabilities.h"

namespace {

namespace fs = std::filesystem;

// Standard output and exit code of vorlisk-sim with these arguments.
std::pair<int, std::string> sim(const std::vector<std::string>& args) {
    const vorlisk::test::SimResult r = vorlisk::test::run_sim(args);
    return {r.code, r.out};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        v.push_back(l);
    }
    return v;
}

const std::string kCounter = std::string(VORLISK_EXAMPLES_DIR) + "/74LS93二进制计数器.vlk";

TEST(RecordTableCli, TheBinaryCounterCountsInTheRowsWhereTheClockIsHigh) {
    // 3 s of a 10 Hz clock: 30 counts, wrapping after 15.
    auto [code, out] = sim({kCounter, "--passes", "3000", "--record-table", "-"});
    ASSERT_EQ(code, 0);
    ASSERT_TRUE(out.starts_with("\xEF\xBB\xBF")) << "the window's CSV, byte-order mark first";
    const auto rows = lines(out.substr(3));
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[0], "CP,QA,QB,QC,QD") << "the stored slots are empty: the default items";
    EXPECT_EQ(rows[1], "0,0,0,0,0") << "the first step records a row";
    int count = 0;
    for (size_t r = 1; r < rows.size(); ++r) {
        if (rows[r][0] != '1') continue;
        // QA is the least significant bit.
        const int value = (rows[r][2] - '0') + 2 * (rows[r][4] - '0') + 4 * (rows[r][6] - '0') + 8 * (rows[r][8] - '0');
        ASSERT_EQ(value, count % 16) << "row " << r << ": " << rows[r];
        ++count;
    }
    EXPECT_EQ(count, 30);
}

TEST(RecordTableCli, AFileGetsTheSameTableAndTheReadingsStillPrint) {
    const fs::path csv = fs::temp_directory_path() / ("vorlisk_record_" + vorlisk::test::process_tag() + ".csv");
    auto [code, readings] = sim({kCounter, "--passes", "700", "--record-table", csv.string()});
    ASSERT_EQ(code, 0);
    EXPECT_TRUE(readings.starts_with("CP\t")) << readings;
    std::ifstream in(csv, std::ios::binary);
    std::stringstream file;
    file << in.rdbuf();
    EXPECT_EQ(file.str(), sim({kCounter, "--passes", "700", "--record-table", "-"}).second);
    fs::remove(csv);

    EXPECT_EQ(sim({kCounter, "--truth-table", "--record-table", "-"}).first, 2) << "one run or every combination, not both";
    EXPECT_EQ(sim({kCounter, "--record-table", "/no/such/dir/t.csv"}).first, 2);
}

TEST(RecordTableCli, SettledRowsLeaveOutTheRipplesBetweenTwoCounts) {
    // The 74LS93 ripples: on the way from 7 to 8, QA, QB and QC fall one
    // after another, and every step of the ripple is a row on change. Once
    // settled, each row is a count: every row after the first is the one
    // before with CP toggled, and the count up by one where CP fell (the
    // counter takes the falling edge).
    const auto rows_of = [](const std::vector<std::string>& args) { return lines(sim(args).second.substr(3)); };
    const auto changes = rows_of({kCounter, "--passes", "3000", "--record-table", "-"});
    const auto settled = rows_of({kCounter, "--passes", "3000", "--record-table", "-", "--settled"});
    ASSERT_GT(settled.size(), 2u);
    EXPECT_EQ(settled[0], "CP,QA,QB,QC,QD");
    EXPECT_EQ(settled[1], "0,0,0,0,0");
    const auto count = [](const std::string& row) {
        return (row[2] - '0') + 2 * (row[4] - '0') + 4 * (row[6] - '0') + 8 * (row[8] - '0');
    };
    for (size_t r = 2; r < settled.size(); ++r) {
        ASSERT_NE(settled[r][0], settled[r - 1][0]) << "row " << r << ": the clock toggles in every settled row";
        const int expected = settled[r][0] == '0' ? (count(settled[r - 1]) + 1) % 16 : count(settled[r - 1]);
        ASSERT_EQ(count(settled[r]), expected) << "row " << r << ": " << settled[r];
    }
    // The header, the start, and a row per edge of the 10 Hz clock in 3 s
    // but the last, which comes with the run's last pass and never settles.
    EXPECT_EQ(settled.size(), 1u + 1u + 59u);
    EXPECT_GT(changes.size(), settled.size()) << "on change, the ripples are rows too";
}

}  // namespace
