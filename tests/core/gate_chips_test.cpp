// Gate chips: every package's gates by pin, the power check, and one
// package wired pin by pin and run by the pass loop.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "chips/chip_table.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

constexpr float L = 0.5f, H = 3.6f;

// A chip placed and driven by package pin; Vcc and Gnd set unless told.
struct Chip : Harness {
    int i;
    const MY_CHIPS* def;
    const ChipRow* row;
    explicit Chip(std::string_view type, bool powered = true) {
        i = add("集成芯片组合逻辑(" + std::string(type) + ")");
        def = &c.chip_table[find_chip_def(c, type)];
        row = find_chip_row(type);
        if (powered) {
            set(row->vcc, H);
            set(row->gnd, 0.0f);
        }
    }
    void set(int pin, float v) { obj(i).in_v[def->pins[pin - 1].index] = v; }
    float out(int pin) { return obj(i).out_v[def->pins[pin - 1].index]; }
    void eval() { evaluate_chip(c, i); }
};

// Drives every input of every gate of a type and checks each output against
// the gate function computed independently here.
TEST(GateChips, EveryGateOfEveryPackageComputesItsFunction) {
    int packages = 0;
    for (const ChipRow& row : chip_catalogue()) {
        if (row.model != gate_chip_model) continue;
        ++packages;
        for (uint32_t pattern : {0u, 0xffffu, 0x5555u, 0xaaaau, 0x3333u, 0x0f0fu, 0x1234u, 0xfedcu}) {
            Chip chip(row.type);
            std::map<int, bool> level;
            for (const GateDef& g : row.gates.gates) {
                if (g.out == 0) break;
                for (const auto& group : g.groups)
                    for (uint8_t pin : group)
                        if (pin) level[pin] = (pattern >> (pin % 16)) & 1;
            }
            for (auto [pin, high] : level) chip.set(pin, high ? H : L);
            chip.eval();
            for (const GateDef& g : row.gates.gates) {
                if (g.out == 0) break;
                auto all = [&](const std::array<uint8_t, 14>& group) {
                    bool r = group[0] != 0;
                    for (uint8_t pin : group)
                        if (pin && !level[pin]) r = false;
                    return r;
                };
                auto any = [&](const std::array<uint8_t, 14>& group) {
                    for (uint8_t pin : group)
                        if (pin && level[pin]) return true;
                    return false;
                };
                bool expected = false;
                switch (row.gates.fn) {
                    case GateFn::nand_: expected = !all(g.groups[0]); break;
                    case GateFn::and_: expected = all(g.groups[0]); break;
                    case GateFn::nor_: expected = !any(g.groups[0]); break;
                    case GateFn::or_: expected = any(g.groups[0]); break;
                    case GateFn::not_: expected = !level[g.groups[0][0]]; break;
                    case GateFn::xor_: expected = level[g.groups[0][0]] != level[g.groups[0][1]]; break;
                    case GateFn::aoi:
                        expected = !(all(g.groups[0]) || all(g.groups[1]) || all(g.groups[2]) || all(g.groups[3]));
                        break;
                    case GateFn::none: break;
                }
                EXPECT_EQ(chip.out(g.out), expected ? H : L) << row.type << " pin " << int(g.out) << " pattern " << pattern;
            }
        }
    }
    EXPECT_EQ(packages, 36);  // with the 74LS132
}

TEST(GateChips, SpotChecksOfThePinMaps) {
    //  type, input pins high, output pin, expected
    const struct {
        const char* type;
        std::vector<int> high;
        int out;
        float expected;
    } cases[] = {
        {"74LS00", {1, 2}, 3, L}, {"74LS00", {12}, 11, H},
        {"74LS02", {2}, 1, L},  // NOR outputs on pins 1, 4, 10, 13
        {"74LS04", {13}, 12, L},
        {"74LS30", {1, 2, 3, 4, 5, 6, 11, 12}, 8, L},
        {"74LS51", {2, 3}, 6, L}, {"74LS51", {2, 3}, 8, H},
        {"74LS133", {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15}, 9, L},
        {"74LS260", {4}, 6, L}, {"74LS260", {4}, 5, H},
        {"CD4011", {8, 9}, 10, L},
        {"CD4030", {4}, 6, H},  // second gate on inputs 4 and 5, output 6
        {"CD4070", {4, 5}, 6, L},
        {"CD4012", {2, 3, 4, 5}, 1, L},
        {"CD4082", {9, 10, 11, 12}, 13, H},
    };
    for (const auto& t : cases) {
        Chip chip(t.type);
        for (int p : t.high) chip.set(p, H);
        chip.eval();
        EXPECT_EQ(chip.out(t.out), t.expected) << t.type << " pin " << t.out;
    }
}

