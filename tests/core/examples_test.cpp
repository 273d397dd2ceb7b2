// The example circuits: every file in the examples folder is current (the
// builder makes the same bytes), loads, and behaves as its lesson says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/emulated_box.h"
#include "engine/hardware.h"
#include "model/circuit_file.h"
#include "model/gbk.h"
#include "tests/support/harness.h"
#include "tools/make_examples/examples.h"
#include "tools/make_examples/layout_check.h"

namespace vorlisk {
namespace {

using test::Harness;
namespace fs = std::filesystem;

const fs::path kFolder = VORLISK_EXAMPLES_DIR;

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The example as a teacher's text editor re-saves it: UTF-8, optionally
// with a byte-order mark and LF line ends.
std::string utf8_copy(const std::string& gbk_bytes, bool bom_and_lf) {
    std::string utf8;
    EXPECT_TRUE(gbk_to_utf8(gbk_bytes, utf8));
    if (!bom_and_lf) return utf8;
    std::string out = "\xEF\xBB\xBF";
    for (char ch : utf8)
        if (ch != '\r') out += ch;
    return out;
}

struct Loaded : Harness {
    explicit Loaded(const std::string& file) {
        new_circuit(c);
        FileResult r = load_circuit(c, (kFolder / file).string());
        EXPECT_TRUE(r) << file << ": " << r.message;
        EXPECT_EQ(r.drawing_line, 0) << file << ": " << r.drawing_problem;
        stop_circuit(c);
    }
    // From the bytes of a copy of the file.
    Loaded(const std::string& file, const std::string& bytes) {
        new_circuit(c);
        FileResult r = load_circuit_bytes(c, bytes);
        EXPECT_TRUE(r) << file << ": " << r.message;
        stop_circuit(c);
    }
    std::vector<int> switches() {
        std::vector<int> s;
        for (int i = 0; i < c.object_count; ++i)
            if (c.objects[i].kind == "高低电平控制器") s.push_back(i);
        return s;
    }
    // Stop, set the switches (first switch most significant), run.
    void run_with(uint32_t code, int passes) {
        auto s = switches();
        for (size_t k = 0; k < s.size(); ++k) obj(s[k]).param_int[0] = (code >> (s.size() - 1 - k)) & 1;
        start(c.time_step);
        run_passes(passes);
    }
    bool high(std::string_view label) { return reading(label) > 2.0; }
    // Counts rising edges of a test point over n passes.
    int rises(std::string_view label, int passes) {
        int n = 0;
        bool last = high(label);
        for (int p = 0; p < passes; ++p) {
            run_passes(1);
            n += !last && high(label);
            last = high(label);
        }
        return n;
    }
};

// Behaviour of each example, by file name.
const std::map<std::string, std::function<void(Loaded&)>> kLessons = {
    {"半加器.vlk",
     [](Loaded& e) {
         for (uint32_t ab = 0; ab < 4; ++ab) {
             e.run_with(ab, 10);
             int a = ab >> 1, b = ab & 1;
             EXPECT_EQ(e.high("S"), bool(a ^ b)) << ab;
             EXPECT_EQ(e.high("C"), bool(a & b)) << ab;
         }
     }},
    {"全加器.vlk",
     [](Loaded& e) {
         for (uint32_t code = 0; code < 8; ++code) {
             e.run_with(code, 10);
             int sum = (code >> 2) + ((code >> 1) & 1) + (code & 1);
             EXPECT_EQ(e.high("S"), bool(sum & 1)) << code;
             EXPECT_EQ(e.high("CO"), sum >= 2) << code;
         }
     }},
    {"与非门RS锁存器.vlk",
     [](Loaded& e) {
         auto s = e.switches();  // S-bar, R-bar
         e.start(e.c.time_step);  // as stored, R-bar is low: the latch starts reset
         e.run_passes(10);
         EXPECT_FALSE(e.high("Q"));
         EXPECT_TRUE(e.high("QN"));
         e.run_with(0b01, 10);  // S-bar low: set
         EXPECT_TRUE(e.high("Q"));
         EXPECT_FALSE(e.high("QN"));
         e.obj(s[0]).param_int[0] = 1;  // both high: hold
         e.run_passes(10);
         EXPECT_TRUE(e.high("Q"));
         e.obj(s[1]).param_int[0] = 0;  // R-bar low: reset
         e.run_passes(10);
         EXPECT_FALSE(e.high("Q"));
         EXPECT_TRUE(e.high("QN"));
         e.obj(s[1]).param_int[0] = 1;
         e.run_passes(10);
         EXPECT_FALSE(e.high("Q"));
     }},
    {"D触发器二分频.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         int q = 0, cp = 0;
         bool lq = e.high("Q"), lcp = e.high("CP");
         for (int p = 0; p < 2000; ++p) {
             e.run_passes(1);
             q += !lq && e.high("Q"), cp += !lcp && e.high("CP");
             lq = e.high("Q"), lcp = e.high("CP");
         }
         EXPECT_EQ(cp, 20);  // 10 Hz for 2 s
         EXPECT_EQ(q, 10);
     }},
    {"JK触发器计数链.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         e.run_passes(50);  // sample in the middle of each clock period
         std::vector<int> counts;
         for (int period = 0; period < 10; ++period) {
             e.run_passes(100);  // one clock period of 0.1 s
             counts.push_back(e.high("Q2") * 4 + e.high("Q1") * 2 + e.high("Q0"));
         }
         for (size_t k = 1; k < counts.size(); ++k) EXPECT_EQ(counts[k], (counts[k - 1] + 1) % 8) << k;
     }},
    {"74LS00逐脚接线.vlk",
     [](Loaded& e) {
         for (uint32_t ab = 0; ab < 4; ++ab) {
             e.run_with(ab, 10);
             EXPECT_EQ(e.high("Y1"), ab != 3) << ab;
             EXPECT_EQ(e.high("Y2"), ab == 3) << ab;
         }
     }},
    {"脉冲驱动发光二极管.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         EXPECT_EQ(e.rises("P", 2000), 4);  // 2 Hz for 2 s
     }},
    {"开关驱动数码管.vlk",
     [](Loaded& e) {
         int display = -1;
         for (int i = 0; i < e.c.object_count; ++i)
             if (e.c.objects[i].kind == "数码管BCD") display = i;
         ASSERT_GE(display, 0);
         for (uint32_t code = 0; code < 16; ++code) {
             e.run_with(code, 10);
             for (int bit = 0; bit < 4; ++bit)
                 EXPECT_EQ(e.obj(display).out_v[bit] > 2.0f, bool((code >> bit) & 1)) << code << " bit " << bit;
         }
     }},
    {"74LS90十进制计数器.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         e.run_passes(50);
         std::vector<int> counts;
         for (int period = 0; period < 12; ++period) {
             e.run_passes(100);
             counts.push_back(e.high("QD") * 8 + e.high("QC") * 4 + e.high("QB") * 2 + e.high("QA"));
         }
         for (size_t k = 1; k < counts.size(); ++k) EXPECT_EQ(counts[k], (counts[k - 1] + 1) % 10) << k;
         int display = -1;
         for (int i = 0; i < e.c.object_count; ++i)
             if (e.c.objects[i].kind == "数码管BCD") display = i;
         ASSERT_GE(display, 0);
         int shown = 0;
         for (int bit = 0; bit < 4; ++bit) shown |= (e.obj(display).out_v[bit] > 2.0f) << bit;
         EXPECT_EQ(shown, counts.back()) << "the display shows the count";
     }},
    {"74LS93二进制计数器.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         e.run_passes(50);
         std::vector<int> counts;
         for (int period = 0; period < 20; ++period) {
             e.run_passes(100);
             counts.push_back(e.high("QD") * 8 + e.high("QC") * 4 + e.high("QB") * 2 + e.high("QA"));
         }
         for (size_t k = 1; k < counts.size(); ++k) EXPECT_EQ(counts[k], (counts[k - 1] + 1) % 16) << k;
     }},
    {"74LS138译码器.vlk",
     [](Loaded& e) {
         for (uint32_t code = 0; code < 8; ++code) {
             e.run_with(code, 10);
             for (int y = 0; y < 8; ++y) EXPECT_EQ(e.high("Y" + std::to_string(y)), y != int(code)) << code;
         }
     }},
    {"74LS48驱动数码管.vlk",
     [](Loaded& e) {
         // Lit segments a..g by code.
         const char* patterns[16] = {"1111110", "0110000", "1101101", "1111001", "0110011", "1011011",
                                     "0011111", "1110000", "1111111", "1110011", "0001101", "0111001",
                                     "0100011", "1001011", "0001111", "0000000"};
         int display = -1;
         for (int i = 0; i < e.c.object_count; ++i)
             if (e.c.objects[i].kind == "数码管") display = i;
         ASSERT_GE(display, 0);
         for (uint32_t code = 0; code < 16; ++code) {
             e.run_with(code, 10);
             std::string lit;
             for (int k = 0; k < 7; ++k) lit += e.obj(display).out_v[k] > 2.0f ? '1' : '0';
             EXPECT_EQ(lit, patterns[code]) << code;
         }
     }},
    {"74LS74分频器.vlk",
     [](Loaded& e) {
         e.start(e.c.time_step);
         int cp = 0, q1 = 0, q2 = 0;
         bool lcp = e.high("CP"), l1 = e.high("Q1"), l2 = e.high("Q2");
         for (int p = 0; p < 2000; ++p) {
             e.run_passes(1);
             cp += !lcp && e.high("CP"), q1 += !l1 && e.high("Q1"), q2 += !l2 && e.high("Q2");
             lcp = e.high("CP"), l1 = e.high("Q1"), l2 = e.high("Q2");
         }
         EXPECT_EQ(cp, 20);
         EXPECT_EQ(q1, 10);
         EXPECT_EQ(q2, 5);
     }},
    {"74LS85比较器.vlk",
     [](Loaded& e) {
         for (uint32_t code = 0; code < 256; ++code) {
             e.run_with(code, 6);
             uint32_t a = code >> 4, b = code & 15;
             EXPECT_EQ(e.high("GT"), a > b) << a << " vs " << b;
             EXPECT_EQ(e.high("EQ"), a == b) << a << " vs " << b;
             EXPECT_EQ(e.high("LT"), a < b) << a << " vs " << b;
         }
     }},
    {"74LS161十进制计数器.vlk",
     [](Loaded& e) {
         // Lit segments a..g by digit, from the 74LS48 datasheet.
         const char* patterns[10] = {"1111110", "0110000", "1101101", "1111001", "0110011",
                                     "1011011", "0011111", "1110000", "1111111", "1110011"};
         int display = -1;
         for (int i = 0; i < e.c.object_count; ++i)
             if (e.c.objects[i].kind == "数码管") display = i;
         ASSERT_GE(display, 0);
         e.start(e.c.time_step);
         e.run_passes(100);  // the 2 Hz clock rises at 0.25 s, 0.75 s ...: sample between rises
         std::vector<int> counts;
         for (int period = 0; period < 13; ++period) {
             e.run_passes(500);
             const int n = e.high("QD") * 8 + e.high("QC") * 4 + e.high("QB") * 2 + e.high("QA");
             counts.push_back(n);
             ASSERT_LT(n, 10) << "the clear keeps the count below 10";
             std::string lit;
             for (int k = 0; k < 7; ++k) lit += e.obj(display).out_v[k] > 2.0f ? '1' : '0';
             EXPECT_EQ(lit, patterns[n]) << "the display shows " << n;
         }
         for (size_t k = 1; k < counts.size(); ++k) EXPECT_EQ(counts[k], (counts[k - 1] + 1) % 10) << k;
     }},
    {"74LS194环形计数器.vlk",
     [](Loaded& e) {
         auto lit = [&] {
             std::string s;
             for (const char* q : {"QA", "QB", "QC", "QD"}) s += e.high(q) ? '1' : '0';
             return s;
         };
         e.start(e.c.time_step);
         e.run_passes(600);  // S1 = 1 as stored: the rise at 0.25 s loads 1000
         EXPECT_EQ(lit(), "1000");
         e.obj(e.switches()[0]).param_int[0] = 0;  // S1 = 0: shift right
         const char* ring[4] = {"0100", "0010", "0001", "1000"};
         for (int period = 0; period < 8; ++period) {
             e.run_passes(500);
             EXPECT_EQ(lit(), ring[period % 4]) << "period " << period;
         }
     }},
    {"74LS83四位加法器.vlk",
     [](Loaded& e) {
         for (uint32_t code = 0; code < 256; ++code) {  // A4..A1 B4..B1
             e.run_with(code, 8);
             const uint32_t sum = (code >> 4) + (code & 15);
             std::string got, want;
             for (const char* l : {"C4", "S4", "S3", "S2", "S1"}) got += e.high(l) ? '1' : '0';
             for (int bit = 4; bit >= 0; --bit) want += (sum >> bit) & 1 ? '1' : '0';
             EXPECT_EQ(got, want) << (code >> 4) << " + " << (code & 15);
         }
     }},
    {"74LS192加减计数器.vlk",
     [](Loaded& e) {
         auto s = e.switches();  // DOWN, UP
         auto count = [&] { return e.high("QD") * 8 + e.high("QC") * 4 + e.high("QB") * 2 + e.high("QA"); };
         auto pulse = [&](int sw) {
             e.obj(sw).param_int[0] = 0;
             e.run_passes(5);
             e.obj(sw).param_int[0] = 1;
             e.run_passes(5);
         };
         e.start(e.c.time_step);
         e.run_passes(10);
         EXPECT_EQ(count(), 0);
         for (int n = 1; n <= 12; ++n) {
             pulse(s[1]);
             EXPECT_EQ(count(), n % 10) << "up " << n;
         }
         for (int expected : {1, 0, 9, 8}) {
             pulse(s[0]);
             EXPECT_EQ(count(), expected) << "down";
         }
     }},
    {"实验箱联机.vlk",
     [](Loaded& e) {
         // Through the emulated box, as a student without one runs it.
         EmulatedBox box;
         Ch341Chooser link(box, nullptr);
         PassHooks hooks;
         link_pass_hooks(hooks, e.c, link);
         box.attach();
         //  switches  K1 K8 lamps
         const struct {
             uint8_t switches;
             bool k1, k8;
             uint8_t lamps;
         } rows[] = {{0x01, true, false, 0x80}, {0x80, false, true, 0x01}, {0x0F, true, false, 0xF0}};
         for (const auto& r : rows) {
             box.set_switches(r.switches);
             e.start(e.c.time_step);
             open_links(e.c, link);
             for (int p = 0; p < 3; ++p) run_pass(e.c, hooks);
             close_links(e.c, link);
             EXPECT_EQ(e.high("K1"), r.k1) << int(r.switches);
             EXPECT_EQ(e.high("K8"), r.k8) << int(r.switches);
             EXPECT_EQ(box.lamps(), r.lamps) << int(r.switches);
         }
     }},
};

