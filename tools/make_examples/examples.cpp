#include "tools/make_examples/examples.h"

#include "tools/make_examples/builder.h"
#include "tools/make_examples/example_parts.h"

namespace vorlisk::examples {

int chip_part(Builder& b, std::string_view page, std::string_view type, int x, int y) {
    return b.part(std::string(page) + std::string(type) + ")", x, y);
}

int clock_source(Builder& b, int x, int y, double hz) {
    int vcc = b.part("Vcc", x - 70, y - 40);
    int p = b.part("连续脉冲", x, y);
    b.pulse(p, hz, 0.5 / hz, 0.5 / hz);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), x - 70);
    b.probe(b.out(p, 0), "CP");
    return p;
}

namespace {

// Half adder of an exclusive-OR and an AND gate. Each switch feeds one
// gate straight and the other through a branch at a solder point.
void half_adder(Circuit& c) {
    Builder b(c);
    int a = b.part(kSwitch, 100, 100);
    int bb = b.part(kSwitch, 100, 220);
    int x = b.part("异或门", 300, 110);
    int g = b.part("与门", 300, 210);
    int ls = b.part("发光二极管", 420, 110);
    int lc = b.part("发光二极管", 420, 210);
    b.wire(b.out(a, 0), b.in(x, 0));
    b.wire({200, 100}, b.in(g, 0), {{200, 200}});
    b.junction({200, 100});
    b.wire(b.out(bb, 0), b.in(g, 1));
    b.wire({220, 220}, b.in(x, 1), {{220, 120}});  // crosses the A branch without a junction
    b.junction({220, 220});
    b.wire(b.out(x, 0), b.in(ls, 0));
    b.wire(b.out(g, 0), b.in(lc, 0));
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe(b.out(x, 0), "S");
    b.probe(b.out(g, 0), "C");
    b.note(80, 300, {"半加器：S = A 异或 B，C = A 与 B。", "运行后双击开关切换 A、B 的电平，", "两个发光二极管显示 S 和 C。"});
}

void full_adder(Circuit& c) {
    Builder b(c);
    int a = b.part(kSwitch, 100, 100);
    int bb = b.part(kSwitch, 100, 200);
    int ci = b.part(kSwitch, 100, 300);
    int fa = b.part("全加器", 300, 150);
    int ls = b.part("发光二极管", 440, 130);
    int lc = b.part("发光二极管", 440, 170);
    b.wire_via_x(b.out(a, 0), b.in(fa, 0), 200);
    b.wire_via_x(b.out(bb, 0), b.in(fa, 1), 210);
    b.wire_via_x(b.out(ci, 0), b.in(fa, 2), 220);
    b.wire(b.out(fa, 0), b.in(ls, 0));
    b.wire(b.out(fa, 1), b.in(lc, 0));
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe(b.out(ci, 0), "CI");
    b.probe(b.out(fa, 0), "S");
    b.probe(b.out(fa, 1), "CO");
    b.note(80, 360, {"全加器：A + B + CI = 2·CO + S。", "运行后双击开关改变 A、B、CI，", "发光二极管显示和 S 与进位 CO。"});
}

// Basic RS latch of two cross-coupled NAND gates; both inputs active low.
// With both inputs high from the start the two gates, computed one after
// the other from outputs that Stop left low, pass a pattern round the loop
// for ever; so RN starts low and the latch starts reset.
void nand_latch(Circuit& c) {
    Builder b(c);
    int s = b.part(kSwitch, 100, 90);
    int r = b.part(kSwitch, 100, 260);
    int n1 = b.part("与非门", 300, 100);
    int n2 = b.part("与非门", 300, 250);
    int lq = b.part("发光二极管", 440, 100);
    int lqb = b.part("发光二极管", 440, 250);
    b.level(s, 1);
    b.level(r, 0);
    b.wire(b.out(s, 0), b.in(n1, 0));
    b.wire(b.out(r, 0), b.in(n2, 1));
    b.wire(b.out(n1, 0), b.in(lq, 0));
    b.wire(b.out(n2, 0), b.in(lqb, 0));
    // Each output feeds the other gate from a solder point on its LED wire.
    b.wire({350, 100}, b.in(n2, 0), {{350, 150}, {240, 150}, {240, 240}});
    b.junction({350, 100});
    b.wire({370, 250}, b.in(n1, 1), {{370, 190}, {230, 190}, {230, 110}});
    b.junction({370, 250});
    b.probe(b.out(s, 0), "SN");
    b.probe(b.out(r, 0), "RN");
    b.probe({400, 100}, "Q");
    b.probe({390, 250}, "QN");
    b.note(80, 320, {"与非门基本RS锁存器：输入低电平有效。SN=0 置1，RN=0 置0，两者为1时保持。",
                     "运行开始时 RN=0，锁存器复位：Q=0，QN=1。双击 RN 改为 1，Q 保持 0；",
                     "再双击 SN 两次（0 再回 1），Q 变为 1 并保持。",
                     "两个输入都为 1 时开始运行，锁存器没有确定的初态，Q、QN 来回跳变，",
                     "直到有一个输入变为 0：停止运行前先把 RN 置 0。"});
}

// A rising-edge D flip-flop with Q-bar fed back to D halves the clock.
void d_divider(Circuit& c) {
    Builder b(c);
    int vcc = b.part("Vcc", 100, 150);
    int p = b.part("连续脉冲", 200, 210);
    int ff = b.part("边沿D触发器", 400, 200);
    int lq = b.part("发光二极管", 520, 170);
    b.pulse(p, 10.0, 0.05, 0.05);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), 100);
    b.wire(b.out(p, 0), b.in(ff, 2));
    b.wire(b.out(ff, 1), b.in(ff, 1), {{460, 230}, {460, 260}, {340, 260}, {340, 190}});
    b.wire(b.out(ff, 0), b.in(lq, 0));
    b.probe(b.out(p, 0), "CP");
    b.probe(b.out(ff, 0), "Q");
    b.note(80, 300, {"边沿D触发器二分频：Q非 接回 D，每个时钟上升沿 Q 翻转一次。",
                     "运行后 CP 为 10 赫兹，发光二极管 Q 以 5 赫兹闪烁；",
                     "打开时序图可以对照 CP 与 Q 的波形。"});
}