TEST(GateChips, ThirtyIgnoresItsUnusedPinsAndXorComparesVoltages) {
    Chip nand8("74LS30");
    for (int p : {1, 2, 3, 4, 5, 6, 11, 12}) nand8.set(p, H);
    for (int p : {9, 10, 13}) nand8.set(p, L);
    nand8.eval();
    EXPECT_EQ(nand8.out(8), L);

    //  pin 1, pin 2, expected pin 3 of the 74LS86
    const std::tuple<float, float, float> xors[] = {{0.0f, L, L}, {L, H, H}, {0.0f, H, H}, {H, H, L}};
    for (auto [a, b, y] : xors) {
        Chip chip("74LS86");
        chip.set(1, a);
        chip.set(2, b);
        chip.eval();
        EXPECT_EQ(chip.out(3), y) << a << " ^ " << b;
    }
}

TEST(GateChips, UnpoweredChipsDriveEveryOutputLow) {
    //   Vcc, Gnd
    const std::pair<float, float> supplies[] = {{0.0f, 0.0f}, {L, 0.0f}, {0.0f, H}, {H, H}, {2.0f, 0.0f}};
    for (auto [vcc, gnd] : supplies) {
        Chip chip("74LS00", false);
        chip.set(14, vcc);
        chip.set(7, gnd);
        chip.eval();
        for (int p : {3, 6, 8, 11}) EXPECT_EQ(chip.out(p), L) << "Vcc " << vcc << " Gnd " << gnd;
    }
    Chip powered("74LS00");
    powered.eval();
    EXPECT_EQ(powered.out(3), H) << "undriven inputs read low: NAND high";
}

TEST(GateChips, UnknownTypesAndMalformedKindsChangeNothing) {
    Harness h;
    for (const char* kind : {"集成芯片组合逻辑(74LS181)", "集成芯片组合逻辑(74ls00)", "集成芯片组合逻辑( 74LS00)",
                             "集成芯片组合逻辑74LS00"}) {
        int i = h.add(kind);
        h.obj(i).out_v.fill(1.25f);
        h.obj(i).in_v.fill(H);
        evaluate_chip(h.c, i);
        EXPECT_EQ(h.obj(i).out_v[0], 1.25f) << kind;
    }
}

// The 74LS00 on a breadboard: supply from Vcc and Gnd, inputs from switches.
TEST(GateChips, WiredPackageRunsInThePassLoop) {
    for (int net_mode : {0, 1}) {
        Harness h;
        h.c.net_mode = net_mode;
        int chip = h.add("集成芯片组合逻辑(74LS00)", 400, 200);
        int vcc = h.add("Vcc", 470, 130);
        int gnd = h.add("Gnd", 330, 290);
        int a = h.add("高低电平控制器", 200, 170);
        int b = h.add("高低电平控制器", 200, 260);
        const MY_CHIPS& d = h.c.chip_table[0];
        auto pin = [&](int n) {
            const ChipPin& p = d.pins[n - 1];
            return p.role == 2 ? output_pin(h.obj(chip), p.index) : input_pin(h.obj(chip), p.index);
        };
        h.wire(output_pin(h.obj(vcc), 0), pin(14));
        h.wire(output_pin(h.obj(a), 0), pin(1));
        h.wire(output_pin(h.obj(b), 0), pin(2));
        add_test_point(h.c, pin(3).x, pin(3).y);
        bool with_gnd = net_mode == 1;  // in mode 0 an open Gnd pin reads 0 V and counts as grounded
        if (with_gnd) h.wire(output_pin(h.obj(gnd), 0), pin(7));
        //   A, B, pin 3
        for (auto [la, lb, y] : {std::tuple{0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}}) {
            h.obj(a).param_int[0] = la;
            h.obj(b).param_int[0] = lb;
            h.start();
            h.run_passes(1);
            EXPECT_EQ(h.obj(chip).out_v[0], L) << "the first pass after Stop is unpowered";
            h.run_passes(3);
            EXPECT_EQ(h.c.test_points[0].value > 2.0, bool(y)) << "mode " << net_mode << " A" << la << " B" << lb;
        }
    }
}

}  // namespace
}  // namespace vorlisk
