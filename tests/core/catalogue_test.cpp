// Placement geometry, naming and categories of the component catalogue, and
// a lint over the chip catalogue.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "chips/chip_table.h"
#include "model/catalogue.h"
#include "model/text_metrics.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

struct Geometry {
    const char* kind;
    Rect32 body, outline;
    int inputs, outputs;
    std::vector<std::array<int, 4>> in;   // {dx, dy, stub dx, stub dy} of the listed inputs
    std::vector<std::array<int, 4>> out;
    std::vector<std::array<int, 2>> bubbles;
    std::vector<std::pair<std::string, std::array<int, 2>>> texts;
};

void PrintTo(const Geometry& g, std::ostream* os) { *os << g.kind; }

class PlacementGeometry : public ::testing::TestWithParam<Geometry> {};

TEST_P(PlacementGeometry, WritesTheKindsExactGeometry) {
    const Geometry& g = GetParam();
    Harness h;
    int i = h.add(g.kind, 203, 196);  // snaps to (200, 200)
    const MY_BASE_OBJ& o = h.obj(i);
    EXPECT_EQ(o.x, 200);
    EXPECT_EQ(o.y, 200);
    EXPECT_EQ(o.body_rect, g.body);
    EXPECT_EQ(o.outline_rect, g.outline);
    EXPECT_EQ(o.input_count, g.inputs);
    EXPECT_EQ(o.output_count, g.outputs);
    for (size_t k = 0; k < g.in.size(); ++k) {
        EXPECT_EQ(o.in_dx[k], g.in[k][0]) << "input " << k;
        EXPECT_EQ(o.in_dy[k], g.in[k][1]) << "input " << k;
        EXPECT_EQ(o.in_stub_dx[k], g.in[k][2]) << "input " << k;
        EXPECT_EQ(o.in_stub_dy[k], g.in[k][3]) << "input " << k;
    }
    for (size_t k = 0; k < g.out.size(); ++k) {
        EXPECT_EQ(o.out_dx[k], g.out[k][0]) << "output " << k;
        EXPECT_EQ(o.out_dy[k], g.out[k][1]) << "output " << k;
        EXPECT_EQ(o.out_stub_dx[k], g.out[k][2]) << "output " << k;
        EXPECT_EQ(o.out_stub_dy[k], g.out[k][3]) << "output " << k;
    }
    ASSERT_EQ(o.bubble_count, int(g.bubbles.size()));
    for (size_t b = 0; b < g.bubbles.size(); ++b) {
        EXPECT_EQ(o.bubbles[b].dx, g.bubbles[b][0]);
        EXPECT_EQ(o.bubbles[b].dy, g.bubbles[b][1]);
    }
    ASSERT_EQ(o.label_count, int(g.texts.size()));
    for (size_t t = 0; t < g.texts.size(); ++t) {
        EXPECT_EQ(o.label_text[t], g.texts[t].first);
        EXPECT_EQ(o.label_pos[t].dx, g.texts[t].second[0]);
        EXPECT_EQ(o.label_pos[t].dy, g.texts[t].second[1]);
        TextSize size = measure_text(g.texts[t].first, FontKind::chip);
        EXPECT_EQ(o.label_half_w[t], size.width / 2);
        EXPECT_EQ(o.label_half_h[t], size.height / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, PlacementGeometry,
    ::testing::Values(
        //       kind, body, outline, #in, #out, inputs, outputs, bubbles, texts
        Geometry{"Vcc", {-10, -10, 10, 10}, {-10, -10, 10, 10}, 0, 1, {}, {{0, 0, 0, 0}}, {}, {{"Vcc", {-5, -10}}}},
        Geometry{"与非门", {-20, -20, 10, 20}, {-30, -20, 20, 20}, 2, 1,
                 {{-30, -10, -20, -10}, {-30, 10, -20, 10}}, {{20, 0, 10, 0}}, {{13, 0}}, {{"&", {-5, -10}}}},
        Geometry{"3线或门", {-20, -20, 10, 20}, {-30, -20, 20, 20}, 3, 1,
                 {{-30, -10, -20, -10}, {-30, 10, -20, 10}, {-30, 0, -20, 0}}, {{20, 0, 10, 0}}, {},
                 {{"≥1", {-5, -10}}}},
        Geometry{"5线或非门", {-20, -30, 10, 30}, {-30, -30, 20, 30}, 5, 1,
                 {{-30, -20, -20, -20}, {-30, -10, -20, -10}, {-30, 10, -20, 10}, {-30, 20, -20, 20},
                  {-30, 0, -20, 0}},
                 {{20, 0, 10, 0}}, {{13, 0}}, {{"≥1", {-5, -20}}}},
        Geometry{"8线与门", {-20, -40, 10, 50}, {-30, -40, 20, 50}, 8, 1,
                 {{-30, -30, -20, -30}, {-30, -20, -20, -20}, {-30, -10, -20, -10}, {-30, 0, -20, 0},
                  {-30, 10, -20, 10}, {-30, 20, -20, 20}, {-30, 30, -20, 30}, {-30, 40, -20, 40}}, {{20, 0, 10, 0}}, {}, {{"&", {-5, -30}}}},
        Geometry{"与或非门", {-30, -30, 20, 30}, {-40, -30, 30, 30}, 4, 1,
                 {{-40, -20, -30, -20}, {-40, -10, -30, -10}, {-40, 10, -30, 10}, {-40, 20, -30, 20}},
                 {{30, 0, 20, 0}}, {{23, 0}},
                 {{"&", {-15, -20}}, {"≥1", {10, 0}}}},
        Geometry{"全加器", {-30, -30, 30, 30}, {-40, -30, 40, 30}, 3, 2,
                 {{-40, -20, -30, -20}, {-40, 0, -30, 0}, {-40, 20, -30, 20}},
                 {{40, -20, 30, -20}, {40, 20, 30, 20}}, {},
                 {{"∑", {0, -20}}, {"CO", {18, 19}}, {"CI", {-18, 19}}}},
        Geometry{"与非门基本RS触发器", {-30, -30, 20, 30}, {-40, -30, 30, 30}, 2, 2,
                 {{-40, -20, -30, -20}, {-40, 20, -30, 20}}, {{30, -20, 20, -20}, {30, 20, 20, 20}},
                 {{23, 20}, {-33, -20}, {-33, 20}}, {{"S", {-20, -20}}, {"R", {-20, 20}}}},
        Geometry{"边沿D触发器", {-30, -40, 30, 40}, {-40, -40, 40, 40}, 4, 2,
                 {{-40, -30, -30, -30}, {-40, -10, -30, -10}, {-40, 10, -30, 10}, {-40, 30, -30, 30}},
                 {{40, -30, 30, -30}, {40, 30, 30, 30}}, {{33, 30}},
                 {{"S", {-20, -30}}, {"1D", {-20, -10}}, {"C1", {-10, 10}}, {"R", {-20, 30}}}},
        Geometry{"边沿JK触发器", {-30, -30, 20, 30}, {-40, -30, 30, 30}, 3, 2,
                 {{-40, -20, -30, -20}, {-40, 0, -30, 0}, {-40, 20, -30, 20}}, {}, {{23, 20}, {-33, 0}},
                 {{"1J", {-20, -20}}, {"C1", {-10, 0}}, {"1K", {-20, 20}}}},
        Geometry{"高低电平控制器", {-20, -20, 20, 20}, {-20, -20, 30, 20}, 0, 1, {}, {{30, 0, 20, 0}}, {}, {}},
        Geometry{"可置数脉冲", {-30, -30, 30, 30}, {-40, -30, 40, 30}, 1, 1, {{-40, 0, -30, 0}},
                 {{40, 0, 30, 0}}, {}, {{"C", {-23, 0}}, {"O", {23, 0}}}},
        Geometry{"发光二极管", {-10, -10, 10, 10}, {-20, -10, 10, 10}, 1, 0, {{-20, 0, -10, 0}}, {}, {}, {}},
        Geometry{"数码管BCD", {-30, -30, 20, 40}, {-30, -30, 20, 50}, 4, 0,
                 {{10, 50, 10, 40}, {0, 50, 0, 40}, {-10, 50, -10, 40}, {-20, 50, -20, 40}}, {}, {},
                 {{"A", {9, 30}}, {"B", {-1, 30}}, {"C", {-11, 30}}, {"D", {-21, 30}}}},
        Geometry{"信号输出器件", {-20, -40, 30, 50}, {-30, -40, 30, 50}, 8, 0,
                 {{-30, -30, -20, -30}, {-30, -20, -20, -20}}, {}, {},
                 {{"1", {-10, -30}}, {"2", {-10, -20}}, {"3", {-10, -10}}, {"4", {-10, 0}}, {"5", {-10, 10}},
                  {"6", {-10, 20}}, {"7", {-10, 30}}, {"8", {-10, 40}}}},
        // 14-pin chip: pin 1 top left, pin 8 bottom right, pin 14 top right.
        Geometry{"集成芯片组合逻辑(74LS00)", {-20, -40, 20, 40}, {-30, -40, 30, 40}, 10, 4,
                 {{-30, -30, -20, -30}, {-30, -20, -20, -20}}, {{-30, -10, -20, -10}, {-30, 20, -20, 20},
                                                               {30, 30, 20, 30}, {30, 0, 20, 0}},
                 {{-10, -30}}, {{"74LS00", {0, 0}}}},
        // 16-pin chip with supply on pins 5 and 13.
        Geometry{"集成芯片时序逻辑(74LS76)", {-20, -40, 20, 50}, {-30, -40, 30, 50}, 12, 4,
                 {{-30, -30, -20, -30}}, {{30, 30, 20, 30}, {30, 20, 20, 20}, {30, -10, 20, -10}, {30, -20, 20, -20}},
                 {{-10, -30}}, {{"74LS76", {0, 0}}}},
        // 20-pin chip: pin-1 mark moves up.
        Geometry{"集成芯片时序逻辑(74LS273)", {-20, -50, 20, 60}, {-30, -50, 30, 60}, 12, 8,
                 {{-30, -40, -20, -40}}, {{-30, -30, -20, -30}}, {{-10, -40}}, {{"74LS273", {0, 0}}}},
        // A type the table does not define: no pins, empty body, mark and text only.
        Geometry{"集成芯片组合逻辑(74LS181)", {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, {}, {}, {{-10, -30}},
                 {{"74LS181", {0, 0}}}}));

TEST(Placement, NamesDrawFromOneSerialShared) {
    Harness h;
    int a = h.add("与门");
    add_wire(h.c, {0, 0}, {10, 0});
    add_junction(h.c, 50, 50);
    int b = h.add("与门");
    EXPECT_EQ(h.obj(a).name, "与门 1");
    EXPECT_EQ(h.c.wires[0].name, "导线2");
    EXPECT_EQ(h.c.junctions[0].name, "焊接点3");
    EXPECT_EQ(h.obj(b).name, "与门 4");
}

TEST(Placement, DefaultsOfSourcesAndIndicators) {
    Harness h;
    int sw = h.add("高低电平控制器");
    EXPECT_EQ(h.obj(sw).out_v[0], 0.0f);
    EXPECT_EQ(h.obj(sw).param_int[0], 0);
    int p = h.add("可置数脉冲");
    EXPECT_EQ(h.obj(p).idle_level, "常低");
    EXPECT_EQ(h.obj(p).pulse_frequency, 1.0);
    EXPECT_EQ(h.obj(p).pulse_count, 10);
    EXPECT_EQ(h.obj(p).pulse_phase, 0.5);
    EXPECT_EQ(h.obj(p).pulse_width, 0.5);
    EXPECT_EQ(h.obj(h.add("连续脉冲")).pulse_count, 1);
    EXPECT_EQ(h.obj(h.add("发光二极管测点")).param_int[0], h.c.draw.led_on_color);
    EXPECT_EQ(h.obj(h.add("数码管")).param_int[1], h.c.draw.seg_off_color);
}

TEST(Placement, CopiesTheCategoryLookAndBubbleWidth) {
    Harness h;
    h.c.draw.of(Category::gates) = {0x123456, 1, 0x00ff00, 0x0000ff, false};
    int g = h.add("与非门");
    EXPECT_EQ(h.obj(g).fill_color, 0x00ff00);
    EXPECT_EQ(h.obj(g).border_width, 1);
    EXPECT_FALSE(h.obj(g).font_bold);
    EXPECT_EQ(h.obj(g).bubbles[0].width, 1);  // follows the border width
    EXPECT_EQ(h.obj(g).bubbles[0].flag, 1);
    // Both chip pages start in the combinational look.
    int chip = h.add("集成芯片时序逻辑(74LS74)");
    EXPECT_EQ(h.obj(chip).fill_color, h.c.draw.of(Category::combinational).fill_color);
}

TEST(Placement, ReusedSlotStartsEmpty) {
    Harness h;
    place_component(h.c, 0, "8线与门", 100, 100);
    place_component(h.c, 0, "集成芯片组合逻辑(74LS181)", 100, 100);
    EXPECT_EQ(h.obj(0).body_rect, Rect32{});  // not the gate's old body
    EXPECT_EQ(h.obj(0).input_count, 0);
}

TEST(Categories, KindWordsDecideTheRestyleGroup) {
    //          kind, category (nullopt: none)
    const std::vector<std::pair<const char*, std::optional<Category>>> cases = {
        {"与非门", Category::gates},
        {"或非门基本RS触发器", Category::flip_flops},
        {"全加器", Category::combinational},
        {"集成芯片组合逻辑(74LS00)", Category::combinational},
        {"集成芯片时序逻辑(74LS74)", Category::sequential},
        {"可置数脉冲", Category::sources},
        {"高低电平控制器", Category::sources},
        {"信号输入器件", Category::hardware},
        {"发光二极管测点", Category::leds},
        {"数码管BCD测点", Category::displays},
        {"Vcc", std::nullopt},
        {"Gnd", std::nullopt},
    };
    for (auto [kind, expected] : cases) EXPECT_EQ(category_of_kind(kind), expected) << kind;
}

TEST(ChipCatalogue, EveryRowIsConsistent) {
    Harness h;
    std::set<std::string_view> names;
    int rows = 0;
    for (const ChipRow& row : chip_catalogue()) {
        SCOPED_TRACE(std::string(row.type));
        ++rows;
        EXPECT_TRUE(names.insert(row.type).second) << "duplicate type";
        EXPECT_TRUE(row.pin_count == 14 || row.pin_count == 16 || row.pin_count == 20);
        EXPECT_NE(row.model, nullptr);
        int r = find_chip_def(h.c, row.type);
        ASSERT_GE(r, 0);
        const MY_CHIPS& d = h.c.chip_table[r];
        EXPECT_EQ(d.chip_input_count + d.chip_output_count, d.pin_count);
        EXPECT_LE(d.chip_input_count, kMaxPins);
        // Indices dense and in pin order, per role.
        int next[3] = {0, 0, 0};
        for (int p = 0; p < d.pin_count; ++p) {
            ASSERT_TRUE(d.pins[p].role == 1 || d.pins[p].role == 2);
            EXPECT_EQ(d.pins[p].index, next[d.pins[p].role]++);
        }
        for (int p = d.pin_count; p < kMaxPins; ++p) EXPECT_EQ(d.pins[p].role, 0);
        EXPECT_EQ(d.pins[row.vcc - 1].role, 1) << "Vcc pin must be an input";
        EXPECT_EQ(d.pins[row.gnd - 1].role, 1) << "Gnd pin must be an input";
        // A one-shot keeps its timers in the state words past its inputs.
        if (row.timed) EXPECT_LE(d.chip_input_count, kTimerFirstWord);
        // Gate chips read only input pins and drive only output pins.
        for (const GateDef& g : row.gates.gates) {
            if (g.out == 0) break;
            EXPECT_EQ(d.pins[g.out - 1].role, 2);
            for (const auto& group : g.groups)
                for (uint8_t pin : group) {
                    if (pin == 0) break;
                    EXPECT_EQ(d.pins[pin - 1].role, 1) << "pin " << int(pin);
                }
        }
    }
    EXPECT_EQ(rows, 77);
    EXPECT_TRUE(h.c.chip_table[77].chip_type.empty());
}

// Every pin of every type has its datasheet name: one name per pin, no
// name twice but the free pins' "NC", the supply pins named as supplies.
TEST(ChipCatalogue, EveryPinIsNamed) {
    for (const ChipRow& row : chip_catalogue()) {
        SCOPED_TRACE(std::string(row.type));
        std::set<std::string_view> seen;
        for (int pin = 1; pin <= row.pin_count; ++pin) {
            const std::string_view name = chip_pin_name(row.type, pin);
            EXPECT_FALSE(name.empty()) << "pin " << pin;
            EXPECT_TRUE(name == "NC" || seen.insert(name).second) << "pin " << pin << " " << name;
        }
        EXPECT_EQ(chip_pin_name(row.type, row.pin_count + 1), "") << "more names than pins";
        const bool cmos = row.type.starts_with("CD");
        EXPECT_EQ(chip_pin_name(row.type, row.vcc), cmos ? "VDD" : "VCC");
        EXPECT_EQ(chip_pin_name(row.type, row.gnd), cmos ? "VSS" : "GND");
        EXPECT_FALSE(row.function.empty());
    }
    //      type, pin, name (from the datasheets' pin diagrams)
    const std::tuple<const char*, int, const char*> samples[] = {
        {"74LS161", 15, "RCO"}, {"74LS161", 1, "/CLR"}, {"74LS00", 3, "1Y"}, {"74LS76", 16, "1K"},
        {"74LS194", 7, "SL"},   {"74LS121", 11, "Rext/Cext"}, {"74LS83", 14, "C4"}, {"74LS138", 15, "/Y0"},
    };
    for (auto [type, pin, name] : samples) EXPECT_EQ(chip_pin_name(type, pin), name) << type << " pin " << pin;
    EXPECT_EQ(chip_pin_name("74LS181", 1), "");
    EXPECT_EQ(chip_pin_name("74LS00", 0), "");
    EXPECT_EQ(chip_function("74LS161"), "4位二进制同步计数器");
}

TEST(ChipCatalogue, TypeLookups) {
    Harness h;
    EXPECT_EQ(chip_type_of("集成芯片组合逻辑(74LS00)"), "74LS00");
    EXPECT_EQ(chip_type_of("集成芯片组合逻辑( 74LS00)"), " 74LS00");
    EXPECT_EQ(chip_type_of("与门"), "");
    EXPECT_EQ(find_chip_def(h.c, "74LS00"), 0);
    EXPECT_EQ(find_chip_def(h.c, "74LS293"), 58);
    EXPECT_EQ(find_chip_def(h.c, "74ls00"), -1);
    EXPECT_EQ(find_chip_def(h.c, ""), -1);
    // The 74LS00 example: Vcc pin 14 is input 9, Gnd pin 7 is input 4.
    const MY_CHIPS& d = h.c.chip_table[0];
    EXPECT_EQ(d.chip_input_count, 10);
    EXPECT_EQ(d.pins[13].index, 9);
    EXPECT_EQ(d.pins[6].index, 4);
}

}  // namespace
}  // namespace vorlisk
