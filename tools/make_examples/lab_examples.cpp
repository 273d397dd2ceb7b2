// The examples of the lab handouts' chips: synchronous counter, ring
// counter, adder and up/down counter, wired pin by pin.
#include "tools/make_examples/example_parts.h"

namespace vorlisk::examples {

// 74LS161 made a decade counter by its asynchronous clear: a NAND of QD and
// QB pulls /CLR low the moment the count reaches 10 (1010), so the count
// runs 0-9. A 74LS48 shows it on a seven-segment display. ENP, ENT and
// /LOAD are held high; QD and QB branch off
// their way to the decoder, drop to the NAND, and its output runs back
// under everything to /CLR.
void counter_74ls161(Circuit& c) {
    Builder b(c);
    const int x = 350, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kSeq, "74LS161", x, y);
    int p = clock_source(b, 150, 120, 2.0);
    b.wire(b.out(p, 0), b.pin(chip, 2), {{x - 70, 120}, {x - 70, y - 20}});                  // CLK
    int vcc16 = b.part("Vcc", x + 40, y - 60);
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 40, y - 30}});
    int gnd = b.part("Gnd", x - 30, y + 70);
    b.wire(b.pin(chip, 8), b.out(gnd, 0));
    // ENT and /LOAD on a trunk that turns back under the chip to a Vcc;
    // ENP to a Vcc of its own.
    int vcc = b.part("Vcc", x + 10, y + 90);
    b.wire(b.pin(chip, 10), b.out(vcc, 0), {{x + 50, y + 30}, {x + 50, y + 90}});
    b.wire(b.pin(chip, 9), {x + 50, y + 40});
    b.junction({x + 50, y + 40});
    int vcc_enp = b.part("Vcc", x - 60, y + 30);
    b.wire(b.pin(chip, 7), b.out(vcc_enp, 0));
    // The decoder, its control inputs high, and the display.
    const int dx = 650;
    int dec = chip_part(b, kComb, "74LS48", dx, y);
    int vcc48 = b.part("Vcc", dx - 50, y - 60);
    b.wire(b.pin(dec, 5), b.out(vcc48, 0), {{dx - 50, y + 10}});
    b.wire(b.pin(dec, 3), {dx - 50, y - 10});
    b.junction({dx - 50, y - 10});
    b.wire(b.pin(dec, 4), {dx - 50, y});
    b.junction({dx - 50, y});
    int gnd48 = b.part("Gnd", dx - 50, y + 70);
    b.wire(b.pin(dec, 8), b.out(gnd48, 0), {{dx - 50, y + 40}});
    int vcc48b = b.part("Vcc", dx + 40, y - 60);
    b.wire(b.pin(dec, 16), b.out(vcc48b, 0), {{dx + 40, y - 30}});
    // QA..QD to A..D of the decoder, each turning in a column of its own.
    b.wire(b.pin(chip, 14), b.pin(dec, 7), {{x + 190, y - 10}, {x + 190, y + 30}});  // QA
    b.wire(b.pin(chip, 13), b.pin(dec, 1), {{x + 170, y}, {x + 170, y - 30}});      // QB
    b.wire(b.pin(chip, 12), b.pin(dec, 2), {{x + 180, y + 10}, {x + 180, y - 20}}); // QC
    b.wire(b.pin(chip, 11), b.pin(dec, 6));                                          // QD
    // QD and QB to the NAND, its output back to /CLR.
    int nand = b.part("与非门", x + 120, y + 150);
    b.junction({x + 60, y + 20});
    b.wire({x + 60, y + 20}, b.in(nand, 0), {{x + 60, y + 140}});
    b.junction({x + 70, y});
    b.wire({x + 70, y}, b.in(nand, 1), {{x + 70, y + 160}});
    b.wire(b.out(nand, 0), b.pin(chip, 1), {{x + 160, y + 150}, {x + 160, y + 190}, {x - 90, y + 190}, {x - 90, y - 30}});
    int disp = b.part("数码管", dx + 250, y);
    struct Segment {
        int pin, input;  // decoder pin, display input (0..6 = a..g)
        int column, row;
    };
    const Segment segments[] = {
        {15, 5, dx + 70, y - 170}, {14, 6, dx + 80, y - 140}, {13, 0, dx + 90, y - 110}, {12, 1, dx + 100, y - 80},
        {11, 2, dx + 130, y + 90}, {10, 3, dx + 120, y + 120}, {9, 4, dx + 110, y + 150},
    };
    for (const Segment& g : segments) {
        const BendPoint from = b.pin(dec, g.pin), to = b.in(disp, g.input);
        b.wire(from, to, {{g.column, from.y}, {g.column, g.row}, {to.x, g.row}});
    }
    b.probe({x + 210, y - 30}, "QB");
    b.probe({x + 220, y - 20}, "QC", Builder::Label::below);
    b.probe({x + 210, y + 20}, "QD");
    b.probe({x + 220, y + 30}, "QA", Builder::Label::below);
    b.note(60, 470, {"74LS161 反馈清零构成十进制计数器：QD、QB 经与非门接 /CLR（1 脚），",
                     "计到 10（1010）时立即清零，所以计数为 0～9。ENP、ENT、/LOAD 接高电平。",
                     "74LS48 把 QD～QA 译成七段码，运行后数码管每 0.5 秒加一。"});
}