// Three falling-edge JK flip-flops with J = K = 1 in a ripple chain count up.
void jk_chain(Circuit& c) {
    Builder b(c);
    int vcc0 = b.part("Vcc", 80, 140);
    int p = b.part("连续脉冲", 150, 200);
    b.pulse(p, 10.0, 0.05, 0.05);
    b.wire_via_x(b.out(vcc0, 0), b.in(p, 0), 80);
    b.probe(b.out(p, 0), "CP");
    BendPoint clock = b.out(p, 0);
    const char* labels[] = {"Q0", "Q1", "Q2"};
    for (int n = 0; n < 3; ++n) {
        const int x = 300 + 150 * n, y = 200;
        int ff = b.part("边沿JK触发器", x, y);
        int vcc = b.part("Vcc", x - 60, y - 60);
        b.wire(b.out(vcc, 0), b.in(ff, 0), {{x - 60, y - 20}});
        b.wire(b.out(vcc, 0), b.in(ff, 2), {{x - 50, y - 60}, {x - 50, y + 20}});
        b.wire_via_x(clock, b.in(ff, 1), clock.x + 40);
        int led = b.part("发光二极管", x + 60, y - 60);
        b.wire_via_x(b.out(ff, 0), b.in(led, 0), x + 30);
        b.probe(b.out(ff, 0), labels[n]);
        clock = b.out(ff, 0);
    }
    b.note(80, 280, {"JK触发器串联计数器：J=K=1，每个下降沿翻转，", "Q2 Q1 Q0 递增计数。运行后三个发光二极管",
                     "依次显示二进制数 0～7（右边为最高位 Q2）。"});
}