TEST(Examples, EveryExampleIsCurrentLoadsAndTeachesItsLesson) {
    Harness h;
    int ran = 0;
    for (const examples::Example& e : examples::all_examples()) {
        SCOPED_TRACE(e.file);
        new_circuit(h.c);
        e.build(h.c);
        std::string built;
        ASSERT_TRUE(circuit_bytes(h.c, built));
        const std::string stored = read_file(kFolder / e.file);
        EXPECT_EQ(built, stored) << "regenerate with make_examples";
        auto lesson = kLessons.find(e.file);
        ASSERT_NE(lesson, kLessons.end()) << "an example without a lesson test";
        Loaded loaded(e.file);
        lesson->second(loaded);
        // A UTF-8 copy teaches the same lesson, and saves as the original.
        Loaded copy(e.file, utf8_copy(stored, false));
        lesson->second(copy);
        std::string expected, saved;
        ASSERT_TRUE(circuit_bytes(Loaded(e.file).c, expected));
        for (bool bom_and_lf : {false, true}) {
            ASSERT_TRUE(circuit_bytes(Loaded(e.file, utf8_copy(stored, bom_and_lf)).c, saved));
            EXPECT_EQ(saved, expected) << "BOM and LF: " << bom_and_lf;
        }
        ++ran;
    }
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(kFolder)) files += entry.path().extension() == ".vlk";
    EXPECT_EQ(ran, int(kLessons.size()));
    EXPECT_EQ(size_t(ran), files) << "every file in the folder is built by the tool";
    EXPECT_GE(ran, 8);
}