// 74LS194 as a ring counter: QD fed back to the shift-right input SR.
// S1 S0 = 11 loads A-D (1000) at each clock; with S1 switched to 0 the
// register shifts right and the single 1 runs round the four LEDs.
void ring_74ls194(Circuit& c) {
    Builder b(c);
    const int x = 400, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kSeq, "74LS194", x, y);
    int vcc = b.part("Vcc", x - 150, y - 60);
    b.rail_to_pins(b.out(vcc, 0), chip, {{1, 1}, {3, 2}});                   // /CLR, A
    int gnd = b.part("Gnd", x - 150, y + 80);
    b.rail_to_pins(b.out(gnd, 0), chip, {{8, 1}, {7, 2}, {6, 3}, {5, 4}, {4, 5}});  // GND, SL, D, C, B
    int vcc16 = b.part("Vcc", x + 40, y - 50);
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 40, y - 30}});
    // S0 to a Vcc reached from below.
    int vcc_s0 = b.part("Vcc", x + 70, y + 70);
    b.wire(b.pin(chip, 9), b.out(vcc_s0, 0), {{x + 50, y + 40}, {x + 50, y + 90}, {x + 70, y + 90}});
    int s1 = b.part(kSwitch, 150, y + 130);
    b.level(s1, 1);
    b.wire(b.out(s1, 0), b.pin(chip, 10), {{x + 90, y + 130}, {x + 90, y + 30}});
    b.probe(b.out(s1, 0), "S1");
    int p = clock_source(b, 150, y + 200, 2.0);
    b.wire(b.out(p, 0), b.pin(chip, 11), {{x + 100, y + 200}, {x + 100, y + 20}});
    // QA..QD to the LEDs, 40 pixels apart.
    const int outs[] = {15, 14, 13, 12}, rows[] = {y - 80, y - 40, y, y + 40}, columns[] = {x + 110, x + 120, 0, x + 140};
    const char* labels[] = {"QA", "QB", "QC", "QD"};
    for (int k = 0; k < 4; ++k) {
        int led = b.part("发光二极管", x + 220, rows[k]);
        const BendPoint from = b.pin(chip, outs[k]), to = b.in(led, 0);
        if (columns[k] == 0) b.wire(from, to);
        else b.wire(from, to, {{columns[k], from.y}, {columns[k], rows[k]}});
        b.probe({x + 160, rows[k]}, labels[k]);
    }
    // QD back to SR over the top of the chip.
    b.junction({x + 60, y + 10});
    b.wire({x + 60, y + 10}, b.pin(chip, 2), {{x + 60, y - 90}, {x - 50, y - 90}, {x - 50, y - 20}});
    b.note(60, 500, {"74LS194 环形计数器：QD（12 脚）接右移输入 SR（2 脚），A 接高电平，B～D 接地，S0 接高电平。",
                     "S1=1 时每个时钟置入 1000；双击开关 S1 改为 0 后右移，",
                     "这个 1 在 QA→QB→QC→QD 四个发光二极管间依次循环，每 0.5 秒移一位。"});
}