// A 74LS00 wired pin by pin: gate 1 is the NAND of the switches, gate 2
// has both inputs on Y1 and inverts it again, giving the AND. Every pin
// of the Y1 net leaves the chip to a column left of it, where solder
// points join them.
void chip_74ls00(Circuit& c) {
    Builder b(c);
    int chip = b.part("集成芯片组合逻辑(74LS00)", 450, 250);
    int a = b.part(kSwitch, 200, 150);
    int bb = b.part(kSwitch, 200, 230);
    int vcc = b.part("Vcc", 510, 190);
    int gnd = b.part("Gnd", 410, 300);
    int l2 = b.part("发光二极管", 560, 340);
    int l1 = b.part("发光二极管", 560, 380);
    b.wire(b.out(a, 0), b.pin(chip, 1), {{400, 150}, {400, 220}});
    b.wire(b.out(bb, 0), b.pin(chip, 2));
    b.wire(b.pin(chip, 3), b.in(l1, 0), {{380, 240}, {380, 380}});
    b.wire(b.pin(chip, 4), {380, 250});
    b.junction({380, 250});
    b.wire(b.pin(chip, 5), {380, 260});
    b.junction({380, 260});
    b.wire(b.pin(chip, 6), b.in(l2, 0), {{390, 270}, {390, 340}});
    b.wire(b.pin(chip, 7), b.out(gnd, 0), {{410, 280}});
    b.wire(b.pin(chip, 14), b.out(vcc, 0), {{510, 220}});
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe({500, 380}, "Y1");
    b.probe({500, 340}, "Y2");
    b.note(60, 430, {"74LS00 逐脚接线：14 脚接 Vcc，7 脚接 Gnd。",
                     "门1：1、2 脚输入，3 脚输出 Y1 = 与非(A, B)。",
                     "门2：4、5 脚都接 Y1，6 脚输出 Y2 = Y1 取反 = 与(A, B)。",
                     "运行后双击开关 A、B，对照两个发光二极管。"});
}

void led_blinker(Circuit& c) {
    Builder b(c);
    int vcc = b.part("Vcc", 100, 150);
    int p = b.part("连续脉冲", 200, 210);
    int led = b.part("发光二极管", 340, 210);
    b.pulse(p, 2.0, 0.25, 0.25);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), 100);
    b.wire(b.out(p, 0), b.in(led, 0));
    b.probe(b.out(p, 0), "P");
    b.note(80, 280, {"连续脉冲驱动发光二极管：2 赫兹，每个周期的后半段点亮。",
                     "运行即可看到闪烁；选中脉冲源，用“编辑 → 属性”可改频率。"});
}

// A BCD display driven by four switches D C B A.
void bcd_display(Circuit& c) {
    Builder b(c);
    int disp = b.part("数码管BCD", 400, 200);
    const char* labels[] = {"D", "C", "B", "A"};
    for (int n = 0; n < 4; ++n) {
        int sw = b.part(kSwitch, 150, 300 + 50 * n);
        b.wire_via_x(b.out(sw, 0), b.in(disp, 3 - n), b.in(disp, 3 - n).x);
        b.probe(b.out(sw, 0), labels[n]);
    }
    b.note(80, 80, {"BCD 数码管：四个开关组成 8421 码 D C B A（D 为最高位）。",
                    "运行后双击开关，数码管显示对应的数字；10～15 为特殊字形。"});
}


// --- chips wired pin by pin -------------------------------------------------

