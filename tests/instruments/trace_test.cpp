// The timing-diagram recorder: samples on change, the geometry of traces
// and edges, and the Value Change Dump of recorded samples read back.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <sstream>

#include "instruments/trace.h"
#include "instruments/vcd.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

TEST(TraceRecorder, OneSampleForASteadySignalOneMorePerChange) {
    Harness h;
    const int sw = h.add("高低电平控制器", 100, 100);
    add_test_point(h.c, output_pin(h.obj(sw), 0).x, output_pin(h.obj(sw), 0).y);
    RecordSlots slots;
    slots[1] = h.c.test_points[0].name;
    slots[2] = "检测点404";  // deleted: collects nothing
    TraceRecorder rec;
    PassHooks hooks;
    hooks.record_trace = [&] { rec.sample_step(h.c, slots); };
    h.start(0.001);
    for (int p = 0; p < 10; ++p) run_pass(h.c, hooks);
    ASSERT_EQ(rec.list(1).size(), 1u);
    EXPECT_NEAR(rec.list(1)[0].time, 0.001, 1e-12);
    toggle_level_switch(h.c, sw);
    for (int p = 0; p < 10; ++p) run_pass(h.c, hooks);
    ASSERT_EQ(rec.list(1).size(), 2u);
    EXPECT_DOUBLE_EQ(rec.list(1)[1].value, 3.6f);
    EXPECT_TRUE(rec.list(0).empty());
    EXPECT_TRUE(rec.list(2).empty());
    EXPECT_NEAR(rec.last_time(), 0.020, 1e-12);
}

TEST(TraceGeometry, EdgesOfASignalTogglingEveryHalfSecondAt1SecondPerDivision) {
    SampleList list;
    for (int k = 0; k < 5; ++k) list.push_back({0.5 * k, k % 2 ? 0.0 : 3.6});
    const TraceAxis axis{20, 0.0, 1.0};  // x0 = 33
    std::vector<TraceLine> lines;
    trace_stretch(list, 1, -1.0, 2.5, axis, [&](const TraceLine& l) { lines.push_back(l); });
    std::vector<int> edges;
    for (const TraceLine& l : lines)
        if (l.x1 == l.x2) edges.push_back(l.x1);
    EXPECT_EQ(edges, (std::vector<int>{93, 78, 63, 48})) << "an edge every 15 pixels, walking back from the newest";
    // Row 1: high at 45, low at 75; a falling edge starts one pixel above the high line.
    const TraceLine falling{48, 44, 48, 75}, rising{63, 75, 63, 44};
    EXPECT_EQ(lines[lines.size() - 1].y1, falling.y1);
    EXPECT_EQ(lines[lines.size() - 1].y2, falling.y2);
    EXPECT_EQ(lines[lines.size() - 3].y1, rising.y1);
    EXPECT_EQ(lines[lines.size() - 3].y2, rising.y2);
    // The newest level runs from the last sample to now.
    EXPECT_EQ(lines[0].x1, 93);
    EXPECT_EQ(lines[0].x2, 108);
    EXPECT_EQ(lines[0].y1, 45);
}

TEST(TraceGeometry, OnlyTheStretchSinceTheLastDrawingAndNothingLeftOfTheAxis) {
    const SampleList list{{0.0, 0.0}, {1.0, 3.6}};
    const TraceAxis axis{0, 0.5, 1.0};  // the first sample lies left of the axis
    std::vector<TraceLine> lines;
    auto sink = [&](const TraceLine& l) { lines.push_back(l); };
    trace_stretch(list, 0, 0.2, 1.5, axis, sink);
    ASSERT_EQ(lines.size(), 3u);  // the level after the edge, the level before it, the edge
    EXPECT_EQ(lines[1].x1, 13) << "moved right to x0";
    lines.clear();
    trace_stretch(list, 0, 1.5, 2.0, axis, sink);
    ASSERT_EQ(lines.size(), 1u) << "no new samples: the last level grows";
    EXPECT_EQ(lines[0].x1, 13 + 30);
    EXPECT_EQ(lines[0].x2, 13 + 45);
}

// The dump's changes per wire name: time -> level.
std::map<std::string, std::map<uint64_t, char>> read_vcd(const std::string& text, std::string& timescale, uint64_t& end) {
    std::map<std::string, std::string> names;
    std::map<std::string, std::map<uint64_t, char>> waves;
    std::istringstream in(text);
    std::string line;
    uint64_t now = 0;
    while (std::getline(in, line)) {
        std::istringstream w(line);
        std::string a, b, c, d, e;
        w >> a;
        if (a == "$timescale") w >> b >> c, timescale = b + " " + c;
        else if (a == "$var") w >> b >> c >> d >> e, names[d] = e;
        else if (!a.empty() && a[0] == '#') now = end = std::stoull(a.substr(1));
        else if (a.size() >= 2 && (a[0] == '0' || a[0] == '1' || a[0] == 'x')) waves[names[a.substr(1)]][now] = a[0];
    }
    return waves;
}