// 74LS83: A4..A1 plus B4..B1 (C0 grounded) on five LEDs C4 Σ4..Σ1. The
// switches stand in a row above; those of left-side pins drop down columns
// left of the chip (the higher the pin, the later the column), those of
// right-side pins right of it. Σ3 and Σ2 leave on the left and come round
// under the chip to their LEDs.
void adder_74ls83(Circuit& c) {
    Builder b(c);
    const int x = 560, y = 300;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kComb, "74LS83", x, y);
    // In the order of the truth table (A4 most significant); each with the
    // left edge of its switch.
    const struct {
        const char* label;
        int pin, sx;
    } inputs[] = {{"A4", 1, 440}, {"A3", 3, 340}, {"A2", 8, 40}, {"A1", 10, 800},
                  {"B4", 16, 600}, {"B3", 4, 240}, {"B2", 7, 140}, {"B1", 11, 700}};
    for (const auto& in : inputs) {
        int sw = b.part(kSwitch, in.sx, 80);
        const BendPoint out = b.out(sw, 0), to = b.pin(chip, in.pin);
        b.wire(out, to, {{out.x + 30, out.y}, {out.x + 30, to.y}});
        b.probe(out, in.label);
    }
    int vcc = b.part("Vcc", x - 90, y + 70);
    b.wire(b.pin(chip, 5), b.out(vcc, 0), {{x - 60, y + 10}, {x - 60, y + 90}, {x - 90, y + 90}});
    int gnd = b.part("Gnd", x + 50, y + 80);
    b.wire(b.pin(chip, 13), b.out(gnd, 0), {{x + 50, y}});                    // C0
    b.wire(b.pin(chip, 12), {x + 50, y + 10});                                  // GND
    b.junction({x + 50, y + 10});
    // Outputs to the LEDs on the right, C4 at the top.
    const int led_x = 970;
    const struct {
        const char* label;
        int row;
    } leds[] = {{"C4", 150}, {"S4", 200}, {"S3", 250}, {"S2", 300}, {"S1", 340}};
    for (const auto& l : leds) b.part("发光二极管", led_x, l.row);
    auto led_in = [&](int row) { return BendPoint{led_x - 20, row}; };
    b.wire(b.pin(chip, 14), led_in(150), {{900, y - 10}, {900, 150}});
    b.wire(b.pin(chip, 15), led_in(200), {{890, y - 20}, {890, 200}});
    b.wire(b.pin(chip, 2), led_in(250), {{x - 50, y - 20}, {x - 50, y + 130}, {920, y + 130}, {920, 250}});
    b.wire(b.pin(chip, 6), led_in(300), {{x - 40, y + 20}, {x - 40, y + 120}, {910, y + 120}, {910, 300}});
    b.wire(b.pin(chip, 9), led_in(340));
    for (const auto& l : leds) b.probe({led_x - 40, l.row}, l.label);
    b.note(60, 470, {"74LS83 四位二进制全加器：开关 A4～A1、B4～B1 输入两个四位数，C0（13 脚）接地，",
                     "5 脚接 Vcc，12 脚接地。发光二极管 C4 S4 S3 S2 S1 显示和 A + B（S 即 Σ）。",
                     "运行后双击开关改变加数，或用 vorlisk-sim --truth-table 列出全部 256 种组合。"});
}

// 74LS192 counting up and down from two switches' pulses. UP and DOWN rest
// high; switching one low and back high is one pulse: a rise of UP counts
// up, a rise of DOWN counts down. CLR is grounded, /LOAD high; the count
// shows on a BCD display above the chip's left side, where QA..QD leave.
void updown_74ls192(Circuit& c) {
    Builder b(c);
    const int x = 450, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kSeq, "74LS192", x, y);
    int down = b.part(kSwitch, 200, y + 130);
    int up = b.part(kSwitch, 200, y + 190);
    b.level(down, 1);
    b.level(up, 1);
    b.wire(b.out(down, 0), b.pin(chip, 4), {{x - 90, y + 130}, {x - 90, y}});
    b.wire(b.out(up, 0), b.pin(chip, 5), {{x - 80, y + 190}, {x - 80, y + 10}});
    b.probe(b.out(down, 0), "DOWN");
    b.probe(b.out(up, 0), "UP");
    int gnd = b.part("Gnd", x - 30, y + 70);
    b.wire(b.pin(chip, 8), b.out(gnd, 0));
    int vcc16 = b.part("Vcc", x + 50, y - 60);
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 50, y - 30}});
    int gnd_clr = b.part("Gnd", x + 90, y - 10);
    b.wire(b.pin(chip, 14), b.out(gnd_clr, 0));                                  // CLR
    int vcc_load = b.part("Vcc", x + 130, y + 20);
    b.wire(b.pin(chip, 11), b.out(vcc_load, 0));                                 // /LOAD
    int disp = b.part("数码管BCD", x - 150, y - 170);
    const int q_pins[] = {3, 2, 6, 7};  // QA QB QC QD -> display inputs 0..3
    for (int k = 0; k < 4; ++k) {
        const BendPoint from = b.pin(chip, q_pins[k]), to = b.in(disp, k);
        b.wire(from, to, {{to.x, from.y}});
    }
    b.probe({x - 120, y - 10}, "QA", Builder::Label::below);
    b.probe({x - 120, y - 20}, "QB");
    b.probe({x - 150, y + 20}, "QC");
    b.probe({x - 130, y + 30}, "QD", Builder::Label::below);
    b.note(60, 480, {"74LS192 十进制加/减计数器：UP（5 脚）、DOWN（4 脚）平时为高电平，CLR 接地，/LOAD 接高电平。",
                     "运行后双击开关 UP 两次（变低再变高）加一，双击 DOWN 两次减一；",
                     "一个时钟上升时另一个必须为高。数码管显示 QD～QA。"});
}

}  // namespace vorlisk::examples