// Ripple counter: a pulse drives CKA (pin 14) from above; QA (pin 12)
// feeds CKB (pin 1) over the top of the chip, the one crossing the clock
// must make. R0 runs left to a Gnd of its own, R9 down to another, so the
// Vcc wire of pin 5 leaves between them and its label stays clear of the
// unused pin 4; pin 10 runs to its own Gnd between the outputs. A decade
// counter shows its count on a BCD display, a binary counter on four LEDs,
// QA at the top.
void counter(Circuit& c, std::string_view type, bool decade) {
    Builder b(c);
    const int x = 400, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kSeq, type, x, y);
    int p = clock_source(b, 150, 100, 10.0);
    int vcc = b.part("Vcc", x - 100, y + 10);
    int gnd_r0 = b.part("Gnd", x - 160, y - 20);
    int gnd10 = b.part("Gnd", x + 160, y + 10);
    b.wire(b.out(p, 0), b.pin(chip, 14), {{x + 40, 100}, {x + 40, y - 30}});
    b.wire(b.pin(chip, 12), b.pin(chip, 1), {{x + 60, y - 10}, {x + 60, y - 60}, {x - 50, y - 60}, {x - 50, y - 30}});
    b.wire(b.out(vcc, 0), b.pin(chip, 5));
    b.wire(b.pin(chip, 2), b.out(gnd_r0, 0));
    b.wire(b.pin(chip, 3), {x - 60, y - 20}, {{x - 60, y - 10}});
    b.junction({x - 60, y - 20});
    if (decade) {
        int gnd_r9 = b.part("Gnd", x - 60, y + 70);
        b.wire(b.pin(chip, 6), b.out(gnd_r9, 0), {{x - 60, y + 20}});
        b.wire(b.pin(chip, 7), {x - 60, y + 30});
        b.junction({x - 60, y + 30});
    }
    b.wire(b.pin(chip, 10), b.out(gnd10, 0));
    if (decade) {
        // QD, QB, QC rise to the display from below (QB and QC cross once);
        // QA leaves the feedback loop over the top and comes round the
        // display's right side to its A input.
        int disp = b.part("数码管BCD", x + 320, y - 70);
        b.wire(b.pin(chip, 11), b.in(disp, 3), {{b.in(disp, 3).x, y}});
        b.wire(b.pin(chip, 9), b.in(disp, 1), {{x + 70, y + 20}, {x + 70, y + 80}, {b.in(disp, 1).x, y + 80}});
        b.wire(b.pin(chip, 8), b.in(disp, 2), {{x + 50, y + 30}, {x + 50, y + 100}, {b.in(disp, 2).x, y + 100}});
        const BendPoint top{x + 60, y - 60};
        b.junction(top);
        b.wire(top, b.in(disp, 0), {{x + 60, y - 130}, {x + 370, y - 130}, {x + 370, y - 10}, {b.in(disp, 0).x, y - 10}});
        b.probe({x + 200, y - 130}, "QA");
        b.probe({x + 200, y}, "QD");
        b.probe({x + 200, y + 80}, "QB");
        b.probe({x + 200, y + 100}, "QC", Builder::Label::below);
        b.note(60, 400, {"74LS90 十进制计数器：脉冲接 CKA（14 脚），QA（12 脚）接 CKB（1 脚），",
                         "R0、R9（2、3、6、7 脚）接地，5 脚接 Vcc，10 脚接 Gnd。",
                         "运行后 BCD 数码管每 0.1 秒加一，依次显示 0～9。"});
    } else {
        // QA straight out; QB and QC fan out downwards; QD runs past them
        // to the bottom LED, crossing their rows in the open.
        const int led_x = x + 300;
        const int rows[] = {y - 10, y + 50, y + 100, y + 150};  // QA QB QC QD
        const BendPoint qa_branch{x + 60, y - 10};
        b.junction(qa_branch);
        b.wire(qa_branch, {led_x - 20, rows[0]});
        b.wire(b.pin(chip, 9), {led_x - 20, rows[1]}, {{x + 100, y + 20}, {x + 100, rows[1]}});
        b.wire(b.pin(chip, 8), {led_x - 20, rows[2]}, {{x + 80, y + 30}, {x + 80, rows[2]}});
        b.wire(b.pin(chip, 11), {led_x - 20, rows[3]}, {{x + 240, y}, {x + 240, rows[3]}});
        const char* labels[] = {"QA", "QB", "QC", "QD"};
        for (int k = 0; k < 4; ++k) {
            b.part("发光二极管", led_x, rows[k]);
            b.probe({led_x - 40, rows[k]}, labels[k]);
        }
        b.note(60, 440, {"74LS93 四位二进制计数器：脉冲接 CKA（14 脚），QA（12 脚）接 CKB（1 脚），",
                         "R0（2、3 脚）接地，5 脚接 Vcc，10 脚接 Gnd。",
                         "运行后四个发光二极管按二进制依次显示 0～15（QA 为最低位）。"});
    }
}