// Laid out to be read without scrolling: labels clear of wires, pins,
// bodies and each other; no wire over a body, along another wire or over a
// pin it does not join.
TEST(Examples, EveryExampleReadsClearlyOnTheFirstScreen) {
    Harness h;
    for (const examples::Example& e : examples::all_examples()) {
        new_circuit(h.c);
        e.build(h.c);
        for (const std::string& f : examples::layout_faults(h.c, examples::kScreenWidth, examples::kScreenHeight))
            ADD_FAILURE() << e.file << ": " << f;
    }
}

// Run as opened, an example without a pulse source comes to rest within a
// few passes and stays there: none flickers before a switch is pressed.
TEST(Examples, EveryExampleWithoutAClockSettlesAsOpened) {
    int checked = 0;
    for (const examples::Example& e : examples::all_examples()) {
        Loaded loaded(e.file);
        bool clocked = false;
        for (int i = 0; i < loaded.c.object_count; ++i) clocked |= contains(loaded.c.objects[i].kind, "脉冲");
        if (clocked) continue;
        auto readings = [&] {
            std::vector<double> v;
            for (int t = 0; t < loaded.c.test_point_count; ++t) v.push_back(loaded.c.test_points[t].value);
            return v;
        };
        loaded.start(loaded.c.time_step);
        loaded.run_passes(10);
        const std::vector<double> settled = readings();
        for (int p = 0; p < 30; ++p) {
            loaded.run_passes(1);
            EXPECT_EQ(readings(), settled) << e.file << ", pass " << 11 + p;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 11);
}

}  // namespace
}  // namespace vorlisk