// A square wave on list 0 and a steady high on list 3, sampled by hand in
// six passes of `step` from run time `t0`, in virtual or real time.
void record_square_wave(Harness& h, TraceRecorder& rec, double t0, double step, bool virtual_time) {
    RecordSlots slots;
    if (h.c.test_point_count == 0) add_test_point(h.c, 100, 100), add_test_point(h.c, 200, 100);
    slots[0] = h.c.test_points[0].name;
    slots[3] = h.c.test_points[1].name;
    h.c.test_points[1].value = 3.6;
    h.c.virtual_time = virtual_time;
    h.c.time_step = step;
    for (int p = 1; p <= 6; ++p) {
        h.c.sim_time = t0 + step * p;
        h.c.test_points[0].value = (p / 2) % 2 ? 3.6 : 0.0;
        h.c.readings_changed = true;  // as the pass marks it; the recorder looks at each slot
        rec.sample_step(h.c, slots);
        for (int t = 0; t < 2; ++t) h.c.test_points[t].prev_value = h.c.test_points[t].value;
    }
}

TEST(TraceExport, VcdReadBackFromTheFirstSampleInTheRecordingsUnit) {
    std::vector<std::string> names(16);
    names[0] = "CP";
    names[3] = "CP";  // one label twice
    //   run time at the start, step, virtual time, unit, the time the comment names, CP's edges in units
    const struct {
        double t0, step;
        bool virtual_time;
        const char* unit;
        const char* began;
        std::map<uint64_t, char> cp;
        uint64_t end;
    } cases[] = {
        // Six 1 ms passes: the first sample at 0.001 s is the dump's 0.
        {0.0, 0.001, true, "1 ms", "0.001", {{0, '0'}, {1, '1'}, {3, '0'}, {5, '1'}}, 5},
        // Begun two minutes into the run: no two minutes of unknown levels.
        {127.741553, 0.001, true, "1 ms", "127.742553", {{0, '0'}, {1, '1'}, {3, '0'}, {5, '1'}}, 5},
        // Real time counts in microseconds.
        {0.0, 0.001, false, "1 us", "0.001", {{0, '0'}, {1000, '1'}, {3000, '0'}, {5000, '1'}}, 5000},
    };
    for (const auto& k : cases) {
        Harness h;
        TraceRecorder rec;
        record_square_wave(h, rec, k.t0, k.step, k.virtual_time);
        // The settings change after the recording: the export goes by the recording.
        h.c.time_step = 1.0;
        h.c.virtual_time = !k.virtual_time;
        std::ostringstream out;
        ASSERT_TRUE(write_trace_vcd(out, rec, names));
        std::string timescale;
        uint64_t end = 0;
        auto waves = read_vcd(out.str(), timescale, end);
        EXPECT_EQ(timescale, k.unit) << k.t0;
        EXPECT_EQ(end, k.end) << "the dump runs to the end of the recording";
        EXPECT_EQ(waves["CP"], k.cp) << k.t0;
        EXPECT_EQ(waves["CP_2"], (std::map<uint64_t, char>{{0, '1'}}));
        EXPECT_EQ(waves.size(), 2u) << "empty slots are left out";
        EXPECT_NE(out.str().find(std::string("$comment 时刻 0 为运行时间 ") + k.began + " 秒 $end"), std::string::npos)
            << out.str();
    }
    // A step beyond the dump's range fails the export instead of wrapping.
    Harness h;
    TraceRecorder rec;
    record_square_wave(h, rec, 0.0, 1e20, true);
    std::ostringstream huge;
    EXPECT_FALSE(write_trace_vcd(huge, rec, names));
}

TEST(TraceExport, TimescaleOfAStepOrNoneWhenTheDumpCannotExpressIt) {
    //   step (s), unit, units per step ("" : refused)
    const struct {
        double step;
        const char* unit;
        uint64_t ticks;
    } cases[] = {
        {0.001, "1 ms", 1},   {0.0005, "100 us", 5}, {3, "1 s", 3},   {2.5e-9, "100 ps", 25},
        {1e-15, "1 fs", 1},   {1e6, "1 s", 1000000},
        {1e20, "", 0},        // more units than a dump counts
        {1e-16, "", 0},       // below a femtosecond
        {1.5e-15, "", 0},     // not a whole number of femtoseconds
        {0, "", 0},           {-0.001, "", 0},        {std::numeric_limits<double>::quiet_NaN(), "", 0},
        {std::numeric_limits<double>::infinity(), "", 0},
    };
    for (const auto& t : cases) {
        const auto scale = vcd_timescale(t.step);
        if (*t.unit == 0) {
            EXPECT_FALSE(scale) << t.step;
            continue;
        }
        ASSERT_TRUE(scale) << t.step;
        EXPECT_EQ(scale->first.text, t.unit) << t.step;
        EXPECT_EQ(scale->second, t.ticks) << t.step;
    }
}

}  // namespace
}  // namespace vorlisk