void counter_74ls90(Circuit& c) { counter(c, "74LS90", true); }
void counter_74ls93(Circuit& c) { counter(c, "74LS93", false); }

// A row of switches above a chip, left to right in the order given (the
// first most significant, as the truth table lists them); each drops down
// its own column left of the chip and turns right into its pin. Columns
// start at x0 and step right, so a switch whose pin lies higher must come
// later in the row; returns the switches.
std::vector<int> switch_row(Builder& b, int chip, int x0, std::initializer_list<std::pair<int, const char*>> pins) {
    std::vector<int> made;
    int k = 0;
    for (auto [pin, label] : pins) {
        const int sx = x0 - 40 + 100 * k++;
        int sw = b.part(kSwitch, sx, 80);
        const BendPoint out = b.out(sw, 0), to = b.pin(chip, pin);
        b.wire(out, to, {{out.x + 30, out.y}, {out.x + 30, to.y}});
        b.probe(out, label);
        made.push_back(sw);
    }
    return made;
}

// 3-to-8 decoder: the selected output goes low, so its LED goes dark.
void decoder_74ls138(Circuit& c) {
    Builder b(c);
    const int x = 450, y = 230;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kComb, "74LS138", x, y);
    switch_row(b, chip, 100, {{3, "C"}, {2, "B"}, {1, "A"}});
    int vcc = b.part("Vcc", 200, 310);
    int gnd = b.part("Gnd", 200, 340);
    int vcc16 = b.part("Vcc", x + 40, y - 60);
    b.wire(b.out(vcc, 0), b.pin(chip, 6), {{x - 140, 310}, {x - 140, y + 20}});       // G1
    b.rail_to_pins(b.out(gnd, 0), chip, {{8, 3}, {5, 6}, {4, 7}});                      // GND, G2B, G2A
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 40, y - 30}});
    // Y0..Y3 fan out upwards, Y5 and Y6 downwards, Y4 runs straight; Y7
    // leaves on the left and passes under the chip.
    const int y_pins[] = {15, 14, 13, 12, 11, 10, 9, 7};
    const int columns[] = {x + 70, x + 80, x + 90, x + 100, 0, x + 120, x + 110, x + 140};
    const int led_x = x + 350;
    for (int k = 0; k < 8; ++k) {
        const int row = y - 140 + 40 * k;
        int led = b.part("发光二极管", led_x, row);
        const BendPoint p = b.pin(chip, y_pins[k]), to = b.in(led, 0);
        if (k == 4) b.wire(p, to);
        else if (k < 7) b.wire(p, to, {{columns[k], p.y}, {columns[k], row}});
        else b.wire(p, to, {{x - 40, p.y}, {x - 40, row + 20}, {columns[k], row + 20}, {columns[k], row}});
        b.probe({led_x - 40, row}, "Y" + std::to_string(k));
    }
    b.note(60, 440, {"74LS138 三线-八线译码器：G1（6 脚）接高电平，G2A、G2B（4、5 脚）接地。",
                     "运行后双击开关 C B A：选中的输出 Yn 变为低电平，对应的发光二极管熄灭。"});
}

