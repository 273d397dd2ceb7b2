// What the dialogs refuse and accept, as both the desktop's dialogs and the
// browser page check it: the field that takes the focus (0: accepted).
#include <gtest/gtest.h>

#include <cmath>

#include "editor/chip_pages.h"
#include "editor/dialog_checks.h"
#include "editor/field_text.h"
#include "model/edit.h"

namespace vorlisk {
namespace {

int field_of(const std::optional<Refusal>& r) { return r ? r->field : 0; }

TEST(DialogChecks, TimeSettings) {
    auto c = make_circuit();
    c->time_step = 0.004;
    c->device_delay = 3;
    //   virtual step        delay  field  step   delay
    const struct {
        bool virtual_time;
        const char *step, *delay;
        int field;
        double kept_step;
        int kept_delay;
    } rows[] = {
        {false, "abc", "x", 0, 0.004, 3},  // real time reads neither field, keeps both
        {true, "0", "1", 1, 0, 0},
        {true, "-1", "1", 1, 0, 0},
        {true, "abc", "1", 1, 0, 0},
        {true, "86401", "1", 1, 0, 0},    // beyond a day
        {true, "0.001", "1.5", 2, 0, 0},
        {true, "0.001", "0", 2, 0, 0},
        {true, " 0.002 ", "+2", 0, 0.002, 2},
        {true, "\xE3\x80\x80" "86400", "7", 0, 86400, 7},  // a full-width space around it
    };
    for (const auto& r : rows) {
        TimeSettings s;
        const auto refusal = check_time_settings(*c, r.virtual_time, r.step, r.delay, s);
        EXPECT_EQ(field_of(refusal), r.field) << r.step << " " << r.delay;
        if (r.field) continue;
        EXPECT_EQ(s.virtual_time, r.virtual_time);
        EXPECT_DOUBLE_EQ(s.time_step, r.kept_step) << r.step;
        EXPECT_EQ(s.device_delay, r.kept_delay) << r.delay;
    }
    TimeSettings s;
    EXPECT_EQ(check_time_settings(*c, true, "0", "1", s)->message, "\"计算步长\"必须是正实数，请重新输入。");
    EXPECT_EQ(check_time_settings(*c, true, "1", "1.5", s)->message, "\"器件延时\"必须是正整数，请重新输入。");
}

TEST(DialogChecks, PulseFitsItsPeriod) {
    //   frequency width     phase     count  field
    const struct {
        const char *f, *w, *p, *n;
        int field;
    } rows[] = {
        {"1000", "0.0005", "0.0005", "1", 0},  // width and phase fill the period exactly
        {"1000", "0.0005", "0.0006", "1", 3},  // beyond the period
        {"1000", "0.0005", "0", "1", 0},       // phase 0 is accepted
        {"1000", "0.001", "0", "1", 2},        // a width of the whole period
        {"0", "0.1", "0", "1", 1},
        {"1", "abc", "0", "1", 2},
        {"1", "0.5", "-0.1", "1", 3},
        {"1", "0.5", "0", "0", 4},
        {"1", "0.5", "0", "1.5", 4},
    };
    for (const auto& r : rows) {
        PulseSettings s;
        EXPECT_EQ(field_of(check_pulse_settings(r.f, r.w, r.p, r.n, s)), r.field) << r.f << " " << r.w << " " << r.p << " " << r.n;
    }
    PulseSettings s;
    ASSERT_FALSE(check_pulse_settings("50", "0.004", "0.002", "3", s));
    EXPECT_EQ(s.frequency, 50);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(check_pulse_settings("1000", "0.0005", "0.0006", "1", s)->message,
              "脉冲宽度与脉冲相位的和必须小于或等于脉冲周期，请重新输入。");
    // Typing a frequency fills width and phase with half its period.
    EXPECT_EQ(half_period_text("100"), "0.005");
    EXPECT_EQ(half_period_text("3"), "0.166666666666667");
    EXPECT_EQ(half_period_text("abc"), "");
    EXPECT_EQ(half_period_text("0"), "");
}

TEST(DialogChecks, TestPointLabels) {
    auto c = make_circuit();
    const int a = add_test_point(*c, 100, 100), b = add_test_point(*c, 200, 100);
    const std::string name = c->test_points[a].name;
    const std::string other = c->test_points[b].label;
    EXPECT_FALSE(check_test_point_label(*c, name, c->test_points[a].label));  // keeping its own
    EXPECT_FALSE(check_test_point_label(*c, name, "CLK"));
    EXPECT_EQ(check_test_point_label(*c, name, other)->message, "标签名称与其他检测点的标签同名，请重新输入。");
    EXPECT_EQ(check_test_point_label(*c, name, "")->message, "请输入检测点的标签。");
    // What a file line holds: 512 characters, a Chinese one counting once.
    std::string wide;
    for (int k = 0; k < 512; ++k) wide += "测";
    EXPECT_FALSE(check_test_point_label(*c, name, wide));
    EXPECT_TRUE(check_test_point_label(*c, name, wide + "x"));
}

TEST(DialogChecks, AnnotationLines) {
    EXPECT_EQ(annotation_lines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(annotation_lines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(annotation_lines("").empty());
    EXPECT_EQ(check_annotation_lines({"", ""})->message, "请填入注释。");
    EXPECT_FALSE(check_annotation_lines({"", "x"}));
    EXPECT_TRUE(check_annotation_lines(std::vector<std::string>(257, "x")));
    EXPECT_TRUE(check_annotation_lines({std::string(513, 'x')}));
}

TEST(DialogChecks, OneShotWidths) {
    double w = 0;
    EXPECT_TRUE(check_one_shot_width("0", w));
    EXPECT_TRUE(check_one_shot_width("86400.1", w));
    EXPECT_TRUE(check_one_shot_width("abc", w));
    ASSERT_FALSE(check_one_shot_width(" 86400 ", w));
    EXPECT_EQ(w, 86400);
    // tw = ln 2 · R · C for the 74LS121 (10 kΩ, 1 μF: 6.93 ms), 0.45 · R · C for the 74LS123.
    ASSERT_FALSE(check_one_shot_rc("74LS121", "10", "1", w));
    EXPECT_NEAR(w, 0.006931, 1e-6);
    EXPECT_EQ(one_shot_width_text(w), "0.006931");
    ASSERT_FALSE(check_one_shot_rc("74LS123", "10", "1", w));
    EXPECT_NEAR(w, 0.0045, 1e-12);
    EXPECT_EQ(field_of(check_one_shot_rc("74LS123", "x", "1", w)), 1);
    EXPECT_EQ(field_of(check_one_shot_rc("74LS123", "1", "0", w)), 2);
    EXPECT_EQ(one_shot_width_text(86400), "86400");
}

TEST(DialogChecks, ChipChooser) {
    std::string kind;
    ASSERT_FALSE(chip_kind_for(0, "74LS00", kind));
    EXPECT_EQ(kind, "集成芯片组合逻辑(74LS00)");
    ASSERT_FALSE(chip_kind_for(1, "74LS00", kind));  // the page decides the word
    EXPECT_EQ(kind, "集成芯片时序逻辑(74LS00)");
    EXPECT_EQ(chip_kind_for(0, "74LS999", kind)->message, "没有芯片型号“74LS999”：请从列表中选择，或输入列表中的型号。");
    EXPECT_TRUE(chip_kind_for(0, " 74LS00", kind));  // taken as it stands
    EXPECT_TRUE(chip_entry_matches(chip_entry_text("74LS161"), " ls16 "));
    EXPECT_TRUE(chip_entry_matches(chip_entry_text("74LS161"), "计数"));
    EXPECT_FALSE(chip_entry_matches(chip_entry_text("74LS00"), "计数"));
    // Every type a page lists is one the library models.
    for (int p = 0; p < kChipPages; ++p)
        for (const char* type : chip_page(p).types) EXPECT_FALSE(chip_kind_for(p, type, kind)) << type;
}

TEST(DialogChecks, NumbersAsTyped) {
    //   text         real? value
    const struct {
        const char* text;
        bool ok;
        double value;
    } reals[] = {{" 1.5 ", true, 1.5}, {"+2", true, 2}, {".5", true, 0.5}, {"1e-3", true, 0.001},
                 {"1,5", false, 0},    {"inf", false, 0}, {"nan", false, 0}, {"+-1", false, 0}, {"", false, 0}};
    for (const auto& r : reals) {
        double v = -7;
        EXPECT_EQ(read_real(r.text, v), r.ok) << r.text;
        EXPECT_EQ(v, r.ok ? r.value : -7) << r.text;  // a refused text leaves the value
    }
    int n = 0;
    EXPECT_TRUE(read_integer("-3", n));
    EXPECT_EQ(n, -3);
    EXPECT_FALSE(read_integer("1.0", n));
    EXPECT_FALSE(read_integer("99999999999", n));
    EXPECT_EQ(general_text(0.0005), "0.0005");
    EXPECT_EQ(general_text(1e-7), "1e-07");
    EXPECT_EQ(time_text(12.345), "12.3");
    EXPECT_EQ(time_text(1234), "1.23e+03");
}

}  // namespace
}  // namespace vorlisk