// BCD to seven-segment decoder driving a display. The switches D C B A sit
// in a row; A's pin lies below D's, so A goes round over the row to a
// column left of all the others.
void decoder_74ls48(Circuit& c) {
    Builder b(c);
    const int x = 550, y = 230;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kComb, "74LS48", x, y);
    const int code_pins[] = {6, 2, 1};  // D C B
    const char* code_labels[] = {"D", "C", "B", "A"};
    int a_switch = -1;
    for (int k = 0; k < 4; ++k) {
        int sw = b.part(kSwitch, 100 + 100 * k, 80);
        const BendPoint out = b.out(sw, 0);
        if (k < 3) {
            const BendPoint to = b.pin(chip, code_pins[k]);
            b.wire(out, to, {{out.x + 30, out.y}, {out.x + 30, to.y}});
        } else {
            a_switch = sw;
        }
        b.probe(out, code_labels[k]);
    }
    const BendPoint a_out = b.out(a_switch, 0), a_pin = b.pin(chip, 7);
    b.wire(a_out, a_pin, {{a_out.x + 30, a_out.y}, {a_out.x + 30, 40}, {60, 40}, {60, a_pin.y}});
    // LT, BI, RBI (pins 3, 4, 5) inactive high from one Vcc; Gnd beside pin 8.
    int vcc = b.part("Vcc", 180, y - 10);
    b.wire(b.out(vcc, 0), b.pin(chip, 3));
    b.wire(b.pin(chip, 5), {x - 50, y - 10}, {{x - 50, y + 10}});
    b.junction({x - 50, y - 10});
    b.wire(b.pin(chip, 4), {x - 50, y});
    b.junction({x - 50, y});
    int gnd = b.part("Gnd", x - 50, y + 40);
    b.wire(b.pin(chip, 8), b.out(gnd, 0));
    int vcc16 = b.part("Vcc", x + 40, y - 60);
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 40, y - 30}});
    // Segment outputs to the display: f g a b go over the top to its upper
    // inputs, c d e under the bottom to its lower ones, each on a row of its
    // own 30 pixels apart, labelled with its segment. The display's inputs
    // lie in the mirror order of the pins, so the drops cross.
    int disp = b.part("数码管", x + 250, y);
    struct Segment {
        int pin, input;  // chip pin, display input (0..6 = a..g)
        const char* name;
        int column, row;
    };
    const Segment segments[] = {
        {15, 5, "f", x + 70, y - 170}, {14, 6, "g", x + 80, y - 140}, {13, 0, "a", x + 90, y - 110},
        {12, 1, "b", x + 100, y - 80}, {11, 2, "c", x + 130, y + 90}, {10, 3, "d", x + 120, y + 120},
        {9, 4, "e", x + 110, y + 150},
    };
    for (const Segment& g : segments) {
        const BendPoint p = b.pin(chip, g.pin), to = b.in(disp, g.input);
        b.wire(p, to, {{g.column, p.y}, {g.column, g.row}, {to.x, g.row}});
        b.probe({x + 150, g.row}, g.name);
    }
    b.note(60, 430, {"74LS48 七段译码器驱动数码管：开关 D C B A 输入 8421 码，",
                     "LT、BI、RBI（3、4、5 脚）接高电平，8 脚接地，16 脚接 Vcc。",
                     "运行后双击开关，数码管显示 0～9（10～15 为特殊字形）。"});
}

// Two D flip-flops of one 74LS74, each with Q-bar fed back to D: the first
// halves the clock, the second halves it again. Each feedback loop runs
// beside its side of the chip, so the three pins between D and Q-bar cross
// it; Q1 goes round the left and over the top to CLK2.
void divider_74ls74(Circuit& c) {
    Builder b(c);
    const int x = 450, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kSeq, "74LS74", x, y);
    int p = clock_source(b, 150, 100, 10.0);
    int vcc_clr1 = b.part("Vcc", x - 50, y - 60);
    int vcc_pre1 = b.part("Vcc", x - 110, y);
    int gnd = b.part("Gnd", x - 50, y + 30);
    int vcc2 = b.part("Vcc", x + 60, y - 60);
    int vcc_pre2 = b.part("Vcc", x + 150, y + 10);
    int l1 = b.part("发光二极管", x + 250, y - 100);
    int l2 = b.part("发光二极管", x + 250, y + 20);
    b.wire(b.out(p, 0), b.pin(chip, 3), {{x - 90, 100}, {x - 90, y - 10}});           // CLK1
    b.wire(b.pin(chip, 1), b.out(vcc_clr1, 0), {{x - 50, y - 30}});                   // CLR1
    b.wire(b.pin(chip, 4), b.out(vcc_pre1, 0));                                       // PRE1
    b.wire(b.pin(chip, 6), b.pin(chip, 2), {{x - 60, y + 20}, {x - 60, y - 20}});     // Q1-bar -> D1
    b.wire(b.pin(chip, 7), b.out(gnd, 0));
    b.wire(b.pin(chip, 5), b.pin(chip, 11),                                           // Q1 -> CLK2
           {{x - 80, y + 10}, {x - 80, y + 80}, {x - 200, y + 80}, {x - 200, y - 100}, {x + 90, y - 100}, {x + 90, y},
            {x + 30, y}});
    b.wire({x + 90, y - 100}, b.in(l1, 0));
    b.junction({x + 90, y - 100});
    b.wire(b.out(vcc2, 0), b.pin(chip, 13), {{x + 60, y - 20}});                     // CLR2
    b.wire(b.pin(chip, 14), {x + 60, y - 30});                                        // VCC
    b.junction({x + 60, y - 30});
    b.wire(b.pin(chip, 8), b.pin(chip, 12), {{x + 50, y + 30}, {x + 50, y - 10}});    // Q2-bar -> D2
    b.wire(b.pin(chip, 10), b.out(vcc_pre2, 0));                                      // PRE2
    b.wire(b.pin(chip, 9), b.in(l2, 0));
    b.probe({x + 210, y - 100}, "Q1");
    b.probe({x + 210, y + 20}, "Q2");
    b.note(60, 400, {"74LS74 分频器：两个 D 触发器的 Q非 接回 D，CLR、PRE 接高电平。",
                     "时钟 CP 接 CLK1（3 脚），Q1（5 脚）接 CLK2（11 脚）。",
                     "运行后 Q1 为时钟的二分频，Q2 为四分频：打开时序图对照三者的波形。"});
}

// 4-bit magnitude comparator, equal-input cascade high. The word inputs
// but B3 are on the chip's right side: the switches stand in a row above,
// right of the chip, each dropping down its own column to its pin (B2 and
// B1 cross the A columns they pass); B3 goes over the row to pin 1. The
// outputs leave on the left and come under the chip to the LEDs.
void comparator_74ls85(Circuit& c) {
    Builder b(c);
    const int x = 290, y = 250;  // chip centre: left pin tips at x - 30, right at x + 30
    int chip = chip_part(b, kComb, "74LS85", x, y);
    const int word_pins[] = {15, 13, 12, 10, 1, 14, 11, 9};  // A3 A2 A1 A0 B3 B2 B1 B0
    const char* labels[] = {"A3", "A2", "A1", "A0", "B3", "B2", "B1", "B0"};
    for (int k = 0; k < 8; ++k) {
        int sw = b.part(kSwitch, x + 70 + 80 * k, 80);
        const BendPoint out = b.out(sw, 0), to = b.pin(chip, word_pins[k]);
        if (word_pins[k] == 1) {
            b.wire(out, to, {{out.x + 10, out.y}, {out.x + 10, 40}, {x - 40, 40}, {x - 40, to.y}});
            b.probe({out.x - 110, 40}, labels[k]);
        } else {
            b.wire(out, to, {{out.x + 10, out.y}, {out.x + 10, to.y}});
            b.probe(out, labels[k]);
        }
    }
    // Cascade inputs: IA<B and IA>B low, IA=B high; each has its own rail
    // symbol, staggered so none hangs over another's wire.
    int vcc16 = b.part("Vcc", x + 50, y - 60);
    b.wire(b.pin(chip, 16), b.out(vcc16, 0), {{x + 50, y - 30}});
    int gnd2 = b.part("Gnd", x - 100, y - 60);
    b.wire(b.pin(chip, 2), b.out(gnd2, 0), {{x - 60, y - 20}, {x - 60, y - 60}});
    int vcc3 = b.part("Vcc", x - 80, y - 10);
    b.wire(b.pin(chip, 3), b.out(vcc3, 0));
    int gnd4 = b.part("Gnd", x - 110, y);
    b.wire(b.pin(chip, 4), b.out(gnd4, 0));
    int gnd8 = b.part("Gnd", x - 30, y + 70);
    b.wire(b.pin(chip, 8), b.out(gnd8, 0));
    // Outputs: LT, EQ and GT from the bottom up take columns further out and
    // rows further down, then fan out to the LEDs.
    const int out_pins[] = {7, 6, 5};
    const char* out_labels[] = {"LT", "EQ", "GT"};
    for (int k = 0; k < 3; ++k) {
        const int led_y = y + 110 + 50 * k;
        int led = b.part("发光二极管", x + 190, led_y);
        const BendPoint p = b.pin(chip, out_pins[k]), to = b.in(led, 0);
        const int column = x - 50 - 10 * k, row = y + 110 + 10 * k, turn = x + 130 - 20 * k;
        if (k == 0) b.wire(p, to, {{column, p.y}, {column, row}});
        else b.wire(p, to, {{column, p.y}, {column, row}, {turn, row}, {turn, led_y}});
        b.probe({to.x - 20, to.y}, out_labels[k]);
    }
    b.note(x + 270, y + 110, {"74LS85 四位数值比较器：比较 A3～A0 与 B3～B0，",
                              "级联输入 IA=B 接高电平，IA<B、IA>B 接地。",
                              "运行后双击开关，发光二极管 GT、EQ、LT",
                              "分别在 A>B、A=B、A<B 时点亮。"});
}

// The experiment box's switches wired straight to its lamps. The input
// device puts switch bit 0 on its pin 1; the output device sends its pin 1
// as lamp bit 7, so the lamps show the switches mirrored.
void box_loopback(Circuit& c) {
    Builder b(c);
    int in = b.part("信号输入器件", 120, 200);
    int out = b.part("信号输出器件", 420, 200);
    for (int k = 0; k < 8; ++k) b.wire(b.out(in, k), b.in(out, k));
    b.probe({250, b.out(in, 0).y}, "K1");
    b.probe({250, b.out(in, 7).y}, "K8", Builder::Label::below);
    b.note(60, 320, {"实验箱联机：信号输入器件 1～8 脚为开关 bit0～bit7，",
                     "信号输出器件 1～8 脚送往灯 bit7～bit0。",
                     "没有实验箱时，从“运行”菜单打开“虚拟实验箱”。"});
}

}  // namespace

const std::vector<Example>& all_examples() {
    static const std::vector<Example> list = {
        {"半加器.vlk", half_adder},
        {"全加器.vlk", full_adder},
        {"与非门RS锁存器.vlk", nand_latch},
        {"D触发器二分频.vlk", d_divider},
        {"JK触发器计数链.vlk", jk_chain},
        {"74LS00逐脚接线.vlk", chip_74ls00},
        {"脉冲驱动发光二极管.vlk", led_blinker},
        {"开关驱动数码管.vlk", bcd_display},
        {"74LS90十进制计数器.vlk", counter_74ls90},
        {"74LS93二进制计数器.vlk", counter_74ls93},
        {"74LS138译码器.vlk", decoder_74ls138},
        {"74LS48驱动数码管.vlk", decoder_74ls48},
        {"74LS74分频器.vlk", divider_74ls74},
        {"74LS85比较器.vlk", comparator_74ls85},
        {"74LS161十进制计数器.vlk", counter_74ls161},
        {"74LS194环形计数器.vlk", ring_74ls194},
        {"74LS83四位加法器.vlk", adder_74ls83},
        {"74LS192加减计数器.vlk", updown_74ls192},
        {"实验箱联机.vlk", box_loopback},
    };
    return list;
}

}  // namespace vorlisk::examples
